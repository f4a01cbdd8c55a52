// The scan over a table of classes and devices: which devices are listed,
// how they find their class, both sorts, identifier parts, driver values and
// every failure the platform can give.
#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "HardwareId.h"
#include "ProbeFixture.h"
#include "Scan.h"

using namespace probe_test;

namespace {

class ScanTest : public testing::Test {
protected:
    ScanTest() {
        table.classes = {MakeClass(1, "System", "System devices"), MakeClass(2, "Unknown", "Other devices"),
                         MakeClass(3, "LegacyDriver", "Non-Plug and Play Drivers")};
    }

    bool Scan() {
        source = probe::TableSource(table);
        return probe::scan_hardware(source, state);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const probe::device_record& d : state.devices) names.push_back(std::string(d.device_name.begin(), d.device_name.end()));
        return names;
    }

    const probe::device_record* Device(const std::string& name) const {
        for (const probe::device_record& d : state.devices)
            if (d.device_name == Utf16(name)) return &d;
        return nullptr;
    }

    static std::string ClassOf(const probe::device_record* d) {
        if (!d || !d->device_class) return "<none>";
        return std::string(d->device_class->name.begin(), d->device_class->name.end());
    }

    probe::Table table;
    probe::TableSource source;
    probe::probe_state state;
};

TEST_F(ScanTest, DevicesAndClassesAreSortedByCodeUnits) {
    table.devices = {MakeDevice("ROOT\\B\\0", "b", "System"), MakeDevice("ROOT\\BB\\0", "B", "System"),
                     MakeDevice("ROOT\\A\\0", "a", "System")};
    table.classes.push_back(MakeClass(4, "Zed", "alpha"));
    table.classes.push_back(MakeClass(5, "Zee", "Zulu"));
    ASSERT_TRUE(Scan());
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "a", "b"}));
    std::vector<std::string> descriptions;
    for (const auto& c : state.classes) descriptions.push_back(std::string(c.description.begin(), c.description.end()));
    EXPECT_EQ(descriptions, (std::vector<std::string>{"Non-Plug and Play Drivers", "Other devices",
                                                      "System devices", "Zulu", "alpha"}));
}

TEST_F(ScanTest, LegacyDriverClassIsLeftOutButOnlyWithExactCase) {
    auto legacy = MakeDevice("ROOT\\LEGACY_SVC\\0000", "Legacy service", "LegacyDriver", 3);
    auto lower = MakeDevice("ROOT\\LEGACY_LOW\\0000", "Lower-case legacy", "legacydriver", 3);
    GiveDriver(lower, "1.0");
    table.devices = {legacy, lower};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(Names(), std::vector<std::string>{"Lower-case legacy"});
    EXPECT_TRUE(state.devices[0].driver_info_complete);
    EXPECT_EQ(ClassOf(&state.devices[0]), "<none>");  // no class is named "legacydriver"
}

TEST_F(ScanTest, DevicesWithoutClassNameOrGuidGoToUnknownWithoutDriver) {
    auto neither = MakeDevice("ROOT\\NEITHER\\0", "Neither", "System");
    neither.properties.erase(probe::kPropertyClass);
    neither.properties.erase(probe::kPropertyClassGuid);
    GiveDriver(neither, "1.0");
    auto no_guid = MakeDevice("ROOT\\NOGUID\\0", "No guid", "System");
    no_guid.properties.erase(probe::kPropertyClassGuid);
    GiveDriver(no_guid, "1.0");
    auto no_name = MakeDevice("ROOT\\NONAME\\0", "No class name", "System");
    no_name.properties[probe::kPropertyClass].text.clear();  // present but empty
    table.devices = {neither, no_guid, no_name};
    ASSERT_TRUE(Scan());
    for (const char* name : {"Neither", "No guid", "No class name"}) {
        EXPECT_EQ(ClassOf(Device(name)), "Unknown") << name;
        EXPECT_FALSE(Device(name)->driver_info_complete) << name;
        EXPECT_TRUE(Device(name)->driver.driver_version.empty()) << name;
    }
    EXPECT_EQ(Device("No guid")->class_name, u"System");
}

TEST_F(ScanTest, WithoutAnUnknownClassSuchDevicesHaveNoClass) {
    table.classes.erase(table.classes.begin() + 1);
    auto neither = MakeDevice("ROOT\\NEITHER\\0", "Neither", "System");
    neither.properties.erase(probe::kPropertyClassGuid);
    table.devices = {neither, MakeDevice("ROOT\\OTHER\\0", "Other class", "Printer")};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(ClassOf(Device("Neither")), "<none>");
    EXPECT_EQ(ClassOf(Device("Other class")), "<none>");
}

TEST_F(ScanTest, NameIsTheFriendlyNameElseTheDescriptionElseTheDeviceIsLeftOut) {
    auto both = MakeDevice("ROOT\\BOTH\\0", "Friendly", "System");
    both.properties[probe::kPropertyDeviceDesc] = {probe::kRegSz, u"Description"};
    auto description = MakeDevice("ROOT\\DESC\\0", "x", "System");
    description.properties.erase(probe::kPropertyFriendlyName);
    description.properties[probe::kPropertyDeviceDesc] = {probe::kRegSz, u"Only description"};
    auto none = MakeDevice("ROOT\\NONE\\0", "x", "System");
    none.properties.erase(probe::kPropertyFriendlyName);
    table.devices = {both, description, none};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Friendly", "Only description"}));
}

TEST_F(ScanTest, UnpluggedDevicesAreListedAsNotPresent) {
    auto gone = MakeDevice("USB\\VID_0781&PID_5567\\1", "Unplugged stick", "System");
    gone.present = false;
    table.devices = {gone, MakeDevice("ROOT\\HERE\\0", "Here", "System")};
    ASSERT_TRUE(Scan());
    EXPECT_FALSE(Device("Unplugged stick")->present);
    EXPECT_TRUE(Device("Here")->present);
}

TEST_F(ScanTest, InstanceIdentifierDecidesTheHardwareIdentifier) {
    const std::string long_id = "ROOT\\" + std::string(600, 'L') + "\\0000";  // more than 512 characters
    table.devices = {MakeDevice("ROOT\\LEGACY_X\\0000", "Legacy x", "System"),
                     MakeDevice(long_id, "Long", "System"),
                     MakeDevice("NOBACKSLASH", "No backslash", "System"),
                     MakeDevice("\\LEADING", "Leading only", "System"),
                     MakeDevice("A\\B\\C\\D", "Deep", "System")};
    auto unreadable = MakeDevice("ROOT\\GONE\\0", "Unreadable", "System");
    unreadable.instance_id.reset();
    table.devices.push_back(unreadable);
    ASSERT_TRUE(Scan());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Deep", "Legacy x", "Long"}));
    EXPECT_EQ(Device("Legacy x")->hardware_id, u"ROOT\\LEGACY_X");
    EXPECT_EQ(Device("Long")->hardware_id, Utf16("ROOT\\" + std::string(600, 'L')));
    EXPECT_EQ(Device("Deep")->hardware_id, u"A\\B\\C");
}

TEST_F(ScanTest, DeviceWithoutEnumeratorNameIsLeftOut) {
    auto missing = MakeDevice("PCI\\VEN_8086&DEV_27C8\\3", "No enumerator", "System");
    missing.properties.erase(probe::kPropertyEnumeratorName);
    table.devices = {missing, MakeDevice("ROOT\\OK\\0", "Listed", "System")};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(Names(), std::vector<std::string>{"Listed"});
}

TEST_F(ScanTest, LongPropertiesGrowTheirBufferWhenTheyArePlainStrings) {
    const std::string long_name(700, 'n');  // 1402 bytes: more than the first 1024
    auto plain = MakeDevice("ROOT\\PLAIN\\0", long_name, "System");
    auto multi = MakeDevice("ROOT\\MULTI\\0", std::string(700, 'm'), "System");
    multi.properties[probe::kPropertyFriendlyName].type = 7;  // REG_MULTI_SZ
    multi.properties[probe::kPropertyDeviceDesc] = {probe::kRegSz, u"Fallback description"};
    auto short_multi = MakeDevice("ROOT\\SHORT\\0", "Short multi", "System");
    short_multi.properties[probe::kPropertyFriendlyName].type = 7;
    table.devices = {plain, multi, short_multi};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Fallback description", "Short multi", long_name}));
}

TEST_F(ScanTest, ClassNamesThatCannotBeReadRemoveTheirClass) {
    table.classes[0].name.reset();
    table.devices = {MakeDevice("ROOT\\SYS\\0", "System thing", "System")};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(state.classes.size(), 2u);
    EXPECT_EQ(ClassOf(Device("System thing")), "<none>");
}

TEST_F(ScanTest, SizesThatCanNeverSufficeCountAsMissingInsteadOfLoopingForEver) {
    table.classes[0].name_reported_length = 0;  // Wine's answer for a class key without a name
    table.classes.push_back(MakeClass(8, "Stubborn", "Stubborn class"));
    table.classes.back().name_reported_length = 1024;
    auto name = MakeDevice("ROOT\\NAME\\0", "Unreadable friendly name", "Unknown", 2);
    name.properties[probe::kPropertyFriendlyName].reported_size = 1024;
    name.properties[probe::kPropertyDeviceDesc] = {probe::kRegSz, u"Described instead"};
    auto driver = MakeDevice("ROOT\\DRV\\0", "Unreadable driver value", "Unknown", 2);
    GiveDriver(driver, "1.0");
    (*driver.driver_key)[u"InfPath"].reported_size = 0;
    table.devices = {name, driver};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(state.classes.size(), 2u);  // System and Stubborn are gone
    EXPECT_EQ(Names(), (std::vector<std::string>{"Described instead", "Unreadable driver value"}));
    EXPECT_FALSE(Device("Unreadable driver value")->driver_info_complete);
    EXPECT_EQ(Device("Unreadable driver value")->driver.driver_version, u"1.0");
}

TEST_F(ScanTest, LongClassNamesAreReadWhole) {
    const std::string long_class(1500, 'K');
    table.classes.push_back(MakeClass(9, long_class, "Long class"));
    table.devices = {MakeDevice("ROOT\\K\\0", "K device", long_class, 9)};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(ClassOf(Device("K device")), long_class);
}

TEST_F(ScanTest, ClassesWithoutReadableDescriptionAreDescribedByTheirName) {
    table.classes[0].description.reset();
    table.classes.push_back(MakeClass(7, "Verbose", std::string(256, 'v')));  // more than 255 characters
    table.devices = {MakeDevice("ROOT\\SYS\\0", "System thing", "System"),
                     MakeDevice("ROOT\\VERB\\0", "Verbose thing", "Verbose", 7)};
    ASSERT_TRUE(Scan());
    EXPECT_EQ(Device("System thing")->device_class->description, u"System");
    EXPECT_EQ(Device("Verbose thing")->device_class->description, u"Verbose");
    EXPECT_EQ(state.classes.size(), 4u);
}

TEST_F(ScanTest, FailuresOfTheClassListOrDeviceSetFailTheScanWithoutDevices) {
    table.devices = {MakeDevice("ROOT\\SYS\\0", "System thing", "System")};
    table.class_list_error = 1784;
    state.devices.resize(3);
    EXPECT_FALSE(Scan());
    EXPECT_TRUE(state.devices.empty());

    table.class_list_error = probe::kErrorSuccess;
    table.open_devices_error = 5;
    EXPECT_FALSE(Scan());
    EXPECT_TRUE(state.devices.empty());
    EXPECT_EQ(state.classes.size(), 3u);
}

// Forwards to a table but runs out of memory while naming classes once armed.
class ExhaustedSource final : public probe::DeviceSource {
public:
    explicit ExhaustedSource(probe::TableSource& inner) : inner_(inner) {}
    bool armed = false;

    probe::Error build_class_info_list(qz_guid* guids, std::uint32_t size, std::uint32_t* required) override {
        return inner_.build_class_info_list(guids, size, required);
    }
    probe::Error get_class_description(const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                                       std::uint32_t* required) override {
        return inner_.get_class_description(guid, buffer, length, required);
    }
    probe::Error class_name_from_guid(const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                                      std::uint32_t* required) override {
        if (armed) throw std::bad_alloc();
        return inner_.class_name_from_guid(guid, buffer, length, required);
    }
    std::unique_ptr<probe::DeviceSet> open_all_devices(probe::Error* error) override {
        return inner_.open_all_devices(error);
    }

private:
    probe::TableSource& inner_;
};

TEST_F(ScanTest, RunningOutOfMemoryAmongTheClassesLeavesNoDeviceOfTheLastScan) {
    table.devices = {MakeDevice("ROOT\\SYS\\0", "System thing", "System", 1)};
    source = probe::TableSource(table);
    ExhaustedSource exhausted(source);
    ASSERT_TRUE(probe::scan_hardware(exhausted, state));
    ASSERT_EQ(state.devices.size(), 1u);

    // Those devices point at classes that the next scan throws away.
    exhausted.armed = true;
    EXPECT_THROW(probe::scan_hardware(exhausted, state), std::bad_alloc);
    EXPECT_TRUE(state.devices.empty());
}

TEST_F(ScanTest, EnumerationEndingWithoutAnErrorCodeSucceeds) {
    table.devices = {MakeDevice("ROOT\\A\\0", "a", "System"), MakeDevice("ROOT\\B\\0", "b", "System")};
    table.enum_failure = probe::TableEnumFailure{1, probe::kErrorSuccess};
    EXPECT_TRUE(Scan());
    EXPECT_EQ(Names(), std::vector<std::string>{"a"});
}

TEST_F(ScanTest, EnumerationErrorKeepsTheDevicesSoFarUnsorted) {
    table.devices = {MakeDevice("ROOT\\C\\0", "c", "System"), MakeDevice("ROOT\\A\\0", "a", "System"),
                     MakeDevice("ROOT\\B\\0", "b", "System")};
    table.enum_failure = probe::TableEnumFailure{2, 1167};
    EXPECT_FALSE(Scan());
    EXPECT_EQ(Names(), (std::vector<std::string>{"c", "a"}));
}

TEST_F(ScanTest, DriverInformationNeedsAllFivePlainStringValues) {
    auto complete = MakeDevice("ROOT\\COMPLETE\\0", "Complete", "System");
    GiveDriver(complete, "6.1.7601.17514", "6-21-2006");
    auto no_desc = MakeDevice("ROOT\\NODESC\\0", "No description", "System");
    GiveDriver(no_desc, "1.0");
    no_desc.driver_key->erase(u"DriverDesc");
    auto expand = MakeDevice("ROOT\\EXPAND\\0", "Expandable date", "System");
    GiveDriver(expand, "1.0");
    (*expand.driver_key)[u"DriverDate"].type = probe::kRegExpandSz;
    auto no_key = MakeDevice("ROOT\\NOKEY\\0", "No key", "System");
    auto long_values = MakeDevice("ROOT\\LONG\\0", "Long values", "System");
    GiveDriver(long_values, std::string(299, '6'), "12-31-20099");  // 600 bytes with the NUL
    auto longer = MakeDevice("ROOT\\LONGER\\0", "Longer version", "System");
    GiveDriver(longer, std::string(999, '2'));  // 2000 bytes with the NUL
    table.devices = {complete, no_desc, expand, no_key, long_values, longer};
    ASSERT_TRUE(Scan());

    const probe::device_record* d = Device("Complete");
    EXPECT_TRUE(d->driver_info_complete);
    EXPECT_EQ(d->driver.driver_version, u"6.1.7601.17514");
    EXPECT_EQ(d->driver.inf_path, u"oem1.inf");
    EXPECT_EQ(d->driver.inf_section, u"Install");
    EXPECT_EQ(d->driver.driver_date, u"6-21-2006");
    EXPECT_EQ(d->driver.driver_desc, u"A driver");

    d = Device("No description");
    EXPECT_FALSE(d->driver_info_complete);
    EXPECT_EQ(d->driver.inf_path, u"oem1.inf");  // read, but it never leaves the library
    EXPECT_FALSE(Device("Expandable date")->driver_info_complete);
    EXPECT_FALSE(Device("No key")->driver_info_complete);

    d = Device("Long values");
    EXPECT_TRUE(d->driver_info_complete);
    EXPECT_EQ(d->driver.driver_version, Utf16(std::string(299, '6')));
    EXPECT_EQ(d->driver.driver_date, u"12-31-20099");
    EXPECT_EQ(Device("Longer version")->driver.driver_version, Utf16(std::string(999, '2')));
}

TEST_F(ScanTest, IdentifierPartsComeFromTheHardwareIdentifier) {
    table.devices = {MakeDevice("PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02\\3&1", "Pci", "System")};
    ASSERT_TRUE(Scan());
    const probe::id_parts& p = state.devices[0].parts;
    EXPECT_EQ(std::u16string(p.vendor.data()), u"8086");
    EXPECT_EQ(std::u16string(p.subsystem.data()), u"30A217AA");
}

struct TagCase {
    const char* enumerator;
    const char* hardware_id;
    const char* vendor;
    const char* device;
    const char* subsystem;
    const char* revision;
};

class TagParser : public testing::TestWithParam<TagCase> {};

TEST_P(TagParser, FillsThePartsOfTheIdentifier) {
    const TagCase& c = GetParam();
    probe::id_parts parts;
    probe::parse_id_parts(Utf16(c.hardware_id), Utf16(c.enumerator), parts);
    EXPECT_EQ(Ascii(parts.vendor.data()), c.vendor);
    EXPECT_EQ(Ascii(parts.device.data()), c.device);
    EXPECT_EQ(Ascii(parts.subsystem.data()), c.subsystem);
    EXPECT_EQ(Ascii(parts.revision.data()), c.revision);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, TagParser,
    testing::Values(
        TagCase{"PCI", "PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02", "8086", "27C8", "30A217AA", "02"},
        TagCase{"PCI", "PCI\\VEN_8086&DEV_27C8", "8086", "27C8", "", ""},
        TagCase{"PCI", "PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_2", "8086", "27C8", "30A217AA", ""},
        TagCase{"PCI", "PCI\\VEN_8086&DEV_27C8&REV_02", "8086", "27C8", "", "02"},
        TagCase{"PCI", "PCI\\VEN_8086XDEV_27C8", "8086", "", "", ""},
        TagCase{"PCI", "PCI\\ven_8086&DEV_27C8", "", "", "", ""},
        TagCase{"PCI", "PCI\\VEN_80", "", "", "", ""},
        // A further pass after REV's ampersand replaces what the first one found.
        TagCase{"PCI", "PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02&VEN_1234", "1234", "27C8", "30A217AA", "02"},
        TagCase{"pci", "pci\\VEN_8086&DEV_27C8", "", "", "", ""},
        TagCase{"PCI", "PCI", "", "", "", ""},
        TagCase{"USB", "USB\\VID_046D&PID_C52B&MI_00", "046D", "C52B", "", ""},
        TagCase{"USB", "USB\\VID_046D&PID_C52B", "046D", "C52B", "", ""},
        TagCase{"USB", "USB\\VID_046D", "046D", "", "", ""},
        TagCase{"USB", "USB\\ROOT_HUB20", "", "", "", ""},
        TagCase{"USB", "USB\\VEN_8086&DEV_27C8", "", "", "", ""},
        TagCase{"HID", "HID\\VID_046D&PID_C52B", "", "", "", ""},
        TagCase{"ROOT", "ROOT\\LEGACY_X", "", "", "", ""}));

}  // namespace
