#pragma once

#include <cstdint>
#include <string>

struct TParsedURL {
    std::string Scheme;
    std::uint16_t Port = 0;  // 0: none given
    std::string Path;        // without its leading slash
    std::string Host;
};

// Splits scheme://host[:port][/path]; false without "://". A port that is not
// a number raises EConvertError.
bool ParseURL(const std::string& url, TParsedURL& parts);

// The port to connect to: the URL's own, else 443 for https, else 80.
std::uint16_t ServerPort(const TParsedURL& parts);
