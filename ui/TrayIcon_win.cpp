#include "TrayIcon_win.h"

#include <shellapi.h>

#include "Application_win.h"
#include "Handle_win.h"

namespace {

constexpr UINT kTrayMessage = WM_APP + 20;
constexpr UINT kIconId = 1;
constexpr wchar_t kTrayClass[] = L"TarnwickTray";

// Sent to every top-level window when the taskbar is created again.
UINT TaskbarCreated() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

}  // namespace

TTrayIcon::TTrayIcon() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = &TTrayIcon::WindowProc;
    cls.hInstance = Application.Instance();
    cls.lpszClassName = kTrayClass;
    RegisterClassW(&cls);
    // A hidden top-level window: it hears the taskbar being created again.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              Application.Instance(), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    icon_ = static_cast<HICON>(LoadImageW(Application.Instance(), L"MAINICON", IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

TTrayIcon::~TTrayIcon() {
    if (added_) {
        NOTIFYICONDATAW data = Data();
        Shell_NotifyIconW(NIM_DELETE, &data);
    }
    DestroyWindow(window_);
    if (icon_) DestroyIcon(icon_);
}

NOTIFYICONDATAW TTrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, Hint.c_str(), static_cast<int>(std::size(data.szTip)));
    return data;
}

void TTrayIcon::Add() {
    NOTIFYICONDATAW data = Data();
    added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE || added_;
}

void TTrayIcon::Show() { Add(); }

void TTrayIcon::ShowBalloonHint() {
    ++balloons_;
    NOTIFYICONDATAW data = Data();
    data.uFlags |= NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = BalloonTimeout;
    lstrcpynW(data.szInfoTitle, BalloonTitle.c_str(), static_cast<int>(std::size(data.szInfoTitle)));
    lstrcpynW(data.szInfo, BalloonHint.c_str(), static_cast<int>(std::size(data.szInfo)));
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TTrayIcon::PopupAtCursor() {
    HMENU menu = CreatePopupMenu();
    for (std::size_t i = 0; i < PopupMenu.size(); ++i) {
        AppendMenuA(menu, MF_STRING, i + 1, PopupMenu[i].Caption.c_str());
        if (PopupMenu[i].Default) SetMenuDefaultItem(menu, static_cast<UINT>(i + 1), FALSE);
    }
    POINT at;
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if our window is in front.
    SetForegroundWindow(window_);
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
    DestroyMenu(menu);
    PostMessageW(window_, WM_NULL, 0, 0);
    if (chosen > 0 && chosen <= PopupMenu.size() && PopupMenu[chosen - 1].OnClick) PopupMenu[chosen - 1].OnClick();
}

LRESULT CALLBACK TTrayIcon::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* tray = reinterpret_cast<TTrayIcon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (tray && message == kTrayMessage) {
        switch (LOWORD(lparam)) {
            case WM_LBUTTONUP:
                if (tray->OnClick) tray->OnClick();
                return 0;
            case WM_RBUTTONUP:
                tray->PopupAtCursor();
                return 0;
            default:
                return 0;
        }
    }
    if (tray && message == TaskbarCreated()) {
        tray->added_ = false;
        tray->Add();
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}
