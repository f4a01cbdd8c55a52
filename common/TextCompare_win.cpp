#include <windows.h>

#include <limits>

#include "TextCompare.h"

namespace {
int length_of(std::string_view text) {
    return text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(text.size());
}
}  // namespace

bool SameTextLocale(std::string_view a, std::string_view b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), length_of(a), b.data(),
                          length_of(b)) == CSTR_EQUAL;
}

// The platform's sort key is the documented equivalent of CompareString:
// two texts compare equal exactly when their keys are equal.
std::string CollationKey(std::string_view text) {
    if (text.empty()) return {};
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length_of(text), nullptr, 0);
    if (size <= 0) return std::string(text);
    std::string key(static_cast<std::size_t>(size), '\0');
    LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length_of(text), key.data(), size);
    return key;
}
