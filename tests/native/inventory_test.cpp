// The driver inventory built from the probe library: grouping, ordering,
// de-duplication, the merge of answers and the out-of-date test.
#include <memory>
#include <vector>

#include "DriverManagerUnit.h"
#include "ErrorBox.h"
#include "GuidText.h"
#include "ProbeFixture.h"

using namespace probe_test;

namespace {

constexpr std::uint32_t kPrinter = 0x4D36E979;
constexpr std::uint32_t kDisplay = 0x4D36E968;
constexpr std::uint32_t kNet = 0x4D36E972;
constexpr std::uint32_t kSystem = 0x4D36E97D;
constexpr std::uint32_t kMouse = 0x4D36E96F;

class Inventory : public ProbeFixture {
protected:
    void SetUp() override {
        ProbeFixture::SetUp();
        previous_box_ = SetErrorBoxHandler([this](const std::string& text, const std::string& caption) {
            boxes.push_back(caption + ": " + text);
        });
        table().classes = {MakeClass(kPrinter, "Printer", "Printers"),
                           MakeClass(kDisplay, "Display", "Display adapters"),
                           MakeClass(kNet, "Net", "Network adapters"),
                           MakeClass(kSystem, "System", "System devices"),
                           MakeClass(kMouse, "Mouse", "Mice and other pointing devices")};
    }
    void TearDown() override {
        manager.reset();
        SetErrorBoxHandler(previous_box_);
        ProbeFixture::TearDown();
    }

    // Devices are served sorted by name, so names fix the load order.
    void Add(const std::string& instance_id, const std::string& name, const std::string& class_name,
             std::uint32_t guid, const std::string& version = "1.0.0.0") {
        auto device = MakeDevice(instance_id, name, class_name, guid);
        GiveDriver(device, version);
        table().devices.push_back(device);
    }

    TDriverManager& Load() {
        manager = std::make_unique<TDriverManager>();
        manager->ScanHardware();
        manager->LoadInventory();
        return *manager;
    }

    std::vector<std::string> CategoryOrder() const {
        std::vector<std::string> names;
        for (int i = 0; i < manager->Categories.Count(); ++i)
            names.push_back(manager->Categories.Objects(i)->ClassName);
        return names;
    }

    std::unique_ptr<TDriverManager> manager;
    std::vector<std::string> boxes;

private:
    ErrorBoxHandler previous_box_;
};

TEST_F(Inventory, GroupsDevicesByClassGuidInLoadOrder) {
    Add("ACPI\\PNP0303\\4&1", "A keyboard controller", "System", kSystem);
    Add("HID\\VID_046D&PID_C52B\\7&2", "B mouse", "Mouse", kMouse);
    Add("ACPI\\PNP0C0C\\2&3", "C power button", "System", kSystem);
    TDriverManager& m = Load();

    ASSERT_EQ(m.Categories.Count(), 2);
    const TDriverCategory* system = m.Categories.Objects(0);
    EXPECT_EQ(system->ClassGUID, "{4D36E97D-E325-11CE-BFC1-08002BE10318}");
    EXPECT_EQ(m.Categories.Strings(0), system->ClassGUID);
    EXPECT_EQ(system->ClassName, "System");
    EXPECT_EQ(system->ClassDescription, "System devices");
    ASSERT_EQ(system->Drivers.Count(), 2);
    EXPECT_EQ(system->Drivers.Strings(0), "ACPI\\PNP0303");
    EXPECT_EQ(system->Drivers.Strings(1), "ACPI\\PNP0C0C");
    EXPECT_EQ(system->Drivers.Objects(1)->Category, system);
    EXPECT_FALSE(system->HasOutOfDate);

    ASSERT_EQ(m.DriversCount(), 3);
    EXPECT_EQ(m.Drivers.Strings(0), "ACPI\\PNP0303");
    EXPECT_EQ(m.Drivers.Strings(1), "HID\\VID_046D&PID_C52B");
    EXPECT_EQ(m.Drivers.Strings(2), "ACPI\\PNP0C0C");
    EXPECT_EQ(m.Drivers.Objects(1), m.Categories.Objects(1)->Drivers.Objects(0));
}

TEST_F(Inventory, FavouredClassesStandFirstTheLastMetLeading) {
    Add("ROOT\\SYS\\0000", "A system thing", "System", kSystem);
    Add("ROOT\\PRN\\0000", "B printer", "Printer", kPrinter);
    Add("ROOT\\MOU\\0000", "C mouse", "Mouse", kMouse);
    Add("PCI\\VEN_10DE&DEV_0640\\4&2", "D graphics", "Display", kDisplay);
    Add("PCI\\VEN_8086&DEV_10D3\\3&1", "E ethernet", "Net", kNet);
    Load();
    EXPECT_EQ(CategoryOrder(), (std::vector<std::string>{"Net", "Display", "Printer", "System", "Mouse"}));
}

TEST_F(Inventory, DuplicateIdentifiersAreKeptOncePerClass) {
    Add("USB\\VID_046D&PID_C52B\\5&1", "A receiver", "Mouse", kMouse);
    Add("USB\\VID_046D&PID_C52B\\5&2", "B receiver", "Mouse", kMouse);
    Add("usb\\vid_046d&pid_c52b\\5&3", "C receiver", "Mouse", kMouse);
    Add("USB\\VID_046D&PID_C52B\\6&1", "D receiver", "System", kSystem);
    TDriverManager& m = Load();

    ASSERT_EQ(m.Categories.Count(), 2);
    EXPECT_EQ(m.Categories.Objects(0)->Drivers.Count(), 1);
    EXPECT_EQ(m.Categories.Objects(1)->Drivers.Count(), 1);
    ASSERT_EQ(m.DriversCount(), 2);

    // Answers go to the driver loaded first, whichever class it is in.
    m.ApplyRemoteDetail({"usb\\VID_046D&PID_C52B", "2.0.0.0", "", "", "", "", "", "http://x/a.exe"});
    EXPECT_EQ(m.Drivers.Objects(0)->Remote.dr_version, "2.0.0.0");
    EXPECT_EQ(m.Drivers.Objects(0)->Category->ClassName, "Mouse");
    EXPECT_TRUE(m.Drivers.Objects(1)->Remote.dr_version.empty());
}

TEST_F(Inventory, FirstAnswerWinsAndLaterAnswersOnlyFillGaps) {
    Add("PCI\\VEN_8086&DEV_27C8\\3&1", "A controller", "System", kSystem);
    TDriverManager& m = Load();
    m.ApplyRemoteDetail({"PCI\\VEN_8086&DEV_27C8", "2.0", "", "desc", "", "", "", ""});
    m.ApplyRemoteDetail({"PCI\\VEN_8086&DEV_27C8", "3.0", "name", "other", "{guid}", "12 MB",
                         "http://vendor/page", "http://files/d.exe"});
    m.ApplyRemoteDetail({"PCI\\VEN_FFFF&DEV_0000", "9.9", "", "", "", "", "", ""});
    const TRemote_detail& r = m.Drivers.Objects(0)->Remote;
    EXPECT_EQ(r.dev_hardid, "PCI\\VEN_8086&DEV_27C8");
    EXPECT_EQ(r.dr_version, "2.0");
    EXPECT_EQ(r.dr_name, "name");
    EXPECT_EQ(r.dev_desc, "desc");
    EXPECT_EQ(r.dev_class_guid, "{guid}");
    EXPECT_EQ(r.dr_size, "12 MB");
    EXPECT_EQ(r.dr_official_link, "http://vendor/page");
    EXPECT_EQ(r.dr_link, "http://files/d.exe");
}

TEST_F(Inventory, AnAnswerWithoutIdentifierReachesADeviceWithoutOne) {
    TDriverManager& m = Load();
    TDriverCategory* category = new TDriverCategory;
    m.Categories.AddObject("{guid}", category);
    hardware_detail record{};
    TDriver* driver = category->AddDriver(record);
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(category->AddDriver(record), nullptr);
    m.Drivers.AddObject("", driver);
    m.ApplyRemoteDetail({"", "5.0", "", "", "", "", "", ""});
    EXPECT_EQ(driver->Remote.dr_version, "5.0");
}

TEST_F(Inventory, OutOfDateNeedsAnOfferedVersionThatDiffersAndALink) {
    struct Case {
        const char* installed;
        const char* offered;
        const char* official_link;
        const char* link;
        bool out_of_date;
    } cases[] = {
        {"6.1.7600.16385", "6.1.7600.16385", "", "http://d/x.exe", false},
        {"6.1.7600.16385", "6.1.7601.17514", "", "http://d/x.exe", true},
        {"6.1.7600.16385", "6.1.7601.17514", "http://vendor/", "", true},
        {"6.1.7600.16385", "   ", "", "http://d/x.exe", false},
        {"6.1.7600.16385", "6.1.7601.17514", "", "", false},
        {"1.0a", "1.0A", "", "http://d/x.exe", false},
        {"2.0", "1.0", "", "http://d/x.exe", true},  // versions are not ordered
        {"", "1.0", "", "http://d/x.exe", true},
        {"1.0", " 1.0 ", "", "http://d/x.exe", true},  // blanks count in the comparison
        {"1.0", "", "", "http://d/x.exe", false},
    };
    for (const Case& c : cases) {
        TDriver driver;
        const std::u16string installed = Utf16(c.installed);
        installed.copy(driver.Detail.driver_version, installed.size());
        driver.Remote.dr_version = c.offered;
        driver.Remote.dr_official_link = c.official_link;
        driver.Remote.dr_link = c.link;
        EXPECT_EQ(driver.IsOutOfDate(), c.out_of_date)
            << "installed '" << c.installed << "' offered '" << c.offered << "'";
    }
}

TEST_F(Inventory, RefusedInitialisationShowsOneBoxAndNeverUninitialises) {
    Add("ROOT\\SYS\\0000", "A system thing", "System", kSystem);
    platform.com_accepts = false;
    TDriverManager& m = Load();
    EXPECT_FALSE(m.Initialized);
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: Sorry! Init Error!"});
    EXPECT_EQ(m.DriversCount(), 0);
    EXPECT_EQ(m.Categories.Count(), 0);
    manager.reset();
    EXPECT_EQ(platform.com_uninitialize_calls, 0);
}

TEST_F(Inventory, DestroyUninitialisesTheLibraryWhenItWasInitialised) {
    Load();
    EXPECT_TRUE(manager->Initialized);
    EXPECT_TRUE(boxes.empty());
    manager.reset();
    EXPECT_EQ(platform.com_uninitialize_calls, 1);
    EXPECT_EQ(qz_scan_hardware(), -1);  // the library is back to not initialised
}

TEST_F(Inventory, AnEmptyDeviceListLeavesTheInventoryAsItWas) {
    Add("ROOT\\SYS\\0000", "A system thing", "System", kSystem);
    TDriverManager& m = Load();
    ASSERT_EQ(m.DriversCount(), 1);
    table().devices.clear();
    m.ScanHardware();
    m.LoadInventory();
    EXPECT_EQ(m.DriversCount(), 1);
    m.ClearInventory();
    EXPECT_EQ(m.DriversCount(), 0);
    EXPECT_EQ(m.Categories.Count(), 0);
}

TEST_F(Inventory, ClassGuidTextIsBracedUpperCaseHex) {
    qz_guid guid{0x6bdd1fc6, 0x810f, 0x11d0, {0xbe, 0xc7, 0x08, 0x00, 0x2b, 0xe2, 0x09, 0x2f}};
    EXPECT_EQ(GuidToText(guid), "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}");
    EXPECT_EQ(GuidToText(qz_guid{}), "{00000000-0000-0000-0000-000000000000}");
}

}  // namespace
