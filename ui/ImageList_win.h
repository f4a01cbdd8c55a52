// Small icons of one size kept in a strip and drawn by index.
#pragma once

#include <windows.h>

#include "Picture_win.h"

class TImageList {
public:
    // The strip's height is the icon size; its width holds the icons side by side.
    explicit TImageList(TPicture strip) : strip_(std::move(strip)) {}

    int Count() const { return Size() > 0 ? strip_.Width() / Size() : 0; }
    int Size() const { return strip_.Height(); }
    // Draws icon `index` with its top-left corner at (x, y); nothing for an unknown index.
    void Draw(HDC dc, int x, int y, int index) const;

private:
    TPicture strip_;
};
