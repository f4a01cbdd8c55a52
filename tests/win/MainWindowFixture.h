// A main window in this process, over the seeded devices, whose start-up
// lookup asked the reference service; shared by the GUI test suites.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Application_win.h"
#include "ErrorBox.h"
#include "TestServers.h"
#include "Unit1_win.h"
#include "dmUnit_win.h"

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 30000) {
    return Application.ProcessMessagesUntil(done, ms);
}

class MainWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        previous_box_ = SetErrorBoxHandler([](const std::string&, const std::string&) {});
        const std::string settings = TDM::GetDataFolder() + "setup.ini";
        WritePrivateProfileStringA("Service", "LookupURL", ServerURL("service", "/index.php").c_str(), settings.c_str());
        WritePrivateProfileStringA("Service", "ConnectivityURL", ServerURL("service", "/").c_str(), settings.c_str());
        DM = new TDM;
        Form1 = new TForm1;
        Application.MainForm = Form1;
        Form1->Show();
    }
    static void TearDownTestSuite() {
        Application.MainForm = nullptr;
        delete Form1;
        Form1 = nullptr;
        delete DM;
        DM = nullptr;
        SetErrorBoxHandler(previous_box_);
    }
    void SetUp() override {
        ASSERT_GT(ServerPort("service"), 0) << "the lookup service is not running";
        ASSERT_TRUE(PumpUntil([] { return Form1->FScanDone; })) << "the start-up lookup did not end";
        Form1->ScanningFrame1->Pause = [](unsigned) {};
    }

    // Runs a scan and answers the rows' keys in display order.
    static std::vector<std::string> Scan() {
        Form1->actStartScanExecute();
        return Keys();
    }
    static std::vector<std::string> Keys() {
        std::vector<std::string> keys;
        const auto& rows = Form1->DriverListFrame1->Rows;
        for (int i = 0; i < rows.Count(); ++i) keys.push_back(rows.Strings(i));
        return keys;
    }
    static TDriverFrame* Row(const std::string& hardware_id) {
        const auto& rows = Form1->DriverListFrame1->Rows;
        for (int i = 0; i < rows.Count(); ++i)
            if (auto* row = dynamic_cast<TDriverFrame*>(rows.Objects(i)); row && rows.Strings(i) == hardware_id)
                return row;
        return nullptr;
    }

protected:
    static ErrorBoxHandler previous_box_;
};

inline ErrorBoxHandler MainWindow::previous_box_;

