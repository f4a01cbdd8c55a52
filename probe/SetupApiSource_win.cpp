#include "SetupApiSource_win.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

#include <cstring>
#include <string>

#include "Handle_win.h"

namespace probe {
namespace {

static_assert(sizeof(GUID) == sizeof(qz_guid));

const GUID* as_guid(const qz_guid& guid) { return reinterpret_cast<const GUID*>(&guid); }
WCHAR* as_wide(char16_t* text) { return reinterpret_cast<WCHAR*>(text); }

// A failed call whose last error reads 0 still failed.
Error last_failure() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

struct DevInfoTraits {
    using type = HDEVINFO;
    static type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(type h) { SetupDiDestroyDeviceInfoList(h); }
};
using UniqueDevInfo = UniqueHandle<DevInfoTraits>;

class DriverKey final : public RegistryKey {
public:
    explicit DriverKey(UniqueDevRegKey key) : key_(std::move(key)) {}

    Error query_value(const char16_t* name, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* length) override {
        DWORD value_type = 0;
        DWORD size = *length;
        const LONG result = RegQueryValueExW(key_.get(), reinterpret_cast<const WCHAR*>(name),
                                             nullptr, &value_type, data, &size);
        *type = value_type;
        *length = size;
        return static_cast<Error>(result);
    }

private:
    UniqueDevRegKey key_;
};

class SetupApiDeviceSet final : public DeviceSet {
public:
    explicit SetupApiDeviceSet(UniqueDevInfo set) : set_(std::move(set)) {}

    bool enum_device(std::uint32_t index, DeviceRef* device, Error* error) override {
        SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInfo(set_.get(), index, &data)) {
            *error = GetLastError();
            return false;
        }
        current_index_ = index;
        current_ = data;
        device->handle = index;
        *error = ERROR_SUCCESS;
        return true;
    }

    Error get_property(const DeviceRef& device, std::uint32_t property, std::uint32_t* type,
                       std::uint8_t* buffer, std::uint32_t size,
                       std::uint32_t* required) override {
        SP_DEVINFO_DATA* data = select(device);
        if (!data) return ERROR_NO_MORE_ITEMS;
        DWORD value_type = 0;
        DWORD needed = 0;
        SetLastError(ERROR_SUCCESS);
        if (SetupDiGetDeviceRegistryPropertyW(set_.get(), data, property, &value_type, buffer, size,
                                              &needed)) {
            *type = value_type;
            *required = needed;
            return ERROR_SUCCESS;
        }
        const DWORD reported = GetLastError();
        *type = value_type;
        *required = needed;
        // Wine keeps no enumerator name: it fails with ERROR_INVALID_DATA, or
        // with no error code at all.
        if (property == SPDRP_ENUMERATOR_NAME &&
            (reported == ERROR_INVALID_DATA || reported == ERROR_SUCCESS))
            return enumerator_from_instance_id(device, type, buffer, size, required);
        return reported != ERROR_SUCCESS ? reported : ERROR_GEN_FAILURE;
    }

    Error get_instance_id(const DeviceRef& device, char16_t* buffer, std::uint32_t length,
                          std::uint32_t* required) override {
        SP_DEVINFO_DATA* data = select(device);
        if (!data) return ERROR_NO_MORE_ITEMS;
        DWORD needed = 0;
        if (SetupDiGetDeviceInstanceIdW(set_.get(), data, as_wide(buffer), length, &needed)) {
            *required = needed;
            return ERROR_SUCCESS;
        }
        *required = needed;
        return last_failure();
    }

    bool node_status_ok(const DeviceRef& device) override {
        SP_DEVINFO_DATA* data = select(device);
        if (!data) return false;
        ULONG status = 0;
        ULONG problem = 0;
        return CM_Get_DevNode_Status(&status, &problem, data->DevInst, 0) == CR_SUCCESS;
    }

    std::unique_ptr<RegistryKey> open_driver_key(const DeviceRef& device) override {
        SP_DEVINFO_DATA* data = select(device);
        if (!data) return nullptr;
        UniqueDevRegKey key(SetupDiOpenDevRegKey(set_.get(), data, DICS_FLAG_GLOBAL, 0, DIREG_DRV,
                                                 KEY_READ));
        if (!key) return nullptr;
        return std::make_unique<DriverKey>(std::move(key));
    }

private:
    SP_DEVINFO_DATA* select(const DeviceRef& device) {
        if (device.handle == current_index_) return &current_;
        Error error = 0;
        DeviceRef again;
        if (!enum_device(static_cast<std::uint32_t>(device.handle), &again, &error)) return nullptr;
        return &current_;
    }

    // Some platforms (Wine among them) do not keep the enumerator name as a
    // property; Windows reports the instance identifier's first segment.
    Error enumerator_from_instance_id(const DeviceRef& device, std::uint32_t* type,
                                      std::uint8_t* buffer, std::uint32_t size,
                                      std::uint32_t* required) {
        std::wstring id(512, L'\0');
        DWORD needed = 0;
        SP_DEVINFO_DATA* data = select(device);
        while (!SetupDiGetDeviceInstanceIdW(set_.get(), data, id.data(),
                                            static_cast<DWORD>(id.size()), &needed)) {
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= id.size())
                return ERROR_INVALID_DATA;
            id.assign(needed + 1, L'\0');
        }
        id.resize(wcslen(id.c_str()));
        const std::wstring segment = id.substr(0, id.find(L'\\'));
        const auto bytes = static_cast<std::uint32_t>((segment.size() + 1) * sizeof(wchar_t));
        *type = REG_SZ;
        *required = bytes;
        if (size < bytes) return ERROR_INSUFFICIENT_BUFFER;
        std::memcpy(buffer, segment.c_str(), bytes);
        return ERROR_SUCCESS;
    }

    UniqueDevInfo set_;
    SP_DEVINFO_DATA current_{};
    std::uintptr_t current_index_ = static_cast<std::uintptr_t>(-1);
};

}  // namespace

Error SetupApiSource::build_class_info_list(qz_guid* guids, std::uint32_t size,
                                            std::uint32_t* required) {
    DWORD needed = 0;
    if (SetupDiBuildClassInfoList(0, reinterpret_cast<GUID*>(guids), size, &needed)) {
        *required = needed;
        return ERROR_SUCCESS;
    }
    const Error error = last_failure();
    *required = needed;
    return error;
}

namespace {
// Both class calls answer a text into a buffer and report the length needed.
template <typename Call>
Error class_text(Call call, const qz_guid& guid, char16_t* buffer, std::uint32_t length,
                 std::uint32_t* required) {
    DWORD needed = 0;
    const BOOL ok = call(as_guid(guid), as_wide(buffer), length, &needed);
    const Error error = ok ? ERROR_SUCCESS : last_failure();
    *required = needed;
    return error;
}
}  // namespace

Error SetupApiSource::get_class_description(const qz_guid& guid, char16_t* buffer,
                                            std::uint32_t length, std::uint32_t* required) {
    return class_text(SetupDiGetClassDescriptionW, guid, buffer, length, required);
}

Error SetupApiSource::class_name_from_guid(const qz_guid& guid, char16_t* buffer,
                                           std::uint32_t length, std::uint32_t* required) {
    return class_text(SetupDiClassNameFromGuidW, guid, buffer, length, required);
}

std::unique_ptr<DeviceSet> SetupApiSource::open_all_devices(Error* error) {
    UniqueDevInfo set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
    if (!set) {
        *error = last_failure();
        return nullptr;
    }
    *error = ERROR_SUCCESS;
    return std::make_unique<SetupApiDeviceSet>(std::move(set));
}

}  // namespace probe
