// A gettext message catalogue (.mo file): translations looked up by their
// original text.
#pragma once

#include <map>
#include <string>
#include <string_view>

class TMessageCatalogue {
public:
    // False (and empty) when the bytes are no catalogue.
    bool Load(std::string_view bytes);
    // The translation of `text`, or `text` itself when there is none.
    std::string Translate(const std::string& text) const;
    bool Empty() const { return messages_.empty(); }

private:
    std::map<std::string, std::string> messages_;
};
