// The driver list of the download page: for every class with out-of-date
// drivers a header, then one row per such driver, each with a check box.
#pragma once

#include <memory>
#include <string>

#include "CategoryFrameUnit_win.h"
#include "DriverFrameUnit_win.h"
#include "ScrollBox_win.h"
#include "StringList.h"

class TDriverListFrame : public TWinControl {
public:
    explicit TDriverListFrame(TWinControl& parent);
    ~TDriverListFrame() override;

    // Frees every row (a row that downloads stops) and builds them anew, hidden.
    void LoadDrivers(TDriverManager* M);
    void ShowOutOfDate();
    void CheckAll(bool Checked);
    void CheckCategory(TCategoryFrame* Sender, bool Checked);
    int CheckedCount() const;
    void DownloadChecked();
    TCategoryFrame* AddCategoryFrame(TDriverCategory* category);
    TDriverFrame* AddDriverFrame(TDriverCategory* category, TDriver* driver);

    std::string SavePath;
    TDriverManager* Manager = nullptr;
    // Headers and rows in display order; the list frees them.
    TStringList<TWinControl> Rows{true};
    std::unique_ptr<TScrollBox> ScrollBox1;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
};
