// The transfer of one resource named by a URL into a file, with progress
// events raised on the thread that runs it and an abort from any other.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "Connection.h"
#include "URI.h"

// How a download ended.
enum class TTransferOutcome { Complete, Failed, Aborted };

class TTransfer;
using TOnTransferStart = std::function<void(TTransfer* Sender, std::int32_t AWorkCountMax)>;
using TOnTransfer = std::function<void(TTransfer* Sender, std::int32_t AWorkCount)>;
using TOnTransferEnd = std::function<void(TTransfer* Sender, TTransferOutcome Outcome)>;

class TTransfer {
public:
    virtual ~TTransfer() = default;

    // Takes the parts of `uri`, which must outlive the transfer. A port that
    // is not a number raises EConvertError.
    void SetURI(TURI* uri);
    virtual void SetHost(const std::string& host) { Host = host; }
    // Breaks off a running Download from another thread; does not wait.
    virtual void Abort() = 0;
    // Fetches the resource into `FileName`. A failure before the body
    // arrives throws (a link with control characters or a port outside
    // 1..65535 among them, before anything is sent); once the body arrives,
    // its end is raised once as OnTransferEnd with the outcome, whatever
    // stopped it, and Download returns. Bytes beyond an announced length are
    // dropped.
    virtual void Download(const std::string& FileName) = 0;

    std::atomic<bool> CancelTransfer{false};
    std::string Path;
    std::string Document;
    std::string Host;
    TOnTransfer OnTransfer;
    TOnTransferEnd OnTransferEnd;
    TOnTransferStart OnTransferStart;
    std::string Password;
    std::int32_t Port = 80;
    TURI* URI = nullptr;
    std::string UserName;

protected:
    virtual void DoTransfer(std::int64_t count);
    virtual void DoTransferStart(std::int64_t expected);
    void DoTransferEnd(TTransferOutcome outcome);
};

class ThttpTransfer : public TTransfer {
public:
    explicit ThttpTransfer(TConnector& connector) : connector_(connector) {}

    void Abort() override;
    void Download(const std::string& FileName) override;

    // Bytes handed on per progress event at most. Every hand-over holds the
    // worker until the UI thread has taken it, so pieces are large; a piece
    // that fills slowly is still handed on every tenth of a second.
    static constexpr std::size_t kPieceSize = 4 * 1024 * 1024;
    static constexpr int kMaxRedirects = 10;

protected:
    // Raised only for an announced length above 0.
    void DoTransferStart(std::int64_t expected) override;

private:
    TConnector& connector_;
    TAbortSignal abort_;
};
