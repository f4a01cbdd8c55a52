#include "DriverFrameUnit_win.h"

#include <shellapi.h>

#include <chrono>

#include "AnsiText.h"
#include "Application_win.h"
#include "PubUnit.h"
#include "PubUnit_win.h"
#include "SafeFileName.h"
#include "Skin_win.h"
#include "TextCompare.h"
#include "TransferStatus.h"
#include "Translate.h"
#include "URI.h"

namespace {

constexpr int kDesignWidth = 636;
constexpr COLORREF kGrey = RGB(0x4B, 0x4B, 0x4B);

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

TFont RowFont(bool bold, COLORREF color) {
    TFont font;
    font.Height = 11;
    font.Bold = bold;
    font.Color = color;
    return font;
}

char DecimalSeparator() {
    char separator[4] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 1 ? separator[0] : '.';
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    const std::string head = text.substr(0, std::char_traits<char>::length(prefix));
    return SameTextLocale(head, prefix);
}

void StyleButton(TImageButton& button, int dpi, const std::string& caption) {
    button.FaceNormal = SharedPicture(L"ROWBTN_NORMAL", dpi);
    button.FaceHot = SharedPicture(L"ROWBTN_HOT", dpi);
    button.FacePressed = SharedPicture(L"ROWBTN_PRESSED", dpi);
    button.FaceDisabled = SharedPicture(L"ROWBTN_DISABLED", dpi);
    button.Font.Height = 13;
    button.Font.Color = RGB(0, 0, 128);
    button.PressedTextColor = RGB(0, 0, 128);
    button.SetCaption(caption);
}

}  // namespace

TDriverFrame::TDriverFrame(TWinControl& parent) {
    // Rows show only when the whole list is ready.
    CreateHiddenChild(parent);
    Color = RGB(255, 255, 255);
    const int dpi = Dpi();
    imgRight.Picture = SharedPicture(L"ROW_BG", dpi);
    imgRight.Stretch = true;
    imgInfo.Picture = SharedPicture(L"INFO_MARK", dpi);
    lblDescription.Font = RowFont(true, kGrey);
    lblVersionTitle.Font = RowFont(false, RGB(0, 0, 0));
    lblVersionTitle.Alignment = DT_RIGHT;
    lblVersionTitle.SetCaption("Current Version:");
    lblVersion.Font = RowFont(false, kGrey);
    lblRemoteVersionTitle.Font = RowFont(true, kGrey);
    lblRemoteVersionTitle.Alignment = DT_RIGHT;
    lblRemoteVersionTitle.SetCaption("New Version Found:");
    lblRemoteVersion.Font = RowFont(true, kGrey);
    lblStatus.Font = RowFont(false, RGB(35, 56, 86));
    ProgressBar1.Font = RowFont(false, RGB(35, 56, 86));
    ProgressBar1.Hide();
    CheckBox1.SetChecked(true);
    StyleButton(btnDownload, dpi, "Download");
    StyleButton(btnCancel, dpi, "Cancel");
    StyleButton(btnInstall, dpi, "Install");
    btnCancel.Hide();
    btnInstall.SetEnabled(false);
    btnDownload.OnClick = [this] { Download(); };
    btnCancel.OnClick = [this] { CancelDownload(); };
    btnInstall.OnClick = [this] { Install(); };
    Timer1.Interval = 1000;
    Timer1.OnTimer = [this] { Timer1Timer(); };
    for (TControl* control : std::initializer_list<TControl*>{
             &imgRight, &imgInfo, &lblDescription, &lblVersionTitle, &lblVersion, &lblRemoteVersionTitle,
             &lblRemoteVersion, &lblStatus, &ProgressBar1, &CheckBox1, &btnDownload, &btnCancel, &btnInstall})
        AddControl(*control);
    Layout();
    idle_handler_ = Application.AddIdleHandler([this] { ActionList1Update(); });
}

TDriverFrame::~TDriverFrame() {
    Application.RemoveIdleHandler(idle_handler_);
    Timer1.SetEnabled(false);
    // The download of a row that goes away ends with it.
    DownloadObj.reset();
}

void TDriverFrame::SetDesignWidth(int width) {
    design_width_ = width;
    SetBounds(Left(), Top(), Scaled(width), Height());
    Layout();
}

void TDriverFrame::Layout() {
    // Controls anchored to the right keep their distance to the row's right edge.
    const int shift = design_width_ - kDesignWidth;
    Place(imgRight, 0, 0, design_width_, 80);
    Place(imgInfo, 54, 17, 14, 14);
    Place(lblDescription, 79, 14, 340 + shift, 18);
    // Right-aligned titles get room to their left: wider fonts grow leftwards.
    Place(lblVersionTitle, 40, 37, 110, 15);
    Place(lblVersion, 156, 37, 240, 15);
    Place(lblRemoteVersionTitle, 40, 56, 139, 15);
    Place(lblRemoteVersion, 185, 56, 160, 15);
    Place(lblStatus, 354 + shift, 56, 276, 15);
    Place(ProgressBar1, 259 + shift, 55, 75, 16);
    Place(CheckBox1, 19, 17, 16, 16);
    Place(btnDownload, 441 + shift, 13, 81, 26);
    Place(btnCancel, 440 + shift, 13, 81, 26);
    Place(btnInstall, 522 + shift, 13, 81, 26);
}

void TDriverFrame::SetSavePath(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) save_path_ = path;
}

void TDriverFrame::ShowDriver() {
    lblDescription.SetCaption(FieldToAnsi(Driver->Detail.device_name));
    lblVersion.SetCaption(FieldToAnsi(Driver->Detail.driver_version));
    lblRemoteVersion.SetCaption(Driver->Remote.dr_version);
    lblRemoteVersionTitle.Show();
    lblRemoteVersion.Show();
    imgInfo.Show();
    CheckBox1.Show();
    ProgressBar1.Hide();
    SetBounds(Left(), Top(), Width(), Scaled(80));
}

void TDriverFrame::CollectLinks() {
    Links.clear();
    for (const std::string* candidate : {&Driver->Remote.dr_official_link, &Driver->Remote.dr_link}) {
        if (candidate->empty()) continue;
        const std::string decoded = PercentDecode(*candidate);
        if (!ContainsTextNoCase(decoded, "qaltumbrenx")) Links.push_back(decoded);
    }
}

void TDriverFrame::Download() {
    CollectLinks();
    if (Links.empty()) return;
    const std::string& link = Links.front();
    if (StartsWithNoCase(link, "ftp")) {
        ShellExecuteA(Handle(), "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } else if (StartsWithNoCase(link, "http")) {
        State = 1;
        StartDownload(link);
    }
}

void TDriverFrame::StartDownload(const std::string& link) {
    if (DownloadObj) {
        DownloadObj->Stop();
        DownloadObj.reset();
    }
    try {
        // The service's link names the file; only a plain name inside SavePath is used.
        const TURI uri(PercentDecode(link));
        DownloadObj = std::make_unique<TDownloadObj>();
        DownloadObj->URL = link;
        DownloadObj->SaveDir = save_path_;
        const std::string target = MakeUniqueFileName(save_path_ + SafeFileName(uri.Document), IsFileInUse);
        DownloadObj->FileName = target.substr(save_path_.size());
        DownloadObj->Start();
        ProgressBar1.SetPosition(0);
        ProgressBar1.Show();
        StartTime = Now();
        Speed = 0;
        lblStatus.SetCaption("");
        Timer1.SetEnabled(true);
    } catch (const std::exception&) {
        // A link the transfer cannot take leaves the row idle, not stuck.
        DownloadObj.reset();
        State = 0;
        lblStatus.SetCaption(Translate("Failed"));
    }
}

void TDriverFrame::Timer1Timer() {
    if (!DownloadObj) {
        Timer1.SetEnabled(false);
        return;
    }
    const TDownloadOutcome outcome = DownloadObj->Outcome;
    if (outcome == TDownloadOutcome::Failed || outcome == TDownloadOutcome::Aborted) {
        ShowFailure();
        return;
    }
    if (DownloadObj->Finished) {
        Timer1.SetEnabled(false);
        PostMessageW(Handle(), WM_DOWNLOADDONE, 0, 0);
        return;
    }
    const TTransferStatus status = FormatTransferStatus(DownloadObj->Total(), DownloadObj->Done(), Now() - StartTime,
                                                       Speed, DecimalSeparator(), Translate);
    Speed = status.Speed;
    lblStatus.SetCaption(status.Text);
    ProgressBar1.SetMax(DownloadObj->Total());
    ProgressBar1.SetPosition(DownloadObj->Done());
    Repaint();
}

// A failed download says so and can be tried again; it is never "Completed".
void TDriverFrame::ShowFailure() {
    Timer1.SetEnabled(false);
    State = 0;
    lblStatus.SetCaption(Translate("Failed"));
}

void TDriverFrame::DownloadDone() {
    lblStatus.SetCaption("Completed");
    ProgressBar1.SetPosition(ProgressBar1.Max());
    State = 2;
}

LRESULT TDriverFrame::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DOWNLOADDONE) {
        DownloadDone();
        return 0;
    }
    return TWinControl::WndProc(message, wparam, lparam);
}

void TDriverFrame::CancelDownload() {
    if (DownloadObj) {
        DownloadObj->Stop();
        DownloadObj.reset();
    }
    lblStatus.SetCaption("Cancelled");
    ProgressBar1.SetPosition(0);
    State = 0;
}

void TDriverFrame::Install() {
    if (!DownloadObj) return;
    const std::string file = save_path_ + DownloadObj->FileName;
    ShellExecuteA(Handle(), "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TDriverFrame::ActionList1Update() {
    btnDownload.SetVisible(State == 0);
    btnCancel.SetVisible(State == 1);
    btnInstall.SetEnabled(State == 2);
}
