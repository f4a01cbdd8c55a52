// The lookup request: the machine profile, the identifier list, the sealed
// body, and the lookup's result codes against a fake platform.
#include <gtest/gtest.h>

#include <memory>

#include "ConvertError.h"
#include "DriverManagerUnit.h"
#include "EncryptDecryptUnit.h"
#include "ProbeFixture.h"
#include "PubUnit.h"

using namespace probe_test;

namespace {

class FakeLookupPlatform final : public TLookupPlatform {
public:
    std::string AppVersion() override { return app_version; }
    TOsVersion OsVersion() override {
        ++os_queries;
        return os;
    }
    std::optional<bool> Is64BitSystem() override { return is64; }
    int BatteryFlag() override {
        ++battery_queries;
        return battery;
    }
    TLocaleNames LocaleNames() override { return locale; }
    bool IsInternetConnected() override { return connected; }
    std::string HttpPost(const std::string& body) override {
        posted.push_back(body);
        return reply;
    }

    std::string app_version = "1.0.0.0";
    TOsVersion os{6, 1, 7601};
    std::optional<bool> is64 = false;
    int battery = 128;
    TLocaleNames locale{"en", 3, "US", 3, 1033};
    bool connected = true;
    std::string reply;
    std::vector<std::string> posted;
    int os_queries = 0;
    int battery_queries = 0;
};

class Request : public ProbeFixture {
protected:
    void Load(const std::vector<std::string>& instance_ids) {
        table().classes = {MakeClass(1, "System", "System devices")};
        char name = 'A';
        for (const std::string& id : instance_ids)
            table().devices.push_back(MakeDevice(id, std::string(1, name++) + " device", "System"));
        manager = std::make_unique<TDriverManager>();
        manager->Platform = &platform;
        manager->ScanHardware();
        manager->LoadInventory();
    }
    void TearDown() override {
        manager.reset();
        ProbeFixture::TearDown();
    }
    std::string Open(const std::string& body) {
        EXPECT_EQ(body.rfind("data=", 0), 0u);
        std::string base64;  // undo URLEncode: only %XX escapes occur in Base64 text
        for (std::size_t i = 5; i < body.size(); ++i) {
            if (body[i] == '%') {
                base64 += static_cast<char>(std::stoi(body.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                base64 += body[i];
            }
        }
        const std::string plain = manager->DecryptReply(base64);
        return plain.substr(0, plain.find('\0'));
    }
    std::string Seal(const std::string& text) { return manager->EncryptPostData(text); }

    FakeLookupPlatform platform;
    std::unique_ptr<TDriverManager> manager;
};

TEST_F(Request, PostDataListsTheProfileAndTheIdentifiers) {
    Load({"PCI\\VEN_8086&DEV_27C8\\3&1", "USB\\VID_046D&PID_C52B\\5&2"});
    EXPECT_EQ(manager->BuildPostData(),
              "version=1.0.0.0&os=win7&language=en_US&platform=desktop&action=GetDriverUrls"
              "&code=5E07A3D2&hardids=PCI\\VEN_8086%26DEV_27C8,USB\\VID_046D%26PID_C52B");
}

TEST_F(Request, AnEmptyInventorySendsNoIdentifiers) {
    Load({});
    platform.app_version = "";
    const std::string post = manager->BuildPostData();
    EXPECT_EQ(post.substr(0, 12), "version=&os=");
    EXPECT_EQ(post.substr(post.size() - 8), "hardids=");
}

TEST_F(Request, OnlyATrailingCommaOfTheLastIdentifierGoes) {
    Load({"ROOT\\A,\\0", "ROOT\\B,\\0"});
    EXPECT_EQ(manager->GetHardIDs(), "ROOT\\A,,ROOT\\B");
}

TEST_F(Request, OperatingSystemNames) {
    struct Case {
        TOsVersion version;
        std::optional<bool> is64;
        const char* name;
    } cases[] = {
        {{5, 0, 2195}, false, "win2000"}, {{5, 1, 2600}, false, "winxp"},
        {{5, 2, 3790}, true, "win200364"}, {{6, 0, 6002}, true, "vista64"},
        {{6, 1, 7601}, false, "win7"},     {{6, 1, 7601}, true, "win764"},
        {{6, 2, 9200}, false, "win8"},     {{6, 3, 9600}, true, "win8164"},
        {{10, 0, 19045}, false, "win10"},  {{10, 0, 22000}, true, "win1164"},
        {{10, 0, 21999}, true, "win1064"}, {{4, 0, 1381}, false, ""},
        {{11, 0, 0}, true, "64"},          {{6, 1, 7601}, std::nullopt, "win7"},
    };
    Load({});
    for (const Case& c : cases) {
        manager->OSName.clear();
        platform.os = c.version;
        platform.is64 = c.is64;
        EXPECT_EQ(manager->GetOSName(), c.name) << c.version.Major << "." << c.version.Minor;
    }
}

TEST_F(Request, OsNameAndPlatformAreComputedOncePerRun) {
    Load({});
    manager->GetOSName();
    manager->GetOSName();
    manager->GetPlatform();
    manager->GetPlatform();
    EXPECT_EQ(platform.os_queries, 1);
    EXPECT_EQ(platform.battery_queries, 1);
    // An empty name is computed again next time.
    platform.os = {4, 0, 0};
    manager->OSName.clear();
    manager->GetOSName();
    manager->GetOSName();
    EXPECT_EQ(platform.os_queries, 3);
}

TEST_F(Request, MachineKindFollowsTheBatteryFlag) {
    Load({});
    for (const auto& [flag, kind] : std::vector<std::pair<int, std::string>>{
             {128, "desktop"}, {255, "desktop"}, {8, "laptop"}, {1, "laptop"}, {0, "laptop"}}) {
        manager->PlatformName.clear();
        platform.battery = flag;
        EXPECT_EQ(manager->GetPlatform(), kind) << flag;
    }
}

TEST_F(Request, LanguageFromLocaleNamesElseFromTheThreadLocale) {
    struct Case {
        TLocaleNames locale;
        const char* code;
    } cases[] = {
        {{"en", 3, "US", 3, 1033}, "en_US"},
        {{"no", 3, "NO", 3, 1044}, "nb_NO"},
        {{"NO", 3, "NO", 3, 1044}, "nb_NO"},
        {{"de", 3, "AT", 3, 3079}, "de_AT"},
        {{"fil", 4, "PH", 3, 1124}, "C"},
        {{"", 0, "", 0, 1031}, "de_DE"},
        {{"", 0, "", 0, 3082}, "es_ES"},
        {{"", 0, "", 0, 2068}, "nn_NO"},
        {{"es", 3, "", 0, 4103}, "de_LU"},
    };
    Load({});
    for (const Case& c : cases) {
        platform.locale = c.locale;
        EXPECT_EQ(manager->GetLanguage(), c.code) << c.locale.Language;
    }
}

TEST(URLEncodeTest, LettersAndDigitsPassBlanksBecomePlus) {
    EXPECT_EQ(URLEncode("Ab+/="), "Ab%2B%2F%3D");
    EXPECT_EQ(URLEncode("a b"), "a+b");
    EXPECT_EQ(URLEncode("\xe9_-.~09Zz"), "%E9%5F%2D%2E%7E09Zz");
    EXPECT_EQ(EscapeAmpersands("a&b&&c%26"), "a%26b%26%26c%26");
}

TEST_F(Request, NoConnectionSendsNothing) {
    Load({"ROOT\\A\\0"});
    platform.connected = false;
    EXPECT_EQ(manager->GetRemoteDriverURLs(), 3);
    EXPECT_TRUE(platform.posted.empty());
}

TEST_F(Request, TheBodyIsTheSealedPostDataUrlEncoded) {
    Load({"PCI\\VEN_8086&DEV_27C8\\3&1"});
    platform.reply = "";
    EXPECT_EQ(manager->GetRemoteDriverURLs(), 10);  // an empty reply is unusable
    ASSERT_EQ(platform.posted.size(), 1u);
    const std::string& body = platform.posted[0];
    EXPECT_EQ(body.find_first_of("+/=", 5), std::string::npos);
    EXPECT_EQ(Open(body), manager->BuildPostData());
}

TEST_F(Request, ASealedReplyIsMerged) {
    Load({"PCI\\VEN_8086&DEV_27C8\\3&1"});
    platform.reply = Seal("<?xml version=\"1.0\"?><drivers><driver><dev_hardid>PCI\\VEN_8086&amp;DEV_27C8"
                          "</dev_hardid><dr_version>2.0</dr_version><dr_link>http://d/x.exe</dr_link>"
                          "</driver></drivers>");
    EXPECT_EQ(manager->GetRemoteDriverURLs(), 0);
    EXPECT_EQ(manager->Drivers.Objects(0)->Remote.dr_version, "2.0");
    EXPECT_TRUE(manager->Drivers.Objects(0)->IsOutOfDate());
}

TEST_F(Request, GarbageRepliesAreUnusable) {
    Load({"PCI\\VEN_8086&DEV_27C8\\3&1"});
    for (const std::string& reply : {std::string("<html>Not found</html>"), std::string("!!!!"),
                                    EncryptText("<?xml?>", "wrong key", "wrong iv")}) {
        platform.reply = reply;
        try {
            EXPECT_EQ(manager->GetRemoteDriverURLs(), 10) << reply;
        } catch (const EConvertError&) {
            // Opened with the wrong key, the bytes may hold an "&": the lookup ends with that error.
        }
    }
    EXPECT_TRUE(manager->Drivers.Objects(0)->Remote.dr_version.empty());
}

TEST_F(Request, AMalformedReferenceEndsTheLookupBeforeAnyAnswerIsApplied) {
    Load({"PCI\\VEN_8086&DEV_27C8\\3&1"});
    platform.reply = Seal("<?xml?><driver><dev_hardid>PCI\\VEN_8086&amp;DEV_27C8</dev_hardid>"
                          "<dr_version>2.0</dr_version></driver><driver>&copy;</driver>");
    EXPECT_THROW(manager->GetRemoteDriverURLs(), EConvertError);
    EXPECT_TRUE(manager->Drivers.Objects(0)->Remote.dr_version.empty());
}

}  // namespace
