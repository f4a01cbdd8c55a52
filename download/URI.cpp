#include "URI.h"

namespace {

std::string Encode(const std::string& text, bool (*needs)(unsigned char)) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (needs(byte)) {
            out += '%';
            out += kDigits[byte >> 4];
            out += kDigits[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

bool PathNeedsEncoding(unsigned char c) {
    return c == ' ' || c == '#' || c == '%' || c == '*' || c == '+' || c == '<' || c == '>' || c < 32 || c > 127;
}

bool QueryNeedsEncoding(unsigned char c) {
    return c <= 32 || c > 128 || c == '#' || c == '%' || c == '*' || c == '<' || c == '>' || c == '[' || c == ']';
}

// scheme://host[:port]
std::string Origin(const TURI& uri) {
    std::string url = uri.Protocol;
    url.append("://").append(uri.Host);
    if (!uri.Port.empty()) url.append(":").append(uri.Port);
    return url;
}

}  // namespace

TURI::TURI(const std::string& url) {
    std::string rest = url;
    if (const std::size_t hash = rest.find('#'); hash != std::string::npos) {
        Bookmark = rest.substr(hash + 1);
        rest.resize(hash);
    }
    if (const std::size_t scheme = rest.find("://"); scheme != std::string::npos) {
        Protocol = rest.substr(0, scheme);
        rest.erase(0, scheme + 3);
    }
    const std::size_t authority_end = rest.find_first_of("/?");
    std::string authority = rest.substr(0, authority_end);
    rest = authority_end == std::string::npos ? std::string() : rest.substr(authority_end);
    if (const std::size_t at = authority.rfind('@'); at != std::string::npos) {
        const std::string credentials = authority.substr(0, at);
        authority.erase(0, at + 1);
        const std::size_t colon = credentials.find(':');
        Username = credentials.substr(0, colon);
        if (colon != std::string::npos) Password = credentials.substr(colon + 1);
    }
    if (const std::size_t colon = authority.rfind(':'); colon != std::string::npos) {
        Port = authority.substr(colon + 1);
        authority.resize(colon);
    }
    Host = authority;
    if (const std::size_t question = rest.find('?'); question != std::string::npos) {
        Params = rest.substr(question + 1);
        rest.resize(question);
    }
    const std::size_t slash = rest.rfind('/');
    if (slash == std::string::npos) {
        Document = rest;
    } else {
        Path = rest.substr(0, slash + 1);
        Document = rest.substr(slash + 1);
    }
}

std::string TURI::RequestURL() const {
    std::string url = Origin(*this);
    url.append(Path).append(Document);
    if (!Params.empty()) url.append("?").append(Params);
    return url;
}

std::string TURI::EncodedRequestURL() const {
    std::string url = Origin(*this);
    url.append(Encode(Path, PathNeedsEncoding)).append(Encode(Document, PathNeedsEncoding));
    if (!Params.empty()) url.append("?").append(Encode(Params, QueryNeedsEncoding));
    return url;
}
