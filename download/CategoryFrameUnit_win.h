// The header of one device class in the driver list: its icon, its
// description and a check box that checks or clears all of its rows.
#pragma once

#include <functional>

#include "DriverManagerUnit.h"
#include "WinControl_win.h"

class TCategoryFrame : public TWinControl {
public:
    explicit TCategoryFrame(TWinControl& parent);

    void ShowCategory();
    void CheckBox1Click();

    TImage Image1;
    TLabel lblTitle;
    TImage imgOK;
    TCheckBox CheckBox1;

    std::function<void(TCategoryFrame* Sender, bool Checked)> OnCheck;
    TDriverCategory* Category = nullptr;
};
