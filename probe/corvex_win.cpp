// The library's module on Windows: COM for the calling thread and the
// system's own classes and devices. Loading the library probes nothing.
#include <windows.h>
#include <objbase.h>

#include "ProbePlatform.h"
#include "SetupApiSource_win.h"

namespace probe {
namespace {

class WindowsPlatform final : public ProbePlatform {
public:
    bool com_initialize() override {
        // S_FALSE (already initialised on this thread) counts as success; a
        // thread already in the multi-threaded apartment is refused.
        return SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    void com_uninitialize() override { CoUninitialize(); }
    DeviceSource& source() override { return source_; }

private:
    SetupApiSource source_;
};

}  // namespace

ProbePlatform& default_platform() {
    static WindowsPlatform platform;
    return platform;
}

}  // namespace probe

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
