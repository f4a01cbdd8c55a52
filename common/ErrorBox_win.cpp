#include <windows.h>

#include "ErrorBox.h"

void PlatformErrorBox(const std::string& Text, const std::string& Caption) {
    MessageBoxA(nullptr, Text.c_str(), Caption.c_str(), MB_OK | MB_ICONERROR);
}
