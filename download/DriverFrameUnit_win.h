// One out-of-date driver in the list: its name and versions, a check box
// for download-all, and Download, Cancel and Install with the progress of
// the current download, renewed once a second.
#pragma once

#include <memory>
#include <string>

#include "DownloadObj.h"
#include "DriverManagerUnit.h"
#include <vector>

#include "Timer_win.h"
#include "WinControl_win.h"

// Posted by a row to itself when its download has finished.
constexpr UINT WM_DOWNLOADDONE = WM_USER + 1101;

class TDriverFrame : public TWinControl {
public:
    explicit TDriverFrame(TWinControl& parent);
    ~TDriverFrame() override;

    void ShowDriver();
    void Download();
    void CollectLinks();
    void StartDownload(const std::string& link);
    void CancelDownload();
    void Install();
    void Timer1Timer();
    void ActionList1Update();
    // Width in design pixels; the right-anchored controls keep their distance to the edge.
    void SetDesignWidth(int width);

    const std::string& SavePath() const { return save_path_; }
    // Accepted only when the folder exists.
    void SetSavePath(const std::string& path);

    TImage imgRight;
    TImage imgInfo;
    TLabel lblDescription;
    TLabel lblVersionTitle;
    TLabel lblVersion;
    TLabel lblRemoteVersionTitle;
    TLabel lblRemoteVersion;
    TLabel lblStatus;
    TProgressBar ProgressBar1;
    TCheckBox CheckBox1;
    TImageButton btnDownload;
    TImageButton btnCancel;
    TImageButton btnInstall;
    TTimer Timer1;

    double StartTime = 0;  // seconds on a steady clock
    double Speed = 0;      // KB/s since the start
    std::unique_ptr<TDownloadObj> DownloadObj;
    std::vector<std::string> Links;
    unsigned char State = 0;  // 0 idle, 1 downloading, 2 completed
    TDriverCategory* Category = nullptr;
    TDriver* Driver = nullptr;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void DownloadDone();
    void ShowFailure();
    void Layout();

    std::string save_path_;
    int design_width_ = 636;
    int idle_handler_ = 0;
};
