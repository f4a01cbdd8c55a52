#include "HardwareId.h"

#include "Buffers.h"

namespace probe {
namespace {

struct id_tag {
    std::u16string_view tag;
    std::size_t width;
    char16_t* part;
};

}  // namespace

std::optional<std::u16string> read_hardware_id(DeviceSet& set, const DeviceRef& device) {
    const std::optional<std::u16string> read =
        read_growing_text(512, [&](char16_t* buffer, std::uint32_t length, std::uint32_t* required) {
            return set.get_instance_id(device, buffer, length, required);
        });
    if (!read) return std::nullopt;
    const std::u16string& instance_id = *read;
    const std::size_t last = instance_id.rfind(u'\\');
    if (last == std::u16string::npos || last == 0) return std::nullopt;
    return instance_id.substr(0, last);
}

std::optional<std::size_t> match_id_tag(std::u16string_view text, std::size_t position,
                                        std::u16string_view tag, std::size_t width,
                                        char16_t* part) {
    if (position > text.size() || text.size() - position < tag.size() + 1 + width)
        return std::nullopt;
    if (text.substr(position, tag.size()) != tag || text[position + tag.size()] != u'_')
        return std::nullopt;
    const std::size_t value = position + tag.size() + 1;
    for (std::size_t i = 0; i < width; ++i) part[i] = text[value + i];
    part[width] = u'\0';
    const std::size_t after = value + width;
    if (after < text.size() && text[after] == u'&') return after + 1;
    return std::nullopt;
}

void parse_id_parts(const std::u16string& hardware_id, const std::u16string& enumerator_name,
                    id_parts& parts) {
    const std::size_t backslash = hardware_id.find(u'\\');
    if (backslash == std::u16string::npos) return;

    const id_tag pci[] = {{u"VEN", 4, parts.vendor.data()},
                          {u"DEV", 4, parts.device.data()},
                          {u"SUBSYS", 8, parts.subsystem.data()},
                          {u"REV", 2, parts.revision.data()}};
    const id_tag usb[] = {{u"VID", 4, parts.vendor.data()}, {u"PID", 4, parts.device.data()}};
    const id_tag* begin = nullptr;
    const id_tag* end = nullptr;
    if (enumerator_name == u"PCI") {
        begin = std::begin(pci);
        end = std::end(pci);
    } else if (enumerator_name == u"USB") {
        begin = std::begin(usb);
        end = std::end(usb);
    } else {
        return;
    }

    std::size_t position = backslash + 1;
    bool last_moved = true;
    while (last_moved) {
        for (const id_tag* t = begin; t != end; ++t) {
            const auto next = match_id_tag(hardware_id, position, t->tag, t->width, t->part);
            if (next) position = *next;
            last_moved = next.has_value();
        }
    }
}

}  // namespace probe
