// Any bytes as an opened reply: reference decoding, then the walk over driver
// elements and the merge into a small inventory. Nothing may crash, and a
// reply can only fill fields, never clear them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ConvertError.h"
#include "DriverManagerUnit.h"
#include "HTMLDecode.h"
#include "TablePlatform.h"

namespace {

probe::Table SmallInventory() {
    probe::Table table;
    table.classes.push_back({qz_guid{1, 0, 0, {}}, u"System devices", u"System"});
    for (const char16_t* id : {u"PCI\\VEN_8086&DEV_27C8\\3", u"USB\\VID_046D&PID_C52B\\5"}) {
        probe::TableDevice device;
        device.instance_id = id;
        device.properties[probe::kPropertyFriendlyName] = {probe::kRegSz, id};
        device.properties[probe::kPropertyEnumeratorName] = {probe::kRegSz, u"PCI"};
        device.properties[probe::kPropertyClass] = {probe::kRegSz, u"System"};
        device.properties[probe::kPropertyClassGuid] = {probe::kRegSz, u"{1}"};
        table.devices.push_back(device);
    }
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static probe::TablePlatform platform(SmallInventory());
    probe::set_platform(&platform);
    TDriverManager manager;
    manager.ScanHardware();
    manager.LoadInventory();
    const std::string raw(reinterpret_cast<const char*>(data), size);
    std::string text;
    try {
        text = HTMLDecode(raw);
    } catch (const EConvertError&) {
        text = raw;  // walk the undecoded bytes as well, so the parser sees them
    }
    const int result = manager.ParseReply(text);
    if (result != 0 && result != 10) __builtin_trap();
    const std::string first = manager.Drivers.Objects(0)->Remote.dr_version;
    manager.ParseReply(text);
    if (manager.Drivers.Objects(0)->Remote.dr_version != first) __builtin_trap();
    return 0;
}
