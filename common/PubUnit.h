// Small routines shared across the program.
#pragma once

#include <string>
#include <string_view>

// The text without leading and trailing characters of code 32 and below.
std::string Trim(std::string_view text);
