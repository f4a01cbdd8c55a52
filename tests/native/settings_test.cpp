// Reading the settings file's values, and message catalogues.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "AnsiText.h"
#include "MessageCatalogue.h"
#include "SettingsRules.h"
#include "Translate.h"
#include "Utf8.h"

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

TEST(MessageCatalogueTest, UnicodeCataloguesArriveInTheCodePage) {
    const std::string size_utf8 = "Gr\xC3\xB6\xC3\x9F" "e";  // "Größe"
    TMessageCatalogue utf8;
    ASSERT_TRUE(utf8.Load(MakeCatalogue({{"", "Content-Type: text/plain; charset=UTF-8\n"}, {"Size", size_utf8}})));
    EXPECT_EQ(utf8.Translate("Size"), WideToAnsi(u"Gr\u00F6\u00DF" "e"));  // not the raw bytes
    EXPECT_NE(utf8.Translate("Size"), size_utf8);

    TMessageCatalogue western;  // already in a code page: kept as it is
    const std::string size_cp1252 = "Gr\xF6\xDF" "e";
    ASSERT_TRUE(western.Load(MakeCatalogue({{"", "Content-Type: text/plain; charset=CP1252\n"}, {"Size", size_cp1252}})));
    EXPECT_EQ(western.Translate("Size"), size_cp1252);
}

TEST(Utf8Test, DecodesToUtf16AndReplacesWhatIsMalformed) {
    const struct {
        std::string utf8;
        std::u16string wide;
    } cases[] = {
        {"", u""},
        {"Tarnwick", u"Tarnwick"},
        {"\xC3\xA9", u"\u00E9"},                     // two bytes
        {"\xE2\x82\xAC", u"\u20AC"},                 // three bytes
        {"\xF0\x9F\x98\x80", u"\U0001F600"},         // four bytes: a surrogate pair
        {"a\xC3", u"a\uFFFD"},                       // cut short at the end
        {"\xC3(", u"\uFFFD("},                       // a lead byte without its follower
        {"\xC0\xAF", u"\uFFFD"},                     // overlong
        {"\xED\xA0\x80", u"\uFFFD"},                 // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},             // beyond U+10FFFF
        {"\x80x", u"\uFFFDx"},                       // a stray follower
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
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
