#pragma once

#include <string>

#include "MessageCatalogue.h"

// The user's language's wording of a text; the text itself when no
// translation is installed.
std::string Translate(const std::string& text);

// Installs the catalogue Translate uses (main thread, at start-up).
void SetTranslations(TMessageCatalogue catalogue);
