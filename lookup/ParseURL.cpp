#include "ParseURL.h"

#include "ConvertError.h"
#include "TextCompare.h"

bool ParseURL(const std::string& url, TParsedURL& parts) {
    const std::size_t separator = url.find("://");
    if (separator == std::string::npos) return false;
    parts.Scheme = url.substr(0, separator);
    const std::string rest = url.substr(separator + 3);
    const std::size_t slash = rest.find('/');
    std::string host = slash == std::string::npos ? rest : rest.substr(0, slash);
    parts.Path = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
    parts.Port = 0;
    const std::size_t colon = host.find(':');
    if (colon != std::string::npos) {
        parts.Port = static_cast<std::uint16_t>(StrToInt(host.substr(colon + 1)));
        host.resize(colon);
    }
    parts.Host = host;
    return true;
}

std::uint16_t ServerPort(const TParsedURL& parts) {
    if (parts.Port != 0) return parts.Port;
    return SameTextLocale(parts.Scheme, "https") ? 443 : 80;
}
