// The driver list at scale under Wine: LoadDrivers plus ShowOutOfDate (and
// the first paint) for 100 and for 1,000 out-of-date drivers in 20
// categories, in alternating rounds, with the windows the process holds
// once the list stands. Prints medians and their ratio.
// Usage: wine_list_bench.exe [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Application_win.h"
#include "DriverListFrameUnit_win.h"
#include "Form_win.h"
#include "dmUnit_win.h"

namespace {

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

void CopyField(qz_char* field, std::size_t chars, const std::string& text) {
    std::size_t i = 0;
    for (; i + 1 < chars && i < text.size(); ++i) field[i] = static_cast<qz_char>(text[i]);
    field[i] = 0;
}

// `drivers` devices spread over 20 classes, every one answered with a newer
// version and a link, so every one gets a row.
void Populate(TDriverManager& manager, int drivers) {
    static const char* const kClasses[20] = {
        "Display", "Net", "MEDIA", "HIDClass", "USB", "Monitor", "Ports", "Printer", "Bluetooth", "Camera",
        "DiskDrive", "hdc", "SCSIAdapter", "System", "Mouse", "Keyboard", "Battery", "Biometric", "Modem", "Image"};
    manager.ClearInventory();
    std::vector<TDriverCategory*> categories;
    for (int c = 0; c < 20; ++c) {
        auto* category = new TDriverCategory;
        category->ClassGUID = "{4D36E9" + std::to_string(10 + c) + "-E325-11CE-BFC1-08002BE10318}";
        category->ClassName = kClasses[c];
        category->ClassDescription = std::string(kClasses[c]) + " devices";
        manager.Categories.AddObject(category->ClassGUID, category);
        categories.push_back(category);
    }
    for (int i = 0; i < drivers; ++i) {
        hardware_detail record{};
        char id[64];
        std::snprintf(id, sizeof id, "PCI\\VEN_%04X&DEV_%04X", 0x1000 + i % 97, i);
        CopyField(record.hardware_id, QZ_HARDWARE_ID_CHARS, id);
        CopyField(record.device_name, QZ_DEVICE_NAME_CHARS, "Bench device number " + std::to_string(i));
        CopyField(record.driver_version, QZ_DRIVER_VERSION_CHARS, "1.0.0." + std::to_string(i));
        TDriver* driver = categories[static_cast<std::size_t>(i % 20)]->AddDriver(record);
        manager.Drivers.AddObject(id, driver);
        driver->Remote.dev_hardid = id;
        driver->Remote.dr_version = "2.0.0." + std::to_string(i);
        driver->Remote.dr_link = "http://127.0.0.1/files/driver" + std::to_string(i) + ".exe";
    }
}

class Host : public TForm {
public:
    Host() {
        CreateHandle(L"Driver list", WS_OVERLAPPEDWINDOW, 0);
        SetClientSize(Scaled(700), Scaled(500));
        List = std::make_unique<TDriverListFrame>(*this);
        List->SetBounds(0, 0, Scaled(700), Scaled(500));
    }
    std::unique_ptr<TDriverListFrame> List;
};

BOOL CALLBACK CountWindow(HWND, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

int CountWindows(HWND top) {
    int count = 1;
    EnumChildWindows(top, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Sample {
    double seconds;
    int windows;
    DWORD user_objects;
    DWORD gdi_objects;
};

Sample Measure(Host& host, int drivers) {
    host.List->LoadDrivers(nullptr);  // the previous rows go untimed
    Application.ProcessMessages();
    Populate(*DriverManager, drivers);
    const double start = Now();
    host.List->LoadDrivers(DriverManager);
    host.List->ShowOutOfDate();
    UpdateWindow(host.Handle());
    const double seconds = Now() - start;
    return {seconds, CountWindows(host.Handle()), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Windows counted by walking the tree; GetGuiResources too where the system
// reports it (Wine answers 0).
void Report(const char* label, const std::vector<double>& seconds, const Sample& sample) {
    std::printf("%s median %.1f ms over %zu rounds; %d windows", label, Median(seconds) * 1000, seconds.size(),
                sample.windows);
    if (sample.user_objects || sample.gdi_objects)
        std::printf(", %lu USER objects, %lu GDI objects", sample.user_objects, sample.gdi_objects);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    Application.Initialize();
    DM = new TDM;
    {
        Host host;
        host.Show();
        std::vector<double> small, large;
        Sample small_sample{}, large_sample{};
        for (int round = 0; round < rounds; ++round) {
            small_sample = Measure(host, 100);
            small.push_back(small_sample.seconds);
            large_sample = Measure(host, 1000);
            large.push_back(large_sample.seconds);
        }
        const int rows = host.List->Rows.Count();
        std::printf("rows of the last list: %d (1000 drivers and 20 headers)\n", rows);
        Report("100 drivers: ", small, small_sample);
        Report("1000 drivers:", large, large_sample);
        std::printf("ratio 1000/100: %.2f (10.00 would be linear)\n", Median(large) / Median(small));
    }
    delete DM;
    DM = nullptr;
    return 0;
}
