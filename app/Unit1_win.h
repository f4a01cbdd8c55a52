// The main window. For now it summarises the inventory taken at start-up.
#pragma once

#include <string>

#include "Form_win.h"

class TForm1 : public TForm {
public:
    TForm1();  // FormCreate

    std::string FDataPath;

protected:
    void PaintBackground(HDC dc, const RECT& client) override;
};

extern TForm1* Form1;
