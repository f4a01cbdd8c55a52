#include "LookupPlatform_win.h"

#include <windows.h>

#include "BraskoLib_win.h"
#include "PubUnit_win.h"
#include "dmUnit_win.h"

namespace {

std::string ReadSetting(const std::string& file, const char* key, const char* fallback) {
    char value[2048] = {};
    GetPrivateProfileStringA("Service", key, fallback, value, sizeof value, file.c_str());
    return value[0] ? value : fallback;
}

}  // namespace

TWindowsLookupPlatform::TWindowsLookupPlatform(std::string settings_file)
    : settings_file_(std::move(settings_file)) {}

std::string TWindowsLookupPlatform::LookupURL() const {
    return ReadSetting(settings_file_, "LookupURL", kDefaultLookupURL);
}

std::string TWindowsLookupPlatform::ConnectivityURL() const {
    return ReadSetting(settings_file_, "ConnectivityURL", kDefaultConnectivityURL);
}

std::string TWindowsLookupPlatform::AppVersion() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return GetFileVersionText(path);
}

TOsVersion TWindowsLookupPlatform::OsVersion() {
    // The manifest declares every version up to Windows 10, so the answer is true.
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return {};
#pragma GCC diagnostic pop
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

std::optional<bool> TWindowsLookupPlatform::Is64BitSystem() {
    // A 64-bit program only runs on a 64-bit system; a 32-bit one asks
    // whether it runs under WOW64, when the system can tell.
    if (sizeof(void*) == 8) return true;
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto is_wow64 = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process")));
    if (!is_wow64) return std::nullopt;
    BOOL wow64 = FALSE;
    if (!is_wow64(GetCurrentProcess(), &wow64)) return std::nullopt;
    return wow64 != FALSE;
}

int TWindowsLookupPlatform::BatteryFlag() {
    SYSTEM_POWER_STATUS status{};
    return GetSystemPowerStatus(&status) ? status.BatteryFlag : 255;
}

TLocaleNames TWindowsLookupPlatform::LocaleNames() {
    TLocaleNames names;
    char language[5] = {};
    char country[5] = {};
    names.LanguageResult = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, language, 5);
    names.CountryResult = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, 5);
    names.Language = language;
    names.Country = country;
    names.ThreadLocaleId = GetThreadLocale();
    return names;
}

bool TWindowsLookupPlatform::IsInternetConnected() { return ::IsInternetConnected(ConnectivityURL()); }

std::string TWindowsLookupPlatform::HttpPost(const std::string& body) {
    std::string reply;
    std::string final_url;
    TDM::HttpPost(LookupURL(), body, reply, final_url);
    return reply;
}
