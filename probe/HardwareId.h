// The hardware identifier of a device and its PCI/USB identifier parts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "DeviceSource.h"
#include "ProbeTypes.h"

namespace probe {

// The instance identifier without its last backslash and what follows;
// nullopt when it cannot be read or has no backslash after its first character.
std::optional<std::u16string> read_hardware_id(DeviceSet& set, const DeviceRef& device);

// Fills the parts from the identifier's tags for enumerators "PCI" and "USB".
void parse_id_parts(const std::u16string& hardware_id, const std::u16string& enumerator_name,
                    id_parts& parts);

// Matches `tag`_ and `width` characters at `position`, copying them into `part`
// (which holds width + 1 units). Answers the position after a following "&".
std::optional<std::size_t> match_id_tag(std::u16string_view text, std::size_t position,
                                        std::u16string_view tag, std::size_t width,
                                        char16_t* part);

}  // namespace probe
