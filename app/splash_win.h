// The splash window: the artwork alone, shaped by its outline, shown while
// the inventory is taken.
#pragma once

#include "Form_win.h"

class TfrmSplash : public TForm {
public:
    TfrmSplash();  // FormCreate

    void Image1Click();

    TImage Image1;

protected:
    // Fades the window out while moving it up a little.
    void FormClose(TCloseAction& action) override;
};

extern TfrmSplash* frmSplash;
