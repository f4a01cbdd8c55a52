// The scan over a table source: every device costs one call per property,
// one status query and one driver key, then both lists are sorted, so the
// cost should grow as n log n. Compare 10,000 and 100,000 devices.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "Scan.h"
#include "TableSource.h"

namespace {

std::u16string Utf16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

probe::Table MakeTable(int devices, int classes) {
    probe::Table table;
    for (int c = 0; c < classes; ++c) {
        probe::TableClass cls;
        cls.guid.data1 = static_cast<std::uint32_t>(0x4D36E900 + c);
        cls.name = Utf16("Class" + std::to_string(c));
        cls.description = Utf16("Description of class " + std::to_string((c * 7919) % classes));
        table.classes.push_back(cls);
    }
    for (int i = 0; i < devices; ++i) {
        char id[80];
        std::snprintf(id, sizeof id, "PCI\\VEN_%04X&DEV_%04X&SUBSYS_%08X&REV_%02X\\3&%d", i % 65536,
                      (i * 31) % 65536, i, i % 256, i);
        probe::TableDevice device;
        device.instance_id = Utf16(id);
        device.properties[probe::kPropertyFriendlyName] = {
            probe::kRegSz, Utf16("Device " + std::to_string((i * 104729) % devices))};
        device.properties[probe::kPropertyEnumeratorName] = {probe::kRegSz, u"PCI"};
        device.properties[probe::kPropertyClass] = {probe::kRegSz, Utf16("Class" + std::to_string(i % classes))};
        device.properties[probe::kPropertyClassGuid] = {probe::kRegSz, u"{4d36e97d-e325-11ce-bfc1-08002be10318}"};
        device.driver_key = std::map<std::u16string, probe::TableValue>{
            {u"DriverVersion", {probe::kRegSz, u"6.1.7601.17514"}},
            {u"InfPath", {probe::kRegSz, u"oem12.inf"}},
            {u"InfSection", {probe::kRegSz, u"Install"}},
            {u"DriverDate", {probe::kRegSz, u"6-21-2006"}},
            {u"DriverDesc", {probe::kRegSz, u"Driver"}}};
        table.devices.push_back(std::move(device));
    }
    return table;
}

void BM_Scan(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    probe::TableSource source(MakeTable(n, 200));
    for (auto _ : state) {
        probe::probe_state lists;
        benchmark::DoNotOptimize(probe::scan_hardware(source, lists));
        benchmark::DoNotOptimize(lists.devices.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.SetComplexityN(n);
}
BENCHMARK(BM_Scan)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

}  // namespace
