#include "ErrorBox.h"

#include <utility>

namespace {
ErrorBoxHandler g_handler;
}

void ShowErrorBox(const std::string& Text, const std::string& Caption) {
    if (g_handler)
        g_handler(Text, Caption);
    else
        PlatformErrorBox(Text, Caption);
}

ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler) {
    return std::exchange(g_handler, std::move(handler));
}
