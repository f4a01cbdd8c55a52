#include "Application_win.h"

#include <algorithm>
#include <vector>

#include "Form_win.h"
#include "Thread.h"

TApplication Application;

namespace {

constexpr UINT kRunHandOvers = WM_APP + 1;

// A message-only window, so hand-overs also run inside modal loops.
LRESULT CALLBACK UtilityProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kRunHandOvers) {
        TThread::CheckSynchronize();
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

void TApplication::Initialize() {
    TThread::SetMainThread();
    WNDCLASSW cls{};
    cls.lpfnWndProc = UtilityProc;
    cls.hInstance = Instance();
    cls.lpszClassName = L"TarnwickUtility";
    RegisterClassW(&cls);
    utility_ = CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               Instance(), nullptr);
    HWND utility = utility_;
    TThread::SetWakeMainThread([utility] { PostMessageW(utility, kRunHandOvers, 0, 0); });
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
    } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
    TThread::CheckSynchronize();
}

bool TApplication::ProcessMessagesUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        ProcessMessages();
        if (done()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return false;
        // Messages and hand-overs end the wait at once; short slices let
        // `done` notice changes that no message announces.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(milliseconds - elapsed, 10),
                                  QS_ALLINPUT);
    }
}

void TApplication::Run() {
    if (MainForm) MainForm->Show();
    while (!terminated_) {
        if (!ProcessMessage()) {
            TThread::CheckSynchronize();
            DoIdle();
            if (!terminated_) WaitMessage();
        }
    }
}

// The loop ends when it takes the quit message, after what is already queued.
void TApplication::Terminate() { PostQuitMessage(0); }

int TApplication::AddIdleHandler(std::function<void()> handler) {
    const int id = next_idle_id_++;
    idle_handlers_.emplace(id, std::move(handler));
    return id;
}

void TApplication::RemoveIdleHandler(int id) { idle_handlers_.erase(id); }

void TApplication::DoIdle() {
    // A handler may remove handlers; walk a copy of the ids.
    std::vector<int> ids;
    for (const auto& [id, handler] : idle_handlers_) ids.push_back(id);
    for (int id : ids) {
        const auto it = idle_handlers_.find(id);
        if (it != idle_handlers_.end()) it->second();
    }
}
