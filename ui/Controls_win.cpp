#include "Controls_win.h"

#include "Form_win.h"

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

void TControl::Invalidate() const {
    if (Parent && Parent->Handle()) InvalidateRect(Parent->Handle(), &bounds_, FALSE);
}

void TImage::Paint(HDC dc) const { Picture.Draw(dc, BoundsRect().left, BoundsRect().top); }
