// Pictures shared by every control of a kind, loaded once per density.
#pragma once

#include "Picture_win.h"

struct TSkin {
    TPicture CheckUnchecked;
    TPicture CheckChecked;
    TPicture CheckUncheckedHot;
    TPicture CheckCheckedHot;
};

// Check box faces drawn on white, or on the pages' light panel colour.
const TSkin& Skin(int dpi, bool on_panel = false);

// The resource `name` drawn for `dpi`; the same object for every caller.
const TPicture& SharedPicture(const std::wstring& name, int dpi);
