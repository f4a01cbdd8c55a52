// The program itself: a second instance ends by itself after about a second
// while the first keeps running, and the first closes cleanly.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ProgramWindows.h"

namespace {

struct Process {
    explicit Process(const std::wstring& path) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + path + L"\"";
        started = CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &info) != FALSE;
    }
    ~Process() {
        if (!started) return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    bool Running() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
    bool started = false;
    PROCESS_INFORMATION info{};
};

TEST(Startup, SecondInstanceEndsByItselfWhileTheFirstRuns) {
    const DWORD launched = GetTickCount();
    Process first(ProgramPath());
    ASSERT_TRUE(first.started);
    // Wait for the main window: by then the first instance holds the mutex.
    HWND main_window = nullptr;
    for (int i = 0; i < 300 && !main_window; ++i) {
        Sleep(100);
        main_window = VisibleWindowOf(first.info.dwProcessId);
    }
    ASSERT_NE(main_window, nullptr) << "the first instance never showed its main window";
    // The splash keeps the stage for at least three seconds.
    EXPECT_GE(GetTickCount() - launched, 3000u);

    const DWORD start = GetTickCount();
    Process second(ProgramPath());
    ASSERT_TRUE(second.started);
    ASSERT_EQ(WaitForSingleObject(second.info.hProcess, 20000), WAIT_OBJECT_0);
    const DWORD lived = GetTickCount() - start;
    EXPECT_GE(lived, 1000u);  // it waits its second before leaving
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(VisibleWindowOf(second.info.dwProcessId), nullptr);
    EXPECT_TRUE(first.Running());

    // Closing only hides the window; at the end of the session it ends the program.
    PostMessageW(main_window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(first.info.hProcess, 2000), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(SendMessageW(main_window, WM_QUERYENDSESSION, 0, 0), TRUE);
    PostMessageW(main_window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(first.info.hProcess, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(first.ExitCode(), 0u);
}

}  // namespace
