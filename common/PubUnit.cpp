#include "PubUnit.h"

#include <algorithm>

#include "Crypto.h"

std::string Trim(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string MD5Hex16(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto digest = Md5Digest(text);
    std::string hex;
    for (std::size_t i = 4; i < 12; ++i) {
        hex.push_back(kDigits[digest[i] >> 4]);
        hex.push_back(kDigits[digest[i] & 0x0F]);
    }
    return hex;
}

void ExtractTagText(std::string_view source, std::string_view open, std::string_view close,
                    std::string_view& inner, std::string_view& rest) {
    inner = {};
    const std::size_t start = source.find(open);
    if (start == std::string_view::npos) return;
    const std::string_view after = source.substr(start + open.size());
    if (close.empty()) {
        inner = after;
        rest = {};
        return;
    }
    const std::size_t end = after.find(close);
    if (end == std::string_view::npos) return;
    inner = after.substr(0, end);
    rest = after.substr(end);
}

bool ContainsTextNoCase(std::string_view text, std::string_view needle) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

std::string PercentDecode(std::string_view text) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 2 >= text.size()) {  // too short to spell a byte
            out += text[i];
            continue;
        }
        const int high = hex(text[i + 1]);
        const int low = hex(text[i + 2]);
        if (high >= 0 && low >= 0 && (high | low) != 0) out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string MakeUniqueFileName(const std::string& path, const std::function<bool(const std::string&)>& in_use) {
    const std::size_t name_start = path.find_last_of("\\/") == std::string::npos ? 0 : path.find_last_of("\\/") + 1;
    const std::size_t dot = path.rfind('.');
    const bool has_extension = dot != std::string::npos && dot >= name_start;
    const std::string stem = has_extension ? path.substr(0, dot) : path;
    const std::string extension = has_extension ? path.substr(dot) : std::string();
    std::string candidate = path;
    for (int n = 1; in_use(candidate); ++n) candidate = stem + "(" + std::to_string(n) + ")" + extension;
    return candidate;
}
