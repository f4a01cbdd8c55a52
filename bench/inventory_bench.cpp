// Loading an inventory from the probe library and merging the lookup's
// answers must stay linear in the number of devices: compare the per-device
// cost at 1,000 and 10,000 devices. Each device carries two 5 KB records (the
// library's copy and the driver's), so the larger inventory no longer fits in
// cache and pays some memory traffic on top of the work itself.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "DriverManagerUnit.h"
#include "TablePlatform.h"

namespace {

std::u16string Utf16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// n devices in 200 classes, each with a distinct hardware identifier.
void Populate(probe::Table& table, int n) {
    table = {};
    for (std::uint32_t c = 0; c < 200; ++c) {
        probe::TableClass cls;
        cls.guid.data1 = 0x4D36E900 + c;
        cls.name = Utf16("Class" + std::to_string(c));
        cls.description = Utf16("Class description " + std::to_string(c));
        table.classes.push_back(cls);
    }
    for (int i = 0; i < n; ++i) {
        char id[64];
        std::snprintf(id, sizeof id, "PCI\\VEN_%04X&DEV_%04X\\3&%d", i % 65536, i / 7, i);
        probe::TableDevice device;
        device.instance_id = Utf16(id);
        const int cls = i % 200;
        device.properties[probe::kPropertyFriendlyName] = {probe::kRegSz, Utf16("Device " + std::to_string(i))};
        device.properties[probe::kPropertyEnumeratorName] = {probe::kRegSz, u"PCI"};
        device.properties[probe::kPropertyClass] = {probe::kRegSz, Utf16("Class" + std::to_string(cls))};
        device.properties[probe::kPropertyClassGuid] = {probe::kRegSz, u"{guid}"};
        device.driver_key = std::map<std::u16string, probe::TableValue>{
            {u"DriverVersion", {probe::kRegSz, u"1.0.0.0"}}, {u"InfPath", {probe::kRegSz, u"oem.inf"}},
            {u"InfSection", {probe::kRegSz, u"Install"}}, {u"DriverDate", {probe::kRegSz, u"1-1-2010"}},
            {u"DriverDesc", {probe::kRegSz, u"Driver"}}};
        table.devices.push_back(device);
    }
}

void BM_LoadAndMerge(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    probe::TablePlatform platform;
    Populate(platform.table(), n);
    probe::set_platform(&platform);
    std::vector<TRemote_detail> answers;
    for (int i = 0; i < n; ++i) {
        char id[48];
        // Answers arrive in another order and case than the devices were loaded in.
        std::snprintf(id, sizeof id, "pci\\ven_%04x&dev_%04x", (n - 1 - i) % 65536, (n - 1 - i) / 7);
        answers.push_back({id, "2.0.0.0", "Driver", "", "", "1 MB", "", "http://d/x.exe"});
    }
    TDriverManager manager;
    manager.ScanHardware();
    for (auto _ : state) {
        manager.LoadInventory();
        for (const TRemote_detail& answer : answers) manager.ApplyRemoteDetail(answer);
        benchmark::DoNotOptimize(manager.Drivers.Objects(n - 1)->Remote.dr_version);
    }
    probe::set_platform(nullptr);
    state.SetItemsProcessed(state.iterations() * n);
    state.SetComplexityN(n);
}
BENCHMARK(BM_LoadAndMerge)
    ->Arg(1000)
    ->Arg(10000)
    ->MinWarmUpTime(2.0)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
