// The lookup request: the machine profile and the identifier list in one
// form-encoded text, sealed and posted once per run.
#include <array>
#include <cctype>
#include <cstdio>

#include "AnsiText.h"
#include "DebugLog.h"
#include "DriverManagerUnit.h"
#include "EncryptDecryptUnit.h"
#include "HTMLDecode.h"
#include "PubUnit.h"
#include "TextCompare.h"

namespace {

constexpr int kNoConnection = 3;

// The two pass phrases the service shares; the key and IV are derived from
// them afresh for every message.
constexpr std::string_view kKeyPhrase = "gravomel";
constexpr std::string_view kIvPhrase = "qaltumbrenx";

std::string OsNameFor(const TOsVersion& v) {
    struct Entry {
        unsigned major;
        unsigned minor;
        const char* name;
    };
    static constexpr Entry kNames[] = {{5, 0, "win2000"}, {5, 1, "winxp"}, {5, 2, "win2003"},
                                       {6, 0, "vista"},   {6, 1, "win7"},  {6, 2, "win8"},
                                       {6, 3, "win81"}};
    for (const Entry& e : kNames)
        if (v.Major == e.major && v.Minor == e.minor) return e.name;
    if (v.Major == 10 && v.Minor == 0) return v.Build >= 22000 ? "win11" : "win10";
    return {};
}

std::string LanguageFromLocaleId(unsigned id) {
    struct Entry {
        unsigned id;
        const char* code;
    };
    static constexpr Entry kCodes[] = {
        {1030, "da_DK"}, {1031, "de_DE"}, {1032, "el_GR"}, {1033, "en_US"}, {1034, "es_ES"},
        {3082, "es_ES"}, {1035, "fi_FI"}, {1036, "fr_FR"}, {1039, "is_IS"}, {1040, "it_IT"},
        {1042, "ko_KO"}, {1043, "nl_NL"}, {1044, "nb_NO"}, {1045, "pl_PL"}, {1046, "pt_BR"},
        {1049, "ru_RU"}, {1053, "sv_SE"}, {2057, "en_GB"}, {2060, "fr_BE"}, {2067, "nl_BE"},
        {2068, "nn_NO"}, {2070, "pt_PT"}, {2077, "sv_FI"}, {3084, "fr_CA"}, {4103, "de_LU"}};
    for (const Entry& e : kCodes)
        if (e.id == id) return e.code;
    return "C";
}

}  // namespace

std::string EscapeAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '&')
            out += "%26";
        else
            out += c;
    }
    return out;
}

std::string URLEncode(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) {
            out += c;
        } else if (byte == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0x0F];
        }
    }
    return out;
}

std::string TDriverManager::GetAppVersion() { return Platform ? Platform->AppVersion() : std::string(); }

std::string TDriverManager::GetOSName() {
    if (!OSName.empty() || !Platform) return OSName;
    std::string name = OsNameFor(Platform->OsVersion());
    if (Platform->Is64BitSystem().value_or(false)) name += "64";
    OSName = name;
    return OSName;
}

std::string TDriverManager::GetLanguage() {
    if (!Platform) return "C";
    const TLocaleNames locale = Platform->LocaleNames();
    if (locale.LanguageResult == 3 && locale.CountryResult == 3) {
        const std::string language = SameTextLocale(locale.Language, "no") ? "nb" : locale.Language;
        return language + "_" + locale.Country;
    }
    return LanguageFromLocaleId(locale.ThreadLocaleId);
}

std::string TDriverManager::GetPlatform() {
    if (!PlatformName.empty() || !Platform) return PlatformName;
    const int flag = Platform->BatteryFlag();
    PlatformName = (flag == 128 || flag == 255) ? "desktop" : "laptop";
    return PlatformName;
}

std::string TDriverManager::GetHardIDs() const {
    std::string ids;
    for (int i = 0; i < Drivers.Count(); ++i) {
        const std::string id = FieldToAnsi(Drivers.Objects(i)->Detail.hardware_id);
        if (id.empty()) continue;
        if (!ids.empty()) ids += ',';
        ids += id;
    }
    if (!ids.empty() && ids.back() == ',') ids.pop_back();
    return ids;
}

std::string TDriverManager::BuildPostData() {
    return "version=" + GetAppVersion() + "&os=" + GetOSName() + "&language=" + GetLanguage() +
           "&platform=" + GetPlatform() + "&action=GetDriverUrls&code=" + GetCode() +
           "&hardids=" + EscapeAmpersands(GetHardIDs());
}

std::string TDriverManager::EncryptPostData(const std::string& post_data) const {
    return EncryptText(post_data, MD5Hex16(kKeyPhrase), MD5Hex16(kIvPhrase));
}

std::string TDriverManager::DecryptReply(const std::string& reply) const {
    return DecryptText(reply, MD5Hex16(kKeyPhrase), MD5Hex16(kIvPhrase));
}

int TDriverManager::GetRemoteDriverURLs() {
    if (!Platform || !Platform->IsInternetConnected()) return kNoConnection;
    const std::string post_data = BuildPostData();
    DebugLog("sPostData == " + post_data, 1);
    const std::string body = "data=" + URLEncode(EncryptPostData(post_data));
    DebugLog("sPostData Encrypted == " + body, 1);
    const std::string reply = Platform->HttpPost(body);
    DebugLog("GetRemoteDriverURLs sHtml == " + reply, 1);
    const std::string text = HTMLDecode(DecryptReply(reply));
    DebugLog("GetRemoteDriverURLs sHtml Decrypted == " + text, 1);
    return ParseReply(text);
}
