// A worker thread whose hand-overs run on the main thread: Synchronize blocks
// the worker until the main thread has run the call, from its message loop or
// from a wait (WaitFor). The end of a thread reaches the main thread the same
// way, as OnTerminate.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

enum class TThreadPriority { tpLower, tpNormal };

class TThread {
public:
    explicit TThread(bool CreateSuspended);
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;
    // A running thread is told to terminate and waited for.
    virtual ~TThread();

    // Starts a thread created suspended; a second call does nothing.
    void Start();
    // Asks the body to stop; bodies that never look at Terminated() ignore it.
    void Terminate();
    bool Terminated() const;
    // Waits for the end of the body and its OnTerminate, running hand-overs meanwhile.
    void WaitFor();
    bool Finished() const;
    // What escaped Execute, kept instead of ending the process.
    std::exception_ptr FatalException() const;

    // The thread frees itself after OnTerminate; nobody may hold it then.
    bool FreeOnTerminate = false;
    TThreadPriority Priority = TThreadPriority::tpNormal;
    // Runs on the main thread once the body has ended.
    std::function<void(TThread*)> OnTerminate;

    // The thread that serves hand-overs; set once at program start.
    static void SetMainThread();
    static bool IsMainThread();
    // Runs every pending hand-over; answers whether any ran. Main thread only.
    static bool CheckSynchronize();
    // Waits up to `milliseconds` for a hand-over to arrive, then runs them all.
    static bool CheckSynchronize(int milliseconds);
    // Called whenever a hand-over is queued, so a message loop can wake up.
    static void SetWakeMainThread(std::function<void()> wake);

protected:
    virtual void Execute() = 0;
    // Runs `method` on the main thread and waits for it; an exception it
    // raises is raised again here.
    static void Synchronize(const std::function<void()>& method);

private:
    void Run();

    mutable std::mutex mutex_;
    std::condition_variable finished_changed_;
    std::thread thread_;
    bool started_ = false;
    bool terminated_ = false;
    bool finished_ = false;
    std::exception_ptr fatal_;
};

// Applies a priority to the calling thread.
void ApplyThreadPriority(TThreadPriority priority);
