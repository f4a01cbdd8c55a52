#include "SafeFileName.h"

#include <algorithm>
#include <cctype>

namespace {

bool Forbidden(unsigned char c) {
    return c < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '/' || c == '\\' || c == '|' ||
           c == '?' || c == '*';
}

bool ReservedDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(), [](unsigned char c) { return std::toupper(c); });
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) && base[3] >= '0' &&
           base[3] <= '9';
}

}  // namespace

std::string SafeFileName(const std::string& name) {
    std::string safe = name.substr(name.find_last_of("/\\") == std::string::npos ? 0 : name.find_last_of("/\\") + 1);
    for (char& c : safe)
        if (Forbidden(static_cast<unsigned char>(c))) c = '_';
    while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
    while (!safe.empty() && safe.front() == ' ') safe.erase(0, 1);
    if (safe.empty()) return "driver-download";
    if (ReservedDeviceName(safe)) safe.insert(0, "_");
    return safe;
}
