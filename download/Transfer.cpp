#include "Transfer.h"

#include <chrono>
#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>
#include <utility>

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
    if (!target.uri.Port.empty()) {
        const int port = StrToInt(target.uri.Port);
        if (port < 1 || port > 65535) throw ETransferError("port " + target.uri.Port + " is out of range");
        target.port = static_cast<std::uint16_t>(port);
    } else if (target.tls) {
        target.port = 443;
    }
    return target;
}

// The URL as it goes on the wire, for the link and every redirect alike.
// Control characters would end the request line early and smuggle in
// headers, so such a URL is refused; one with a blank is sent encoded, any
// other as written.
std::string RequestURLOf(const TURI& uri) {
    const std::string url = uri.RequestURL();
    const bool control = std::any_of(url.begin(), url.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 32 || byte == 127;
    });
    if (control) throw ETransferError("the link holds control characters");
    return url.find(' ') == std::string::npos ? url : uri.EncodedRequestURL();
}

std::string RequestFor(const TURI& uri) {
    std::string target = (uri.Path.empty() ? std::string("/") : uri.Path) + uri.Document;
    if (!uri.Params.empty()) target += "?" + uri.Params;
    std::string host = uri.Host;
    if (!uri.Port.empty()) host += ":" + uri.Port;
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nAccept: */*\r\nUser-Agent: Tarnwick/1.0\r\nConnection: close\r\n\r\n";
}

// The line end that closes the head's last line, and where the body begins
// after the blank line; npos while the blank line has not arrived. Lines may
// end with a bare LF.
std::pair<std::size_t, std::size_t> HeadEnd(std::string_view received) {
    for (std::size_t lf = received.find('\n'); lf != std::string_view::npos; lf = received.find('\n', lf + 1)) {
        if (received.substr(lf + 1, 1) == "\n") return {lf, lf + 2};
        if (received.substr(lf + 1, 2) == "\r\n") return {lf, lf + 3};
    }
    return {std::string_view::npos, std::string_view::npos};
}

// Reads up to the blank line after the final head, passing over interim
// (1xx) replies; what follows stays in `rest`.
THttpResponseHead ReadHead(TConnection& connection, std::string& rest) {
    std::string received;
    std::size_t interim = 0;  // bytes of interim replies passed over
    char buffer[8192];
    for (;;) {
        const auto [head_end, body_start] = HeadEnd(received);
        if (body_start != std::string::npos) {
            const auto head = ParseResponseHead(std::string_view(received).substr(0, head_end));
            if (!head) throw ETransferError("malformed reply head");
            received.erase(0, body_start);
            if (head->Status >= 100 && head->Status < 200) {
                interim += body_start;
                continue;
            }
            rest = std::move(received);
            return *head;
        }
        if (interim + received.size() > kMaxHead) throw ETransferError("reply head too long");
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
    std::string url = RequestURLOf(*URI);
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
        url = RequestURLOf(TURI(ResolveLocation(url, head.Location)));
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
        if (head.Chunked) {
            chunks.Feed(bytes, piece);
            return;
        }
        // Whatever a server sends beyond its announced length is dropped.
        if (head.ContentLength) {
            const std::int64_t room = *head.ContentLength - total - static_cast<std::int64_t>(piece.size());
            const auto size = static_cast<std::int64_t>(bytes.size());
            bytes = bytes.substr(0, static_cast<std::size_t>(std::clamp<std::int64_t>(room, 0, size)));
        }
        piece.append(bytes);
    };
    auto hand_on = [&] {
        if (piece.empty()) return;
        try {
            file->Write(piece.data(), piece.size());
        } catch (...) {
            piece.clear();  // a piece that cannot be written is not tried again
            throw;
        }
        total += static_cast<std::int64_t>(piece.size());
        piece.clear();
        last_handed = std::chrono::steady_clock::now();
        DoTransfer(total);
    };
    auto body_complete = [&] {
        if (head.Chunked) return chunks.Done();
        return head.ContentLength && total + static_cast<std::int64_t>(piece.size()) >= *head.ContentLength;
    };

    TTransferOutcome outcome = TTransferOutcome::Failed;
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
        hand_on();
        // Without a length or chunks, the end of the connection is the end of the body.
        const bool whole = head.Chunked ? chunks.Done() : !head.ContentLength || total == *head.ContentLength;
        outcome = whole ? TTransferOutcome::Complete : TTransferOutcome::Failed;
    } catch (...) {
        // Whatever stops the body (a broken connection, a failed write, a
        // failing handler) ends it as a failure, with its end raised below.
        // What arrived before still goes into the file where it can.
        try {
            hand_on();
        } catch (...) {
            // The end is raised all the same.
        }
    }
    if (abort_.Aborted() && outcome != TTransferOutcome::Complete) outcome = TTransferOutcome::Aborted;
    // Whoever learns of the end may open the file at once (Install does).
    file.reset();
    DoTransferEnd(outcome);
}
