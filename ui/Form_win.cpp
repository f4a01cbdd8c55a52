#include "Form_win.h"

#include <vector>

#include "Application_win.h"

void TForm::CreateHandle(const std::wstring& caption, DWORD style, DWORD ex_style) {
    CreateTopLevel(caption, style, ex_style);
}

LRESULT TForm::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) {
        Close();
        return 0;
    }
    return TWinControl::WndProc(message, wparam, lparam);
}

void TForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    FormClose(action);
    if (action == TCloseAction::caNone) return;
    if (modal_) {
        if (ModalResult == TModalResult::mrNone) ModalResult = TModalResult::mrCancel;
        return;
    }
    if (Application.MainForm == this)
        Application.Terminate();
    else
        Hide();
}

namespace {
// Window enumeration callbacks must be WINAPI, which a lambda is not on 32-bit Windows.
BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM param) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}
}  // namespace

TModalResult TForm::ShowModal() {
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND window : disabled) EnableWindow(window, FALSE);
    ModalResult = TModalResult::mrNone;
    modal_ = true;
    Show();
    SetForegroundWindow(Handle());
    Application.ProcessMessagesUntil(
        [this] { return ModalResult != TModalResult::mrNone || Application.Terminated(); }, INFINITE);
    modal_ = false;
    for (HWND window : disabled) EnableWindow(window, TRUE);
    Hide();
    return ModalResult;
}

void TForm::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::CenterOnScreen() {
    RECT window;
    GetWindowRect(Handle(), &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - (window.right - window.left)) / 2,
                 work.top + (work.bottom - work.top - (window.bottom - window.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
