// Reading an HTTP/1.x reply: its head, and a body sent in chunks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct THttpResponseHead {
    int Status = 0;
    std::optional<std::int64_t> ContentLength;
    bool Chunked = false;
    std::string Location;

    bool Success() const { return Status >= 200 && Status < 300; }
    bool Redirect() const { return Status >= 300 && Status < 400 && !Location.empty(); }
};

// The head up to (not including) its blank line; nullopt when malformed.
std::optional<THttpResponseHead> ParseResponseHead(std::string_view head);

// `location` read against the URL it came from: absolute, host-relative,
// path-relative or only a query, with "." and ".." segments resolved.
std::string ResolveLocation(const std::string& base, const std::string& location);

// Turns a chunked body back into its bytes as they arrive.
class TChunkedDecoder {
public:
    // Appends the data bytes among `input` to `out`; throws ETransferError on
    // a malformed chunk. Bytes after the last chunk are ignored.
    void Feed(std::string_view input, std::string& out);
    bool Done() const { return state_ == State::Done; }

private:
    enum class State { Size, Extension, SizeLf, Data, DataCr, DataLf, Trailer, Done };
    State state_ = State::Size;
    std::uint64_t remaining_ = 0;
    bool size_digits_ = false;
    std::size_t trailer_line_ = 0;
};
