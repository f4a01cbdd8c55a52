#include "TableSource.h"

#include <cstring>

namespace probe {
namespace {

constexpr Error kErrorFileNotFound = 2;
constexpr Error kErrorInvalidClass = 0xE0000209;
constexpr Error kErrorNoSuchDevinst = 0xE000020B;

// Writes text and its NUL when `length` characters suffice.
Error copy_chars(const std::u16string& text, char16_t* buffer, std::uint32_t length,
                 std::uint32_t* required) {
    const auto needed = static_cast<std::uint32_t>(text.size() + 1);
    if (required) *required = needed;
    if (!buffer || length < needed) return kErrorInsufficientBuffer;
    std::memcpy(buffer, text.data(), text.size() * sizeof(char16_t));
    buffer[text.size()] = u'\0';
    return kErrorSuccess;
}

// Writes the value's bytes, NUL included, as the registry stores a string.
std::uint32_t copy_bytes(const TableValue& value, std::uint8_t* data, std::uint32_t size) {
    const auto needed = static_cast<std::uint32_t>((value.text.size() + 1) * sizeof(char16_t));
    if (data && size >= needed) {
        for (std::size_t i = 0; i <= value.text.size(); ++i) {
            const char16_t c = i < value.text.size() ? value.text[i] : u'\0';
            data[2 * i] = static_cast<std::uint8_t>(c & 0xFF);
            data[2 * i + 1] = static_cast<std::uint8_t>(c >> 8);
        }
    }
    return needed;
}

class TableKey final : public RegistryKey {
public:
    explicit TableKey(const std::map<std::u16string, TableValue>& values) : values_(values) {}

    Error query_value(const char16_t* name, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* length) override {
        const auto it = values_.find(name);
        if (it == values_.end()) return kErrorFileNotFound;
        if (type) *type = it->second.type;
        if (it->second.reported_size) {
            if (length) *length = *it->second.reported_size;
            return kErrorMoreData;
        }
        const std::uint32_t size = length ? *length : 0;
        const std::uint32_t needed = copy_bytes(it->second, data, size);
        if (length) *length = needed;
        return size >= needed ? kErrorSuccess : kErrorMoreData;
    }

private:
    const std::map<std::u16string, TableValue>& values_;
};

class TableDeviceSet final : public DeviceSet {
public:
    explicit TableDeviceSet(const Table& table) : table_(table) {}

    bool enum_device(std::uint32_t index, DeviceRef* device, Error* error) override {
        if (table_.enum_failure && index == table_.enum_failure->index) {
            *error = table_.enum_failure->error;
            return false;
        }
        if (index >= table_.devices.size()) {
            *error = kErrorNoMoreItems;
            return false;
        }
        device->handle = index;
        *error = kErrorSuccess;
        return true;
    }

    Error get_property(const DeviceRef& device, std::uint32_t property, std::uint32_t* type,
                       std::uint8_t* buffer, std::uint32_t size,
                       std::uint32_t* required) override {
        const auto& properties = at(device).properties;
        const auto it = properties.find(property);
        if (it == properties.end()) return kErrorInvalidData;
        if (type) *type = it->second.type;
        if (it->second.reported_size) {
            if (required) *required = *it->second.reported_size;
            return kErrorInsufficientBuffer;
        }
        const std::uint32_t needed = copy_bytes(it->second, buffer, size);
        if (required) *required = needed;
        return size >= needed ? kErrorSuccess : kErrorInsufficientBuffer;
    }

    Error get_instance_id(const DeviceRef& device, char16_t* buffer, std::uint32_t length,
                          std::uint32_t* required) override {
        const auto& id = at(device).instance_id;
        if (!id) return kErrorNoSuchDevinst;
        return copy_chars(*id, buffer, length, required);
    }

    bool node_status_ok(const DeviceRef& device) override { return at(device).present; }

    std::unique_ptr<RegistryKey> open_driver_key(const DeviceRef& device) override {
        const auto& key = at(device).driver_key;
        if (!key) return nullptr;
        return std::make_unique<TableKey>(*key);
    }

private:
    const TableDevice& at(const DeviceRef& device) const { return table_.devices.at(device.handle); }
    const Table& table_;
};

}  // namespace

const TableClass* TableSource::find_class(const qz_guid& guid) const {
    for (const TableClass& c : table_.classes)
        if (std::memcmp(&c.guid, &guid, sizeof guid) == 0) return &c;
    return nullptr;
}

Error TableSource::build_class_info_list(qz_guid* guids, std::uint32_t size,
                                         std::uint32_t* required) {
    if (table_.class_list_error != kErrorSuccess) return table_.class_list_error;
    const auto count = static_cast<std::uint32_t>(table_.classes.size());
    if (required) *required = count;
    if (size < count) return kErrorInsufficientBuffer;
    for (std::uint32_t i = 0; i < count; ++i) guids[i] = table_.classes[i].guid;
    return kErrorSuccess;
}

Error TableSource::get_class_description(const qz_guid& guid, char16_t* buffer,
                                         std::uint32_t length, std::uint32_t* required) {
    const TableClass* c = find_class(guid);
    if (!c || !c->description) return kErrorInvalidClass;
    return copy_chars(*c->description, buffer, length, required);
}

Error TableSource::class_name_from_guid(const qz_guid& guid, char16_t* buffer,
                                        std::uint32_t length, std::uint32_t* required) {
    const TableClass* c = find_class(guid);
    if (!c || !c->name) return kErrorInvalidClass;
    if (c->name_reported_length) {
        if (required) *required = *c->name_reported_length;
        return kErrorInsufficientBuffer;
    }
    return copy_chars(*c->name, buffer, length, required);
}

std::unique_ptr<DeviceSet> TableSource::open_all_devices(Error* error) {
    *error = table_.open_devices_error;
    if (table_.open_devices_error != kErrorSuccess) return nullptr;
    return std::make_unique<TableDeviceSet>(table_);
}

}  // namespace probe
