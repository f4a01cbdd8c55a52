// The settings file's five options and how their values are read.
#pragma once

#include <array>
#include <optional>
#include <string>

struct TSettingKey {
    const char* Key;  // in section "System"
    bool Default;
};

// In the order they are read and written.
inline constexpr std::array<TSettingKey, 5> kSettingKeys = {{
    {"AutoRun", true},
    {"AutoUpdate", true},
    {"AutoDownload", false},
    {"Shutdown", false},
    {"ScanHidden", false},
}};

// A value as an integer: decimal, or hexadecimal after a leading "0x";
// nullopt for anything else (an empty value included).
std::optional<long long> ParseSettingInteger(const std::string& value);

// Checked when the value is an integer other than 0; the default when the
// value is missing or no integer.
bool ReadSettingFlag(const std::optional<std::string>& value, bool default_value);
