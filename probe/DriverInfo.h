// The installed driver's values from the device's driver key.
#pragma once

#include <optional>
#include <string>

#include "DeviceSource.h"
#include "ProbeTypes.h"

namespace probe {

// Reads DriverVersion, InfPath, InfSection, DriverDate and DriverDesc in that
// order into `info`; answers whether all five were read.
bool read_driver_info(DeviceSet& set, const DeviceRef& device, driver_info& info);

// One REG_SZ value; nullopt for any other type or error.
std::optional<std::u16string> read_registry_string(RegistryKey& key, const char16_t* name);

}  // namespace probe
