#include "http_win.h"

#include "DebugLog.h"
#include "ParseURL.h"
#include "TextCompare.h"

namespace {

constexpr char kAgent[] = "Brasko";
constexpr char kContentType[] = "Content-Type: application/x-www-form-urlencoded";

constexpr DWORD kHttpFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION |
                             INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
// Certificates are checked: a lookup over https must reach the real service.
constexpr DWORD kHttpsFlags = kHttpFlags | INTERNET_FLAG_SECURE;

std::string LocalDateTime() {
    char date[80] = {};
    char time[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

}  // namespace

void THTTP::Open() {
    InetHandle.reset(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, "", "", 0));
}

void THTTP::LogError(const std::string& text) { DebugLog(text, 1); }

void THTTP::ReportError(const char* step) {
    const DWORD code = GetLastError();
    LogError(LocalDateTime() + "\r\nError occurred when " + step + ". ErrorCode: " + std::to_string(code));
}

void THTTP::QueryFinalURL(HINTERNET request, std::string& final_url) {
    char buffer[1024] = {};
    DWORD length = sizeof buffer;
    if (!InternetQueryOptionA(request, INTERNET_OPTION_URL, buffer, &length)) return;
    final_url.assign(buffer, strnlen(buffer, sizeof buffer));
    LastURL = final_url;
}

void THTTP::Post(const std::string& url, const std::string& body, std::string& reply, std::string& final_url) {
    if (!InetHandle) return;
    TParsedURL parts;
    ParseURL(url, parts);
    const bool secure = SameTextLocale(parts.Scheme, "https");
    UniqueInternetHandle connection(InternetConnectA(InetHandle.get(), parts.Host.c_str(), ServerPort(parts),
                                                     nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        ReportError("InternetConnect");
        return;
    }
    const char* accept[] = {"*/*", nullptr};
    UniqueInternetHandle request(HttpOpenRequestA(connection.get(), "POST", parts.Path.c_str(), "HTTP/1.0", "",
                                                  accept, secure ? kHttpsFlags : kHttpFlags, 0));
    if (!request) {
        ReportError("HttpOpenRequest");
        return;
    }
    if (!HttpSendRequestA(request.get(), kContentType, static_cast<DWORD>(sizeof kContentType - 1),
                          const_cast<char*>(body.data()), static_cast<DWORD>(body.size()))) {
        ReportError("HttpSendRequest");
        QueryFinalURL(request.get(), final_url);
        return;
    }
    QueryFinalURL(request.get(), final_url);
    std::string text;
    char piece[1024];
    DWORD read = 0;
    while (InternetReadFile(request.get(), piece, sizeof piece, &read) && read > 0) {
        // A zero byte ends what a piece contributes.
        text.append(piece, strnlen(piece, read));
        if (text.size() > kMaxReply) {
            LogError("Reply longer than " + std::to_string(kMaxReply) + " bytes discarded");
            text.clear();
            break;
        }
    }
    reply = text;
}
