// The connectivity probe that decides whether the lookup is attempted.
#pragma once

#include <string>

// True when a real connection to `url` succeeds and the system does not
// report itself disconnected.
bool IsInternetConnected(const std::string& url);

// The global connected state has the disconnected bit clear.
bool IsConnectedState();
