#include "ListBox_win.h"

#include "Application_win.h"

namespace {
constexpr wchar_t kObjectProperty[] = L"TarnwickListBox";
}

TListBox::TListBox(TWinControl& parent, int item_height) : item_height_(parent.Scaled(item_height)) {
    handle_ = CreateWindowExW(0, L"LISTBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT |
                                  LBS_NOTIFY,
                              0, 0, 10, 10, parent.Handle(), nullptr, Application.Instance(), nullptr);
    SetPropW(handle_, kObjectProperty, this);
    SendMessageW(handle_, LB_SETITEMHEIGHT, 0, item_height_);
}

TListBox::~TListBox() {
    RemovePropW(handle_, kObjectProperty);
    DestroyWindow(handle_);
}

bool TListBox::HandleParentMessage(UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    auto* list = static_cast<TListBox*>(GetPropW(item->hwndItem, kObjectProperty));
    if (!list) return false;
    if (item->itemID != static_cast<UINT>(-1) && list->OnDrawItem) {
        // Items are drawn on the window colour; the handler draws the rest.
        FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_WINDOW));
        list->OnDrawItem(item->hDC, static_cast<int>(item->itemID), item->rcItem,
                         (item->itemState & ODS_SELECTED) != 0);
    }
    result = TRUE;
    return true;
}

void TListBox::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TListBox::Clear() { SendMessageW(handle_, LB_RESETCONTENT, 0, 0); }

int TListBox::AddItem(std::intptr_t data) {
    const auto index = static_cast<int>(SendMessageW(handle_, LB_ADDSTRING, 0, 0));
    SendMessageW(handle_, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    return index;
}

int TListBox::Count() const { return static_cast<int>(SendMessageW(handle_, LB_GETCOUNT, 0, 0)); }

std::intptr_t TListBox::ItemData(int index) const {
    return static_cast<std::intptr_t>(SendMessageW(handle_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void TListBox::SetItemIndex(int index) { SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0)); }

void TListBox::Repaint() { RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
