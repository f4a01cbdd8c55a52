// Away from Windows the locale is plain ASCII: letters compare without case.
#include <algorithm>

#include "TextCompare.h"

namespace {
char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool SameTextLocale(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return fold(x) == fold(y); });
}

std::string CollationKey(std::string_view text) {
    std::string key(text);
    std::transform(key.begin(), key.end(), key.begin(), fold);
    return key;
}
