#include "Dpi_win.h"

#include <windows.h>

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int ScaleValue(int value, int dpi) { return MulDiv(value, dpi, 96); }
