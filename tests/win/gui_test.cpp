// The main window in this process, against the reference lookup service:
// the scan workflow, the driver list and its check boxes, and driver rows
// downloading, failing, being cancelled and installing.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "MainWindowFixture.h"

namespace {

TEST_F(MainWindow, StartsOnTheScanPageWithItsInstruction) {
    Form1->ShowPage("tsScan");
    EXPECT_EQ(Form1->ActivePage(), Form1->tsScan.get());
    EXPECT_TRUE(Form1->btnScan.Down());
    EXPECT_FALSE(Form1->btnDownload.Down());
    EXPECT_EQ(Form1->lblInstruction.Caption().substr(0, 20), "One-click scanning f");
    Form1->ShowPage("TSABOUT");  // names compare without regard to case
    EXPECT_EQ(Form1->ActivePage(), Form1->tsAbout.get());
    EXPECT_TRUE(Form1->btnAbout.Down());
    EXPECT_EQ(Form1->lblInstruction.Caption(), "About Tarnwick.");
    int visible = 0;
    for (const TTabSheet* page : Form1->Pages) visible += page->Visible() ? 1 : 0;
    EXPECT_EQ(visible, 1);
}

TEST_F(MainWindow, TheAnimationSlowsWhileTheLookupRunsAndSpeedsUpAfter) {
    std::vector<unsigned> pauses;
    TScanningFrame& frame = *Form1->ScanningFrame1;
    frame.FastMode = false;
    frame.Pause = [&](unsigned ms) {
        pauses.push_back(ms);
        if (pauses.size() == 4) frame.FastMode = true;  // the lookup ends here
    };
    auto finished = std::exchange(frame.OnScanFinished, nullptr);
    frame.RunScan();
    frame.OnScanFinished = finished;
    ASSERT_GE(pauses.size(), 6u);
    // A category rests 10 ms; its devices 100 ms while the lookup runs ...
    EXPECT_EQ(pauses[0], 10u);
    EXPECT_EQ(pauses[1], 100u);
    // ... and 10 ms from the moment it has ended, for categories and devices alike.
    for (std::size_t i = 4; i < pauses.size(); ++i) EXPECT_EQ(pauses[i], 10u) << i;
    EXPECT_EQ(Form1->sProgressBar1.Max(), DriverManager->DriversCount());
    EXPECT_EQ(Form1->sProgressBar1.Position(), DriverManager->DriversCount());
    EXPECT_EQ(frame.lstScanning->Count(), DriverManager->Categories.Count() + DriverManager->DriversCount());
}

TEST_F(MainWindow, AScanListsTheOutOfDateDriversUnderTheirHeaders) {
    const std::vector<std::string> keys = Scan();
    EXPECT_EQ(Form1->ActivePage(), Form1->tsDownload.get());
    const auto& rows = Form1->DriverListFrame1->Rows;
    ASSERT_GT(rows.Count(), 0);
    // Class after class in the inventory's order, each header followed by its rows.
    int expected = 0;
    for (int c = 0; c < DriverManager->Categories.Count(); ++c) {
        TDriverCategory* category = DriverManager->Categories.Objects(c);
        bool header = false;
        for (int d = 0; d < category->Drivers.Count(); ++d) {
            TDriver* driver = category->Drivers.Objects(d);
            if (!driver->IsOutOfDate()) continue;
            if (!header) {
                auto* frame = dynamic_cast<TCategoryFrame*>(rows.Objects(expected));
                ASSERT_NE(frame, nullptr) << expected;
                EXPECT_EQ(frame->Category, category);
                EXPECT_EQ(rows.Strings(expected), category->ClassName);
                EXPECT_TRUE(category->HasOutOfDate);
                ++expected;
                header = true;
            }
            auto* row = dynamic_cast<TDriverFrame*>(rows.Objects(expected));
            ASSERT_NE(row, nullptr) << expected;
            EXPECT_EQ(row->Driver, driver);
            ++expected;
        }
    }
    EXPECT_EQ(expected, rows.Count());
    for (int i = 0; i < rows.Count(); ++i) {
        EXPECT_EQ(rows.Objects(i)->Name, "Frame" + std::to_string(i));
        EXPECT_TRUE(rows.Objects(i)->Visible());
    }
    // The catalogue offers a newer graphics driver, and nothing for the sensor.
    ASSERT_NE(Row("PCI\\VEN_10DE&DEV_0640"), nullptr);
    EXPECT_EQ(Row("ROOT\\TARNWICK_SENSOR"), nullptr);
    EXPECT_EQ(Row("PCI\\VEN_10DE&DEV_0640")->lblVersion.Caption(), "8.17.12.6099");
    EXPECT_EQ(Form1->DriverListFrame1->CheckedCount(), rows.Count() - [&] {
        int headers = 0;
        for (int i = 0; i < rows.Count(); ++i) headers += dynamic_cast<TCategoryFrame*>(rows.Objects(i)) ? 1 : 0;
        return headers;
    }());
    // The warning has flashed and stays up with the download-all button.
    EXPECT_TRUE(Form1->lblWarning.Visible());
    EXPECT_TRUE(Form1->imgWarning.Visible());
    EXPECT_TRUE(Form1->btnDownloadAll.Visible());
}

TEST_F(MainWindow, ASecondScanBuildsTheSameRowsAfresh) {
    const std::vector<std::string> first = Scan();
    TDriverFrame* graphics = Row("PCI\\VEN_10DE&DEV_0640");
    ASSERT_NE(graphics, nullptr);
    graphics->CheckBox1.SetChecked(false);
    const std::vector<std::string> second = Scan();
    EXPECT_EQ(first, second);
    EXPECT_TRUE(Row("PCI\\VEN_10DE&DEV_0640")->CheckBox1.Checked());  // check states are not kept
}

// Starts a scan from inside the main window's wait for the lookup.
class InnerScan : public TThread {
public:
    InnerScan() : TThread(true) {}
    ~InnerScan() override { WaitFor(); }
    std::vector<std::string> inner_keys;

protected:
    void Execute() override {
        Sleep(300);
        Synchronize([this] {
            Form1->FScanDone = true;
            Form1->actStartScanExecute();
            const auto& rows = Form1->DriverListFrame1->Rows;
            for (int i = 0; i < rows.Count(); ++i) inner_keys.push_back(rows.Strings(i));
        });
    }
};

TEST_F(MainWindow, AScanStartedWhileWaitingRunsToItsEndThenTheOuterOneBuildsAgain) {
    const std::vector<std::string> expected = Scan();
    Form1->FScanDone = false;  // as if the lookup were still running
    InnerScan inner;
    inner.Start();
    const std::vector<std::string> outer = Scan();
    inner.WaitFor();
    EXPECT_EQ(inner.inner_keys, expected);
    EXPECT_EQ(outer, expected);
}

TEST_F(MainWindow, HeaderAndCheckAllBoxesFollowTheRules) {
    Scan();
    TDriverListFrame& list = *Form1->DriverListFrame1;
    std::vector<TCategoryFrame*> headers;
    for (int i = 0; i < list.Rows.Count(); ++i)
        if (auto* header = dynamic_cast<TCategoryFrame*>(list.Rows.Objects(i))) headers.push_back(header);
    ASSERT_GE(headers.size(), 2u) << "the demo catalogue answers for devices of several classes";
    auto rows_of = [&](TCategoryFrame* header) {
        std::vector<TDriverFrame*> rows;
        for (int i = 0; i < list.Rows.Count(); ++i)
            if (auto* row = dynamic_cast<TDriverFrame*>(list.Rows.Objects(i)); row && row->Category == header->Category)
                rows.push_back(row);
        return rows;
    };
    const int all = list.CheckedCount();
    const int first_rows = static_cast<int>(rows_of(headers[0]).size());
    headers[0]->CheckBox1.Click();  // the user clears the first class
    EXPECT_EQ(list.CheckedCount(), all - first_rows);
    for (TDriverFrame* row : rows_of(headers[0])) EXPECT_FALSE(row->CheckBox1.Checked());
    for (TDriverFrame* row : rows_of(headers[1])) EXPECT_TRUE(row->CheckBox1.Checked());

    // One row of the first class checked again by hand, then "select all" cleared:
    // the first header does not change, so its rows keep their own states.
    rows_of(headers[0])[0]->CheckBox1.SetChecked(true);
    Form1->chkCheckAll.SetChecked(false);
    EXPECT_FALSE(headers[1]->CheckBox1.Checked());
    EXPECT_EQ(list.CheckedCount(), 1);
    Form1->chkCheckAll.SetChecked(true);
    EXPECT_EQ(list.CheckedCount(), all);
}

TEST_F(MainWindow, RowsStayHiddenUntilShownAllAtOnce) {
    Scan();
    TDriverListFrame& list = *Form1->DriverListFrame1;
    list.LoadDrivers(DriverManager);
    ASSERT_GT(list.Rows.Count(), 0);
    for (int i = 0; i < list.Rows.Count(); ++i) EXPECT_FALSE(list.Rows.Objects(i)->Visible()) << i;
    list.ShowOutOfDate();
    for (int i = 0; i < list.Rows.Count(); ++i) EXPECT_TRUE(list.Rows.Objects(i)->Visible()) << i;
}

TEST_F(MainWindow, TheHourglassStaysUpWhileTheScanRuns) {
    const HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
    // What the window shows when the mouse moves over it.
    const auto shown = [] {
        SendMessageW(Form1->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Form1->Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    std::set<HCURSOR> during;
    Form1->ScanningFrame1->Pause = [&](unsigned) { during.insert(shown()); };
    Scan();
    EXPECT_EQ(during, std::set<HCURSOR>{hourglass});
    EXPECT_NE(shown(), hourglass);
}

TEST_F(MainWindow, AnEmptyListSaysWhetherTheCatalogueAnswered) {
    const struct {
        bool answered;
        const char* hint;
    } cases[] = {
        {false, "The driver catalogue could not be reached. Check your Internet connection and restart Tarnwick."},
        {true, "All your drivers are up to date."},  // last: the suite's lookup did answer
    };
    for (const auto& c : cases) {
        TScanThread ended;  // never started: only its outcome is handed over
        ended.Answered = c.answered;
        Form1->ScanThreadTerminate(&ended);
        Form1->DriverListFrame1->LoadDrivers(nullptr);
        Form1->actShowOutOfDateDriversExecute();
        EXPECT_TRUE(Form1->lblNoDrivers.Visible());
        EXPECT_EQ(Form1->lblNoDrivers.Caption(), c.hint);
    }
    Scan();
    EXPECT_FALSE(Form1->lblNoDrivers.Visible());  // rows need no hint
}

TEST_F(MainWindow, TheWheelMovesTheListThirtyPixelsPerNotchAndFractionsAddUp) {
    Scan();
    TScrollBox& box = *Form1->DriverListFrame1->ScrollBox1;
    const int notch = box.Scaled(30);
    ASSERT_GT(box.Content().Height() - box.ClientHeight(), 3 * notch) << "the demo list must overflow its box";
    box.ScrollTo(0);
    const auto wheel = [&](int delta) { SendMessageW(box.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); };

    wheel(-WHEEL_DELTA);  // one notch down
    EXPECT_EQ(box.ScrollPosition(), notch);
    wheel(-WHEEL_DELTA / 3);  // a touchpad's third of a notch scrolls at once
    EXPECT_GT(box.ScrollPosition(), notch);
    wheel(-WHEEL_DELTA / 3);
    wheel(-WHEEL_DELTA / 3);
    EXPECT_EQ(box.ScrollPosition(), 2 * notch);
    wheel(2 * WHEEL_DELTA);  // two notches up at once
    EXPECT_EQ(box.ScrollPosition(), 0);
    wheel(WHEEL_DELTA);  // nothing above the top
    EXPECT_EQ(box.ScrollPosition(), 0);
}

// A host window for single rows.
class Host : public TForm {
public:
    Host() {
        CreateHandle(L"Rows", WS_POPUP, WS_EX_TOOLWINDOW);
        SetClientSize(Scaled(700), Scaled(100));
    }
};

class DriverRow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(ServerPort("recorder"), 0);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "tarnwick-rows\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        driver_.Remote.dr_version = "2.0";
        row_ = std::make_unique<TDriverFrame>(host_);
        row_->Driver = &driver_;
        row_->SetSavePath(folder_);
        row_->ShowDriver();
    }
    void TearDown() override { row_.reset(); }

    void Link(const std::string& link) { driver_.Remote.dr_link = link; }
    bool WaitForState(unsigned char state) {
        return PumpUntil([&] {
            Application.DoIdle();
            return row_->State == state;
        });
    }

    Host host_;
    TDriver driver_;
    std::unique_ptr<TDriverFrame> row_;
    std::string folder_;
};

TEST_F(DriverRow, DownloadsToCompletedAndInstallsThePackage) {
    Link(ServerURL("service", "/files/tarnwick-demo-installer.exe"));
    DeleteFileA((folder_ + "tarnwick-demo-installer.exe.installed").c_str());
    row_->Download();
    EXPECT_EQ(row_->State, 1);
    Application.DoIdle();
    EXPECT_FALSE(row_->btnDownload.Visible());
    EXPECT_TRUE(row_->btnCancel.Visible());
    ASSERT_TRUE(WaitForState(2));
    EXPECT_EQ(row_->lblStatus.Caption(), "Completed");
    Application.DoIdle();
    EXPECT_TRUE(row_->btnInstall.Enabled());
    EXPECT_FALSE(row_->btnCancel.Visible());
    row_->Install();
    EXPECT_TRUE(PumpUntil([&] { return Exists(folder_ + "tarnwick-demo-installer.exe.installed"); }))
        << "the package did not run";
}

TEST_F(DriverRow, CancelReturnsToIdleAndKeepsThePartialFile) {
    Link(ServerURL("recorder", "/stall-body/400000/slow-package.exe"));
    row_->Download();
    ASSERT_TRUE(PumpUntil([&] { return row_->DownloadObj && row_->DownloadObj->Done() > 0; }));
    row_->CancelDownload();
    EXPECT_EQ(row_->State, 0);
    EXPECT_EQ(row_->lblStatus.Caption(), "Cancelled");
    EXPECT_EQ(row_->ProgressBar1.Position(), 0);
    EXPECT_TRUE(row_->ProgressBar1.Visible());
    Application.DoIdle();
    EXPECT_TRUE(row_->btnDownload.Visible());
    EXPECT_TRUE(Exists(folder_ + "slow-package.exe"));
}

TEST_F(DriverRow, AFailedDownloadShowsFailedNeverCompleted) {
    for (const std::string& path : {std::string("/status/404"), std::string("/drop/200000/broken.exe")}) {
        Link(ServerURL("recorder", path));
        row_->Download();
        ASSERT_TRUE(PumpUntil([&] { return row_->lblStatus.Caption() == "Failed"; })) << path;
        EXPECT_EQ(row_->State, 0);
        EXPECT_FALSE(row_->Timer1.Enabled());
        Application.DoIdle();
        EXPECT_FALSE(row_->btnInstall.Enabled());
        EXPECT_TRUE(row_->btnDownload.Visible());
    }
}

TEST_F(DriverRow, ShowsTheRateAndTimeLeft) {
    row_->DownloadObj = std::make_unique<TDownloadObj>();
    row_->DownloadObj->SetTotal(10485760);
    row_->DownloadObj->SetDone(2621440);
    // Started ten seconds ago (and a few milliseconds more by the time the timer runs).
    row_->StartTime = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count() - 10.0;
    row_->Timer1Timer();
    const std::string status = row_->lblStatus.Caption();
    EXPECT_EQ(status.substr(0, 17), "Transfer rate: 25") << status;
    EXPECT_NE(status.find(" KB/s  Estimated time left: 00:00:30"), std::string::npos) << status;
    EXPECT_EQ(row_->ProgressBar1.Max(), 10485760);
    EXPECT_EQ(row_->ProgressBar1.Position(), 2621440);
}

TEST_F(DriverRow, HostileFileNamesStayInsideTheDataFolder) {
    Link(ServerURL("recorder", "/file/10/..%255C..%255Cevil.exe"));
    DeleteFileA((folder_ + "evil.exe").c_str());
    row_->Download();
    ASSERT_TRUE(WaitForState(2));
    EXPECT_EQ(row_->DownloadObj->FileName, "evil.exe");
    EXPECT_TRUE(Exists(folder_ + "evil.exe"));
}

}  // namespace
