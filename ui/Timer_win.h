// A timer that raises OnTimer on the UI thread every Interval milliseconds
// while it is enabled.
#pragma once

#include <windows.h>

#include <functional>

class TTimer {
public:
    TTimer() = default;
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    ~TTimer();

    void SetEnabled(bool enabled);
    bool Enabled() const { return id_ != 0; }

    UINT Interval = 1000;
    std::function<void()> OnTimer;

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR id_ = 0;
};
