#include "Translate.h"

std::string Translate(const std::string& text) { return text; }
