#include "Utf8.h"

#include <cstdint>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The code point of the sequence starting at `at`, or nothing when it is
// malformed; `length` receives the bytes it spans (at least 1).
bool Decode(std::string_view text, std::size_t at, char32_t& code, std::size_t& length) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    length = 1;
    std::size_t follow = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        follow = 1, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        follow = 2, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        follow = 3, code = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    for (std::size_t i = 1; i <= follow; ++i) {
        if (at + i >= text.size()) return false;
        const auto byte = static_cast<std::uint8_t>(text[at + i]);
        if ((byte & 0xC0) != 0x80) return false;
        code = (code << 6) | (byte & 0x3F);
        length = i + 1;
    }
    return code >= minimum && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

}  // namespace

std::u16string Utf8ToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        std::size_t length = 1;
        if (!Decode(text, at, code, length)) {
            out.push_back(kReplacement);
        } else if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        at += length;
    }
    return out;
}
