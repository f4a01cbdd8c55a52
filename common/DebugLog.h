#pragma once

#include <string>

// The diagnostic trace sink. It keeps nothing: request texts and replies that
// pass through it must never end up on disk.
void DebugLog(const std::string& Text, int Level);
