#pragma once

#include <stdexcept>
#include <string>

// A text that cannot be converted (a malformed character reference, a port
// that is not a number). It ends the operation that met it.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

// The decimal number in `text`, or EConvertError naming it.
int StrToInt(const std::string& text);
