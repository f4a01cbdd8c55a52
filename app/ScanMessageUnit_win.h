// The prompt that asks the user to scan before the download page can show
// anything: Continue starts a scan, Cancel and the close button do not.
#pragma once

#include "Form_win.h"

class TScanMessageForm : public TForm {
public:
    TScanMessageForm();  // FormCreate

    void btnContinueClick();
    void btnCloseClick();
    void imgBGMouseDown();

    TImage imgBG;
    TLabel Label1;
    TImageButton btnCancel;
    TImageButton btnContinue;
    TImageButton btnClose;
};
