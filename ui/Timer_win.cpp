#include "Timer_win.h"

#include <map>

namespace {
// Thread timers carry no context, so each is found by its id.
std::map<UINT_PTR, TTimer*>& Timers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
}  // namespace

TTimer::~TTimer() { SetEnabled(false); }

void TTimer::SetEnabled(bool enabled) {
    if (enabled == Enabled()) return;
    if (enabled) {
        id_ = SetTimer(nullptr, 0, Interval, &TTimer::Fire);
        if (id_) Timers()[id_] = this;
    } else {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
    }
}

void CALLBACK TTimer::Fire(HWND, UINT, UINT_PTR id, DWORD) {
    const auto it = Timers().find(id);
    if (it != Timers().end() && it->second->OnTimer) it->second->OnTimer();
}
