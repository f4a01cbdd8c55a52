// What the user watches during a scan: every category and device of the
// inventory added one by one with its class icon while a bar advances;
// slow while the lookup runs, fast once it has ended.
#pragma once

#include <functional>
#include <memory>

#include "ListBox_win.h"
#include "WinControl_win.h"

class TScanningFrame : public TWinControl {
public:
    explicit TScanningFrame(TWinControl& parent);

    // The animation; returns after OnScanFinished has returned.
    void RunScan();
    void lstScanningDrawItem(HDC dc, int Index, const RECT& Rect);

    TProgressBar* ProgressBar = nullptr;
    bool FastMode = false;
    std::function<void(TScanningFrame* Sender)> OnScanFinished;
    std::unique_ptr<TListBox> lstScanning;

    // How the animation rests between items; tests watch the pauses it asks for.
    std::function<void(unsigned Milliseconds)> Pause = [](unsigned milliseconds) { Sleep(milliseconds); };

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void AddItem(std::intptr_t object);
};
