#include "MessageCatalogue.h"

#include <cctype>
#include <cstdint>
#include <optional>

#include "AnsiText.h"
#include "Utf8.h"

namespace {

class Reader {
public:
    Reader(std::string_view bytes, bool swapped) : bytes_(bytes), swapped_(swapped) {}
    std::optional<std::uint32_t> Word(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < 4) return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto byte = static_cast<std::uint8_t>(bytes_[offset + static_cast<std::size_t>(i)]);
            value |= static_cast<std::uint32_t>(byte) << (swapped_ ? 8 * (3 - i) : 8 * i);
        }
        return value;
    }
    // The string that entry `index` of the table at `table` describes.
    std::optional<std::string> String(std::uint32_t table, std::uint32_t index) const {
        const std::size_t entry = std::size_t{table} + std::size_t{index} * 8;
        const auto length = Word(entry);
        const auto offset = Word(entry + 4);
        if (!length || !offset || *offset > bytes_.size() || bytes_.size() - *offset < *length) return std::nullopt;
        return std::string(bytes_.substr(*offset, *length));
    }

private:
    std::string_view bytes_;
    bool swapped_;
};

// The header's "Content-Type: text/plain; charset=UTF-8", in any letter case.
bool DeclaresUtf8(std::string header) {
    for (char& c : header) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t at = header.find("charset=");
    if (at == std::string::npos) return false;
    const std::string charset = header.substr(at + 8, 5);
    return charset == "utf-8" || charset.rfind("utf8", 0) == 0;
}

}  // namespace

bool TMessageCatalogue::Load(std::string_view bytes) {
    messages_.clear();
    std::string header;
    constexpr std::uint32_t kMagic = 0x950412DE;
    const auto native = Reader(bytes, false).Word(0);
    if (!native) return false;
    const bool swapped = *native != kMagic;
    const Reader reader(bytes, swapped);
    if (reader.Word(0) != kMagic) return false;
    const auto count = reader.Word(8);
    const auto originals = reader.Word(12);
    const auto translations = reader.Word(16);
    if (!count || !originals || !translations) return false;
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto original = reader.String(*originals, i);
        auto translation = reader.String(*translations, i);
        if (!original || !translation) {
            messages_.clear();
            return false;
        }
        // The empty original holds the catalogue's header, not a message.
        if (original->empty())
            header = *translation;
        else
            messages_[*original] = *translation;
    }
    // The program's texts are in the system code page; most catalogues are
    // written in UTF-8.
    if (DeclaresUtf8(header))
        for (auto& [original, translation] : messages_) translation = WideToAnsi(Utf8ToWide(translation));
    return true;
}

std::string TMessageCatalogue::Translate(const std::string& text) const {
    const auto it = messages_.find(text);
    return it == messages_.end() || it->second.empty() ? text : it->second;
}
