#include "ConvertError.h"

#include <charconv>

int StrToInt(const std::string& text) {
    int value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || begin == end)
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}
