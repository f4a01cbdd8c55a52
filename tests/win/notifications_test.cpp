// Settings in setup.ini and the Run key, the tray icon and its balloon,
// the end of the session, and the scan prompt.
#include <fstream>
#include <sstream>

#include "MainWindowFixture.h"
#include "PubUnit_win.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string SettingsFile() { return Form1->FDataPath + "setup.ini"; }

std::string Setting(const char* key) {
    char value[64] = {};
    GetPrivateProfileStringA("System", key, "<missing>", value, sizeof value, SettingsFile().c_str());
    return value;
}

std::optional<std::string> RunValue(HKEY root) {
    char data[MAX_PATH * 2] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueA(root, kRunKey, "Tarnwick", RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) return std::nullopt;
    return type == REG_SZ ? std::optional<std::string>(data) : std::nullopt;
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// True when a quit was posted; it is taken off the queue so the tests go on.
bool TakeQuit() {
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

class Settings : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        WritePrivateProfileStringA("System", nullptr, nullptr, SettingsFile().c_str());  // no section yet
        DeleteRunValue("Tarnwick");
    }
    bool Checked(TCheckBox& box) { return box.Checked(); }
};

TEST_F(Settings, FirstRunShowsTheDefaults) {
    Form1->LoadSettings();
    EXPECT_TRUE(Form1->chkAutoRun.Checked());
    EXPECT_TRUE(Form1->chkAutoUpdate.Checked());
    EXPECT_FALSE(Form1->chkAutoDownload.Checked());
    EXPECT_FALSE(Form1->chkAutoShutdown.Checked());
    EXPECT_FALSE(Form1->chkScanHidden.Checked());
    EXPECT_EQ(Form1->chkAutoRun.Caption(), "Automatically run Tarnwick after Windows starts");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), std::nullopt);  // loading never writes the entry
}

TEST_F(Settings, ValuesAreReadAsIntegers) {
    struct Case {
        const char* value;  // null: no key
        bool checked;
    } cases[] = {{"1", true}, {"0", false}, {"2", true}, {"0x10", true}, {"true", false}, {"", false}, {nullptr, false}};
    for (const Case& c : cases) {
        WritePrivateProfileStringA("System", "ScanHidden", c.value, SettingsFile().c_str());
        Form1->chkScanHidden.SetChecked(!c.checked);
        Form1->LoadSettings();
        EXPECT_EQ(Form1->chkScanHidden.Checked(), c.checked) << (c.value ? c.value : "missing");
    }
}

TEST_F(Settings, SavedOptionsComeBackAndTheServiceSectionStays) {
    WritePrivateProfileStringA("Service", "Extra", "kept", SettingsFile().c_str());
    Form1->chkAutoRun.SetChecked(false);
    Form1->chkAutoUpdate.SetChecked(false);
    Form1->chkAutoDownload.SetChecked(true);
    Form1->chkAutoShutdown.SetChecked(false);
    Form1->chkScanHidden.SetChecked(true);
    Form1->btnSaveAllClick();
    EXPECT_EQ(Setting("AutoRun"), "0");
    EXPECT_EQ(Setting("AutoUpdate"), "0");
    EXPECT_EQ(Setting("AutoDownload"), "1");
    EXPECT_EQ(Setting("Shutdown"), "0");
    EXPECT_EQ(Setting("ScanHidden"), "1");
    const std::string file = ReadFile(SettingsFile());
    EXPECT_LT(file.find("AutoRun="), file.find("ScanHidden="));  // written in the keys' order
    for (TCheckBox* box : {&Form1->chkAutoRun, &Form1->chkAutoUpdate, &Form1->chkAutoDownload, &Form1->chkScanHidden})
        box->SetChecked(!box->Checked());
    Form1->LoadSettings();
    EXPECT_FALSE(Form1->chkAutoRun.Checked());
    EXPECT_TRUE(Form1->chkAutoDownload.Checked());
    EXPECT_TRUE(Form1->chkScanHidden.Checked());
    char extra[16] = {};
    GetPrivateProfileStringA("Service", "Extra", "", extra, sizeof extra, SettingsFile().c_str());
    EXPECT_STREQ(extra, "kept");
    WritePrivateProfileStringA("Service", "Extra", nullptr, SettingsFile().c_str());
}

TEST_F(Settings, ResetChangesOnlyTheBoxes) {
    Form1->chkAutoRun.SetChecked(false);
    Form1->chkScanHidden.SetChecked(true);
    Form1->btnSaveAllClick();
    const std::string before = ReadFile(SettingsFile());
    Form1->btnResetClick();
    EXPECT_TRUE(Form1->chkAutoRun.Checked());
    EXPECT_FALSE(Form1->chkScanHidden.Checked());
    EXPECT_EQ(ReadFile(SettingsFile()), before);
}

TEST_F(Settings, AutostartWritesThePlainProgramPathAndUncheckingDeletesIt) {
    Form1->chkAutoRun.SetChecked(true);
    Form1->btnSaveAllClick();
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), ProgramPath());
    Form1->chkAutoRun.SetChecked(false);
    Form1->btnSaveAllClick();
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), std::nullopt);
    Form1->btnSaveAllClick();  // deleting again is harmless
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), std::nullopt);
}

TEST_F(Settings, WithoutTheMachineWideKeyTheUsersRunKeyIsUsed) {
    // A root that cannot be opened stands for a machine-wide key an ordinary user may not write.
    const auto locked = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000099));
    WriteRunValueUnder({locked, HKEY_CURRENT_USER}, "C:\\Program Files\\Tarnwick\\Tarnwick.exe", "Tarnwick");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), "C:\\Program Files\\Tarnwick\\Tarnwick.exe");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), std::nullopt);
    DeleteRunValue("Tarnwick");  // unchecking clears both keys
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), std::nullopt);

    // Saved once as an ordinary user, later with the machine-wide key writable:
    // one entry remains, so the program does not start twice.
    WriteRunValueUnder({locked, HKEY_CURRENT_USER}, "C:\\Old\\Tarnwick.exe", "Tarnwick");
    WriteRunValue("C:\\Program Files\\Tarnwick\\Tarnwick.exe", "Tarnwick");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), "C:\\Program Files\\Tarnwick\\Tarnwick.exe");
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER), std::nullopt);
    DeleteRunValue("Tarnwick");
}

TEST_F(Settings, AFileThatCannotBeWrittenShowsTheErrorAndSkipsTheRest) {
    std::vector<std::string> boxes;
    const ErrorBoxHandler previous = SetErrorBoxHandler(
        [&](const std::string& text, const std::string& caption) { boxes.push_back(caption + ": " + text); });
    const std::string data_path = Form1->FDataPath;
    // A folder where the settings file should be makes the file unwritable.
    const std::string blocked = data_path + "blocked\\";
    CreateDirectoryA(blocked.c_str(), nullptr);
    CreateDirectoryA((blocked + "setup.ini").c_str(), nullptr);
    Form1->FDataPath = blocked;
    Form1->chkAutoRun.SetChecked(true);
    Form1->btnSaveAllClick();
    Form1->FDataPath = data_path;
    SetErrorBoxHandler(previous);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error: Unable to write to " + blocked + "setup.ini");
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), std::nullopt);  // the autostart step was skipped
}

class Notifications : public MainWindow {};

TEST_F(Notifications, ClosingHidesTheWindowAndTheBalloonComesOnce) {
    ASSERT_TRUE(Form1->TrayIcon1.Visible());
    EXPECT_EQ(Form1->TrayIcon1.Hint, L"Tarnwick");
    ASSERT_EQ(Form1->TrayIcon1.PopupMenu.size(), 2u);
    EXPECT_EQ(Form1->TrayIcon1.PopupMenu[0].Caption, "&Show Window");
    EXPECT_TRUE(Form1->TrayIcon1.PopupMenu[0].Default);
    EXPECT_EQ(Form1->TrayIcon1.PopupMenu[1].Caption, "E&xit");

    const int balloons = Form1->TrayIcon1.BalloonsShown();
    Form1->Close();
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(Form1->TrayIcon1.BalloonsShown(), balloons + (balloons == 0 ? 1 : 0));
    EXPECT_EQ(Form1->TrayIcon1.Tag, 1);
    EXPECT_EQ(Form1->TrayIcon1.BalloonTitle, L"Tarnwick Message");
    EXPECT_EQ(Form1->TrayIcon1.BalloonHint, L"Tarnwick is running in the background!");
    EXPECT_FALSE(TakeQuit());

    Form1->TrayIcon1.PopupMenu[0].OnClick();  // "&Show Window"
    EXPECT_TRUE(Form1->Visible());
    Form1->Close();
    EXPECT_FALSE(Form1->Visible());
    EXPECT_EQ(Form1->TrayIcon1.BalloonsShown(), 1);
    Form1->TrayIcon1.OnClick();  // a click on the icon shows the window again
    EXPECT_TRUE(Form1->Visible());
}

TEST_F(Notifications, ExitEndsTheProgramEvenWhileHidden) {
    Form1->Close();
    ASSERT_FALSE(Form1->Visible());
    Form1->TrayIcon1.PopupMenu[1].OnClick();  // "E&xit"
    EXPECT_TRUE(TakeQuit());
    Form1->actShowWindowExecute();  // back to normal for the next tests
    EXPECT_FALSE(Form1->FReallyClose);
}

TEST_F(Notifications, AtTheEndOfTheSessionACloseEndsTheProgram) {
    EXPECT_EQ(SendMessageW(Form1->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(Form1->FReallyClose);
    SendMessageW(Form1->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(TakeQuit());
    Form1->actShowWindowExecute();

    // As Windows does it: the query, then the end of the session without a close.
    EXPECT_EQ(SendMessageW(Form1->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(Form1->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(TakeQuit());
    Form1->actShowWindowExecute();

    // A session that goes on after all (another program refused): closing hides again.
    EXPECT_EQ(SendMessageW(Form1->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(Form1->Handle(), WM_ENDSESSION, FALSE, 0);
    SendMessageW(Form1->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(TakeQuit());
    EXPECT_FALSE(Form1->Visible());
    Form1->actShowWindowExecute();
}

// Answers the scan prompt from inside its modal loop.
class PromptAnswer : public TThread {
public:
    explicit PromptAnswer(std::function<void(TScanMessageForm&)> answer) : TThread(true), answer_(std::move(answer)) {}
    ~PromptAnswer() override { WaitFor(); }
    bool prompted = false;

protected:
    void Execute() override {
        for (int i = 0; i < 200 && !prompted; ++i) {
            Sleep(25);
            Synchronize([this] {
                if (!Form1->ScanMessage || !Form1->ScanMessage->Visible()) return;
                prompted = true;
                Form1->FScanDone = true;  // let a scan that Continue starts finish its wait
                answer_(*Form1->ScanMessage);
            });
        }
    }

private:
    std::function<void(TScanMessageForm&)> answer_;
};

class ScanPrompt : public MainWindow {
protected:
    // Opens the download page with the lookup still "running" and answers the prompt.
    void Answer(std::function<void(TScanMessageForm&)> answer) {
        Form1->ShowPage("tsScan");
        Form1->DriverListFrame1->LoadDrivers(nullptr);
        Form1->FScanDone = false;
        PromptAnswer answering(std::move(answer));
        answering.Start();
        Form1->btnDownloadClick();
        answering.WaitFor();
        EXPECT_TRUE(answering.prompted);
        Form1->FScanDone = true;
    }
};

TEST_F(ScanPrompt, ContinueStartsAScan) {
    Answer([](TScanMessageForm& prompt) { prompt.btnContinue.Click(); });
    EXPECT_EQ(Form1->ActivePage(), Form1->tsDownload.get());
    EXPECT_GT(Form1->DriverListFrame1->Rows.Count(), 0);  // the scan built the list
}

TEST_F(ScanPrompt, CancelAndTheCloseButtonDoNot) {
    for (auto press : {+[](TScanMessageForm& p) { p.btnCancel.Click(); },
                       +[](TScanMessageForm& p) { p.btnClose.Click(); }}) {
        Answer(press);
        EXPECT_EQ(Form1->ActivePage(), Form1->tsDownload.get());
        EXPECT_EQ(Form1->DriverListFrame1->Rows.Count(), 0);  // no scan ran
    }
}

TEST_F(ScanPrompt, SitsOverThePageAreaAndBelongsToTheWindow) {
    RECT prompt_rect{};
    HWND owner = nullptr;
    Answer([&](TScanMessageForm& prompt) {
        GetWindowRect(prompt.Handle(), &prompt_rect);
        owner = GetWindow(prompt.Handle(), GW_OWNER);
        prompt.btnCancel.Click();
    });
    // Owned, it cannot fall behind the window it has disabled.
    EXPECT_EQ(owner, Form1->Handle());
    RECT panel;
    GetWindowRect(Form1->pnlClient->Handle(), &panel);
    const int prompt_width = prompt_rect.right - prompt_rect.left;
    const int prompt_height = prompt_rect.bottom - prompt_rect.top;
    EXPECT_EQ(prompt_width, Form1->Scaled(450));
    EXPECT_EQ(prompt_rect.left, panel.left + (panel.right - panel.left - prompt_width) / 2);
    EXPECT_EQ(prompt_rect.top, panel.top + (panel.bottom - panel.top - prompt_height) / 2 + Form1->Scaled(40));
}

}  // namespace
