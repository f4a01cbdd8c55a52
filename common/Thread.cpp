#include "Thread.h"

#include <chrono>
#include <deque>

namespace {

struct HandOver {
    const std::function<void()>* method;
    bool done = false;
    std::exception_ptr error;
};

std::mutex g_queue_mutex;
std::condition_variable g_queue_changed;
std::deque<HandOver*> g_queue;
std::function<void()> g_wake;
std::thread::id g_main_thread;

}  // namespace

TThread::TThread(bool CreateSuspended) {
    if (!CreateSuspended) Start();
}

TThread::~TThread() {
    bool wait = false;
    {
        std::lock_guard lock(mutex_);
        wait = started_ && !FreeOnTerminate;
    }
    if (wait) {
        Terminate();
        WaitFor();
    }
}

void TThread::Start() {
    std::lock_guard lock(mutex_);
    if (started_) return;
    started_ = true;
    // The worker takes this mutex before it may free itself, so the handle is
    // stored before a self-freeing thread can go away.
    thread_ = std::thread([this] { Run(); });
}

void TThread::Terminate() {
    std::lock_guard lock(mutex_);
    terminated_ = true;
}

bool TThread::Terminated() const {
    std::lock_guard lock(mutex_);
    return terminated_;
}

bool TThread::Finished() const {
    std::lock_guard lock(mutex_);
    return finished_;
}

std::exception_ptr TThread::FatalException() const {
    std::lock_guard lock(mutex_);
    return fatal_;
}

void TThread::WaitFor() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (finished_ || !started_) break;
        }
        if (IsMainThread()) {
            // Both the body's hand-overs and the end of the thread wake this wait.
            CheckSynchronize(10);
        } else {
            std::unique_lock lock(mutex_);
            finished_changed_.wait(lock, [this] { return finished_; });
        }
    }
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) thread_.join();
}

void TThread::Run() {
    ApplyThreadPriority(Priority);
    try {
        if (!Terminated()) Execute();
    } catch (...) {
        std::lock_guard lock(mutex_);
        fatal_ = std::current_exception();
    }
    if (OnTerminate) {
        try {
            Synchronize([this] { OnTerminate(this); });
        } catch (...) {
            // A failing end handler must not take the process down with it.
        }
    }
    bool free_self = false;
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
        free_self = FreeOnTerminate;
        if (free_self) thread_.detach();
    }
    finished_changed_.notify_all();
    {
        // Wake a main thread that waits in WaitFor.
        std::lock_guard lock(g_queue_mutex);
    }
    g_queue_changed.notify_all();
    if (free_self) delete this;
}

void TThread::SetMainThread() { g_main_thread = std::this_thread::get_id(); }

bool TThread::IsMainThread() { return std::this_thread::get_id() == g_main_thread; }

void TThread::SetWakeMainThread(std::function<void()> wake) {
    std::lock_guard lock(g_queue_mutex);
    g_wake = std::move(wake);
}

void TThread::Synchronize(const std::function<void()>& method) {
    if (IsMainThread()) {
        method();
        return;
    }
    HandOver request{&method, false, nullptr};
    std::function<void()> wake;
    {
        std::lock_guard lock(g_queue_mutex);
        g_queue.push_back(&request);
        wake = g_wake;
    }
    g_queue_changed.notify_all();
    if (wake) wake();
    std::unique_lock lock(g_queue_mutex);
    g_queue_changed.wait(lock, [&] { return request.done; });
    if (request.error) std::rethrow_exception(request.error);
}

bool TThread::CheckSynchronize() {
    bool ran = false;
    for (;;) {
        HandOver* request = nullptr;
        {
            std::lock_guard lock(g_queue_mutex);
            if (g_queue.empty()) break;
            request = g_queue.front();
            g_queue.pop_front();
        }
        std::exception_ptr error;
        try {
            (*request->method)();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(g_queue_mutex);
            request->error = error;
            request->done = true;
        }
        g_queue_changed.notify_all();
        ran = true;
    }
    return ran;
}

bool TThread::CheckSynchronize(int milliseconds) {
    {
        std::unique_lock lock(g_queue_mutex);
        g_queue_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                 [] { return !g_queue.empty(); });
    }
    return CheckSynchronize();
}
