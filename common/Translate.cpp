#include "Translate.h"

namespace {
TMessageCatalogue& Catalogue() {
    static TMessageCatalogue catalogue;
    return catalogue;
}
}  // namespace

std::string Translate(const std::string& text) { return Catalogue().Translate(text); }

void SetTranslations(TMessageCatalogue catalogue) { Catalogue() = std::move(catalogue); }
