// The main program's strings are 8-bit text in the system code page; the
// probe library's are UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Characters without an equivalent become the code page's replacement character.
std::string WideToAnsi(std::u16string_view text);
// For the few calls that take only UTF-16 (the tray balloon).
std::u16string AnsiToWide(std::string_view text);

// A fixed UTF-16 field, up to its first NUL, as 8-bit text.
template <std::size_t N>
std::string FieldToAnsi(const char16_t (&field)[N]) {
    std::size_t n = 0;
    while (n < N && field[n] != u'\0') ++n;
    return WideToAnsi(std::u16string_view(field, n));
}
