#include "Controls_win.h"

#include <algorithm>

#include "Dpi_win.h"
#include "Handle_win.h"
#include "Skin_win.h"
#include "WinControl_win.h"

namespace {

// Draws `text` in `rect` with the font and colour given.
void DrawCaption(HDC dc, const std::string& text, RECT rect, const TFont& font, COLORREF color, int dpi,
                 UINT format) {
    SelectObjectScope select(dc, font.Handle(dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
}

}  // namespace

TControl::~TControl() {
    if (Parent) Parent->RemoveControl(*this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    bounds_ = {left, top, left + width, top + height};
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void TControl::Invalidate() const {
    if (Parent) Parent->Invalidate(&bounds_);
}

int TControl::Dpi() const { return Parent ? Parent->Dpi() : ScreenDpi(); }

int TControl::Scaled(int value) const { return ScaleValue(value, Dpi()); }

void TControl::MouseEnter() { hot_ = true; }

void TControl::MouseLeave() {
    hot_ = false;
    pressed_ = false;
}

void TControl::MouseDown(int x, int y) {
    pressed_ = true;
    if (OnMouseDown) OnMouseDown(x, y);
}

void TControl::MouseUp() { pressed_ = false; }

void TControl::Click() {
    if (OnClick) OnClick();
}

void TImage::Paint(HDC dc) const {
    if (Stretch)
        Picture.StretchDraw(dc, BoundsRect());
    else
        Picture.DrawPart(dc, Left(), Top(), 0, 0, std::min(Width(), Picture.Width()),
                         std::min(Height(), Picture.Height()));
}

void TLabel::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Invalidate();
}

void TLabel::Paint(HDC dc) const {
    const UINT format = Alignment | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (HasShadow) {
        RECT shadow = BoundsRect();
        OffsetRect(&shadow, 1, 1);
        DrawCaption(dc, caption_, shadow, Font, ShadowColor, Dpi(), format);
    }
    DrawCaption(dc, caption_, BoundsRect(), Font, Font.Color, Dpi(), format);
}

TImageButton::TImageButton() { Cursor = LoadCursorW(nullptr, IDC_HAND); }

void TImageButton::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    Invalidate();
}

void TImageButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
}

void TImageButton::MouseEnter() {
    TControl::MouseEnter();
    Invalidate();
}

void TImageButton::MouseLeave() {
    TControl::MouseLeave();
    Invalidate();
}

void TImageButton::MouseDown(int x, int y) {
    TControl::MouseDown(x, y);
    Invalidate();
}

void TImageButton::MouseUp() {
    TControl::MouseUp();
    Invalidate();
}

void TImageButton::Paint(HDC dc) const {
    const bool pressed_look = down_ || (Pressed() && Hot());
    const TPicture* face = &FaceNormal;
    if (!Enabled() && !FaceDisabled.Empty())
        face = &FaceDisabled;
    else if (pressed_look && !FacePressed.Empty())
        face = &FacePressed;
    else if (Hot() && !FaceHot.Empty())
        face = &FaceHot;
    face->StretchDraw(dc, BoundsRect());

    RECT text = BoundsRect();
    const TPicture& icon = pressed_look && !IconPressed.Empty() ? IconPressed
                           : Hot() && !IconHot.Empty()          ? IconHot
                                                                : Icon;
    if (!icon.Empty()) {
        const int x = Left() + Scaled(IconLeft);
        icon.Draw(dc, x, Top() + (Height() - icon.Height()) / 2);
    }
    if (caption_.empty()) return;
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (CaptionLeft >= 0) {
        text.left += Scaled(CaptionLeft);
    } else {
        format |= DT_CENTER;
    }
    if (pressed_look) OffsetRect(&text, 0, 1);
    COLORREF color = pressed_look ? PressedTextColor : Font.Color;
    if (!Enabled()) color = RGB(150, 158, 168);
    DrawCaption(dc, caption_, text, Font, color, Dpi(), format);
}

TCheckBox::TCheckBox() { Cursor = LoadCursorW(nullptr, IDC_HAND); }

void TCheckBox::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Invalidate();
    if (OnClick) OnClick();
}

void TCheckBox::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
}

void TCheckBox::MouseEnter() {
    TControl::MouseEnter();
    Invalidate();
}

void TCheckBox::MouseLeave() {
    TControl::MouseLeave();
    Invalidate();
}

// A click toggles the state; the state change raises the click event.
void TCheckBox::Click() { SetChecked(!checked_); }

void TCheckBox::Paint(HDC dc) const {
    const TSkin& skin = Skin(Dpi(), OnPanel);
    const TPicture& face = checked_ ? (Hot() ? skin.CheckCheckedHot : skin.CheckChecked)
                                    : (Hot() ? skin.CheckUncheckedHot : skin.CheckUnchecked);
    const int box = Scaled(16);
    face.StretchDraw(dc, RECT{Left(), Top() + (Height() - box) / 2, Left() + box, Top() + (Height() - box) / 2 + box});
    if (caption_.empty()) return;
    RECT text = BoundsRect();
    text.left += box + Scaled(6);
    DrawCaption(dc, caption_, text, Font, Enabled() ? Font.Color : RGB(150, 158, 168), Dpi(),
                DT_SINGLELINE | DT_VCENTER);
}

void TProgressBar::SetMax(int max) {
    if (max_ == max) return;
    max_ = max;
    Invalidate();
}

void TProgressBar::SetPosition(int position) {
    if (position_ == position) return;
    position_ = position;
    Invalidate();
}

void TProgressBar::Paint(HDC dc) const {
    const RECT r = BoundsRect();
    const int radius = Scaled(6);
    {
        UniqueGdiObject track(CreateSolidBrush(RGB(232, 239, 248)));
        UniqueGdiObject border(CreatePen(PS_SOLID, 1, RGB(176, 196, 222)));
        SelectObjectScope select_brush(dc, track.get());
        SelectObjectScope select_pen(dc, border.get());
        RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
    }
    // A count past the maximum (no length announced) shows a full bar.
    const double fraction = max_ > 0 ? std::clamp(static_cast<double>(position_) / max_, 0.0, 1.0) : 0.0;
    const int inset = Scaled(2);
    const int fill = static_cast<int>((r.right - r.left - 2 * inset) * fraction);
    if (fill > 0) {
        TRIVERTEX vertices[2] = {{r.left + inset, r.top + inset, 0x0A00, 0x7000, 0x8C00, 0},
                                 {r.left + inset + fill, r.bottom - inset, 0x4000, 0xAA00, 0xDC00, 0}};
        GRADIENT_RECT gradient{0, 1};
        GradientFill(dc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
    }
    if (!ShowCaption) return;
    const std::string caption = std::to_string(static_cast<int>(fraction * 100)) + "%";
    DrawCaption(dc, caption, r, Font, fraction > 0.5 ? RGB(255, 255, 255) : RGB(35, 56, 86), Dpi(),
                DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
