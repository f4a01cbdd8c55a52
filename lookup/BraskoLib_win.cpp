#include "BraskoLib_win.h"

#include <windows.h>
#include <wininet.h>

bool IsConnectedState() {
    DWORD state = 0;
    DWORD length = sizeof state;
    if (!InternetQueryOptionA(nullptr, INTERNET_OPTION_CONNECTED_STATE, &state, &length)) return false;
    return (state & INTERNET_STATE_DISCONNECTED) == 0;
}

bool IsInternetConnected(const std::string& url) {
    return InternetCheckConnectionA(url.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) && IsConnectedState();
}
