// A download as the user interface sees it: a progress record whose values
// are written only on the UI thread, and the worker thread that runs the
// transfer and hands each value over synchronously.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Thread.h"
#include "Transfer.h"

// How the download ended, as far as the record knows.
enum class TDownloadOutcome { None, Complete, Failed, Aborted };

class TDownloadObj;

class TTransferThread : public TThread {
public:
    // Parses the URL and prepares the transfer; a port that is not a number
    // raises EConvertError. The thread is created suspended.
    TTransferThread(const std::string& URL, const std::string& FileName, TDownloadObj* DownloadObj,
                    bool CreateSuspended);
    // Only after the body has ended (Stop waits first).
    ~TTransferThread() override;

    // Breaks off the transfer (UI thread); does not wait.
    void Cancel();

    std::unique_ptr<TTransfer> HttpTransfer;
    std::unique_ptr<TURI> URI;
    TDownloadObj* DownloadObj;
    // Worker-side copies, handed to the record on the UI thread.
    bool Finished = false;
    std::int32_t Total = 0;
    std::int32_t Done = 0;
    TDownloadOutcome Outcome = TDownloadOutcome::None;
    std::string FileName;

protected:
    void Execute() override;

private:
    void TransferStart(std::int32_t AWorkCountMax);
    void TransferProgress(std::int32_t AWorkCount);
    void TransferEnd(TTransferOutcome outcome);
    void SyncTotal();
    void SyncDone();
    void SyncFinished();
    void SyncOutcome();
};

class TDownloadObj {
public:
    TDownloadObj() = default;
    TDownloadObj(const TDownloadObj&) = delete;
    TDownloadObj& operator=(const TDownloadObj&) = delete;
    // Freeing a record always ends its download first.
    ~TDownloadObj();

    // Downloads URL into SaveDir + FileName; a running download is stopped first.
    void Start();
    // Tells the worker to break off; does not wait.
    void Abort();
    // Breaks off, waits for the worker (serving its hand-overs) and frees it.
    void Stop();

    std::int32_t Total() const { return total_; }
    void SetTotal(std::int32_t value) {
        if (value != total_) total_ = value;
    }
    std::int32_t Done() const { return done_; }
    void SetDone(std::int32_t value) {
        if (value != done_) done_ = value;
    }

    std::unique_ptr<TTransferThread> Thread;
    // The body read has ended (complete, broken or aborted).
    bool Finished = false;
    // Set when the worker has ended: a download that failed, even before
    // its body, is told apart from one that finished.
    TDownloadOutcome Outcome = TDownloadOutcome::None;
    std::string URL;
    std::string SaveDir;
    std::string FileName;

    using TransferFactory = std::function<std::unique_ptr<TTransfer>()>;
    // The transfer each download uses; ThttpTransfer over the platform's sockets by default.
    static void SetTransferFactory(TransferFactory factory);

private:
    std::int32_t total_ = 100;
    std::int32_t done_ = 0;
};

// The platform's HTTP transfer.
std::unique_ptr<TTransfer> CreateHttpTransfer();
