// A source of classes and devices described as data. It answers every call
// the way the platform does (sizes, error codes, buffer growth), so the scan
// runs unchanged on it, and it can stage each failure the platform can give.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "DeviceSource.h"

namespace probe {

struct TableValue {
    std::uint32_t type = kRegSz;
    std::u16string text;
    // When set, every read fails as too short and asks for this many bytes,
    // as a broken platform might; the value can then never be read.
    std::optional<std::uint32_t> reported_size;
};

struct TableClass {
    qz_guid guid{};
    std::optional<std::u16string> description;  // nullopt: cannot be read
    std::optional<std::u16string> name;         // nullopt: cannot be read
    // When set, the name's buffer is always too short and this many
    // characters are asked for (Wine answers 0 for a class key without name).
    std::optional<std::uint32_t> name_reported_length;
};

struct TableDevice {
    std::optional<std::u16string> instance_id;      // nullopt: cannot be read
    std::map<std::uint32_t, TableValue> properties;  // by property code; absent: missing
    bool present = true;
    std::optional<std::map<std::u16string, TableValue>> driver_key;  // nullopt: cannot be opened
};

struct TableEnumFailure {
    std::uint32_t index = 0;  // the enumeration fails when asked for this index
    Error error = 0;
};

struct Table {
    std::vector<TableClass> classes;
    std::vector<TableDevice> devices;
    Error class_list_error = kErrorSuccess;   // SetupDiBuildClassInfoList fails with it
    Error open_devices_error = kErrorSuccess;  // SetupDiGetClassDevsW fails with it
    std::optional<TableEnumFailure> enum_failure;
};

class TableSource final : public DeviceSource {
public:
    TableSource() = default;
    explicit TableSource(Table table) : table_(std::move(table)) {}

    Table& table() { return table_; }

    Error build_class_info_list(qz_guid* guids, std::uint32_t size,
                                std::uint32_t* required) override;
    Error get_class_description(const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                                std::uint32_t* required) override;
    Error class_name_from_guid(const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                               std::uint32_t* required) override;
    std::unique_ptr<DeviceSet> open_all_devices(Error* error) override;

private:
    const TableClass* find_class(const qz_guid& guid) const;
    Table table_;
};

}  // namespace probe
