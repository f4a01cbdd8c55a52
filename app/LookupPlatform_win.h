// The lookup's view of this Windows machine: its version, kind and locale,
// the connectivity probe and the HTTP exchange with the service.
#pragma once

#include <string>

#include "LookupPlatform.h"

class TWindowsLookupPlatform final : public TLookupPlatform {
public:
    // `settings_file` holds the section "Service" with LookupURL and
    // ConnectivityURL; both are read when the lookup starts.
    explicit TWindowsLookupPlatform(std::string settings_file);

    std::string AppVersion() override;
    TOsVersion OsVersion() override;
    std::optional<bool> Is64BitSystem() override;
    int BatteryFlag() override;
    TLocaleNames LocaleNames() override;
    bool IsInternetConnected() override;
    std::string HttpPost(const std::string& body) override;

    std::string LookupURL() const;
    std::string ConnectivityURL() const;

    static constexpr char kDefaultLookupURL[] = "http://lookup.tarnwick.net/index.php";
    static constexpr char kDefaultConnectivityURL[] = "http://www.microsoft.com/";

private:
    std::string settings_file_;
};
