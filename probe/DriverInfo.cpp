#include "DriverInfo.h"

#include <algorithm>

#include "Buffers.h"

namespace probe {

std::optional<std::u16string> read_registry_string(RegistryKey& key, const char16_t* name) {
    std::uint32_t length = 1024;
    // Room for a NUL behind the longest answer the call may give.
    auto buffer = zeroed_buffer<std::uint8_t>(std::size_t{length} + sizeof(char16_t));
    if (!buffer) return std::nullopt;
    std::uint32_t type = 0;
    std::uint32_t reported = length;
    Error error = key.query_value(name, &type, buffer->data(), &reported);
    while (error == kErrorMoreData) {
        if (reported <= length) return std::nullopt;  // a size that can never suffice
        length = reported;
        buffer = zeroed_buffer<std::uint8_t>(std::size_t{length} + sizeof(char16_t));
        if (!buffer) return std::nullopt;
        reported = length;
        error = key.query_value(name, &type, buffer->data(), &reported);
    }
    if (error != kErrorSuccess || type != kRegSz) return std::nullopt;
    return text_from_bytes(buffer->data(), std::min(reported, length));
}

bool read_driver_info(DeviceSet& set, const DeviceRef& device, driver_info& info) {
    const std::unique_ptr<RegistryKey> key = set.open_driver_key(device);
    if (!key) return false;
    struct value {
        const char16_t* name;
        std::u16string* target;
    };
    const value values[] = {{u"DriverVersion", &info.driver_version},
                            {u"InfPath", &info.inf_path},
                            {u"InfSection", &info.inf_section},
                            {u"DriverDate", &info.driver_date},
                            {u"DriverDesc", &info.driver_desc}};
    for (const value& v : values) {
        std::optional<std::u16string> text = read_registry_string(*key, v.name);
        if (!text) return false;
        *v.target = std::move(*text);
    }
    return true;
}

}  // namespace probe
