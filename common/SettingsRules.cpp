#include "SettingsRules.h"

#include <cctype>

std::optional<long long> ParseSettingInteger(const std::string& value) {
    std::size_t at = 0;
    bool negative = false;
    if (at < value.size() && (value[at] == '+' || value[at] == '-')) negative = value[at++] == '-';
    int base = 10;
    if (value.size() > at + 1 && value[at] == '0' && (value[at + 1] == 'x' || value[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    if (at == value.size()) return std::nullopt;
    long long number = 0;
    for (; at < value.size(); ++at) {
        const auto c = static_cast<unsigned char>(value[at]);
        int digit = -1;
        if (std::isdigit(c)) digit = c - '0';
        else if (base == 16 && std::isxdigit(c)) digit = std::tolower(c) - 'a' + 10;
        if (digit < 0) return std::nullopt;
        if (number > (1LL << 56)) return std::nullopt;  // far beyond any flag; no overflow
        number = number * base + digit;
    }
    return negative ? -number : number;
}

bool ReadSettingFlag(const std::optional<std::string>& value, bool default_value) {
    if (!value) return default_value;
    const std::optional<long long> number = ParseSettingInteger(*value);
    return number ? *number != 0 : default_value;
}
