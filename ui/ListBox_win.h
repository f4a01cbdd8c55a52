// A list box whose items the program draws itself: a fixed item height and
// one pointer-sized value per item.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "WinControl_win.h"

class TListBox {
public:
    TListBox(TWinControl& parent, int item_height);
    TListBox(const TListBox&) = delete;
    TListBox& operator=(const TListBox&) = delete;
    ~TListBox();

    HWND Handle() const { return handle_; }
    void SetBounds(int left, int top, int width, int height);
    void Clear();
    int AddItem(std::intptr_t data);
    int Count() const;
    std::intptr_t ItemData(int index) const;
    void SetItemIndex(int index);
    int ItemIndex() const;
    int ItemHeight() const { return item_height_; }
    // Paints now what is invalid.
    void Repaint();

    // Draws one item; its rectangle is in the list's client coordinates.
    std::function<void(HDC dc, int index, const RECT& rect, bool selected)> OnDrawItem;

    // Forwards the owner-draw messages that reach the parent to the list.
    static bool HandleParentMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

private:
    HWND handle_ = nullptr;
    int item_height_;
};
