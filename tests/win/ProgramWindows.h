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
