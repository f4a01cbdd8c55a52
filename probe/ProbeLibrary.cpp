// The six exports: the library's state, its last error and the calling order.
#include <cstring>
#include <memory>
#include <new>

#include "Fill.h"
#include "ProbePlatform.h"
#include "Scan.h"

namespace probe {
namespace {

ProbePlatform* g_platform = nullptr;
std::unique_ptr<probe_state> g_state;
std::int32_t g_last_error = PROBE_ERR_NONE;

constexpr std::int32_t kOk = 0;
constexpr std::int32_t kFailed = -1;

}  // namespace

void set_platform(ProbePlatform* platform) { g_platform = platform; }

ProbePlatform& platform() { return g_platform ? *g_platform : default_platform(); }

}  // namespace probe

using namespace probe;

extern "C" {

QZ_API std::int32_t QZ_CALL qz_initialize(void) {
    if (!platform().com_initialize()) {
        g_last_error = PROBE_ERR_COM_INIT;
        return kFailed;
    }
    g_state.reset();
    g_state.reset(new (std::nothrow) probe_state);
    if (!g_state) {
        g_last_error = PROBE_ERR_NO_MEMORY;
        return kFailed;
    }
    return kOk;
}

QZ_API std::int32_t QZ_CALL qz_uninitialize(void) {
    g_state.reset();
    platform().com_uninitialize();
    return kOk;
}

QZ_API std::int32_t QZ_CALL qz_scan_hardware(void) {
    if (!g_state) return kFailed;
    bool scanned = false;
    try {
        scanned = scan_hardware(platform().source(), *g_state);
    } catch (const std::bad_alloc&) {
        scanned = false;  // the lists keep what was gathered before memory ran out
    }
    if (!scanned) {
        g_last_error = PROBE_ERR_SCAN_FAILED;
        return kFailed;
    }
    return kOk;
}

QZ_API std::int32_t QZ_CALL qz_get_hardware_details(hardware_detail* records, std::int32_t capacity,
                                                    std::int32_t* count) {
    if (!g_state || !count) return kFailed;
    const auto n = static_cast<std::int32_t>(g_state->devices.size());
    if (capacity < n) {
        *count = n;
        g_last_error = PROBE_ERR_BUFFER_TOO_SMALL;
        return kFailed;
    }
    for (std::int32_t i = 0; i < n; ++i) fill_hardware_detail(g_state->devices[i], records[i]);
    *count = n;
    return kOk;
}

QZ_API std::int32_t QZ_CALL qz_get_hardware_detail(const qz_char* hardware_id,
                                                   hardware_detail* record) {
    if (!g_state || !hardware_id || !record) return kFailed;
    const std::u16string_view wanted(hardware_id);
    for (const device_record& device : g_state->devices) {
        if (device.hardware_id == wanted) {
            fill_hardware_detail(device, *record);
            return kOk;
        }
    }
    return kFailed;
}

QZ_API std::int32_t QZ_CALL qz_get_error_code(void) {
    const std::int32_t code = g_last_error;
    g_last_error = PROBE_ERR_NONE;
    return code;
}

}  // extern "C"
