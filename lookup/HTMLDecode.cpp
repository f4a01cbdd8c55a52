#include "HTMLDecode.h"

#include <algorithm>
#include <iterator>

#include "ConvertError.h"

namespace {

[[noreturn]] void Invalid(std::string_view text, std::size_t position) {
    std::string reference = "&";
    if (position + 1 < text.size()) reference += text[position + 1];
    throw EConvertError("Invalid HTML encoded character (" + reference + ") at position " +
                        std::to_string(position));
}

// Length of `form` when it follows the "&" at `position`, else 0.
std::size_t Follows(std::string_view text, std::size_t position, std::string_view form) {
    return text.substr(position + 1, form.size()) == form ? form.size() : 0;
}

struct Named {
    std::string_view form;  // what follows the "&"
    char character;
};
constexpr Named kNamed[] = {{"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}};

}  // namespace

std::string HTMLDecode(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const char kind = i + 1 < text.size() ? text[i + 1] : '\0';
        std::size_t consumed = 0;
        if (kind == '#') {
            // The number's low 8 bits, which arithmetic modulo 256 keeps exact.
            unsigned value = 0;
            std::size_t at = i + 2;
            for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
                value = (value * 10 + static_cast<unsigned>(text[at] - '0')) & 0xFF;
            if (at == i + 2 || at >= text.size() || text[at] != ';') Invalid(text, i);
            out += static_cast<char>(value);
            consumed = at - i;
        } else {
            const Named* named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                              [kind](const Named& n) { return n.form[0] == kind; });
            if (named == std::end(kNamed)) Invalid(text, i);
            consumed = Follows(text, i, named->form);
            out += named->character;
        }
        // A known letter that does not begin its reference is as invalid as any other.
        if (consumed == 0) Invalid(text, i);
        i += consumed;
    }
    return out;
}
