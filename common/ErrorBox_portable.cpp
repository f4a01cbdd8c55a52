// Without a desktop the message goes to the error stream.
#include <cstdio>

#include "ErrorBox.h"

void PlatformErrorBox(const std::string& Text, const std::string& Caption) {
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
}
