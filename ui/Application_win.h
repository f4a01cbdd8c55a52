// The application object: the message loop, one pass of it for waits that
// keep the windows alive, and the main thread's service of worker hand-overs.
#pragma once

#include <windows.h>

#include <functional>
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

    HINSTANCE Instance() const { return GetModuleHandleW(nullptr); }
    std::string Title;
    // The first form created through CreateForm; closing it ends the program.
    TForm* MainForm = nullptr;

private:
    bool ProcessMessage();
    HWND utility_ = nullptr;
    bool terminated_ = false;
};

extern TApplication Application;
