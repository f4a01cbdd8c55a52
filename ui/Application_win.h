// The application object: the message loop, one pass of it for waits that
// keep the windows alive, and the main thread's service of worker hand-overs.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

class TForm;

class TApplication {
public:
    // Makes the calling thread the main thread and prepares hand-overs.
    void Initialize();
    // Dispatches every pending message, then runs pending hand-overs.
    void ProcessMessages();
    // Shows the main form and runs the loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Keeps the windows alive until `done` holds or `milliseconds` have
    // passed (GetTickCount, wrap-safe); answers done(). Between passes it
    // waits for the next message instead of spinning.
    bool ProcessMessagesUntil(const std::function<bool()>& done, DWORD milliseconds);

    // Handlers run whenever the message loop has emptied its queue (actions
    // update their controls there). Answers an id for RemoveIdleHandler.
    int AddIdleHandler(std::function<void()> handler);
    void RemoveIdleHandler(int id);
    void DoIdle();

    HINSTANCE Instance() const { return GetModuleHandleW(nullptr); }
    std::string Title;
    // The first form created through CreateForm; closing it ends the program.
    TForm* MainForm = nullptr;
    // While set, every window of the program shows this cursor instead of
    // its own (the hourglass of a long operation; see BusyCursor).
    HCURSOR ScreenCursor = nullptr;

private:
    bool ProcessMessage();
    std::map<int, std::function<void()>> idle_handlers_;
    int next_idle_id_ = 1;
    HWND utility_ = nullptr;
    bool terminated_ = false;
};

extern TApplication Application;

// Shows the hourglass over all of the program's windows for its lifetime,
// then whatever was shown before.
class BusyCursor {
public:
    BusyCursor() : previous_(Application.ScreenCursor) {
        Application.ScreenCursor = LoadCursorW(nullptr, IDC_WAIT);
        SetCursor(Application.ScreenCursor);
    }
    ~BusyCursor() {
        Application.ScreenCursor = previous_;
        SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW));
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    HCURSOR previous_;
};
