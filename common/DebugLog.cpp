#include "DebugLog.h"

void DebugLog(const std::string& /*Text*/, int /*Level*/) {}
