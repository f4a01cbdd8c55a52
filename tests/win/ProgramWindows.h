// Finding Tarnwick.exe beside the test and its main window from outside.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring ProgramPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + L"Tarnwick.exe";
}

struct WindowSearch {
    DWORD pid;
    HWND found;
};

inline BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == s->pid && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr &&
        (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

// The process's visible top-level window with a taskbar button, if any.
inline HWND VisibleWindowOf(DWORD process_id) {
    WindowSearch search{process_id, nullptr};
    EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The screen's density, which the program's windows are scaled by.
inline int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A click at a place given in the window's 96-dpi design pixels, delivered
// to the innermost child window there, as the mouse would.
inline void ClickAt(HWND window, int dpi, int x, int y) {
    POINT point{MulDiv(x, dpi, 96), MulDiv(y, dpi, 96)};
    HWND target = window;
    for (;;) {
        HWND child = ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == target) break;
        MapWindowPoints(target, child, &point, 1);
        target = child;
    }
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageW(target, WM_MOUSEMOVE, 0, at);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(target, WM_LBUTTONUP, 0, at);
}
