// The settings page's options in setup.ini (section "System") and the
// autostart entry they control.
#include <windows.h>

#include "ErrorBox.h"
#include "PubUnit_win.h"
#include "SettingsRules.h"
#include "Unit1_win.h"

namespace {

constexpr char kSection[] = "System";
// Marks a key that is not in the file at all.
constexpr char kMissing[] = "\x7f";

std::optional<std::string> ReadValue(const std::string& file, const char* key) {
    char value[64] = {};
    GetPrivateProfileStringA(kSection, key, kMissing, value, sizeof value, file.c_str());
    if (std::string(value) == kMissing) return std::nullopt;
    return std::string(value);
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace

void TForm1::LoadSettings() {
    const std::string file = FDataPath + "setup.ini";
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i)
        SettingBoxes[i]->SetChecked(ReadSettingFlag(ReadValue(file, kSettingKeys[i].Key), kSettingKeys[i].Default));
}

void TForm1::SaveSettings() {
    const std::string file = FDataPath + "setup.ini";
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) {
        if (!WritePrivateProfileStringA(kSection, kSettingKeys[i].Key, SettingBoxes[i]->Checked() ? "1" : "0",
                                        file.c_str())) {
            // The rest of this save, the autostart entry included, is skipped.
            ShowErrorBox("Unable to write to " + file, "Error");
            return;
        }
    }
    if (chkAutoRun.Checked())
        WriteRunValue(ProgramPath(), "Tarnwick");
    else
        DeleteRunValue("Tarnwick");
}

void TForm1::btnResetClick() {
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i) SettingBoxes[i]->SetChecked(kSettingKeys[i].Default);
}

void TForm1::btnSaveAllClick() { SaveSettings(); }
