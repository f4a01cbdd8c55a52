#include "Unit1_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cctype>

#include "AnsiText.h"
#include "Application_win.h"
#include "FrozenDrawing_win.h"
#include "PubUnit_win.h"
#include "Skin_win.h"
#include "Translate.h"
#include "dmUnit_win.h"
#include "version.h"

TForm1* Form1 = nullptr;

namespace {

constexpr int kClientWidth = 932;
constexpr int kClientHeight = 691;
constexpr COLORREF kPanelColour = RGB(215, 231, 251);
constexpr COLORREF kHeadingColour = RGB(20, 52, 86);
constexpr COLORREF kBodyTextColour = RGB(60, 72, 88);
constexpr UINT kMoveByCaption = SC_MOVE + HTCAPTION;  // 61458

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

TFont Font(int height, bool bold, COLORREF color, const wchar_t* name = L"Tahoma") {
    TFont font;
    font.Name = name;
    font.Height = height;
    font.Bold = bold;
    font.Color = color;
    return font;
}

void Faces(TImageButton& button, const std::wstring& prefix, int dpi, bool disabled = false) {
    button.FaceNormal = SharedPicture(prefix + L"_NORMAL", dpi);
    button.FaceHot = SharedPicture(prefix + L"_HOT", dpi);
    button.FacePressed = SharedPicture(prefix + L"_PRESSED", dpi);
    if (disabled) button.FaceDisabled = SharedPicture(prefix + L"_DISABLED", dpi);
}

}  // namespace

TTabSheet::TTabSheet(TWinControl& parent, const std::string& name) : TPanel(parent, kPanelColour) {
    Name = name;
}

TForm1::TForm1() {
    FDataPath = TDM::GetDataFolder();
    CreateHandle(L"Tarnwick", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW);
    Color = kPanelColour;
    const int dpi = Dpi();
    imgBg.Picture = SharedPicture(L"MAIN_BG", dpi);
    imgBg.OnMouseDown = [this](int, int) { imgBgMouseDown(); };
    Place(imgBg, 0, 0, 930, 689);
    ApplyPictureRegion(Handle(), imgBg.Picture.Handle());

    BuildNavigation();
    pnlClient = std::make_unique<TPanel>(*this, kPanelColour);
    PlaceWindow(*pnlClient, 185, 123, 740, 542);
    tsScan = std::make_unique<TTabSheet>(*pnlClient, "tsScan");
    tsScanning = std::make_unique<TTabSheet>(*pnlClient, "tsScanning");
    tsDownload = std::make_unique<TTabSheet>(*pnlClient, "tsDownload");
    tsSettings = std::make_unique<TTabSheet>(*pnlClient, "tsSettings");
    tsAbout = std::make_unique<TTabSheet>(*pnlClient, "tsAbout");
    Pages[0] = tsScan.get();
    Pages[1] = tsScanning.get();
    Pages[2] = tsDownload.get();
    Pages[3] = tsSettings.get();
    Pages[4] = tsAbout.get();
    for (TTabSheet* page : Pages) {
        page->Hide();
        pnlClient->PlaceWindow(*page, 0, 0, 740, 542);
    }
    BuildScanPages();
    BuildDownloadPage();
    BuildAboutPage();
    BuildSettingsPage();
    BuildTrayIcon();

    SetClientSize(Scaled(kClientWidth), Scaled(kClientHeight));
    CenterOnScreen();
    ScanningFrame1->ProgressBar = &sProgressBar1;
    ScanningFrame1->OnScanFinished = [this](TScanningFrame* sender) { ScanningFinished(sender); };
    ShowPage("tsScan");

    FScanDone = false;
    auto* scan = new TScanThread;
    scan->FreeOnTerminate = true;
    scan->Manager = DriverManager;
    if (DM) scan->InventoryLease = DM->InventoryUsers.Acquire();
    scan->OnTerminate = [form = std::weak_ptr<TForm1*>(alive_)](TThread* sender) {
        if (const auto alive = form.lock()) (*alive)->ScanThreadTerminate(sender);
    };
    scan->Start();
    LoadSettings();
}

TForm1::~TForm1() { alive_.reset(); }

void TForm1::BuildNavigation() {
    const int dpi = Dpi();
    Faces(btnClose, L"BTN_CLOSE", dpi);
    btnClose.Hint = L"Close";
    btnClose.OnClick = [this] { btnCloseClick(); };
    Place(btnClose, 901, 4, 25, 25);
    Faces(btnMinimize, L"BTN_MIN", dpi);
    btnMinimize.Hint = L"Minimize";
    btnMinimize.OnClick = [this] { btnMinimizeClick(); };
    Place(btnMinimize, 876, 4, 25, 25);

    struct Nav {
        TImageButton* button;
        const char* caption;
        const wchar_t* icon;
        void (TForm1::*handler)();
    } const navigation[] = {{&btnScan, "Scan", L"NAVICON_SCAN", &TForm1::btnScanClick},
                            {&btnDownload, "Download", L"NAVICON_DOWNLOAD", &TForm1::btnDownloadClick},
                            {&btnSettings, "Settings", L"NAVICON_SETTINGS", &TForm1::btnSettingsClick},
                            {&btnAbout, "About", L"NAVICON_ABOUT", &TForm1::btnAboutClick}};
    int top = 123;
    for (const Nav& nav : navigation) {
        TImageButton& button = *nav.button;
        Faces(button, L"NAV", dpi);
        button.Icon = SharedPicture(std::wstring(nav.icon) + L"_LIGHT", dpi);
        button.IconHot = SharedPicture(std::wstring(nav.icon) + L"_HOT", dpi);
        button.IconPressed = SharedPicture(std::wstring(nav.icon) + L"_DARK", dpi);
        button.Font = Font(13, true, RGB(30, 50, 70));
        button.CaptionLeft = 48;
        button.SetCaption(nav.caption);
        button.OnClick = [this, handler = nav.handler] { (this->*handler)(); };
        Place(button, 5, top, 179, 40);
        top += 40;
    }
    lblInstruction.Font = Font(PointsToPixels(9), false, RGB(42, 42, 42));
    lblInstruction.WordWrap = true;
    lblInstruction.HasShadow = true;
    lblInstruction.ShadowColor = RGB(255, 255, 213);
    Place(lblInstruction, 14, 297, 164, 215);
}

void TForm1::BuildScanPages() {
    const int dpi = Dpi();
    imgScanBG.Picture = SharedPicture(L"SCAN_BG", dpi);
    tsScan->Place(imgScanBG, 0, 0, 740, 542);
    lblScanTitle.Font = Font(20, true, kHeadingColour);
    lblScanTitle.SetCaption("Keep your drivers up to date");
    tsScan->Place(lblScanTitle, 44, 44, 640, 28);
    lblScanText.Font = Font(13, false, kBodyTextColour);
    lblScanText.WordWrap = true;
    lblScanText.SetCaption(
        "Tarnwick checks every device of this computer against its catalogue of drivers and shows the ones for "
        "which a newer driver exists. Nothing is installed without your say.");
    tsScan->Place(lblScanText, 44, 82, 420, 64);
    Faces(btnStartScan, L"BIGBTN", dpi, true);
    btnStartScan.Font = Font(17, true, RGB(255, 255, 255));
    btnStartScan.SetCaption("START SCAN");
    btnStartScan.OnClick = [this] { actStartScanExecute(); };
    tsScan->Place(btnStartScan, 197, 182, 308, 59);
    tsScan->OnShow = [this] {
        SetNavigation(btnScan, "One-click scanning for your driver updates.\r\n\r\nClick the START SCAN button to "
                               "scan your computer now!");
    };

    imgScanning_bg.Picture = SharedPicture(L"SCANNING_BG", dpi);
    tsScanning->Place(imgScanning_bg, 0, 0, 740, 542);
    lblScanningTitle.Font = Font(18, true, kHeadingColour);
    lblScanningTitle.SetCaption("Scanning your devices...");
    tsScanning->Place(lblScanningTitle, 20, 28, 680, 28);
    ScanningFrame1 = std::make_unique<TScanningFrame>(*tsScanning);
    tsScanning->PlaceWindow(*ScanningFrame1, 16, 79, 707, 336);
    sProgressBar1.Font = Font(14, true, RGB(35, 56, 86));
    tsScanning->Place(sProgressBar1, 26, 459, 686, 40);
    tsScanning->OnShow = tsScan->OnShow;
}

void TForm1::BuildDownloadPage() {
    const int dpi = Dpi();
    img_download_bg.Picture = SharedPicture(L"DOWNLOAD_BG", dpi);
    tsDownload->Place(img_download_bg, 0, 0, 740, 542);
    imgWarning.Picture = SharedPicture(L"WARNING_BANNER", dpi);
    tsDownload->Place(imgWarning, 17, 73, 711, 67);
    lblWarning.Font = Font(PointsToPixels(12), true, RGB(35, 56, 86), L"Arial");
    lblWarning.HasShadow = true;
    lblWarning.ShadowColor = RGB(255, 255, 255);
    lblWarning.SetCaption("Warning! Out of date drivers found!");
    lblWarning.Hide();
    tsDownload->Place(lblWarning, 87, 96, 470, 22);
    DriverListFrame1 = std::make_unique<TDriverListFrame>(*tsDownload);
    tsDownload->PlaceWindow(*DriverListFrame1, 16, 157, 707, 347);
    lblNoDrivers.Font = Font(13, false, kBodyTextColour);
    lblNoDrivers.Alignment = DT_CENTER;
    lblNoDrivers.Hide();
    tsDownload->Place(lblNoDrivers, 16, 30, 707, 20);
    chkCheckAll.Font = Font(12, false, RGB(42, 42, 42));
    chkCheckAll.SetCaption("Select all");
    chkCheckAll.SetChecked(true);
    chkCheckAll.OnClick = [this] { chkCheckAllClick(); };
    tsDownload->Place(chkCheckAll, 19, 516, 200, 18);
    Faces(btnDownloadAll, L"MIDBTN", dpi, true);
    btnDownloadAll.Font = Font(12, true, RGB(255, 255, 255));
    btnDownloadAll.SetCaption("DOWNLOAD ALL");
    btnDownloadAll.OnClick = [this] { btnDownloadAllClick(); };
    btnDownloadAll.Hide();
    tsDownload->Place(btnDownloadAll, 573, 91, 145, 35);
    tsDownload->OnShow = [this] {
        SetNavigation(btnDownload, "New drivers will make your devices to work properly.\r\n\r\nClick the DOWNLOAD ALL "
                                   "button to download driver updates for your computer.");
    };
    tsSettings->OnShow = [this] {
        SetNavigation(btnSettings,
                      "Use Settings to control Tarnwick functionality.\r\n\r\nClick the SAVE ALL button to save your "
                      "changes.");
    };
}

void TForm1::BuildTrayIcon() {
    TrayIcon1.Hint = L"Tarnwick";
    TrayIcon1.OnClick = [this] { actShowWindowExecute(); };
    TrayIcon1.PopupMenu = {{"&Show Window", [this] { actShowWindowExecute(); }, true},
                           {"E&xit", [this] { actExitExecute(); }, false}};
    TrayIcon1.Show();
}

void TForm1::BuildSettingsPage() {
    const int dpi = Dpi();
    pnlSettings = std::make_unique<TPanel>(*tsSettings, kPanelColour);
    tsSettings->PlaceWindow(*pnlSettings, 0, 0, 740, 542);
    Image4.Picture = SharedPicture(L"SETTINGS_HEADER", dpi);
    pnlSettings->Place(Image4, 0, 0, 739, 170);
    imgSettingsBG2.Picture = SharedPicture(L"SETTINGS_DECOR", dpi);
    pnlSettings->Place(imgSettingsBG2, 507, 322, 232, 220);
    lblSettingsTitle.Font = Font(20, true, kHeadingColour);
    lblSettingsTitle.SetCaption("Settings");
    pnlSettings->Place(lblSettingsTitle, 44, 36, 500, 28);
    lblSettingsText.Font = Font(13, false, kBodyTextColour);
    lblSettingsText.SetCaption("Choose how Tarnwick works for you.");
    pnlSettings->Place(lblSettingsText, 44, 68, 500, 20);
    struct Box {
        TCheckBox* box;
        const char* caption;
        int top;
    } const boxes[] = {
        {&chkScanHidden, "Include hidden devices in driver scan", 117},
        {&chkAutoDownload, "Automatically download all new drivers after scan", 145},
        {&chkAutoShutdown, "Shutdown the computer after all downloads are completed", 173},
        {&chkAutoRun, "Automatically run Tarnwick after Windows starts", 201},
        {&chkAutoUpdate, "Automatically download and install the update when updates are found", 229},
    };
    for (const Box& b : boxes) {
        b.box->Font = Font(13, false, RGB(42, 42, 42));
        b.box->OnPanel = true;
        b.box->SetCaption(b.caption);
        b.box->SetChecked(true);
        pnlSettings->Place(*b.box, 40, b.top, 600, 22);
    }
    SettingBoxes[0] = &chkAutoRun;
    SettingBoxes[1] = &chkAutoUpdate;
    SettingBoxes[2] = &chkAutoDownload;
    SettingBoxes[3] = &chkAutoShutdown;
    SettingBoxes[4] = &chkScanHidden;
    Faces(btnReset, L"BTN_RESET", dpi);
    btnReset.Font = Font(15, true, RGB(35, 56, 86));
    btnReset.PressedTextColor = RGB(35, 56, 86);
    btnReset.SetCaption("RESET");
    btnReset.OnClick = [this] { btnResetClick(); };
    pnlSettings->Place(btnReset, 24, 288, 181, 74);
    Faces(btnSaveAll, L"BTN_SAVEALL", dpi);
    btnSaveAll.Font = Font(15, true, RGB(255, 255, 255));
    btnSaveAll.SetCaption("SAVE ALL");
    btnSaveAll.OnClick = [this] { btnSaveAllClick(); };
    pnlSettings->Place(btnSaveAll, 213, 288, 250, 74);
}

void TForm1::BuildAboutPage() {
    imgAboutBG.Picture = SharedPicture(L"ABOUT_BG", Dpi());
    tsAbout->Place(imgAboutBG, 0, 0, 740, 542);
    lblProduct.Font = Font(20, true, kHeadingColour);
    lblProduct.SetCaption(std::string("Tarnwick ") + TARNWICK_VERSION_TEXT);
    tsAbout->Place(lblProduct, 44, 40, 600, 28);
    Label6.Font = Font(14, true, RGB(42, 42, 42));
    Label6.SetCaption("Get support...");
    tsAbout->Place(Label6, 44, 96, 600, 20);
    Label5.Font = Font(13, false, RGB(42, 42, 42));
    Label5.WordWrap = true;
    Label5.SetCaption("If you need help with our product, or if you have questions or concerns about the product, "
                      "please contact us through Support Form using the link below:");
    tsAbout->Place(Label5, 44, 124, 620, 54);
    lblSupportURL.Font = Font(13, false, GetSysColor(COLOR_HIGHLIGHT));
    lblSupportURL.Font.Underline = true;
    lblSupportURL.Cursor = LoadCursorW(nullptr, IDC_HAND);
    lblSupportURL.SetCaption("Get support for Tarnwick");
    lblSupportURL.OnClick = [this] { ShellExecuteA(Handle(), "open", kSupportURL, nullptr, nullptr, SW_SHOWNORMAL); };
    tsAbout->Place(lblSupportURL, 44, 190, 220, 20);
    tsAbout->OnShow = [this] { SetNavigation(btnAbout, "About Tarnwick."); };
}

void TForm1::SetNavigation(TImageButton& pressed, const std::string& instruction) {
    for (TImageButton* button : {&btnScan, &btnDownload, &btnSettings, &btnAbout})
        button->SetDown(button == &pressed);
    lblInstruction.SetCaption(instruction);
}

void TForm1::ShowPage(const std::string& PageName) {
    const std::string wanted = Upper(PageName);
    for (TTabSheet* page : Pages) {
        const bool show = Upper(page->Name) == wanted;
        const bool was_visible = page->Visible();
        page->SetVisible(show);
        if (show && !was_visible && page->OnShow) page->OnShow();
    }
}

const TTabSheet* TForm1::ActivePage() const {
    for (const TTabSheet* page : Pages)
        if (page->Visible()) return page;
    return nullptr;
}

void TForm1::btnCloseClick() { Close(); }

void TForm1::btnMinimizeClick() { ShowWindow(Handle(), SW_MINIMIZE); }

void TForm1::btnScanClick() { ShowPage("tsScan"); }

void TForm1::btnSettingsClick() { ShowPage("tsSettings"); }

void TForm1::btnAboutClick() { ShowPage("tsAbout"); }

void TForm1::btnDownloadClick() {
    ShowPage("tsDownload");
    if (FScanDone) return;
    TScanMessageForm prompt;
    // Centred over the page area, a little below the middle.
    POINT at{pnlClient->Left(), pnlClient->Top()};
    ClientToScreen(Handle(), &at);
    const int left = at.x + (pnlClient->Width() - prompt.Width()) / 2;
    const int top = at.y + (pnlClient->Height() - prompt.Height()) / 2 + Scaled(40);
    SetWindowPos(prompt.Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ScanMessage = &prompt;
    const TModalResult result = prompt.ShowModal();
    ScanMessage = nullptr;
    if (result == TModalResult::mrOk) actStartScanExecute();
}

void TForm1::imgBgMouseDown() {
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, kMoveByCaption, 0);
}

void TForm1::actStartScanExecute() {
    ShowPage("tsScanning");
    Repaint();
    EnableWindow(Handle(), FALSE);
    const BusyCursor busy;
    ScanningFrame1->RunScan();
}

void TForm1::ScanningFinished(TScanningFrame*) {
    EnableWindow(Handle(), TRUE);
    // The answers may be read only once the lookup has ended; a program
    // that is leaving does not wait for it.
    Application.ProcessMessagesUntil([this] { return FScanDone || Application.Terminated(); }, INFINITE);
    if (Application.Terminated()) return;
    ShowPage("tsDownload");
    Repaint();
    DriverListFrame1->LoadDrivers(DriverManager);
    actShowOutOfDateDriversExecute();
    Application.ProcessMessages();
    Repaint();
    if (DriverListFrame1->CheckedCount() > 0) FlashOutOfDateWarning();
}

void TForm1::ScanThreadTerminate(TThread* Sender) {
    FScanDone = true;
    FLookupAnswered = static_cast<TScanThread*>(Sender)->Answered;
    ScanningFrame1->FastMode = true;
}

void TForm1::actShowOutOfDateDriversExecute() {
    const BusyCursor busy;
    {
        const FrozenDrawing frozen(DriverListFrame1->Handle());
        DriverListFrame1->ShowOutOfDate();
    }
    UpdateNoDriversHint();
}

// An empty list says why instead of leaving an empty box; without an answer
// from the catalogue it must not claim that all is well.
void TForm1::UpdateNoDriversHint() {
    const bool none = DriverListFrame1->Rows.Count() == 0;
    lblNoDrivers.SetCaption(!none             ? ""
                            : FLookupAnswered ? "All your drivers are up to date."
                                              : "The driver catalogue could not be reached. Check your Internet "
                                                "connection and restart Tarnwick.");
    lblNoDrivers.SetVisible(none);
}

void TForm1::chkCheckAllClick() { DriverListFrame1->CheckAll(chkCheckAll.Checked()); }

void TForm1::btnDownloadAllClick() {
    if (DriverListFrame1->CheckedCount() > 0) DriverListFrame1->DownloadChecked();
}

void TForm1::FlashOutOfDateWarning() {
    if (DriverListFrame1->CheckedCount() <= 0) return;
    lblWarning.Show();
    btnDownloadAll.Hide();
    for (int i = 0; i < 9 && !Application.Terminated(); ++i) {
        WaitWithMessages(300);
        imgWarning.SetVisible(!imgWarning.Visible());
    }
    imgWarning.Show();
    btnDownloadAll.Show();
}

bool TForm1::FormCloseQuery() {
    if (FReallyClose) return true;
    Hide();
    // Tell the user once where the program went.
    if (TrayIcon1.Tag == 0) {
        TrayIcon1.Tag = 1;
        TrayIcon1.BalloonTimeout = 3000;
        const std::u16string title = AnsiToWide(Translate("Tarnwick Message"));
        const std::u16string text = AnsiToWide(Translate("Tarnwick is running in the background!"));
        TrayIcon1.BalloonTitle = std::wstring(title.begin(), title.end());
        TrayIcon1.BalloonHint = std::wstring(text.begin(), text.end());
        TrayIcon1.ShowBalloonHint();
    }
    return false;
}

void TForm1::actExitExecute() {
    FReallyClose = true;
    Close();
}

void TForm1::actShowWindowExecute() {
    FReallyClose = false;
    Show();
    ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
}

LRESULT TForm1::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_QUERYENDSESSION) {
        // The session ends: the close that follows ends the program.
        FReallyClose = true;
        return TRUE;
    }
    if (message == WM_ENDSESSION) {
        // Windows itself sends no close; end the program now rather than
        // leave it to be killed half way. When the session goes on after all,
        // closing the window hides it again.
        FReallyClose = wparam != FALSE;
        if (FReallyClose) Close();
        return 0;
    }
    return TForm::WndProc(message, wparam, lparam);
}
