// The service's reply: a plain text scan for driver elements and their eight
// fields, each answer merged into the inventory.
#include <string>

#include "DriverManagerUnit.h"
#include "PubUnit.h"
#include "TextCompare.h"

namespace {

constexpr int kUnusableReply = 10;

struct Field {
    std::string_view open;
    std::string_view close;
    std::string TRemote_detail::*member;
};

constexpr Field kFields[] = {
    {"<dev_hardid>", "</dev_hardid>", &TRemote_detail::dev_hardid},
    {"<dr_version>", "</dr_version>", &TRemote_detail::dr_version},
    {"<dr_name>", "</dr_name>", &TRemote_detail::dr_name},
    {"<dev_desc>", "</dev_desc>", &TRemote_detail::dev_desc},
    {"<dev_class_guid>", "</dev_class_guid>", &TRemote_detail::dev_class_guid},
    {"<dr_size>", "</dr_size>", &TRemote_detail::dr_size},
    {"<dr_official_link>", "</dr_official_link>", &TRemote_detail::dr_official_link},
    {"<dr_link>", "</dr_link>", &TRemote_detail::dr_link},
};

TRemote_detail ReadAnswer(std::string_view block) {
    TRemote_detail answer;
    for (const Field& field : kFields) {
        std::string_view inner;
        std::string_view unused;
        ExtractTagText(block, field.open, field.close, inner, unused);
        std::string value = Trim(inner);
        if (value.empty()) continue;
        // Direct links that carry the shared pass phrase are not to be offered.
        if (field.member == &TRemote_detail::dr_link && ContainsTextNoCase(value, "qaltumbrenx")) continue;
        answer.*field.member = std::move(value);
    }
    return answer;
}

}  // namespace

int TDriverManager::ParseReply(std::string_view text) {
    if (!SameTextLocale(text.substr(0, 5), "<?xml")) return kUnusableReply;
    std::string_view block;
    std::string_view rest;
    ExtractTagText(text, "<driver>", "</driver>", block, rest);
    while (!block.empty()) {
        ApplyRemoteDetail(ReadAnswer(block));
        const std::string_view remaining = rest;
        ExtractTagText(remaining, "<driver>", "</driver>", block, rest);
    }
    return 0;
}
