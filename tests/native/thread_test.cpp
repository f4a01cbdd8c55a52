// The worker thread class: hand-overs to the main thread, the end event,
// self-freeing threads and exceptions kept instead of escaping.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "ActivityCounter.h"
#include "Thread.h"

namespace {

using namespace std::chrono_literals;

class Worker : public TThread {
public:
    explicit Worker(std::function<void(Worker&)> body) : TThread(true), body_(std::move(body)) {}
    ~Worker() override { WaitFor(); }
    using TThread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(Worker&)> body_;
};

// Serves hand-overs until `done` holds or the time runs out.
template <typename Done>
bool Pump(Done done) {
    const auto until = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        TThread::CheckSynchronize(5);
    }
    return true;
}

class ThreadTest : public testing::Test {
protected:
    void SetUp() override { TThread::SetMainThread(); }
};

TEST_F(ThreadTest, HandOverRunsOnTheMainThreadWhileTheWorkerWaits) {
    std::thread::id ran_on;
    int value = 0;
    int seen_by_worker = -1;
    Worker worker([&](Worker& self) {
        self.Synchronize([&] {
            ran_on = std::this_thread::get_id();
            value = 42;
        });
        seen_by_worker = value;
    });
    worker.Start();
    ASSERT_TRUE(Pump([&] { return worker.Finished(); }));
    EXPECT_EQ(ran_on, std::this_thread::get_id());
    EXPECT_EQ(seen_by_worker, 42);
}

TEST_F(ThreadTest, WaitForServesPendingHandOvers) {
    int served = 0;
    Worker worker([&](Worker& self) {
        for (int i = 0; i < 200; ++i) self.Synchronize([&] { ++served; });
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(served, 200);
    EXPECT_TRUE(worker.Finished());
}

TEST_F(ThreadTest, EndEventRunsOnTheMainThreadBeforeTheThreadCountsAsFinished) {
    std::thread::id ran_on;
    bool finished_during_event = true;
    Worker worker([](Worker&) {});
    worker.OnTerminate = [&](TThread* sender) {
        ran_on = std::this_thread::get_id();
        finished_during_event = sender->Finished();
    };
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(ran_on, std::this_thread::get_id());
    EXPECT_FALSE(finished_during_event);
}

TEST_F(ThreadTest, ExceptionsAreKeptNotThrown) {
    Worker worker([](Worker&) { throw std::runtime_error("lost connection"); });
    bool ended = false;
    worker.OnTerminate = [&](TThread*) { ended = true; };
    worker.Start();
    worker.WaitFor();
    EXPECT_TRUE(ended);
    ASSERT_TRUE(worker.FatalException());
    EXPECT_THROW(std::rethrow_exception(worker.FatalException()), std::runtime_error);
}

TEST_F(ThreadTest, AFailingHandOverFailsTheWorkerNotTheMainThread) {
    bool reached_after = false;
    Worker worker([&](Worker& self) {
        self.Synchronize([] { throw std::logic_error("bad value"); });
        reached_after = true;
    });
    worker.Start();
    worker.WaitFor();
    EXPECT_FALSE(reached_after);
    EXPECT_THROW(std::rethrow_exception(worker.FatalException()), std::logic_error);
}

TEST_F(ThreadTest, SelfFreeingThreadGoesAwayAfterItsEndEvent) {
    static std::atomic<bool> destroyed;
    destroyed = false;
    class Once : public TThread {
    public:
        Once() : TThread(true) {}
        ~Once() override { destroyed = true; }

    protected:
        void Execute() override {}
    };
    bool ended = false;
    auto* thread = new Once;
    thread->FreeOnTerminate = true;
    thread->Priority = TThreadPriority::tpLower;
    thread->OnTerminate = [&](TThread*) { ended = true; };
    thread->Start();
    ASSERT_TRUE(Pump([&] { return destroyed.load(); }));
    EXPECT_TRUE(ended);
}

TEST_F(ThreadTest, TerminateIsOnlyARequest) {
    std::atomic<bool> release{false};
    Worker worker([&](Worker& self) {
        while (!release && !self.Terminated()) std::this_thread::sleep_for(1ms);
    });
    worker.Start();
    worker.Terminate();
    EXPECT_TRUE(worker.Terminated());
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
}

TEST_F(ThreadTest, HandOverFromTheMainThreadRunsAtOnce) {
    int value = 0;
    Worker::Synchronize([&] { value = 7; });
    EXPECT_EQ(value, 7);
}

TEST(ActivityCounterTest, LeasesCountUntilTheyEnd) {
    ActivityCounter counter;
    EXPECT_TRUE(counter.Idle());
    {
        ActivityCounter::Lease first = counter.Acquire();
        ActivityCounter::Lease moved = std::move(first);
        EXPECT_FALSE(counter.Idle());
        first.End();  // a moved-from lease holds nothing
        EXPECT_FALSE(counter.Idle());
        moved.End();
        EXPECT_TRUE(counter.Idle());
        ActivityCounter::Lease again = counter.Acquire();
        EXPECT_FALSE(counter.Idle());
    }
    EXPECT_TRUE(counter.Idle());
}

TEST(ActivityCounterTest, AWorkerHoldsItsLeaseUntilItsWorkEnds) {
    TThread::SetMainThread();
    ActivityCounter counter;
    std::atomic<bool> release{false};
    auto lease = std::make_shared<ActivityCounter::Lease>(counter.Acquire());
    Worker worker([&, lease](Worker&) {
        while (!release) std::this_thread::sleep_for(1ms);
        lease->End();
    });
    worker.Start();
    EXPECT_FALSE(counter.Idle());
    release = true;
    worker.WaitFor();
    EXPECT_TRUE(counter.Idle());
}

}  // namespace
