#pragma once

#include <string>

// The user's language's wording of a text; the text itself when no
// translation is installed.
std::string Translate(const std::string& text);
