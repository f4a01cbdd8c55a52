// Opening the reply: reference decoding, the walk over driver elements and
// the merge into the inventory must stay linear in the reply's size:
// compare MB/s at 1 MB (2,000 elements) and 10 MB (20,000 elements).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "DriverManagerUnit.h"
#include "HTMLDecode.h"
#include "TablePlatform.h"

namespace {

std::u16string Utf16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string Id(int i) {
    char id[64];
    std::snprintf(id, sizeof id, "PCI\\VEN_%04X&DEV_%04X&SUBSYS_%08X&REV_01", i % 65536, (i * 7) % 65536, i);
    return id;
}

probe::Table MakeTable(int devices) {
    probe::Table table;
    table.classes.push_back({qz_guid{1, 0, 0, {}}, u"System devices", u"System"});
    for (int i = 0; i < devices; ++i) {
        probe::TableDevice device;
        device.instance_id = Utf16(Id(i) + "\\3&1");
        device.properties[probe::kPropertyFriendlyName] = {probe::kRegSz, Utf16("Device " + std::to_string(i))};
        device.properties[probe::kPropertyEnumeratorName] = {probe::kRegSz, u"PCI"};
        device.properties[probe::kPropertyClass] = {probe::kRegSz, u"System"};
        device.properties[probe::kPropertyClassGuid] = {probe::kRegSz, u"{1}"};
        table.devices.push_back(device);
    }
    return table;
}

// About 520 bytes per element, references included as the service writes them.
std::string MakeReply(int elements) {
    std::string reply = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><drivers><code>0</code>";
    for (int i = 0; i < elements; ++i) {
        std::string id = Id(i);
        std::string encoded;
        for (char c : id) encoded += c == '&' ? std::string("&amp;") : std::string(1, c);
        reply += "<driver><dev_hardid>" + encoded + "</dev_hardid><dr_version>6.1.7601." + std::to_string(i) +
                 "</dr_version><dr_name>Intel&#174; Chipset Device Software for &quot;Series 4&quot;</dr_name>"
                 "<dev_desc>Intel(R) 82801GB USB Universal Host Controller &amp; more</dev_desc>"
                 "<dev_class_guid>{4D36E97D-E325-11CE-BFC1-08002BE10318}</dev_class_guid><dr_size>12.4 MB"
                 "</dr_size><dr_official_link>http://www.example.com/drivers/intel/chipset/" + std::to_string(i) +
                 "</dr_official_link><dr_link>http://downloads.example.com/intel/chipset-" + std::to_string(i) +
                 ".exe</dr_link></driver>\r\n";
    }
    return reply + "</drivers>";
}

void BM_OpenReply(benchmark::State& state) {
    const int elements = static_cast<int>(state.range(0));
    probe::TablePlatform platform(MakeTable(elements));
    probe::set_platform(&platform);
    const std::string reply = MakeReply(elements);
    {
        TDriverManager manager;
        manager.ScanHardware();
        for (auto _ : state) {
            state.PauseTiming();
            manager.LoadInventory();  // fresh, empty answers for every round
            state.ResumeTiming();
            benchmark::DoNotOptimize(manager.ParseReply(HTMLDecode(reply)));
        }
        if (manager.Drivers.Objects(elements - 1)->Remote.dr_version.empty()) state.SkipWithError("not merged");
    }
    probe::set_platform(nullptr);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(reply.size()));
    state.counters["reply_MB"] = static_cast<double>(reply.size()) / 1e6;
}
BENCHMARK(BM_OpenReply)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
