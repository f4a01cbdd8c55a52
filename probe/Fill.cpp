#include "Fill.h"

#include <cstring>

namespace probe {
namespace {

// At most N-1 characters, stopping early at an embedded NUL, always terminated.
template <std::size_t N>
void copy_text(qz_char (&field)[N], const char16_t* text, std::size_t length) {
    std::size_t i = 0;
    for (; i < N - 1 && i < length && text[i] != u'\0'; ++i) field[i] = text[i];
    field[i] = u'\0';
}

template <std::size_t N>
void copy_text(qz_char (&field)[N], const std::u16string& text) {
    copy_text(field, text.data(), text.size());
}

template <std::size_t N, std::size_t M>
void copy_text(qz_char (&field)[N], const std::array<char16_t, M>& part) {
    copy_text(field, part.data(), part.size());
}

// A device without a class entry still belongs somewhere: the main program
// groups by class GUID, so all of them share the zero GUID under "Unknown".
const class_entry& unmatched_class() {
    static const class_entry entry{qz_guid{}, u"Other devices", u"Unknown"};
    return entry;
}

}  // namespace

void fill_hardware_detail(const device_record& device, hardware_detail& record) {
    std::memset(&record, 0, sizeof record);
    copy_text(record.hardware_id, device.hardware_id);
    copy_text(record.device_name, device.device_name);
    const class_entry& cls = device.device_class ? *device.device_class : unmatched_class();
    record.class_guid = cls.guid;
    copy_text(record.class_name, cls.name);
    copy_text(record.class_description, cls.description);
    copy_text(record.subsys_id, device.parts.subsystem);
    copy_text(record.ven_id, device.parts.vendor);
    copy_text(record.dev_id, device.parts.device);
    copy_text(record.rev_id, device.parts.revision);
    if (device.driver_info_complete) record.flags |= PROBE_FLAG_DRIVER_INFO;
    if (device.present) record.flags |= PROBE_FLAG_PRESENT;
    if (device.driver_info_complete) {
        copy_text(record.driver_date, device.driver.driver_date);
        copy_text(record.inf_path, device.driver.inf_path);
        copy_text(record.driver_version, device.driver.driver_version);
    }
}

}  // namespace probe
