#include "HttpMessage.h"

#include <algorithm>
#include <cctype>

#include "Connection.h"

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// `path` without its "." and ".." segments, as a browser resolves a link.
std::string RemoveDotSegments(std::string_view path) {
    std::string out;
    const auto drop_last_segment = [&out] {
        const std::size_t slash = out.rfind('/');
        out.resize(slash == std::string::npos ? 0 : slash);
    };
    while (!path.empty()) {
        if (path.rfind("../", 0) == 0) {
            path.remove_prefix(3);
        } else if (path.rfind("./", 0) == 0 || path.rfind("/./", 0) == 0) {
            path.remove_prefix(2);
        } else if (path == "/.") {
            path = "/";
        } else if (path.rfind("/../", 0) == 0) {
            path.remove_prefix(3);
            drop_last_segment();
        } else if (path == "/..") {
            path = "/";
            drop_last_segment();
        } else if (path == "." || path == "..") {
            path = {};
        } else {
            const std::size_t next = std::min(path.find('/', 1), path.size());
            out.append(path.substr(0, next));
            path.remove_prefix(next);
        }
    }
    return out;
}

}  // namespace

std::optional<THttpResponseHead> ParseResponseHead(std::string_view head) {
    THttpResponseHead result;
    std::size_t line_end = head.find('\n');
    const std::string_view status_line = TrimBlanks(head.substr(0, line_end));
    if (status_line.substr(0, 5) != "HTTP/") return std::nullopt;
    const std::size_t space = status_line.find(' ');
    if (space == std::string_view::npos || status_line.size() < space + 4) return std::nullopt;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(status_line[i]))) return std::nullopt;
        result.Status = result.Status * 10 + (status_line[i] - '0');
    }
    while (line_end != std::string_view::npos) {
        const std::size_t start = line_end + 1;
        line_end = head.find('\n', start);
        const std::string_view line = head.substr(start, line_end == std::string_view::npos ? std::string_view::npos
                                                                                            : line_end - start);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string name = Lower(TrimBlanks(line.substr(0, colon)));
        const std::string_view value = TrimBlanks(line.substr(colon + 1));
        if (name == "content-length") {
            std::int64_t length = 0;
            if (value.empty()) return std::nullopt;
            for (char c : value) {
                if (!std::isdigit(static_cast<unsigned char>(c)) || length > (INT64_MAX - 9) / 10) return std::nullopt;
                length = length * 10 + (c - '0');
            }
            result.ContentLength = length;
        } else if (name == "transfer-encoding") {
            result.Chunked = Lower(value).find("chunked") != std::string::npos;
        } else if (name == "location") {
            result.Location = std::string(value);
        }
    }
    // A chunked body's length is in its chunks, whatever else is announced.
    if (result.Chunked) result.ContentLength.reset();
    return result;
}

std::string ResolveLocation(const std::string& base, const std::string& location) {
    // A scheme counts only before the first slash, query or fragment:
    // "/go?to=http://x" is a path on this server.
    const std::size_t location_scheme = location.find("://");
    if (location_scheme != std::string::npos && location_scheme < location.find_first_of("/?#")) return location;
    const std::size_t scheme_end = base.find("://");
    const std::size_t authority = scheme_end == std::string::npos ? 0 : scheme_end + 3;
    const std::size_t path_start = base.find('/', authority);
    const std::string origin = base.substr(0, path_start);
    if (location.rfind("//", 0) == 0) return base.substr(0, scheme_end + 1) + location;
    std::string path = "/";
    std::string query;  // with its "?"
    if (path_start != std::string::npos) {
        const std::size_t path_end = base.find_first_of("?#", path_start);
        path = base.substr(path_start, path_end == std::string::npos ? std::string::npos : path_end - path_start);
        if (path_end != std::string::npos && base[path_end] == '?')
            query = base.substr(path_end, base.find('#', path_end) - path_end);
    }
    const std::size_t rest_start = std::min(location.find_first_of("?#"), location.size());
    const std::string rest = location.substr(rest_start);  // the query and fragment
    // Only a query or fragment: the same document, with the base query
    // unless a new one is given.
    if (rest_start == 0) return origin + path + (rest.rfind('?', 0) == 0 ? std::string() : query) + rest;
    if (location[0] == '/') {
        path = location.substr(0, rest_start);
    } else {
        path.resize(path.rfind('/') + 1);
        path.append(location, 0, rest_start);
    }
    return origin + RemoveDotSegments(path) + rest;
}

void TChunkedDecoder::Feed(std::string_view input, std::string& out) {
    for (std::size_t i = 0; i < input.size() && state_ != State::Done; ++i) {
        const char c = input[i];
        switch (state_) {
            case State::Size: {
                const int digit = HexDigit(c);
                if (digit >= 0) {
                    if (remaining_ > (UINT64_MAX >> 4)) throw ETransferError("chunk size too large");
                    remaining_ = remaining_ * 16 + static_cast<std::uint64_t>(digit);
                    size_digits_ = true;
                } else if (c == ';' || c == ' ' || c == '\t') {
                    state_ = State::Extension;
                } else if (c == '\r') {
                    state_ = State::SizeLf;
                } else if (c == '\n') {
                    state_ = State::SizeLf;
                    --i;  // handle the line feed there
                } else {
                    throw ETransferError("malformed chunk size");
                }
                break;
            }
            case State::Extension:
                if (c == '\n') {
                    state_ = State::SizeLf;
                    --i;
                }
                break;
            case State::SizeLf:
                if (c != '\n' || !size_digits_) throw ETransferError("malformed chunk size");
                size_digits_ = false;
                state_ = remaining_ == 0 ? State::Trailer : State::Data;
                trailer_line_ = 0;
                break;
            case State::Data: {
                const std::size_t take =
                    static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, input.size() - i));
                out.append(input.data() + i, take);
                remaining_ -= take;
                i += take - 1;
                if (remaining_ == 0) state_ = State::DataCr;
                break;
            }
            case State::DataCr:
                if (c == '\r') {
                    state_ = State::DataLf;
                } else if (c == '\n') {
                    state_ = State::Size;
                } else {
                    throw ETransferError("chunk not followed by a line end");
                }
                break;
            case State::DataLf:
                if (c != '\n') throw ETransferError("chunk not followed by a line end");
                state_ = State::Size;
                break;
            case State::Trailer:
                // Trailer lines end with an empty line.
                if (c == '\n') {
                    if (trailer_line_ == 0) state_ = State::Done;
                    trailer_line_ = 0;
                } else if (c != '\r') {
                    ++trailer_line_;
                }
                break;
            case State::Done:
                break;
        }
    }
}
