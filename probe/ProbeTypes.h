// The library's own view of classes and devices, kept between calls.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "corvex.h"

namespace probe {

struct class_entry {
    qz_guid guid{};
    std::u16string description;
    std::u16string name;
};

// Identifier parts, each one character longer than its width for the NUL.
struct id_parts {
    std::array<char16_t, 5> vendor{};
    std::array<char16_t, 5> device{};
    std::array<char16_t, 9> subsystem{};
    std::array<char16_t, 3> revision{};
};

// The driver key's values in the order they are read.
struct driver_info {
    std::u16string inf_path;
    std::u16string inf_section;
    std::u16string driver_date;
    std::u16string driver_desc;
    std::u16string driver_version;
};

struct device_record {
    std::u16string class_name;
    std::u16string class_guid_text;
    std::u16string hardware_id;
    std::u16string device_name;
    std::u16string enumerator_name;
    id_parts parts;
    driver_info driver;
    bool driver_info_complete = false;
    bool present = false;
    const class_entry* device_class = nullptr;  // into the class list of the same scan
};

// Owned by the library between qz_initialize and qz_uninitialize.
struct probe_state {
    std::vector<class_entry> classes;
    std::vector<device_record> devices;
};

}  // namespace probe
