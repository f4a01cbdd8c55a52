// Reading the service's reply: character references, tag extraction and the
// walk over driver elements.
#include <gtest/gtest.h>

#include <memory>

#include "ConvertError.h"
#include "DriverManagerUnit.h"
#include "HTMLDecode.h"
#include "ProbeFixture.h"
#include "PubUnit.h"

using namespace probe_test;

namespace {

TEST(HTMLDecodeTest, DecodesTheKnownReferencesOnce) {
    struct Case {
        std::string text;
        std::string decoded;
    } cases[] = {
        {"plain", "plain"},
        {"a&amp;b", "a&b"},
        {"&lt;tag&gt;", "<tag>"},
        {"say &quot;hi&quot;", "say \"hi\""},
        {"&#65;&#66;", "AB"},
        {"&#321;", "A"},  // low 8 bits
        {"&#233;", "\xe9"},
        {"&amp;lt;", "&lt;"},  // decoded once only
        {std::string("stop\0&bogus;", 12), "stop"},  // ends at the first zero byte
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(HTMLDecode(c.text), c.decoded) << c.text;
}

TEST(HTMLDecodeTest, UnknownReferencesRaiseTheConversionError) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"ab&copy;", "Invalid HTML encoded character (&c) at position 2"},
        {"&", "Invalid HTML encoded character (&) at position 0"},
        {"x&apos;", "Invalid HTML encoded character (&a) at position 1"},
        {"x&ltx", "Invalid HTML encoded character (&l) at position 1"},
        {"&#;", "Invalid HTML encoded character (&#) at position 0"},
        {"&#12", "Invalid HTML encoded character (&#) at position 0"},
        {"&#1a;", "Invalid HTML encoded character (&#) at position 0"},
        {"ok &amp; then & ", "Invalid HTML encoded character (& ) at position 14"},
    };
    for (const Case& c : cases) {
        try {
            HTMLDecode(c.text);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const EConvertError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(ExtractTagTextTest, CutsBetweenTagsAndKeepsTheRestFromTheCloseTag) {
    std::string_view inner = "x";
    std::string_view rest = "untouched";
    ExtractTagText("a<b>in</b>tail", "<b>", "</b>", inner, rest);
    EXPECT_EQ(inner, "in");
    EXPECT_EQ(rest, "</b>tail");

    rest = "untouched";
    ExtractTagText("a<b>in", "<b>", "</b>", inner, rest);
    EXPECT_EQ(inner, "");
    EXPECT_EQ(rest, "untouched");
    ExtractTagText("no tags", "<b>", "</b>", inner, rest);
    EXPECT_EQ(inner, "");
    EXPECT_EQ(rest, "untouched");

    ExtractTagText("a<b>all the rest", "<b>", "", inner, rest);
    EXPECT_EQ(inner, "all the rest");
    EXPECT_EQ(rest, "");
    ExtractTagText("<B>upper</B>", "<b>", "</b>", inner, rest);
    EXPECT_EQ(inner, "");  // tags are matched case-sensitively
}

class ParseReplyTest : public ProbeFixture {
protected:
    void SetUp() override {
        ProbeFixture::SetUp();
        table().classes = {MakeClass(1, "System", "System devices")};
        table().devices = {MakeDevice("PCI\\VEN_8086&DEV_27C8\\3", "A controller", "System"),
                           MakeDevice("USB\\VID_046D&PID_C52B\\5", "B receiver", "System")};
        manager = std::make_unique<TDriverManager>();
        manager->ScanHardware();
        manager->LoadInventory();
    }
    void TearDown() override {
        manager.reset();
        ProbeFixture::TearDown();
    }
    const TRemote_detail& Remote(int index) { return manager->Drivers.Objects(index)->Remote; }

    std::unique_ptr<TDriverManager> manager;
};

TEST_F(ParseReplyTest, OnlyAnXmlDocumentIsUsable) {
    EXPECT_EQ(manager->ParseReply(""), 10);
    EXPECT_EQ(manager->ParseReply(" <?xml version=\"1.0\"?>"), 10);
    EXPECT_EQ(manager->ParseReply("\xEF\xBB\xBF<?xml?>"), 10);
    EXPECT_EQ(manager->ParseReply("<html>error</html>"), 10);
    EXPECT_EQ(manager->ParseReply("<?XML version=\"1.0\"?>"), 0);
    EXPECT_EQ(manager->ParseReply("<?xml"), 0);
    EXPECT_TRUE(Remote(0).dr_version.empty());
}

TEST_F(ParseReplyTest, AppliesEveryDriverElementInDocumentOrder) {
    const char* reply =
        "<?xml version=\"1.0\"?><drivers><code>0</code>"
        "<driver><dr_link>http://d/a.exe</dr_link><dev_hardid>pci\\ven_8086&dev_27c8</dev_hardid>"
        "<dr_version> \r\n 6.1.7601.17514\n</dr_version><dr_name>Chipset</dr_name><dev_desc>USB</dev_desc>"
        "<dev_class_guid>{4D36E97D-E325-11CE-BFC1-08002BE10318}</dev_class_guid><dr_size>1 MB</dr_size>"
        "<dr_official_link>http://vendor/</dr_official_link></driver>"
        "<driver><dev_hardid>USB\\VID_046D&PID_C52B</dev_hardid><dr_version>2.0</dr_version></driver>"
        "<driver><dev_hardid>USB\\VID_046D&PID_C52B</dev_hardid><dr_version>3.0</dr_version>"
        "<dr_name>Receiver</dr_name></driver></drivers>";
    EXPECT_EQ(manager->ParseReply(reply), 0);
    EXPECT_EQ(Remote(0).dev_hardid, "pci\\ven_8086&dev_27c8");
    EXPECT_EQ(Remote(0).dr_version, "6.1.7601.17514");
    EXPECT_EQ(Remote(0).dr_name, "Chipset");
    EXPECT_EQ(Remote(0).dev_desc, "USB");
    EXPECT_EQ(Remote(0).dev_class_guid, "{4D36E97D-E325-11CE-BFC1-08002BE10318}");
    EXPECT_EQ(Remote(0).dr_size, "1 MB");
    EXPECT_EQ(Remote(0).dr_official_link, "http://vendor/");
    EXPECT_EQ(Remote(0).dr_link, "http://d/a.exe");
    // The second element for the receiver only fills what the first left empty.
    EXPECT_EQ(Remote(1).dr_version, "2.0");
    EXPECT_EQ(Remote(1).dr_name, "Receiver");
}

TEST_F(ParseReplyTest, DirectLinksCarryingThePassPhraseAreDropped) {
    EXPECT_EQ(manager->ParseReply("<?xml?><driver><dev_hardid>USB\\VID_046D&PID_C52B</dev_hardid>"
                                  "<dr_link>http://d/QALTUMBRENX/x.exe</dr_link>"
                                  "<dr_official_link>http://d/QALTUMBRENX/</dr_official_link></driver>"),
              0);
    EXPECT_EQ(Remote(1).dr_link, "");
    EXPECT_EQ(Remote(1).dr_official_link, "http://d/QALTUMBRENX/");
}

TEST_F(ParseReplyTest, AnEmptyElementEndsTheWalk) {
    EXPECT_EQ(manager->ParseReply("<?xml?><driver></driver><driver><dev_hardid>USB\\VID_046D&PID_C52B"
                                  "</dev_hardid><dr_version>2.0</dr_version></driver>"),
              0);
    EXPECT_TRUE(Remote(1).dr_version.empty());
}

TEST_F(ParseReplyTest, AnUnclosedElementEndsTheWalk) {
    EXPECT_EQ(manager->ParseReply("<?xml?><driver><dev_hardid>PCI\\VEN_8086&DEV_27C8</dev_hardid>"
                                  "<dr_version>1.5</dr_version></driver><driver><dev_hardid>"
                                  "USB\\VID_046D&PID_C52B</dev_hardid><dr_version>2.0</dr_version>"),
              0);
    EXPECT_EQ(Remote(0).dr_version, "1.5");
    EXPECT_TRUE(Remote(1).dr_version.empty());
}

TEST_F(ParseReplyTest, AClosingTagInsideAValueEndsThatFieldEarly) {
    // References are decoded before the scan, so an encoded tag acts as a tag.
    const std::string text = HTMLDecode(
        "<?xml?><driver><dev_hardid>PCI\\VEN_8086&amp;DEV_27C8</dev_hardid>"
        "<dr_name>Fast &lt;/dr_name&gt; driver</dr_name></driver>");
    EXPECT_EQ(manager->ParseReply(text), 0);
    EXPECT_EQ(Remote(0).dr_name, "Fast");
}

}  // namespace
