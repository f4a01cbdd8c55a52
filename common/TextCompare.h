// Case-insensitive text comparison in the user's locale, as the inventory's
// look-ups and version checks use it.
#pragma once

#include <string>
#include <string_view>

// True when both texts compare equal, letter case ignored.
bool SameTextLocale(std::string_view a, std::string_view b);

// A key that is equal for two texts exactly when SameTextLocale holds, so
// equal texts can be found through a hash index.
std::string CollationKey(std::string_view text);
