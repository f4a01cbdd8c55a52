// The main window: a picture-shaped window with a navigation column and
// five pages. It starts the one lookup of the run at creation, runs the scan
// the user sees (animation, wait for the lookup, driver list), and decides
// whether closing ends the program or only hides the window.
#pragma once

#include <memory>
#include <string>

#include "DriverListFrameUnit_win.h"
#include "Form_win.h"
#include "ScanMessageUnit_win.h"
#include "ScanningFrameUnit_win.h"
#include "Thread.h"
#include "TrayIcon_win.h"

// One page of the page control: a panel shown alone, with its show event.
class TTabSheet : public TPanel {
public:
    TTabSheet(TWinControl& parent, const std::string& name);
    std::function<void()> OnShow;
};

class TForm1 : public TForm {
public:
    TForm1();  // FormCreate
    ~TForm1() override;

    void ShowPage(const std::string& PageName);
    const TTabSheet* ActivePage() const;

    // Navigation and window buttons.
    void btnCloseClick();
    void btnMinimizeClick();
    void btnScanClick();
    void btnDownloadClick();
    void btnSettingsClick();
    void btnAboutClick();
    void imgBgMouseDown();

    // The scan workflow.
    void actStartScanExecute();
    void ScanningFinished(TScanningFrame* Sender);
    void ScanThreadTerminate(TThread* Sender);
    void actShowOutOfDateDriversExecute();
    void chkCheckAllClick();
    void btnDownloadAllClick();

    // Window lifecycle.
    bool FormCloseQuery();
    void actExitExecute();
    void actShowWindowExecute();

    // The out-of-date warning after a scan with checked rows.
    void FlashOutOfDateWarning();

    // Settings: the five options in setup.ini and the autostart entry.
    void LoadSettings();
    void SaveSettings();
    void btnResetClick();
    void btnSaveAllClick();

    TImage imgBg;
    TImageButton btnClose;
    TImageButton btnMinimize;
    TImageButton btnScan;
    TImageButton btnDownload;
    TImageButton btnSettings;
    TImageButton btnAbout;
    TLabel lblInstruction;
    std::unique_ptr<TPanel> pnlClient;
    std::unique_ptr<TTabSheet> tsScan;
    std::unique_ptr<TTabSheet> tsScanning;
    std::unique_ptr<TTabSheet> tsDownload;
    std::unique_ptr<TTabSheet> tsSettings;
    std::unique_ptr<TTabSheet> tsAbout;

    // tsScan
    TImage imgScanBG;
    TLabel lblScanTitle;
    TLabel lblScanText;
    TImageButton btnStartScan;
    // tsScanning
    TImage imgScanning_bg;
    TLabel lblScanningTitle;
    std::unique_ptr<TScanningFrame> ScanningFrame1;
    TProgressBar sProgressBar1;
    // tsDownload
    TImage img_download_bg;
    TImage imgWarning;
    TLabel lblWarning;
    std::unique_ptr<TDriverListFrame> DriverListFrame1;
    TCheckBox chkCheckAll;
    TImageButton btnDownloadAll;
    TLabel lblNoDrivers;
    // tsSettings
    std::unique_ptr<TPanel> pnlSettings;
    TImage Image4;
    TImage imgSettingsBG2;
    TLabel lblSettingsTitle;
    TLabel lblSettingsText;
    TCheckBox chkScanHidden;
    TCheckBox chkAutoDownload;
    TCheckBox chkAutoShutdown;
    TCheckBox chkAutoRun;
    TCheckBox chkAutoUpdate;
    TImageButton btnReset;
    TImageButton btnSaveAll;
    // tsAbout
    TImage imgAboutBG;
    TLabel lblProduct;
    TLabel Label6;
    TLabel Label5;
    TLabel lblSupportURL;

    TTrayIcon TrayIcon1;
    // The scan prompt while it is shown.
    TScanMessageForm* ScanMessage = nullptr;

    std::string FDataPath;
    bool FReallyClose = false;
    bool FScanDone = false;
    bool FLookupAnswered = false;
    // The page control's pages in index order.
    TTabSheet* Pages[5] = {};

protected:
    bool CloseQuery() override { return FormCloseQuery(); }
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void BuildNavigation();
    void BuildScanPages();
    void BuildDownloadPage();
    void BuildAboutPage();
    void BuildSettingsPage();
    void BuildTrayIcon();
    // The five check boxes in the order of their keys in setup.ini.
    TCheckBox* SettingBoxes[5] = {};
    void SetNavigation(TImageButton& pressed, const std::string& instruction);
    void UpdateNoDriversHint();

    // The lookup's end may arrive after this window is gone; it then finds
    // this token expired and touches nothing.
    std::shared_ptr<TForm1*> alive_ = std::make_shared<TForm1*>(this);
};

extern TForm1* Form1;

// The product's web site, where the About page's link leads.
inline constexpr char kSupportURL[] = "https://www.tarnwick.net/support";
