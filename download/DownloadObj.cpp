#include "DownloadObj.h"

#include "FileSink.h"

#include <exception>

namespace {

TDownloadObj::TransferFactory& Factory() {
    static TDownloadObj::TransferFactory factory = CreateHttpTransfer;
    return factory;
}

}  // namespace

void TDownloadObj::SetTransferFactory(TransferFactory factory) {
    Factory() = factory ? std::move(factory) : TransferFactory(CreateHttpTransfer);
}

TTransferThread::TTransferThread(const std::string& URL, const std::string& FileName_, TDownloadObj* DownloadObj_,
                                 bool CreateSuspended)
    : TThread(true), URI(std::make_unique<TURI>(URL)), DownloadObj(DownloadObj_) {
    HttpTransfer = Factory()();
    HttpTransfer->OnTransfer = [this](TTransfer*, std::int32_t count) { TransferProgress(count); };
    HttpTransfer->OnTransferStart = [this](TTransfer*, std::int32_t max) { TransferStart(max); };
    HttpTransfer->OnTransferEnd = [this](TTransfer*, TTransferOutcome outcome) { TransferEnd(outcome); };
    HttpTransfer->SetURI(URI.get());
    FileName = FileName_;
    if (!CreateSuspended) Start();
}

TTransferThread::~TTransferThread() {
    // The transfer goes before the URL it refers to.
    WaitFor();
    HttpTransfer.reset();
    URI.reset();
}

void TTransferThread::Cancel() { HttpTransfer->Abort(); }

void TTransferThread::Execute() {
    // Every end of the worker is handed over, so a record can tell a failed
    // download from one that is still waiting for its first byte.
    try {
        HttpTransfer->Download(FileName);
    } catch (const ETransferError& error) {
        Outcome = error.Aborted() || HttpTransfer->CancelTransfer ? TDownloadOutcome::Aborted : TDownloadOutcome::Failed;
    } catch (const std::exception&) {
        Outcome = HttpTransfer->CancelTransfer ? TDownloadOutcome::Aborted : TDownloadOutcome::Failed;
    }
    Synchronize([this] { SyncOutcome(); });
}

void TTransferThread::TransferStart(std::int32_t AWorkCountMax) {
    Total = AWorkCountMax;
    Synchronize([this] { SyncTotal(); });
}

void TTransferThread::TransferProgress(std::int32_t AWorkCount) {
    Done = AWorkCount;
    Synchronize([this] { SyncDone(); });
}

void TTransferThread::TransferEnd(TTransferOutcome outcome) {
    Finished = true;
    switch (outcome) {
        case TTransferOutcome::Complete:
            Outcome = TDownloadOutcome::Complete;
            break;
        case TTransferOutcome::Failed:
            Outcome = TDownloadOutcome::Failed;
            break;
        case TTransferOutcome::Aborted:
            Outcome = TDownloadOutcome::Aborted;
            break;
    }
    Synchronize([this] { SyncFinished(); });
}

void TTransferThread::SyncTotal() {
    if (DownloadObj) DownloadObj->SetTotal(Total);
}

void TTransferThread::SyncDone() {
    if (DownloadObj) DownloadObj->SetDone(Done);
}

void TTransferThread::SyncFinished() {
    if (!DownloadObj) return;
    // The outcome arrives with the end, so Finished is never seen without it.
    DownloadObj->Finished = Finished;
    DownloadObj->Outcome = Outcome;
}

void TTransferThread::SyncOutcome() {
    if (DownloadObj) DownloadObj->Outcome = Outcome;
}

TDownloadObj::~TDownloadObj() {
    Abort();
    Stop();
}

void TDownloadObj::Start() {
    if (Thread) Stop();
    const std::string path = ExpandFileName(SaveDir + FileName);
    Thread = std::make_unique<TTransferThread>(URL, path, this, true);
    Thread->FreeOnTerminate = false;
    Thread->Start();
}

void TDownloadObj::Abort() {
    if (Thread) Thread->Cancel();
}

void TDownloadObj::Stop() {
    if (!Thread) return;
    Thread->Cancel();
    Thread->Terminate();
    Thread->WaitFor();
    Thread.reset();
}
