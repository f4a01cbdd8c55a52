#pragma once

#include "ProbeTypes.h"

namespace probe {

// Copies one device into a caller's record, cutting every text to its field.
void fill_hardware_detail(const device_record& device, hardware_detail& record);

}  // namespace probe
