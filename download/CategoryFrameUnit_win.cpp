#include "CategoryFrameUnit_win.h"

#include "ClassIcon.h"
#include "Handle_win.h"
#include "Skin_win.h"
#include "dmUnit_win.h"

TCategoryFrame::TCategoryFrame(TWinControl& parent) {
    // Rows show only when the whole list is ready.
    CreateHiddenChild(parent);
    Color = GetSysColor(COLOR_WINDOW);
    Image1.Picture = SharedPicture(L"HEADER_BG", Dpi());
    Image1.Stretch = true;
    lblTitle.Font.Height = 11;
    lblTitle.Font.Bold = true;
    lblTitle.SetCaption("Title:");
    CheckBox1.SetChecked(true);
    CheckBox1.OnClick = [this] { CheckBox1Click(); };
    Place(Image1, 40, 0, 645, 27);
    Place(lblTitle, 44, 5, 600, 17);
    Place(imgOK, 18, 4, 16, 16);
    Place(CheckBox1, 0, 5, 16, 16);
}

void TCategoryFrame::ShowCategory() {
    lblTitle.SetCaption(Category->ClassDescription);
    // The class icon is drawn into the picture once, as a copy of its own.
    const int size = Scaled(16);
    WindowDc screen(nullptr, GetDC(nullptr));
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), size, size);
    {
        UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
        SelectObjectScope select(dc.get(), bitmap);
        RECT all{0, 0, size, size};
        FillRect(dc.get(), &all, GetSysColorBrush(COLOR_WINDOW));
        DM->ilDriverIcon().Draw(dc.get(), 0, 0, GetClassIconIndex(Category->ClassName));
    }
    imgOK.Picture = TPicture(bitmap);
    imgOK.Invalidate();
}

void TCategoryFrame::CheckBox1Click() {
    if (OnCheck) OnCheck(this, CheckBox1.Checked());
}
