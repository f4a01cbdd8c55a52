// What the online lookup asks of the platform: facts about the machine for
// the request, the connectivity probe and the one HTTP exchange.
#pragma once

#include <optional>
#include <string>

struct TOsVersion {
    unsigned Major = 0;
    unsigned Minor = 0;
    unsigned Build = 0;
};

// The user's locale as the platform's queries answer it: each name with the
// query's result (characters written, terminator included; 0 on failure).
struct TLocaleNames {
    std::string Language;  // ISO 639, e.g. "en"
    int LanguageResult = 0;
    std::string Country;  // ISO 3166, e.g. "US"
    int CountryResult = 0;
    unsigned ThreadLocaleId = 0;
};

class TLookupPlatform {
public:
    virtual ~TLookupPlatform() = default;
    // "a.b.c.d" from the program's own version resource, or empty.
    virtual std::string AppVersion() = 0;
    virtual TOsVersion OsVersion() = 0;
    // True on a 64-bit system; nullopt when the platform cannot tell.
    virtual std::optional<bool> Is64BitSystem() = 0;
    // The power status's battery flag; 255 when it cannot be read.
    virtual int BatteryFlag() = 0;
    virtual TLocaleNames LocaleNames() = 0;
    virtual bool IsInternetConnected() = 0;
    // Posts the form body to the lookup service; the reply body, empty after
    // any failure of the exchange.
    virtual std::string HttpPost(const std::string& body) = 0;
};
