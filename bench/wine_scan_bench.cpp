// qz_scan_hardware against a bare loop that makes the same SetupAPI, CfgMgr32
// and registry calls and keeps nothing, on the same prefix, in alternating
// rounds. Prints both medians and their ratio.
#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "corvex.h"

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void ReadValue(HKEY key, const wchar_t* name) {
    BYTE data[1024];
    DWORD type = 0;
    DWORD size = sizeof data;
    RegQueryValueExW(key, name, nullptr, &type, data, &size);
}

int BareScan() {
    DWORD needed = 0;
    SetupDiBuildClassInfoList(0, nullptr, 0, &needed);
    std::vector<GUID> guids(needed);
    SetupDiBuildClassInfoList(0, guids.data(), needed, &needed);
    for (const GUID& guid : guids) {
        wchar_t text[1024];
        SetupDiGetClassDescriptionW(&guid, text, 256, &needed);
        SetupDiClassNameFromGuidW(&guid, text, 1024, &needed);
    }
    HDEVINFO set = SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    int devices = 0;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &device); ++index) {
        wchar_t id[512];
        BYTE buffer[1024];
        DWORD type = 0;
        SetupDiGetDeviceInstanceIdW(set, &device, id, 512, &needed);
        if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, &type, buffer, 1024, &needed))
            SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_DEVICEDESC, &type, buffer, 1024, &needed);
        if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_ENUMERATOR_NAME, &type, buffer, 1024, &needed))
            SetupDiGetDeviceInstanceIdW(set, &device, id, 512, &needed);
        SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_CLASS, &type, buffer, 1024, &needed);
        SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_CLASSGUID, &type, buffer, 1024, &needed);
        HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
        if (key != INVALID_HANDLE_VALUE) {
            for (const wchar_t* name : {L"DriverVersion", L"InfPath", L"InfSection", L"DriverDate", L"DriverDesc"})
                ReadValue(key, name);
            RegCloseKey(key);
        }
        ULONG status = 0, problem = 0;
        CM_Get_DevNode_Status(&status, &problem, device.DevInst, 0);
        ++devices;
    }
    SetupDiDestroyDeviceInfoList(set);
    return devices;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    if (qz_initialize() != 0) return 1;
    std::vector<double> bare, ours;
    int devices = 0;
    std::int32_t listed = 0;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        devices = BareScan();
        bare.push_back(Now() - start);
        start = Now();
        if (qz_scan_hardware() != 0) return 1;
        ours.push_back(Now() - start);
    }
    qz_get_hardware_details(nullptr, 0, &listed);
    qz_uninitialize();
    const double b = Median(bare), o = Median(ours);
    std::printf("devices walked %d, listed %d, rounds %d\n", devices, static_cast<int>(listed), rounds);
    std::printf("bare loop        %8.1f ms (median)\n", b * 1000);
    std::printf("qz_scan_hardware %8.1f ms (median)\n", o * 1000);
    std::printf("ratio            %8.3f\n", o / b);
    return 0;
}
