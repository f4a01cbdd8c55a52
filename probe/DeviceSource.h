// What the scan asks of the platform: the setup classes, the device set,
// device properties, device presence and the driver key. The Windows build
// answers from SetupAPI and the registry; the table source answers from data.
// Every call reports the platform's error code (0 for success) so the scan can
// react to exactly the codes Windows gives.
#pragma once

#include <cstdint>
#include <memory>

#include "corvex.h"

namespace probe {

using Error = std::uint32_t;

// Windows error codes the scan distinguishes.
inline constexpr Error kErrorSuccess = 0;
inline constexpr Error kErrorInvalidData = 13;
inline constexpr Error kErrorInsufficientBuffer = 122;
inline constexpr Error kErrorMoreData = 234;
inline constexpr Error kErrorNoMoreItems = 259;

// Device property codes (SPDRP_*).
inline constexpr std::uint32_t kPropertyDeviceDesc = 0x00;
inline constexpr std::uint32_t kPropertyClass = 0x07;
inline constexpr std::uint32_t kPropertyClassGuid = 0x08;
inline constexpr std::uint32_t kPropertyFriendlyName = 0x0C;
inline constexpr std::uint32_t kPropertyEnumeratorName = 0x16;

// Registry value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;

// An open driver key; closed when destroyed.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // RegQueryValueExW: on kErrorMoreData, *length holds the size needed.
    virtual Error query_value(const char16_t* name, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* length) = 0;
};

// One device of a device set, as SP_DEVINFO_DATA identifies it.
struct DeviceRef {
    std::uintptr_t handle = 0;
};

// A set of every device of every class; released when destroyed.
class DeviceSet {
public:
    virtual ~DeviceSet() = default;
    // SetupDiEnumDeviceInfo: false after the last device, with *error set to
    // kErrorNoMoreItems (or whatever the platform reported, possibly 0).
    virtual bool enum_device(std::uint32_t index, DeviceRef* device, Error* error) = 0;
    // SetupDiGetDeviceRegistryPropertyW; sizes in bytes.
    virtual Error get_property(const DeviceRef& device, std::uint32_t property, std::uint32_t* type,
                               std::uint8_t* buffer, std::uint32_t size,
                               std::uint32_t* required) = 0;
    // SetupDiGetDeviceInstanceIdW; lengths in characters.
    virtual Error get_instance_id(const DeviceRef& device, char16_t* buffer, std::uint32_t length,
                                  std::uint32_t* required) = 0;
    // CM_Get_DevNode_Status answered CR_SUCCESS.
    virtual bool node_status_ok(const DeviceRef& device) = 0;
    // SetupDiOpenDevRegKey(DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ); null when it fails.
    virtual std::unique_ptr<RegistryKey> open_driver_key(const DeviceRef& device) = 0;
};

class DeviceSource {
public:
    virtual ~DeviceSource() = default;
    // SetupDiBuildClassInfoList(0, ...): *required is the number of GUIDs.
    virtual Error build_class_info_list(qz_guid* guids, std::uint32_t size,
                                        std::uint32_t* required) = 0;
    // SetupDiGetClassDescriptionW; lengths in characters.
    virtual Error get_class_description(const qz_guid& guid, char16_t* buffer,
                                        std::uint32_t length, std::uint32_t* required) = 0;
    // SetupDiClassNameFromGuidW; lengths in characters.
    virtual Error class_name_from_guid(const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                                       std::uint32_t* required) = 0;
    // SetupDiGetClassDevsW(NULL, NULL, NULL, DIGCF_ALLCLASSES); null with *error set on failure.
    virtual std::unique_ptr<DeviceSet> open_all_devices(Error* error) = 0;
};

}  // namespace probe
