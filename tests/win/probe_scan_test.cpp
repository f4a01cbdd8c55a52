// corvex.dll on Wine's SetupAPI, over the devices and driver keys that the
// test run seeds into its prefix (tests/wine/devices_reg.py).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "corvex.h"

namespace {

std::string Text(const char16_t* field) {
    std::string out;
    for (; *field; ++field) out.push_back(*field < 0x80 ? static_cast<char>(*field) : '?');
    return out;
}

class SeededProbe : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(qz_initialize(), 0);
        ASSERT_EQ(qz_scan_hardware(), 0);
        std::int32_t count = 0;
        qz_get_hardware_details(nullptr, 0, &count);
        records_ = new std::vector<hardware_detail>(static_cast<std::size_t>(count));
        ASSERT_EQ(qz_get_hardware_details(records_->data(), count, &count), 0);
    }
    static void TearDownTestSuite() {
        qz_uninitialize();
        qz_get_error_code();
        delete records_;
        records_ = nullptr;
    }

    // The first record with this hardware identifier, or null.
    static const hardware_detail* Find(const std::string& hardware_id) {
        for (const hardware_detail& record : *records_)
            if (Text(record.hardware_id) == hardware_id) return &record;
        return nullptr;
    }

    static std::vector<hardware_detail>* records_;
};

std::vector<hardware_detail>* SeededProbe::records_ = nullptr;

TEST_F(SeededProbe, PciDeviceWithAllFourPartsAndCompleteDriver) {
    const hardware_detail* r = Find("PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r->device_name), "Tarnwick PCI USB Controller");  // friendly name first
    EXPECT_EQ(r->class_guid.data1, 0x4D36E97Du);
    EXPECT_EQ(r->class_guid.data2, 0xE325u);
    EXPECT_EQ(r->class_guid.data4[7], 0x18u);
    EXPECT_EQ(Text(r->class_name), "System");
    EXPECT_EQ(Text(r->class_description), "System devices");
    EXPECT_EQ(Text(r->ven_id), "8086");
    EXPECT_EQ(Text(r->dev_id), "27C8");
    EXPECT_EQ(Text(r->subsys_id), "30A217AA");
    EXPECT_EQ(Text(r->rev_id), "02");
    EXPECT_EQ(Text(r->inf_path), "oem100.inf");
    EXPECT_EQ(Text(r->driver_version), "6.1.7601.17514");
    EXPECT_EQ(Text(r->driver_date), "6-21-2006");
    EXPECT_EQ(r->flags, PROBE_FLAG_PRESENT | PROBE_FLAG_DRIVER_INFO);
}

TEST_F(SeededProbe, PciDeviceWithoutSubsystemOrRevision) {
    const hardware_detail* r = Find("PCI\\VEN_10DE&DEV_0640");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r->class_name), "Display");
    EXPECT_EQ(Text(r->ven_id), "10DE");
    EXPECT_EQ(Text(r->dev_id), "0640");
    EXPECT_EQ(Text(r->subsys_id), "");
    EXPECT_EQ(Text(r->rev_id), "");
    EXPECT_EQ(Text(r->driver_version), "8.17.12.6099");
    EXPECT_EQ(Text(r->driver_date), "11-22-2010");
    EXPECT_EQ(r->flags, PROBE_FLAG_PRESENT | PROBE_FLAG_DRIVER_INFO);
}

TEST_F(SeededProbe, UsbInterfaceWithoutFriendlyNameOrDriverDescription) {
    const hardware_detail* r = Find("USB\\VID_046D&PID_C52B&MI_00");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r->device_name), "Tarnwick USB Receiver");  // the device description
    EXPECT_EQ(Text(r->class_name), "HIDClass");
    EXPECT_EQ(Text(r->ven_id), "046D");
    EXPECT_EQ(Text(r->dev_id), "C52B");
    EXPECT_EQ(Text(r->subsys_id), "");
    EXPECT_EQ(Text(r->rev_id), "");
    // InfPath and DriverDate were there, but without DriverDesc nothing is exported.
    EXPECT_EQ(r->flags, PROBE_FLAG_PRESENT);
    EXPECT_EQ(Text(r->inf_path), "");
    EXPECT_EQ(Text(r->driver_version), "");
    EXPECT_EQ(Text(r->driver_date), "");
}

TEST_F(SeededProbe, RootDeviceWithExpandableDriverDate) {
    const hardware_detail* r = Find("ROOT\\LEGACY_X");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r->ven_id) + Text(r->dev_id) + Text(r->subsys_id) + Text(r->rev_id), "");
    EXPECT_EQ(r->flags, PROBE_FLAG_PRESENT);
    EXPECT_EQ(Text(r->driver_version), "");
}

TEST_F(SeededProbe, LongDriverValuesAreReadWholeAndCut) {
    const hardware_detail* r = Find("USB\\VID_0781&PID_5567");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r->class_name), "USB");
    EXPECT_EQ(Text(r->class_description), "Universal Serial Bus controllers");
    EXPECT_EQ(Text(r->driver_version), "1." + std::string(62, '2'));
    EXPECT_EQ(Text(r->driver_date), "011-21-200");
    EXPECT_EQ(r->flags, PROBE_FLAG_PRESENT | PROBE_FLAG_DRIVER_INFO);
}

TEST_F(SeededProbe, ClassWithoutDescriptionIsDescribedByItsName) {
    const hardware_detail* r = Find("ROOT\\TARNWICK_SENSOR");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r->class_name), "Sensor");
    EXPECT_EQ(Text(r->class_description), "Sensor");
    EXPECT_EQ(r->class_guid.data1, 0x5175D334u);
}

TEST_F(SeededProbe, ClassKeyWithoutANameDoesNotStopTheScan) {
    const hardware_detail* r = Find("PCI\\VEN_10EC&DEV_8168&SUBSYS_81681849&REV_06");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Text(r->ven_id), "10EC");
    // Its class was dropped from the list, so it is grouped with other devices
    // of no known class; without a class name it gets no driver information.
    EXPECT_EQ(Text(r->class_name), "Unknown");
    EXPECT_EQ(Text(r->class_description), "Other devices");
    EXPECT_EQ(r->flags, PROBE_FLAG_PRESENT);
}

TEST_F(SeededProbe, LegacyDriversAndNamelessDevicesAreLeftOut) {
    EXPECT_EQ(Find("ROOT\\LEGACY_TARNWICKSVC"), nullptr);
    EXPECT_EQ(Find("ROOT\\TARNWICK_NONAME"), nullptr);
}

TEST_F(SeededProbe, WinesOwnDevicesAreWalkedTooInNameOrder) {
    int own = 0;
    for (const hardware_detail& record : *records_) {
        if (Text(record.device_name).rfind("Tarnwick", 0) != 0) ++own;
        EXPECT_NE(Text(record.class_name), "") << Text(record.hardware_id);
    }
    EXPECT_GT(own, 0);
    for (std::size_t i = 1; i < records_->size(); ++i)
        EXPECT_LE(std::u16string((*records_)[i - 1].device_name), std::u16string((*records_)[i].device_name));
}

TEST_F(SeededProbe, SingleLookupFindsTheSameRecord) {
    hardware_detail record;
    ASSERT_EQ(qz_get_hardware_detail(u"PCI\\VEN_10DE&DEV_0640", &record), 0);
    EXPECT_EQ(std::memcmp(&record, Find("PCI\\VEN_10DE&DEV_0640"), sizeof record), 0);
    EXPECT_EQ(qz_get_hardware_detail(u"pci\\ven_10de&dev_0640", &record), -1);
}

}  // namespace
