// The platform services the library's exports rely on: COM for the calling
// thread and the source of classes and devices.
#pragma once

#include "DeviceSource.h"

namespace probe {

class ProbePlatform {
public:
    virtual ~ProbePlatform() = default;
    // Single-threaded apartment; "already initialised" counts as success.
    virtual bool com_initialize() = 0;
    virtual void com_uninitialize() = 0;
    virtual DeviceSource& source() = 0;
};

// The platform of this build: SetupAPI on Windows, an empty table elsewhere.
ProbePlatform& default_platform();

// Replaces the platform the exports use; null restores the default.
void set_platform(ProbePlatform* platform);
ProbePlatform& platform();

}  // namespace probe
