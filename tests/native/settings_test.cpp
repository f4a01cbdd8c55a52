// Reading the settings file's values, and message catalogues.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "MessageCatalogue.h"
#include "SettingsRules.h"
#include "Translate.h"

namespace {

TEST(SettingFlag, IntegersOtherThanZeroAreCheckedAnythingElseIsTheDefault) {
    struct Case {
        std::optional<std::string> value;
        bool default_value;
        bool checked;
    } cases[] = {
        {"1", false, true},   {"0", true, false},   {"2", false, true},   {"0x10", false, true},
        {"0x0", true, false}, {"-1", false, true},  {"true", false, false}, {"true", true, true},
        {"", false, false},   {"", true, true},     {std::nullopt, true, true}, {std::nullopt, false, false},
        {"0x", true, true},   {"1a", false, false}, {"0xZZ", true, true}, {" 1", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSettingFlag(c.value, c.default_value), c.checked)
            << (c.value ? "'" + *c.value + "'" : std::string("missing")) << " default " << c.default_value;
}

TEST(SettingFlag, TheKeysAndDefaultsInTheirOrder) {
    std::vector<std::string> keys;
    for (const TSettingKey& key : kSettingKeys) keys.push_back(std::string(key.Key) + (key.Default ? "=1" : "=0"));
    EXPECT_EQ(keys, (std::vector<std::string>{"AutoRun=1", "AutoUpdate=1", "AutoDownload=0", "Shutdown=0",
                                              "ScanHidden=0"}));
}

// A little-endian catalogue of the given pairs, as msgfmt writes it.
std::string MakeCatalogue(const std::vector<std::pair<std::string, std::string>>& pairs) {
    auto word = [](std::string& out, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    const auto n = static_cast<std::uint32_t>(pairs.size());
    std::string head, tables, strings;
    const std::uint32_t data = 28 + 16 * n;
    std::string originals, translations;
    for (const auto& [original, translation] : pairs) {
        word(originals, static_cast<std::uint32_t>(original.size()));
        word(originals, data + static_cast<std::uint32_t>(strings.size()));
        strings += original + '\0';
    }
    for (const auto& [original, translation] : pairs) {
        word(translations, static_cast<std::uint32_t>(translation.size()));
        word(translations, data + static_cast<std::uint32_t>(strings.size()));
        strings += translation + '\0';
    }
    word(head, 0x950412DE);
    word(head, 0);
    word(head, n);
    word(head, 28);
    word(head, 28 + 8 * n);
    word(head, 0);
    word(head, 0);
    return head + originals + translations + strings;
}

TEST(MessageCatalogueTest, TranslatesWhatItKnows) {
    TMessageCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(MakeCatalogue({{"", "Content-Type: text/plain; charset=CP1252\n"},
                                              {"Tarnwick Message", "Tarnwick-Nachricht"},
                                              {"Failed", "Fehlgeschlagen"},
                                              {"Untranslated", ""}})));
    EXPECT_EQ(catalogue.Translate("Tarnwick Message"), "Tarnwick-Nachricht");
    EXPECT_EQ(catalogue.Translate("Failed"), "Fehlgeschlagen");
    EXPECT_EQ(catalogue.Translate("Untranslated"), "Untranslated");
    EXPECT_EQ(catalogue.Translate("Unknown text"), "Unknown text");
}

TEST(MessageCatalogueTest, BrokenFilesAreNoCatalogue) {
    TMessageCatalogue catalogue;
    const std::string good = MakeCatalogue({{"a", "b"}});
    EXPECT_FALSE(catalogue.Load(""));
    EXPECT_FALSE(catalogue.Load("not a catalogue at all"));
    EXPECT_FALSE(catalogue.Load(good.substr(0, good.size() - 3)));  // a string runs past the end
    EXPECT_TRUE(catalogue.Empty());
    EXPECT_EQ(catalogue.Translate("a"), "a");
}

TEST(TranslateTest, WithoutACatalogueTextsStayAsTheyAre) {
    SetTranslations(TMessageCatalogue{});
    EXPECT_EQ(Translate("Tarnwick is running in the background!"), "Tarnwick is running in the background!");
    TMessageCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(MakeCatalogue({{"Cancelled", "Abgebrochen"}})));
    SetTranslations(std::move(catalogue));
    EXPECT_EQ(Translate("Cancelled"), "Abgebrochen");
    SetTranslations(TMessageCatalogue{});
}

}  // namespace
