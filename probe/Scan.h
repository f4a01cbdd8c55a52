// The inventory behind qz_scan_hardware: setup classes and every device,
// present or not, each tied to its class.
#pragma once

#include <optional>
#include <string>

#include "DeviceSource.h"
#include "ProbeTypes.h"

namespace probe {

// Rebuilds both lists of `state`; false when the class list or the device
// walk failed (the lists then hold what the failure left, see below).
bool scan_hardware(DeviceSource& source, probe_state& state);

}  // namespace probe
