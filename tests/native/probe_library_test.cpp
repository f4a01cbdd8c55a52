// The library's exports: states, error codes, the copy into caller records.
#include <algorithm>
#include <cstring>
#include <vector>

#include "ProbeFixture.h"

using namespace probe_test;

namespace {

class ProbeLibrary : public ProbeFixture {
protected:
    // n devices named "Device 000", "Device 001", ... in one class.
    void AddDevices(int n, const std::string& prefix = "Device ") {
        if (table().classes.empty()) table().classes.push_back(MakeClass(1, "System", "System devices"));
        for (int i = 0; i < n; ++i) {
            char number[16];
            std::snprintf(number, sizeof number, "%03d", i);
            table().devices.push_back(
                MakeDevice("ROOT\\DEV_" + std::string(number) + "\\0000", prefix + number, "System"));
        }
    }

    void InitializeAndScan() {
        ASSERT_EQ(qz_initialize(), 0);
        ASSERT_EQ(qz_scan_hardware(), 0);
    }

    std::vector<hardware_detail> Details(int capacity, std::int32_t* count, std::int32_t* result) {
        std::vector<hardware_detail> records(static_cast<std::size_t>(capacity));
        std::memset(records.data(), 0xAB, records.size() * sizeof(hardware_detail));
        *result = qz_get_hardware_details(records.data(), capacity, count);
        return records;
    }
};

bool AllBytes(const void* data, std::size_t size, unsigned char value) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        if (bytes[i] != value) return false;
    return true;
}

TEST_F(ProbeLibrary, NothingWorksBeforeInitialisationAndNoCodeIsSet) {
    std::int32_t count = 1234;
    hardware_detail record;
    std::memset(&record, 0xAB, sizeof record);
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), -1);
    EXPECT_EQ(count, 1234);
    EXPECT_EQ(qz_scan_hardware(), -1);
    EXPECT_EQ(qz_get_hardware_detail(u"ROOT\\X", &record), -1);
    EXPECT_TRUE(AllBytes(&record, sizeof record, 0xAB));
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_NONE);
}

TEST_F(ProbeLibrary, InitialisedLibraryServesAnEmptyList) {
    AddDevices(3);
    ASSERT_EQ(qz_initialize(), 0);
    std::int32_t count = 99;
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), 0);
    EXPECT_EQ(count, 0);
    hardware_detail record;
    EXPECT_EQ(qz_get_hardware_detail(u"ROOT\\DEV_000", &record), -1);
}

TEST_F(ProbeLibrary, CountQueryReportsTheNeededCapacityOnce) {
    AddDevices(57);
    InitializeAndScan();
    std::int32_t count = 0;
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), -1);
    EXPECT_EQ(count, 57);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_BUFFER_TOO_SMALL);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_NONE);
}

TEST_F(ProbeLibrary, CapacityTooSmallLeavesTheArrayUntouched) {
    AddDevices(5);
    InitializeAndScan();
    std::int32_t count = 0;
    std::int32_t result = 0;
    const auto records = Details(4, &count, &result);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(AllBytes(records.data(), records.size() * sizeof(hardware_detail), 0xAB));
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_BUFFER_TOO_SMALL);
}

TEST_F(ProbeLibrary, ExactCapacityFillsEveryRecordInNameOrder) {
    AddDevices(4);
    std::swap(table().devices[0], table().devices[3]);  // walk order differs from name order
    InitializeAndScan();
    std::int32_t count = 0;
    std::int32_t result = 0;
    const auto records = Details(4, &count, &result);
    ASSERT_EQ(result, 0);
    ASSERT_EQ(count, 4);
    for (int i = 0; i < 4; ++i) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "Device %03d", i);
        EXPECT_EQ(Ascii(records[static_cast<std::size_t>(i)].device_name), expected);
    }
}

TEST_F(ProbeLibrary, SpareCapacityStaysUntouched) {
    AddDevices(2);
    InitializeAndScan();
    std::int32_t count = 0;
    std::int32_t result = 0;
    const auto records = Details(5, &count, &result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(AllBytes(&records[2], 3 * sizeof(hardware_detail), 0xAB));
}

TEST_F(ProbeLibrary, NegativeCapacityWithEmptyListIsTooSmall) {
    ASSERT_EQ(qz_initialize(), 0);
    std::int32_t count = 77;
    EXPECT_EQ(qz_get_hardware_details(nullptr, -1, &count), -1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_BUFFER_TOO_SMALL);
}

TEST_F(ProbeLibrary, NullArgumentsFailWithoutACode) {
    AddDevices(1);
    InitializeAndScan();
    hardware_detail record;
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, nullptr), -1);
    EXPECT_EQ(qz_get_hardware_detail(nullptr, &record), -1);
    EXPECT_EQ(qz_get_hardware_detail(u"ROOT\\DEV_000", nullptr), -1);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_NONE);
}

TEST_F(ProbeLibrary, SingleLookupMatchesCaseSensitivelyAndTakesTheFirst) {
    table().classes.push_back(MakeClass(1, "System", "System devices"));
    table().devices.push_back(MakeDevice("ROOT\\TWIN\\0000", "B twin", "System"));
    table().devices.push_back(MakeDevice("ROOT\\TWIN\\0001", "A twin", "System"));
    InitializeAndScan();
    hardware_detail record;
    std::memset(&record, 0xAB, sizeof record);
    EXPECT_EQ(qz_get_hardware_detail(u"root\\twin", &record), -1);
    EXPECT_TRUE(AllBytes(&record, sizeof record, 0xAB));
    ASSERT_EQ(qz_get_hardware_detail(u"ROOT\\TWIN", &record), 0);
    EXPECT_EQ(Ascii(record.device_name), "A twin");  // first in device-list (name) order
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_NONE);
}

TEST_F(ProbeLibrary, TextsAreCutToTheirFieldsAndZeroFilledBehind) {
    const std::string long_class(40, 'k');
    table().classes.push_back(MakeClass(1, long_class, "System devices"));
    auto device = MakeDevice("ROOT\\" + std::string(250, 'H') + "\\0000", std::string(1100, 'n'), long_class);
    GiveDriver(device, std::string(70, '9'), "12-31-20099");
    table().devices.push_back(device);
    InitializeAndScan();
    std::int32_t count = 0;
    std::int32_t result = 0;
    const auto records = Details(1, &count, &result);
    ASSERT_EQ(result, 0);
    const hardware_detail& r = records[0];
    EXPECT_EQ(Ascii(r.device_name), std::string(1024, 'n'));
    EXPECT_EQ(Ascii(r.hardware_id), "ROOT\\" + std::string(195, 'H'));
    EXPECT_EQ(Ascii(r.class_name), std::string(32, 'k'));
    EXPECT_EQ(Ascii(r.driver_version), std::string(64, '9'));
    EXPECT_EQ(Ascii(r.driver_date), "12-31-2009");
    EXPECT_EQ(Ascii(r.inf_path), "oem1.inf");
    // Everything behind each terminator is zero, whatever the array held before.
    EXPECT_TRUE(AllBytes(r.inf_path + 9, sizeof r.inf_path - 9 * 2, 0));
    EXPECT_TRUE(AllBytes(r.subsys_id, sizeof r.subsys_id, 0));
    EXPECT_TRUE(AllBytes(r.class_description + 14, sizeof r.class_description - 14 * 2, 0));
    EXPECT_EQ(r.flags, PROBE_FLAG_PRESENT | PROBE_FLAG_DRIVER_INFO);
}

TEST_F(ProbeLibrary, IncompleteDriverInformationExportsNoDriverFields) {
    table().classes.push_back(MakeClass(1, "System", "System devices"));
    auto device = MakeDevice("ROOT\\NODESC\\0000", "No description", "System");
    GiveDriver(device, "1.0.0.0");
    device.driver_key->erase(u"DriverDesc");
    device.present = false;
    table().devices.push_back(device);
    InitializeAndScan();
    std::int32_t count = 0;
    std::int32_t result = 0;
    const auto records = Details(1, &count, &result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(records[0].flags, 0u);
    EXPECT_TRUE(AllBytes(records[0].inf_path, sizeof records[0].inf_path, 0));
    EXPECT_TRUE(AllBytes(records[0].driver_version, sizeof records[0].driver_version, 0));
    EXPECT_TRUE(AllBytes(records[0].driver_date, sizeof records[0].driver_date, 0));
}

TEST_F(ProbeLibrary, ClassFieldsComeFromTheClassEntry) {
    table().classes.push_back(MakeClass(0x4D36E968, "Display", "Display adapters"));
    table().devices.push_back(MakeDevice("PCI\\VEN_8086&DEV_27A2\\3&1", "Graphics", "Display"));
    // A device whose class the list does not know still gets a class to be grouped under.
    table().devices.push_back(MakeDevice("ROOT\\ORPHAN\\0000", "Orphan", "Vanished"));
    InitializeAndScan();
    std::int32_t count = 0;
    std::int32_t result = 0;
    const auto records = Details(2, &count, &result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(records[0].class_guid.data1, 0x4D36E968u);
    EXPECT_EQ(Ascii(records[0].class_name), "Display");
    EXPECT_EQ(Ascii(records[0].class_description), "Display adapters");
    EXPECT_EQ(Ascii(records[0].ven_id), "8086");
    EXPECT_EQ(Ascii(records[0].dev_id), "27A2");
    EXPECT_TRUE(AllBytes(&records[1].class_guid, sizeof(qz_guid), 0));
    EXPECT_EQ(Ascii(records[1].class_name), "Unknown");
    EXPECT_EQ(Ascii(records[1].class_description), "Other devices");
}

TEST_F(ProbeLibrary, UninitialiseEndsTheStateAndOneComUseEachTime) {
    AddDevices(2);
    InitializeAndScan();
    std::int32_t count = 0;
    qz_get_hardware_details(nullptr, 0, &count);  // leaves code 9 unread
    EXPECT_EQ(qz_uninitialize(), 0);
    EXPECT_EQ(qz_uninitialize(), 0);
    EXPECT_EQ(platform.com_uninitialize_calls, 2);
    count = 42;
    EXPECT_EQ(qz_scan_hardware(), -1);
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), -1);
    EXPECT_EQ(count, 42);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_BUFFER_TOO_SMALL);
}

TEST_F(ProbeLibrary, FailureCodeSurvivesLaterSuccessesAndOnlyTheLatestIsKept) {
    AddDevices(1);
    InitializeAndScan();
    std::int32_t count = 0;
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), -1);
    EXPECT_EQ(qz_scan_hardware(), 0);
    std::vector<hardware_detail> records(1);
    EXPECT_EQ(qz_get_hardware_details(records.data(), 1, &count), 0);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_BUFFER_TOO_SMALL);

    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), -1);
    table().class_list_error = 5;
    EXPECT_EQ(qz_scan_hardware(), -1);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_SCAN_FAILED);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_NONE);
}

TEST_F(ProbeLibrary, ASecondScanReplacesTheFirst) {
    AddDevices(3, "First ");
    InitializeAndScan();
    table().devices.clear();
    AddDevices(2, "Second ");
    ASSERT_EQ(qz_scan_hardware(), 0);
    std::vector<hardware_detail> records(5);
    std::int32_t count = 0;
    ASSERT_EQ(qz_get_hardware_details(records.data(), 5, &count), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(Ascii(records[0].device_name), "Second 000");
    EXPECT_EQ(Ascii(records[1].device_name), "Second 001");
}

TEST_F(ProbeLibrary, InitialiseStartsAgainWithAnEmptyState) {
    AddDevices(3);
    InitializeAndScan();
    ASSERT_EQ(qz_initialize(), 0);
    std::int32_t count = 5;
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(ProbeLibrary, RefusedComChangesNothing) {
    AddDevices(3);
    InitializeAndScan();
    platform.com_accepts = false;
    EXPECT_EQ(qz_initialize(), -1);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_COM_INIT);
    std::int32_t count = 0;
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), -1);
    EXPECT_EQ(count, 3);  // the scanned state is still served
}

TEST_F(ProbeLibrary, RefusedComBeforeAnyStateLeavesTheLibraryUninitialised) {
    platform.com_accepts = false;
    EXPECT_EQ(qz_initialize(), -1);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_COM_INIT);
    EXPECT_EQ(qz_scan_hardware(), -1);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_NONE);
}

TEST_F(ProbeLibrary, FailedClassListEmptiesTheDeviceList) {
    AddDevices(3);
    InitializeAndScan();
    table().class_list_error = 5;
    EXPECT_EQ(qz_scan_hardware(), -1);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_SCAN_FAILED);
    std::int32_t count = 9;
    EXPECT_EQ(qz_get_hardware_details(nullptr, 0, &count), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(ProbeLibrary, FailedWalkServesTheDevicesGatheredInWalkOrder) {
    AddDevices(50);
    std::reverse(table().devices.begin(), table().devices.end());
    table().enum_failure = probe::TableEnumFailure{40, 1167};
    ASSERT_EQ(qz_initialize(), 0);
    EXPECT_EQ(qz_scan_hardware(), -1);
    EXPECT_EQ(qz_get_error_code(), PROBE_ERR_SCAN_FAILED);
    std::vector<hardware_detail> records(40);
    std::int32_t count = 0;
    ASSERT_EQ(qz_get_hardware_details(records.data(), 40, &count), 0);
    ASSERT_EQ(count, 40);
    EXPECT_EQ(Ascii(records[0].device_name), "Device 049");
    EXPECT_EQ(Ascii(records[39].device_name), "Device 010");
}

}  // namespace
