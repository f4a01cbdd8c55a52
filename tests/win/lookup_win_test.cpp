// The lookup on Windows: the machine profile as Wine reports it, the seal
// with the platform's own AES and MD5, and the whole lookup against the
// reference service over an inventory of the seeded devices.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>

#include "AnsiText.h"
#include "Application_win.h"
#include "EncryptDecryptUnit.h"
#include "EnvelopeVectors.h"
#include "ErrorBox.h"
#include "LookupPlatform_win.h"
#include "PubUnit.h"
#include "TestServers.h"
#include "dmUnit_win.h"

namespace {

TEST(LookupOnWindows, SealsWithThePlatformsAesLikeEveryoneElse) {
    const std::string key = MD5Hex16("gravomel");
    const std::string iv = MD5Hex16("qaltumbrenx");
    EXPECT_EQ(key, "47652045FB5616CD");
    const auto vectors = ReadEnvelopeVectors(WinePath(TARNWICK_VECTORS_DIR "/envelope.txt"));
    ASSERT_GE(vectors.size(), 5u) << "vectors file missing";
    for (const auto& [plain, seal] : vectors) {
        EXPECT_EQ(EncryptText(plain, key, iv), seal);
        EXPECT_EQ(DecryptText(seal, key, iv), ZeroPad(plain, 16)) << seal;
    }
}

TEST(LookupOnWindows, ProfileAsTheSystemReportsIt) {
    TWindowsLookupPlatform platform("Z:\\nonexistent\\setup.ini");
    TDriverManager manager;
    manager.Platform = &platform;
    // A fresh Wine 8 prefix presents itself as 64-bit Windows 7 (6.1).
    EXPECT_EQ(manager.GetOSName(), "win764");
    EXPECT_TRUE(std::regex_match(manager.GetLanguage(), std::regex("[a-z]{2}_[A-Z]{2}|C")))
        << manager.GetLanguage();
    const std::string kind = manager.GetPlatform();
    EXPECT_TRUE(kind == "desktop" || kind == "laptop") << kind;
    // Test programs carry no version resource.
    EXPECT_EQ(manager.GetAppVersion(), "");
    EXPECT_EQ(platform.LookupURL(), TWindowsLookupPlatform::kDefaultLookupURL);
}

// A lookup platform whose service answers with a fixed reply.
class CannedPlatform final : public TLookupPlatform {
public:
    explicit CannedPlatform(std::string reply) : reply_(std::move(reply)) {}
    std::string AppVersion() override { return "1.0.0.0"; }
    TOsVersion OsVersion() override { return {6, 1, 7601}; }
    std::optional<bool> Is64BitSystem() override { return true; }
    int BatteryFlag() override { return 128; }
    TLocaleNames LocaleNames() override { return {"en", 3, "US", 3, 1033}; }
    bool IsInternetConnected() override { return true; }
    std::string HttpPost(const std::string&) override { return reply_; }

private:
    std::string reply_;
};

TEST(LookupOnWindows, AMalformedReferenceEndsTheLookupThreadQuietly) {
    TDriverManager manager;
    CannedPlatform platform(manager.EncryptPostData(
        "<?xml?><driver><dev_hardid>PCI\\VEN_10DE&amp;DEV_0640</dev_hardid><dr_version>9</dr_version>"
        "</driver>&copy;"));
    manager.Platform = &platform;
    manager.ScanHardware();
    manager.LoadInventory();
    auto* scan = new TScanThread;
    scan->FreeOnTerminate = true;
    scan->Manager = &manager;
    bool ended = false;
    bool failed = true;
    bool answered = true;
    scan->OnTerminate = [&](TThread* sender) {
        ended = true;
        failed = static_cast<bool>(sender->FatalException());
        answered = static_cast<TScanThread*>(sender)->Answered;
    };
    scan->Start();
    ASSERT_TRUE(Application.ProcessMessagesUntil([&] { return ended; }, 30000));
    EXPECT_FALSE(failed);  // caught in the thread's body, as after an unusable reply
    EXPECT_FALSE(answered);
    const int index = manager.Drivers.IndexOf("PCI\\VEN_10DE&DEV_0640");
    ASSERT_GE(index, 0);
    EXPECT_TRUE(manager.Drivers.Objects(index)->Remote.dr_version.empty());
}

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(ServerPort("service"), 0) << "the lookup service is not running";
        previous_ = SetErrorBoxHandler([](const std::string&, const std::string&) {});
        settings_ = TDM::GetDataFolder() + "setup.ini";
        DM = new TDM;
    }
    void TearDown() override {
        delete DM;
        DM = nullptr;
        DeleteFileA(settings_.c_str());
        SetErrorBoxHandler(previous_);
    }
    void Configure(const std::string& lookup, const std::string& connectivity) {
        WritePrivateProfileStringA("Service", "LookupURL", lookup.c_str(), settings_.c_str());
        WritePrivateProfileStringA("Service", "ConnectivityURL", connectivity.c_str(), settings_.c_str());
    }
    const TRemote_detail& Remote(const std::string& hardware_id) {
        const int index = DriverManager->Drivers.IndexOf(hardware_id);
        EXPECT_GE(index, 0) << hardware_id;
        static const TRemote_detail none;
        return index < 0 ? none : DriverManager->Drivers.Objects(index)->Remote;
    }
    int Posts() {
        int posts = 0;
        for (const std::string& line : ServerLog("service"))
            if (line.find("\"POST\"") != std::string::npos) ++posts;
        return posts;
    }

    std::string settings_;

private:
    ErrorBoxHandler previous_;
};

TEST_F(EndToEnd, MergesTheCataloguesAnswers) {
    Configure(ServerURL("service", "/index.php"), ServerURL("service", "/"));
    const int before = Posts();
    EXPECT_EQ(DriverManager->GetRemoteDriverURLs(), 0);
    EXPECT_EQ(Posts(), before + 1);

    const TRemote_detail& graphics = Remote("PCI\\VEN_10DE&DEV_0640");
    EXPECT_EQ(graphics.dev_hardid, "PCI\\VEN_10DE&DEV_0640");
    EXPECT_FALSE(graphics.dr_version.empty());
    EXPECT_NE(graphics.dr_version, "8.17.12.6099");
    EXPECT_EQ(graphics.dr_link.rfind(ServerURL("service", "/files/"), 0), 0u) << graphics.dr_link;
    EXPECT_TRUE(DriverManager->Drivers.Objects(DriverManager->Drivers.IndexOf("PCI\\VEN_10DE&DEV_0640"))
                    ->IsOutOfDate());
    EXPECT_FALSE(Remote("PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02").dr_version.empty());
    EXPECT_FALSE(Remote("USB\\VID_046D&PID_C52B&MI_00").dr_name.empty());

    // What went over the wire: the seeded identifiers, each "&" as "%26" inside the seal.
    const std::string last = ServerLog("service").back();
    EXPECT_NE(last.find("PCI\\\\VEN_10DE&DEV_0640"), std::string::npos) << last;
    EXPECT_NE(last.find("\"os\": \"win764\""), std::string::npos) << last;
}

TEST_F(EndToEnd, NoConnectionMeansNoRequest) {
    Configure(ServerURL("service", "/index.php"), "http://127.0.0.1:1/");
    const int before = Posts();
    EXPECT_EQ(DriverManager->GetRemoteDriverURLs(), 3);
    EXPECT_EQ(Posts(), before);
    EXPECT_TRUE(Remote("PCI\\VEN_10DE&DEV_0640").dr_version.empty());
}

TEST_F(EndToEnd, AGarbageReplyIsUnusable) {
    Configure(ServerURL("recorder", "/garbage"), ServerURL("recorder", "/"));
    EXPECT_EQ(DriverManager->GetRemoteDriverURLs(), 10);
    Configure(ServerURL("recorder", "/status/404"), ServerURL("recorder", "/"));
    EXPECT_EQ(DriverManager->GetRemoteDriverURLs(), 10);
    EXPECT_TRUE(Remote("PCI\\VEN_10DE&DEV_0640").dr_version.empty());
}

TEST_F(EndToEnd, TheStartupLookupEndsAndMarksTheWindow) {
    Configure(ServerURL("service", "/index.php"), ServerURL("service", "/"));
    auto* scan = new TScanThread;
    scan->FreeOnTerminate = true;
    scan->Manager = DriverManager;
    scan->InventoryLease = DM->InventoryUsers.Acquire();
    bool ended = false;
    bool answered = false;
    scan->OnTerminate = [&](TThread* sender) {
        ended = true;
        answered = static_cast<TScanThread*>(sender)->Answered;
    };
    scan->Start();
    EXPECT_TRUE(Application.ProcessMessagesUntil([&] { return ended; }, 30000));
    EXPECT_TRUE(answered);
    EXPECT_TRUE(DM->InventoryUsers.Idle());
    EXPECT_FALSE(Remote("PCI\\VEN_10DE&DEV_0640").dr_version.empty());
}

}  // namespace
