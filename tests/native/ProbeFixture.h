// A probe platform for tests: COM that can be refused and a table of devices.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ProbePlatform.h"
#include "TableSource.h"

namespace probe_test {

inline qz_guid MakeGuid(std::uint32_t n) {
    qz_guid guid{};
    guid.data1 = n;
    guid.data2 = 0xE325;
    guid.data3 = 0x11CE;
    const std::uint8_t tail[8] = {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18};
    for (int i = 0; i < 8; ++i) guid.data4[i] = tail[i];
    return guid;
}

inline std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

inline std::string Ascii(const char16_t* text) {
    std::string out;
    for (; *text; ++text) out.push_back(static_cast<char>(*text));
    return out;
}

inline probe::TableClass MakeClass(std::uint32_t n, const std::string& name, const std::string& description) {
    return {MakeGuid(n), Utf16(description), Utf16(name)};
}

// A listed device: instance identifier, name, enumerator and class properties.
inline probe::TableDevice MakeDevice(const std::string& instance_id, const std::string& name,
                                     const std::string& class_name, std::uint32_t class_guid = 1) {
    probe::TableDevice device;
    device.instance_id = Utf16(instance_id);
    device.properties[probe::kPropertyFriendlyName] = {probe::kRegSz, Utf16(name)};
    device.properties[probe::kPropertyEnumeratorName] = {probe::kRegSz,
                                                         Utf16(instance_id.substr(0, instance_id.find('\\')))};
    device.properties[probe::kPropertyClass] = {probe::kRegSz, Utf16(class_name)};
    device.properties[probe::kPropertyClassGuid] = {probe::kRegSz, Utf16("{" + std::to_string(class_guid) + "}")};
    return device;
}

inline void GiveDriver(probe::TableDevice& device, const std::string& version,
                       const std::string& date = "6-21-2006") {
    device.driver_key = std::map<std::u16string, probe::TableValue>{
        {u"DriverVersion", {probe::kRegSz, Utf16(version)}},
        {u"InfPath", {probe::kRegSz, u"oem1.inf"}},
        {u"InfSection", {probe::kRegSz, u"Install"}},
        {u"DriverDate", {probe::kRegSz, Utf16(date)}},
        {u"DriverDesc", {probe::kRegSz, u"A driver"}}};
}

class TestPlatform final : public probe::ProbePlatform {
public:
    bool com_initialize() override {
        ++com_initialize_calls;
        return com_accepts;
    }
    void com_uninitialize() override { ++com_uninitialize_calls; }
    probe::DeviceSource& source() override { return table; }

    bool com_accepts = true;
    int com_initialize_calls = 0;
    int com_uninitialize_calls = 0;
    probe::TableSource table;
};

// Installs the test platform and leaves the library uninitialised and its
// error code cleared afterwards, as every test expects to find it.
class ProbeFixture : public testing::Test {
protected:
    void SetUp() override {
        probe::set_platform(&platform);
        qz_uninitialize();
        qz_get_error_code();
        platform.com_initialize_calls = 0;
        platform.com_uninitialize_calls = 0;
    }
    void TearDown() override {
        qz_uninitialize();
        qz_get_error_code();
        probe::set_platform(nullptr);
    }
    probe::Table& table() { return platform.table.table(); }

    TestPlatform platform;
};

}  // namespace probe_test
