// UTF-8, as message catalogues are usually written, decoded to UTF-16.
#pragma once

#include <string>
#include <string_view>

// Malformed, overlong or out-of-range sequences become U+FFFD each.
std::u16string Utf8ToWide(std::string_view text);
