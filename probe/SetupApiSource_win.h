// Classes and devices of the running system, from SetupAPI, the
// Configuration Manager and the registry.
#pragma once

#include "DeviceSource.h"

namespace probe {

class SetupApiSource final : public DeviceSource {
public:
    Error build_class_info_list(qz_guid* guids, std::uint32_t size,
                                std::uint32_t* required) override;
    Error get_class_description(const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                                std::uint32_t* required) override;
    Error class_name_from_guid(const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                               std::uint32_t* required) override;
    std::unique_ptr<DeviceSet> open_all_devices(Error* error) override;
};

}  // namespace probe
