// A bitmap picture. Pictures ship drawn at 100, 150 and 200 percent; loading
// picks the drawing for the screen's density, so nothing is blurred by
// stretching at the common densities.
#pragma once

#include <windows.h>

#include <string>

#include "Handle_win.h"

class TPicture {
public:
    TPicture() = default;
    // Takes ownership of `bitmap`.
    explicit TPicture(HBITMAP bitmap);

    // Resource `<name>_100`, `_150` or `_200`, sized for `dpi` (the 96-dpi
    // size scaled); other densities stretch the nearest larger drawing.
    static TPicture LoadScaled(const std::wstring& name, int dpi);

    HBITMAP Handle() const { return bitmap_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_; }
    // Draws the picture with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;

private:
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};
