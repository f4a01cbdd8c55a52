// The progress record and its worker against a scripted transfer: every
// value reaches the record on the main thread, and stopping or freeing a
// record always ends its worker. Run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "DownloadObj.h"

namespace {

using namespace std::chrono_literals;

// What the scripted transfer does, shared with the test.
struct Script {
    std::int64_t announce = 0;     // 0: no length
    int pieces = 3;                // pieces of 1000 bytes
    bool fail_before_body = false;
    bool block_in_body = false;    // waits for Abort after the first piece
    bool block_before_body = false;
    TTransferOutcome end = TTransferOutcome::Complete;
    std::atomic<bool> entered{false};  // Download has begun
    std::atomic<int> transfers{0};
    std::atomic<int> alive{0};
};

class ScriptedTransfer : public TTransfer {
public:
    explicit ScriptedTransfer(Script& script) : script_(script) {
        ++script_.transfers;
        ++script_.alive;
    }
    ~ScriptedTransfer() override { --script_.alive; }

    void Abort() override {
        std::lock_guard lock(mutex_);
        CancelTransfer = true;
        aborted_.notify_all();
    }

    void Download(const std::string&) override {
        script_.entered = true;
        if (script_.block_before_body) {
            WaitForAbort();
            throw ETransferError("aborted", true);
        }
        if (script_.fail_before_body) throw ETransferError("cannot resolve host");
        if (script_.announce > 0) DoTransferStart(script_.announce);
        for (int i = 1; i <= script_.pieces; ++i) {
            DoTransfer(1000 * i);
            if (script_.block_in_body) {
                WaitForAbort();
                DoTransferEnd(TTransferOutcome::Aborted);
                return;
            }
        }
        DoTransferEnd(script_.end);
    }

private:
    void WaitForAbort() {
        std::unique_lock lock(mutex_);
        aborted_.wait(lock, [this] { return CancelTransfer.load(); });
    }

    Script& script_;
    std::mutex mutex_;
    std::condition_variable aborted_;
};

class DownloadRecord : public testing::Test {
protected:
    void SetUp() override {
        TThread::SetMainThread();
        TDownloadObj::SetTransferFactory([this] { return std::make_unique<ScriptedTransfer>(script); });
    }
    void TearDown() override { TDownloadObj::SetTransferFactory(nullptr); }

    std::unique_ptr<TDownloadObj> Record() {
        auto record = std::make_unique<TDownloadObj>();
        record->URL = "http://host/files/driver.exe";
        record->SaveDir = testing::TempDir();
        record->FileName = "driver.exe";
        return record;
    }
    // Serves hand-overs until the worker has reported its end.
    static bool Settle(TDownloadObj& record) {
        const auto until = std::chrono::steady_clock::now() + 10s;
        while (record.Outcome == TDownloadOutcome::None) {
            if (std::chrono::steady_clock::now() > until) return false;
            TThread::CheckSynchronize(5);
        }
        return true;
    }

    Script script;
};

TEST_F(DownloadRecord, StartsWithItsDefaults) {
    TDownloadObj record;
    EXPECT_EQ(record.Total(), 100);
    EXPECT_EQ(record.Done(), 0);
    EXPECT_FALSE(record.Finished);
    EXPECT_EQ(record.Outcome, TDownloadOutcome::None);
    record.Abort();  // nothing to abort or stop
    record.Stop();
    EXPECT_FALSE(record.Thread);
}

TEST_F(DownloadRecord, ValuesArriveThroughHandOvers) {
    script.announce = 3000;
    auto record = Record();
    record->Start();
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Total(), 3000);
    EXPECT_EQ(record->Done(), 3000);
    EXPECT_TRUE(record->Finished);
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Complete);
    EXPECT_EQ(record->Thread->FileName, record->SaveDir + "driver.exe");
}

TEST_F(DownloadRecord, WithoutAnnouncedLengthTotalStaysAHundred) {
    script.pieces = 5;
    auto record = Record();
    record->Start();
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Total(), 100);
    EXPECT_EQ(record->Done(), 5000);
}

TEST_F(DownloadRecord, AFailureBeforeTheBodyIsToldApart) {
    script.fail_before_body = true;
    auto record = Record();
    record->Start();
    ASSERT_TRUE(Settle(*record));
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Failed);
    EXPECT_FALSE(record->Finished);
    EXPECT_EQ(record->Done(), 0);
}

TEST_F(DownloadRecord, ABrokenBodyEndsAsFailed) {
    script.end = TTransferOutcome::Failed;
    auto record = Record();
    record->Start();
    ASSERT_TRUE(Settle(*record));
    EXPECT_TRUE(record->Finished);
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Failed);
}

TEST_F(DownloadRecord, StopDuringTheBodyServesThePendingEnd) {
    script.block_in_body = true;
    auto record = Record();
    record->Start();
    const auto until = std::chrono::steady_clock::now() + 10s;
    while (record->Done() == 0 && std::chrono::steady_clock::now() < until) TThread::CheckSynchronize(5);
    ASSERT_EQ(record->Done(), 1000);
    record->Stop();
    EXPECT_FALSE(record->Thread);
    EXPECT_TRUE(record->Finished);  // handed over while Stop waited
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Aborted);
    EXPECT_EQ(script.alive, 0);
}

TEST_F(DownloadRecord, StopBeforeTheBodyEndsTheWorker) {
    script.block_before_body = true;
    auto record = Record();
    record->Start();
    while (!script.entered) std::this_thread::sleep_for(1ms);
    record->Stop();
    EXPECT_FALSE(record->Thread);
    EXPECT_FALSE(record->Finished);
    EXPECT_EQ(record->Outcome, TDownloadOutcome::Aborted);
}

TEST_F(DownloadRecord, StartingAgainStopsTheFirstWorker) {
    script.block_in_body = true;
    auto record = Record();
    record->Start();
    record->Start();
    EXPECT_EQ(script.transfers, 2);
    EXPECT_EQ(script.alive, 1);  // the first transfer is gone already
    record->Stop();
    EXPECT_EQ(script.alive, 0);
}

TEST_F(DownloadRecord, FreeingARunningRecordEndsItsDownload) {
    script.block_in_body = true;
    auto record = Record();
    record->Start();
    record.reset();
    EXPECT_EQ(script.alive, 0);
}

TEST_F(DownloadRecord, ManyDownloadsRunAtOnce) {
    script.announce = 3000;
    std::vector<std::unique_ptr<TDownloadObj>> records;
    for (int i = 0; i < 20; ++i) {
        records.push_back(Record());
        records.back()->FileName = "driver" + std::to_string(i) + ".exe";
        records.back()->Start();
    }
    for (auto& record : records) {
        ASSERT_TRUE(Settle(*record));
        EXPECT_EQ(record->Done(), 3000);
    }
}

TEST_F(DownloadRecord, ABadPortFailsTheStart) {
    auto record = Record();
    record->URL = "http://host:port/x.exe";
    EXPECT_ANY_THROW(record->Start());
    EXPECT_FALSE(record->Thread);
}

TEST(DownloadRecordSetters, SkipEqualValues) {
    TDownloadObj record;
    record.SetTotal(100);
    record.SetDone(0);
    record.SetTotal(2048);
    record.SetDone(512);
    EXPECT_EQ(record.Total(), 2048);
    EXPECT_EQ(record.Done(), 512);
}

}  // namespace
