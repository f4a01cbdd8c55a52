#include "DriverListFrameUnit_win.h"

#include "AnsiText.h"
#include "FrozenDrawing_win.h"
#include "dmUnit_win.h"

namespace {

constexpr int kRowWidth = 668;

}  // namespace

TDriverListFrame::TDriverListFrame(TWinControl& parent) {
    CreateChild(parent);
    Color = RGB(255, 255, 255);
    ScrollBox1 = std::make_unique<TScrollBox>(*this);
    ScrollBox1->Color = RGB(255, 255, 255);
    ScrollBox1->Content().Color = RGB(255, 255, 255);
    ScrollBox1->ContentLeft = 10;
    ScrollBox1->WheelStep = 30;
    SavePath = TDM::GetDataFolder();
}

TDriverListFrame::~TDriverListFrame() { Rows.Clear(); }

LRESULT TDriverListFrame::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SIZE && ScrollBox1) ScrollBox1->SetBounds(0, 0, LOWORD(lparam), HIWORD(lparam));
    return TWinControl::WndProc(message, wparam, lparam);
}

void TDriverListFrame::LoadDrivers(TDriverManager* M) {
    FrozenDrawing frozen(Handle());
    for (int i = 0; i < Rows.Count(); ++i) ScrollBox1->Content().Remove(*Rows.Objects(i));
    Rows.Clear();
    Manager = M;
    if (!M) return;
    for (int c = 0; c < M->Categories.Count(); ++c) {
        TDriverCategory* category = M->Categories.Objects(c);
        if (category->Drivers.Count() == 0) continue;
        bool header = false;
        for (int d = 0; d < category->Drivers.Count(); ++d) {
            TDriver* driver = category->Drivers.Objects(d);
            if (!driver->IsOutOfDate()) continue;
            category->HasOutOfDate = true;
            if (!header) {
                AddCategoryFrame(category);
                header = true;
            }
            AddDriverFrame(category, driver);
        }
    }
    ScrollBox1->Realign();
}

TCategoryFrame* TDriverListFrame::AddCategoryFrame(TDriverCategory* category) {
    auto* header = new TCategoryFrame(ScrollBox1->Content());
    header->Name = "Frame" + std::to_string(Rows.Count());
    header->SetBounds(0, 0, Scaled(kRowWidth), Scaled(26));
    ScrollBox1->Content().Add(*header);
    header->Category = category;
    Rows.AddObject(category->ClassName, header);
    header->ShowCategory();
    header->OnCheck = [this](TCategoryFrame* sender, bool checked) { CheckCategory(sender, checked); };
    return header;
}

TDriverFrame* TDriverListFrame::AddDriverFrame(TDriverCategory* category, TDriver* driver) {
    auto* row = new TDriverFrame(ScrollBox1->Content());
    row->Name = "Frame" + std::to_string(Rows.Count());
    row->SetDesignWidth(kRowWidth);
    ScrollBox1->Content().Add(*row);
    row->Category = category;
    row->Driver = driver;
    row->SetSavePath(SavePath);
    Rows.AddObject(FieldToAnsi(driver->Detail.hardware_id), row);
    row->ShowDriver();
    return row;
}

void TDriverListFrame::ShowOutOfDate() {
    for (int i = 0; i < Rows.Count(); ++i) Rows.Objects(i)->Show();
    ScrollBox1->Realign();
}

void TDriverListFrame::CheckAll(bool Checked) {
    for (int i = 0; i < Rows.Count(); ++i)
        if (auto* header = dynamic_cast<TCategoryFrame*>(Rows.Objects(i))) header->CheckBox1.SetChecked(Checked);
}

void TDriverListFrame::CheckCategory(TCategoryFrame* Sender, bool Checked) {
    for (int i = 0; i < Rows.Count(); ++i) {
        auto* row = dynamic_cast<TDriverFrame*>(Rows.Objects(i));
        if (row && row->Category == Sender->Category) row->CheckBox1.SetChecked(Checked);
    }
}

int TDriverListFrame::CheckedCount() const {
    int count = 0;
    for (int i = 0; i < Rows.Count(); ++i) {
        auto* row = dynamic_cast<TDriverFrame*>(Rows.Objects(i));
        if (row && row->CheckBox1.Checked()) ++count;
    }
    return count;
}

void TDriverListFrame::DownloadChecked() {
    for (int i = 0; i < Rows.Count(); ++i) {
        auto* row = dynamic_cast<TDriverFrame*>(Rows.Objects(i));
        if (row && row->CheckBox1.Checked()) row->Download();
    }
}
