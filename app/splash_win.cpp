#include "splash_win.h"

#include "PubUnit_win.h"

TfrmSplash* frmSplash = nullptr;

namespace {
constexpr int kWidth = 438;
constexpr int kHeight = 273;
constexpr COLORREF kColourKey = RGB(0, 128, 0);
}  // namespace

TfrmSplash::TfrmSplash() {
    CreateHandle(L"Tarnwick", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    SetLayeredWindowAttributes(Handle(), kColourKey, 255, LWA_COLORKEY);
    Image1.Picture = TPicture::LoadScaled(L"SPLASH", Dpi());
    Image1.SetBounds(0, 0, Scaled(kWidth), Scaled(kHeight));
    Image1.OnClick = [this] { Image1Click(); };
    AddControl(Image1);
    SetClientSize(Scaled(kWidth), Scaled(kHeight));
    CenterOnScreen();
    ApplyPictureRegion(Handle(), Image1.Picture.Handle());
}

void TfrmSplash::Image1Click() { Close(); }

void TfrmSplash::FormClose(TCloseAction& /*action*/) {
    if (!Visible()) return;
    SetLayeredWindowAttributes(Handle(), kColourKey, 255, LWA_COLORKEY | LWA_ALPHA);
    unsigned char alpha = 255;
    RECT r;
    GetWindowRect(Handle(), &r);
    for (int step = 0; step < 51; ++step) {
        alpha = static_cast<unsigned char>(alpha - 5);
        SetLayeredWindowAttributes(Handle(), kColourKey, alpha, LWA_COLORKEY | LWA_ALPHA);
        --r.top;
        SetWindowPos(Handle(), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(0);
    }
}
