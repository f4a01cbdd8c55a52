// A small HTTP client over WinINet that posts one form body and reads the
// reply, as the lookup service expects it on the wire.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

#include "Handle_win.h"

struct InternetHandleTraits {
    using type = HINTERNET;
    static type invalid() { return nullptr; }
    static void close(type h) { InternetCloseHandle(h); }
};
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

class THTTP {
public:
    void Open();
    bool IsOpen() const { return static_cast<bool>(InetHandle); }
    void Close() { InetHandle.reset(); }

    // One POST exchange. `reply` is set only when the request was sent; a
    // reply longer than kMaxReply is discarded as unusable.
    void Post(const std::string& url, const std::string& body, std::string& reply, std::string& final_url);

    // Receives one line per failed step; it keeps nothing.
    void LogError(const std::string& text);

    static constexpr std::size_t kMaxReply = 32u << 20;

    std::string LastURL;
    UniqueInternetHandle InetHandle;

private:
    void ReportError(const char* step);
    void QueryFinalURL(HINTERNET request, std::string& final_url);
};
