#include "Transfer.h"

#include <chrono>
#include <algorithm>
#include <climits>
#include <optional>

#include "ConvertError.h"
#include "FileSink.h"
#include "HttpMessage.h"
#include "PubUnit.h"
#include "TextCompare.h"

namespace {

constexpr std::size_t kMaxHead = 64 * 1024;
// A piece that fills slowly is still handed on this often.
constexpr auto kPieceInterval = std::chrono::milliseconds(100);

std::int32_t Clamp(std::int64_t count) {
    return count > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(count);
}

struct Target {
    TURI uri;
    bool tls;
    std::uint16_t port;
};

Target TargetOf(const std::string& url) {
    Target target{TURI(url), false, 80};
    target.tls = SameTextLocale(target.uri.Protocol, "https");
    if (!target.tls && !SameTextLocale(target.uri.Protocol, "http"))
        throw ETransferError("unsupported scheme " + target.uri.Protocol);
    target.port = target.uri.Port.empty() ? (target.tls ? 443 : 80)
                                          : static_cast<std::uint16_t>(StrToInt(target.uri.Port));
    return target;
}

std::string RequestFor(const TURI& uri) {
    std::string target = (uri.Path.empty() ? std::string("/") : uri.Path) + uri.Document;
    if (!uri.Params.empty()) target += "?" + uri.Params;
    std::string host = uri.Host;
    if (!uri.Port.empty()) host += ":" + uri.Port;
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nAccept: */*\r\nUser-Agent: Tarnwick/1.0\r\nConnection: close\r\n\r\n";
}

// Reads up to the blank line after the head; what follows stays in `rest`.
THttpResponseHead ReadHead(TConnection& connection, std::string& rest) {
    std::string received;
    char buffer[8192];
    for (;;) {
        const std::size_t end = received.find("\r\n\r\n");
        if (end != std::string::npos) {
            rest = received.substr(end + 4);
            const auto head = ParseResponseHead(std::string_view(received).substr(0, end));
            if (!head) throw ETransferError("malformed reply head");
            return *head;
        }
        if (received.size() > kMaxHead) throw ETransferError("reply head too long");
        const std::size_t got = connection.Receive(buffer, sizeof buffer);
        if (got == 0) throw ETransferError("connection closed before the reply head");
        received.append(buffer, got);
    }
}

}  // namespace

void TTransfer::SetURI(TURI* uri) {
    URI = uri;
    SetHost(uri->Host);
    UserName = Trim(uri->Username).empty() ? "Anonymous" : uri->Username;
    Password = uri->Password;
    Path = Trim(uri->Path).empty() ? "/" : uri->Path;
    Document = uri->Document;
    Port = uri->Port.empty() ? 80 : StrToInt(uri->Port);
}

void TTransfer::DoTransfer(std::int64_t count) {
    if (OnTransfer) OnTransfer(this, Clamp(count));
}

void TTransfer::DoTransferStart(std::int64_t expected) {
    if (OnTransferStart) OnTransferStart(this, Clamp(expected));
}

void TTransfer::DoTransferEnd(TTransferOutcome outcome) {
    if (OnTransferEnd) OnTransferEnd(this, outcome);
}

void ThttpTransfer::DoTransferStart(std::int64_t expected) {
    if (expected > 0) TTransfer::DoTransferStart(expected);
}

void ThttpTransfer::Abort() {
    CancelTransfer = true;
    abort_.Abort();
}

void ThttpTransfer::Download(const std::string& FileName) {
    std::string url = URI->RequestURL();
    if (url.find(' ') != std::string::npos) url = URI->EncodedRequestURL();
    std::unique_ptr<TFileSink> file = TFileSink::Create(FileName);

    std::unique_ptr<TConnection> connection;
    THttpResponseHead head;
    std::string first_bytes;
    for (int redirects = 0;; ++redirects) {
        abort_.ThrowIfAborted();
        const Target target = TargetOf(url);
        connection.reset();  // one connection at a time holds the abort
        connection = connector_.Connect(target.uri.Host, target.port, target.tls, abort_);
        connection->SendAll(RequestFor(target.uri));
        head = ReadHead(*connection, first_bytes);
        if (!head.Redirect()) break;
        if (redirects == kMaxRedirects) throw ETransferError("too many redirects");
        url = ResolveLocation(url, head.Location);
    }
    // A reply that is not a success brings nothing into the file.
    if (!head.Success()) throw ETransferError("the server answered " + std::to_string(head.Status));

    if (head.ContentLength) DoTransferStart(*head.ContentLength);
    TChunkedDecoder chunks;
    std::string piece;
    piece.reserve(kPieceSize);
    std::int64_t total = 0;
    auto last_handed = std::chrono::steady_clock::now();
    auto add = [&](std::string_view bytes) {
        if (head.Chunked)
            chunks.Feed(bytes, piece);
        else
            piece.append(bytes);
    };
    auto hand_on = [&] {
        if (piece.empty()) return;
        file->Write(piece.data(), piece.size());
        total += static_cast<std::int64_t>(piece.size());
        piece.clear();
        last_handed = std::chrono::steady_clock::now();
        DoTransfer(total);
    };
    auto body_complete = [&] {
        if (head.Chunked) return chunks.Done();
        return head.ContentLength && total + static_cast<std::int64_t>(piece.size()) >= *head.ContentLength;
    };

    std::optional<TTransferOutcome> outcome;
    try {
        add(first_bytes);
        std::string buffer(64 * 1024, '\0');
        while (!body_complete()) {
            // What has arrived is handed on once the line goes quiet for a moment.
            if (!piece.empty()) {
                const auto waited = std::chrono::steady_clock::now() - last_handed;
                const auto budget = std::chrono::duration_cast<std::chrono::milliseconds>(kPieceInterval - waited);
                if (!connection->WaitReadable(static_cast<int>(std::max<std::int64_t>(0, budget.count())))) {
                    hand_on();
                    continue;
                }
            }
            const std::size_t got = connection->Receive(buffer.data(), buffer.size());
            if (got == 0) break;
            add(std::string_view(buffer.data(), got));
            if (piece.size() >= kPieceSize || std::chrono::steady_clock::now() - last_handed >= kPieceInterval)
                hand_on();
        }
        if (head.ContentLength && !head.Chunked && total + static_cast<std::int64_t>(piece.size()) > *head.ContentLength)
            piece.resize(static_cast<std::size_t>(*head.ContentLength - total));
        hand_on();
        // Without a length or chunks, the end of the connection is the end of the body.
        const bool whole = head.Chunked ? chunks.Done() : !head.ContentLength || total == *head.ContentLength;
        outcome = whole ? TTransferOutcome::Complete : TTransferOutcome::Failed;
    } catch (const ETransferError&) {
        hand_on();
        outcome = TTransferOutcome::Failed;
    }
    if (abort_.Aborted() && outcome != TTransferOutcome::Complete) outcome = TTransferOutcome::Aborted;
    // Whoever learns of the end may open the file at once (Install does).
    file.reset();
    DoTransferEnd(*outcome);
}
