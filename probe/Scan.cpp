#include "Scan.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "Buffers.h"
#include "DriverInfo.h"
#include "HardwareId.h"

namespace probe {
namespace {

// A class description that cannot be read must not sink the whole scan:
// such entries take their class name as description once it is known.
struct pending_class {
    class_entry entry;
    bool has_description = false;
};

std::optional<std::u16string> read_class_name(DeviceSource& source, const qz_guid& guid) {
    return read_growing_text(1024, [&](char16_t* buffer, std::uint32_t length, std::uint32_t* required) {
        return source.class_name_from_guid(guid, buffer, length, required);
    });
}

bool build_class_list(DeviceSource& source, std::vector<pending_class>& classes) {
    std::vector<qz_guid> guids;
    std::uint32_t required = 0;
    Error error = source.build_class_info_list(nullptr, 0, &required);
    while (error == kErrorInsufficientBuffer) {
        if (required <= guids.size()) return false;  // a size that can never suffice
        try {
            guids.assign(required, qz_guid{});
        } catch (const std::bad_alloc&) {
            return false;
        } catch (const std::length_error&) {  // more GUIDs than the address space holds (32-bit)
            return false;
        }
        error = source.build_class_info_list(guids.data(), required, &required);
    }
    if (error != kErrorSuccess) return false;
    guids.resize(std::min<std::size_t>(guids.size(), required));

    for (const qz_guid& guid : guids) {
        pending_class pending;
        pending.entry.guid = guid;
        char16_t description[256] = {};
        std::uint32_t needed = 0;
        if (source.get_class_description(guid, description, 256, &needed) == kErrorSuccess) {
            pending.entry.description = text_before_nul(description, 256);
            pending.has_description = true;
        }
        classes.push_back(std::move(pending));
    }
    return true;
}

std::optional<std::u16string> read_string_property(DeviceSet& set, const DeviceRef& device,
                                                   std::uint32_t property) {
    std::uint32_t size = 1024;
    auto buffer = zeroed_buffer<std::uint8_t>(std::size_t{size} + sizeof(char16_t));
    if (!buffer) return std::nullopt;
    std::uint32_t type = 0;
    std::uint32_t required = 0;
    Error error = set.get_property(device, property, &type, buffer->data(), size, &required);
    while (error == kErrorInsufficientBuffer && type == kRegSz) {
        if (required <= size) return std::nullopt;  // a size that can never suffice
        size = required;
        buffer = zeroed_buffer<std::uint8_t>(std::size_t{size} + sizeof(char16_t));
        if (!buffer) return std::nullopt;
        error = set.get_property(device, property, &type, buffer->data(), size, &required);
    }
    if (error != kErrorSuccess) return std::nullopt;

    return text_from_bytes(buffer->data(), std::min(required, size));
}

bool read_device_properties(DeviceSet& set, const DeviceRef& device, device_record& record) {
    std::optional<std::u16string> hardware_id = read_hardware_id(set, device);
    if (!hardware_id) return false;
    record.hardware_id = std::move(*hardware_id);

    std::optional<std::u16string> name = read_string_property(set, device, kPropertyFriendlyName);
    if (!name) name = read_string_property(set, device, kPropertyDeviceDesc);
    if (!name) return false;
    record.device_name = std::move(*name);

    std::optional<std::u16string> enumerator =
        read_string_property(set, device, kPropertyEnumeratorName);
    if (!enumerator) return false;
    record.enumerator_name = std::move(*enumerator);
    parse_id_parts(record.hardware_id, record.enumerator_name, record.parts);

    record.class_name = read_string_property(set, device, kPropertyClass).value_or(u"");
    record.class_guid_text = read_string_property(set, device, kPropertyClassGuid).value_or(u"");
    return true;
}

const class_entry* find_device_class(const std::vector<class_entry>& classes,
                                     const device_record& record) {
    const std::u16string& wanted =
        (!record.class_name.empty() && !record.class_guid_text.empty()) ? record.class_name
                                                                         : u"Unknown";
    for (const class_entry& entry : classes)
        if (entry.name == wanted) return &entry;
    return nullptr;
}

bool is_listed(DeviceSet& set, const DeviceRef& device, device_record& record) {
    if (!read_device_properties(set, device, record)) return false;
    if (!record.class_name.empty() && !record.class_guid_text.empty()) {
        if (record.class_name == u"LegacyDriver") return false;
        record.driver_info_complete = read_driver_info(set, device, record.driver);
    }
    return true;
}

bool walk_devices(DeviceSource& source, const std::vector<class_entry>& classes,
                  std::vector<device_record>& devices) {
    Error error = kErrorSuccess;
    const std::unique_ptr<DeviceSet> set = source.open_all_devices(&error);
    if (!set) return false;

    for (std::uint32_t index = 0;; ++index) {
        DeviceRef device;
        if (!set->enum_device(index, &device, &error)) break;
        device_record record;
        if (!is_listed(*set, device, record)) continue;
        record.present = set->node_status_ok(device);
        record.device_class = find_device_class(classes, record);
        devices.push_back(std::move(record));
    }
    return error == kErrorSuccess || error == kErrorNoMoreItems;
}

}  // namespace

bool scan_hardware(DeviceSource& source, probe_state& state) {
    // Devices point into the class list, so they go first: a scan that ends
    // early (even by running out of memory) must not leave them dangling.
    state.devices.clear();
    state.classes.clear();
    std::vector<pending_class> pending;
    if (!build_class_list(source, pending)) return false;
    for (pending_class& p : pending) {
        std::optional<std::u16string> name = read_class_name(source, p.entry.guid);
        if (!name) continue;
        p.entry.name = std::move(*name);
        if (!p.has_description) p.entry.description = p.entry.name;
        state.classes.push_back(std::move(p.entry));
    }
    std::sort(state.classes.begin(), state.classes.end(),
              [](const class_entry& a, const class_entry& b) {
                  return a.description < b.description;
              });

    if (!walk_devices(source, state.classes, state.devices)) return false;
    std::sort(state.devices.begin(), state.devices.end(),
              [](const device_record& a, const device_record& b) {
                  return a.device_name < b.device_name;
              });
    return true;
}

}  // namespace probe
