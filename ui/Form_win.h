// A top-level window. Closing asks CloseQuery, runs FormClose, then hides
// the form; closing the main form ends the application.
#pragma once

#include <windows.h>

#include <string>

#include "WinControl_win.h"

enum class TCloseAction { caNone, caHide };

enum class TModalResult { mrNone, mrOk, mrCancel };

class TForm : public TWinControl {
public:
    void Show();
    void Close();
    void SetClientSize(int width, int height);
    void CenterOnScreen();
    // Runs a modal loop with every other top-level window of the thread
    // disabled, until ModalResult is set or the form closes.
    TModalResult ShowModal();
    TModalResult ModalResult = TModalResult::mrNone;

protected:
    // Creates the window; derived constructors call it first.
    void CreateHandle(const std::wstring& caption, DWORD style, DWORD ex_style);

    virtual bool CloseQuery() { return true; }
    virtual void FormClose(TCloseAction& /*action*/) {}
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    bool modal_ = false;
};
