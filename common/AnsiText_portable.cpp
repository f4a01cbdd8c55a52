// Away from Windows the code page is ASCII with "?" as replacement.
#include "AnsiText.h"

std::string WideToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

std::u16string AnsiToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD');
    return out;
}
