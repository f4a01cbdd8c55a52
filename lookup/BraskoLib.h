// The main program's binding of the probe library: four exports imported by
// name at load time, called on the main thread only.
#pragma once

#include "corvex.h"

// qz_initialize, qz_uninitialize, qz_scan_hardware and qz_get_hardware_details
// come from corvex.h; the program never calls the other two exports.
