#include "DriverManagerUnit.h"

#include <array>
#include <string_view>
#include <vector>

#include "AnsiText.h"
#include "DebugLog.h"
#include "ErrorBox.h"
#include "GuidText.h"
#include "PubUnit.h"
#include "TextCompare.h"

namespace {

// Classes the user cares about most stand first; each one met goes to the
// front, so among them the one met last leads.
bool IsFrontClass(const std::string& guid) {
    static constexpr std::array<std::string_view, 5> kFront = {
        "{4D36E979-E325-11CE-BFC1-08002BE10318}",  // printers
        "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}",  // imaging devices
        "{4D36E96C-E325-11CE-BFC1-08002BE10318}",  // sound, video and game controllers
        "{4D36E972-E325-11CE-BFC1-08002BE10318}",  // network adapters
        "{4D36E968-E325-11CE-BFC1-08002BE10318}",  // display adapters
    };
    for (std::string_view front : kFront)
        if (guid == front) return true;
    return false;
}

// Fills `field` from `value` only while it is still empty; answers whether it did.
bool FillEmpty(std::string& field, const std::string& value) {
    if (!field.empty()) return false;
    field = value;
    return true;
}

}  // namespace

bool TDriver::IsOutOfDate() const {
    if (Trim(Remote.dr_version).empty()) return false;
    if (SameTextLocale(FieldToAnsi(Detail.driver_version), Remote.dr_version)) return false;
    return !Remote.dr_official_link.empty() || !Remote.dr_link.empty();
}

TDriver* TDriverCategory::AddDriver(const hardware_detail& record) {
    std::string key = FieldToAnsi(record.hardware_id);
    if (Drivers.IndexOf(key) != -1) return nullptr;
    auto* driver = new TDriver;
    driver->Category = this;
    driver->Detail = record;
    Drivers.AddObject(std::move(key), driver);
    return driver;
}

TDriverManager::TDriverManager() {
    Initialized = qz_initialize() == 0;
    if (!Initialized) ShowErrorBox("Sorry! Init Error!", "Error");
}

TDriverManager::~TDriverManager() {
    Categories.Clear();
    Drivers.Clear();
    if (Initialized) {
        qz_uninitialize();
        Initialized = false;
    }
}

int TDriverManager::ScanHardware() { return qz_scan_hardware(); }

void TDriverManager::ClearInventory() {
    Categories.Clear();
    Drivers.Clear();
}

void TDriverManager::LoadInventory() {
    std::int32_t count = 0;
    qz_get_hardware_details(nullptr, 0, &count);
    if (count <= 0) return;

    // The library's list changes only when it scans, so the count still holds.
    std::vector<hardware_detail> records(static_cast<std::size_t>(count));
    if (qz_get_hardware_details(records.data(), count, &count) != 0) return;

    ClearInventory();
    for (std::int32_t i = 0; i < count; ++i) {
        const hardware_detail& record = records[static_cast<std::size_t>(i)];
        const std::string guid = GuidToText(record.class_guid);
        TDriverCategory* category = nullptr;
        const int index = Categories.IndexOf(guid);
        if (index != -1) {
            category = Categories.Objects(index);
        } else {
            category = new TDriverCategory;
            category->ClassGUID = guid;
            category->ClassName = FieldToAnsi(record.class_name);
            category->ClassDescription = FieldToAnsi(record.class_description);
            if (IsFrontClass(guid))
                Categories.InsertObject(0, guid, category);
            else
                Categories.AddObject(guid, category);
        }
        if (TDriver* driver = category->AddDriver(record))
            Drivers.AddObject(FieldToAnsi(record.hardware_id), driver);
    }
}

void TDriverManager::ApplyRemoteDetail(const TRemote_detail& answer) {
    const int index = Drivers.IndexOf(answer.dev_hardid);
    if (index == -1) return;
    TRemote_detail& remote = Drivers.Objects(index)->Remote;
    FillEmpty(remote.dev_hardid, answer.dev_hardid);
    FillEmpty(remote.dr_version, answer.dr_version);
    FillEmpty(remote.dr_name, answer.dr_name);
    FillEmpty(remote.dev_desc, answer.dev_desc);
    FillEmpty(remote.dev_class_guid, answer.dev_class_guid);
    FillEmpty(remote.dr_size, answer.dr_size);
    if (FillEmpty(remote.dr_official_link, answer.dr_official_link))
        DebugLog("dr_official_link := " + answer.dr_official_link, 0);
    if (FillEmpty(remote.dr_link, answer.dr_link)) DebugLog("dr_link := " + answer.dr_link, 0);
}
