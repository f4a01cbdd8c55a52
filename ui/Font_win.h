// Fonts by face, pixel height (at 96 dpi), weight and underline; created
// once per screen density and shared by every control.
#pragma once

#include <windows.h>

#include <string>

struct TFont {
    std::wstring Name = L"Tahoma";
    int Height = 11;  // pixels at 96 dpi
    bool Bold = false;
    bool Underline = false;
    COLORREF Color = RGB(0, 0, 0);

    // The font at `dpi`; owned by the cache, valid for the program's life.
    HFONT Handle(int dpi) const;
};

// Points (as designers write them) in pixels at 96 dpi.
inline int PointsToPixels(int points) { return MulDiv(points, 96, 72); }
