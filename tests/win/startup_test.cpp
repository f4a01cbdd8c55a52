// The program itself: a second instance ends by itself after about a second
// while the first keeps running, and the first closes cleanly, even in the
// middle of a scan whose lookup never answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ProgramWindows.h"
#include "PubUnit_win.h"
#include "TestServers.h"

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

// Points the program's lookup somewhere else for one test, then puts the
// settings file's service section back as it was.
class ServiceOverride {
public:
    ServiceOverride(const std::string& lookup, const std::string& connectivity)
        : file_(GetAppDataFolder() + "\\Tarnwick\\setup.ini"),
          lookup_(Read("LookupURL")),
          connectivity_(Read("ConnectivityURL")) {
        CreateDirectoryA((GetAppDataFolder() + "\\Tarnwick").c_str(), nullptr);
        Write("LookupURL", lookup.c_str());
        Write("ConnectivityURL", connectivity.c_str());
    }
    ~ServiceOverride() {
        Write("LookupURL", lookup_.empty() ? nullptr : lookup_.c_str());
        Write("ConnectivityURL", connectivity_.empty() ? nullptr : connectivity_.c_str());
    }

private:
    std::string Read(const char* key) const {
        char value[1024] = {};
        GetPrivateProfileStringA("Service", key, "", value, sizeof value, file_.c_str());
        return value;
    }
    void Write(const char* key, const char* value) const {
        WritePrivateProfileStringA("Service", key, value, file_.c_str());
    }

    std::string file_;
    std::string lookup_;
    std::string connectivity_;
};

TEST(Startup, TheEndOfTheSessionEndsAScanWhoseLookupNeverAnswers) {
    ASSERT_GT(ServerPort("recorder"), 0) << "the test server is not running";
    const ServiceOverride hanging(ServerURL("recorder", "/stall-head"), ServerURL("recorder", "/"));
    Process program(ProgramPath());
    ASSERT_TRUE(program.started);
    HWND main_window = nullptr;
    for (int i = 0; i < 300 && !main_window; ++i) {
        Sleep(100);
        main_window = VisibleWindowOf(program.info.dwProcessId);
    }
    ASSERT_NE(main_window, nullptr);

    ClickAt(main_window, ScreenDpi(), 185 + 197 + 154, 123 + 182 + 30);  // START SCAN
    for (int i = 0; i < 1000 && IsWindowEnabled(main_window); ++i) Sleep(10);
    ASSERT_FALSE(IsWindowEnabled(main_window)) << "the scan did not start";

    EXPECT_EQ(SendMessageW(main_window, WM_QUERYENDSESSION, 0, 0), TRUE);
    PostMessageW(main_window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program.info.hProcess, 20000), WAIT_OBJECT_0)
        << "the program went on waiting for its lookup";
}

}  // namespace
