// The program's icon in the notification area, with its tooltip, a popup
// menu on the right button and a balloon message. It comes back by itself
// when Explorer restarts.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

class TTrayIcon {
public:
    struct MenuItem {
        std::string Caption;
        std::function<void()> OnClick;
        bool Default = false;  // drawn bold, run by a double click too
    };

    TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;
    ~TTrayIcon();

    void Show();
    void ShowBalloonHint();
    bool Visible() const { return added_; }
    // How often a balloon was asked for; the notification area keeps no record.
    int BalloonsShown() const { return balloons_; }

    std::wstring Hint;
    std::wstring BalloonTitle;
    std::wstring BalloonHint;
    UINT BalloonTimeout = 3000;
    int Tag = 0;
    std::function<void()> OnClick;
    std::vector<MenuItem> PopupMenu;

    // Pops the menu up at the cursor; answers after the choice has run.
    void PopupAtCursor();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    NOTIFYICONDATAW Data() const;
    void Add();

    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    bool added_ = false;
    int balloons_ = 0;
};
