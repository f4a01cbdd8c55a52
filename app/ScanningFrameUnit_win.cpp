#include "ScanningFrameUnit_win.h"

#include "AnsiText.h"
#include "Application_win.h"
#include "ClassIcon.h"
#include "Font_win.h"
#include "Handle_win.h"
#include "dmUnit_win.h"

namespace {

// List items carry either kind of inventory object; the low bit says which.
std::intptr_t CategoryItem(TDriverCategory* category) { return reinterpret_cast<std::intptr_t>(category) | 1; }
std::intptr_t DriverItem(TDriver* driver) { return reinterpret_cast<std::intptr_t>(driver); }

}  // namespace

TScanningFrame::TScanningFrame(TWinControl& parent) {
    CreateChild(parent);
    Color = RGB(255, 255, 255);
    lstScanning = std::make_unique<TListBox>(*this, 32);
    lstScanning->OnDrawItem = [this](HDC dc, int index, const RECT& rect, bool) { lstScanningDrawItem(dc, index, rect); };
}

LRESULT TScanningFrame::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SIZE && lstScanning) lstScanning->SetBounds(0, 0, LOWORD(lparam), HIWORD(lparam));
    return TWinControl::WndProc(message, wparam, lparam);
}

void TScanningFrame::AddItem(std::intptr_t object) {
    lstScanning->AddItem(object);
    lstScanning->SetItemIndex(lstScanning->Count() - 1);
    lstScanning->Repaint();
}

void TScanningFrame::RunScan() {
    if (DriverManager) {
        lstScanning->Clear();
        if (ProgressBar) {
            ProgressBar->SetMax(DriverManager->DriversCount());
            ProgressBar->SetPosition(0);
        }
        for (int c = 0; c < DriverManager->Categories.Count(); ++c) {
            TDriverCategory* category = DriverManager->Categories.Objects(c);
            AddItem(CategoryItem(category));
            Pause(10);
            Application.ProcessMessages();
            // "Exit" or the end of the session: the program is leaving, the
            // animation and the list after it would only delay that.
            if (Application.Terminated()) return;
            for (int d = 0; d < category->Drivers.Count(); ++d) {
                AddItem(DriverItem(category->Drivers.Objects(d)));
                // Read anew for every device: the lookup may end in the middle.
                Pause(FastMode ? 10 : 100);
                Application.ProcessMessages();
                if (Application.Terminated()) return;
                if (ProgressBar) {
                    ProgressBar->StepIt();
                    if (ProgressBar->Parent) ProgressBar->Parent->Repaint();
                }
            }
        }
    }
    if (OnScanFinished) OnScanFinished(this);
}

void TScanningFrame::lstScanningDrawItem(HDC dc, int Index, const RECT& Rect) {
    const int dpi = Dpi();
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
    {
        SelectObjectScope select(dc, pen.get());
        MoveToEx(dc, Rect.left + Scaled(8), Rect.bottom - 1, nullptr);
        LineTo(dc, Rect.right - Scaled(8), Rect.bottom - 1);
    }
    const std::intptr_t item = lstScanning->ItemData(Index);
    if (item == 0) return;
    TFont font;
    font.Height = 11;
    SelectObjectScope select_font(dc, font.Handle(dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const int icon_top = Rect.top + (lstScanning->ItemHeight() - DM->ilDriverIcon().Size()) / 2;
    std::string text;
    int icon_x = 0;
    int text_x = 0;
    int icon = 0;
    if (item & 1) {
        const auto* category = reinterpret_cast<const TDriverCategory*>(item & ~std::intptr_t{1});
        icon = GetClassIconIndex(category->ClassName);
        icon_x = Rect.left + Scaled(7);
        text_x = Rect.left + Scaled(42);
        text = category->ClassDescription;
    } else {
        const auto* driver = reinterpret_cast<const TDriver*>(item);
        icon = GetClassIconIndex(FieldToAnsi(driver->Detail.class_name));
        icon_x = Rect.left + Scaled(27);
        text_x = Rect.left + Scaled(52);
        text = FieldToAnsi(driver->Detail.device_name);
    }
    DM->ilDriverIcon().Draw(dc, icon_x, icon_top, icon);
    TextOutA(dc, text_x, Rect.top + Scaled(10), text.c_str(), static_cast<int>(text.size()));
}
