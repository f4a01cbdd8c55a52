// A bitmap picture. Pictures ship drawn at 100, 150 and 200 percent; loading
// picks the drawing for the screen's density, so nothing is blurred by
// stretching at the common densities. Copies share one bitmap.
#pragma once

#include <windows.h>

#include <memory>
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

    HBITMAP Handle() const { return bitmap_ ? bitmap_->get() : nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !bitmap_ || !*bitmap_; }
    // Draws the picture with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;
    // Draws the picture into the rectangle, smoothed when its size differs.
    void StretchDraw(HDC dc, const RECT& target) const;
    // Draws the part (x, y, width, height) of the picture at (to_x, to_y).
    void DrawPart(HDC dc, int to_x, int to_y, int x, int y, int width, int height) const;

private:
    std::shared_ptr<UniqueBitmap> bitmap_;
    int width_ = 0;
    int height_ = 0;
};
