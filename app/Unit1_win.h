// The main window. For now it summarises the inventory taken at start-up.
#pragma once

#include <memory>
#include <string>

#include "Form_win.h"
#include "Thread.h"

class TForm1 : public TForm {
public:
    TForm1();  // FormCreate

    // The lookup thread has ended: its answers may now be read.
    void ScanThreadTerminate(TThread* Sender);

    std::string FDataPath;
    bool FScanDone = false;

protected:
    void PaintBackground(HDC dc, const RECT& client) override;

private:
    // The lookup's end may arrive after this window is gone; it then finds
    // this token expired and touches nothing.
    std::shared_ptr<TForm1*> alive_ = std::make_shared<TForm1*>(this);
};

extern TForm1* Form1;
