// Windows are designed at 96 pixels per inch; every pixel size goes through
// this scaling so they look the same at any screen density.
#pragma once

int ScreenDpi();
// `value` designed at 96 dpi, at `dpi`.
int ScaleValue(int value, int dpi);
