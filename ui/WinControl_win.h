// A control with a window of its own: forms, frames, panels. It paints its
// windowless controls into one off-screen buffer and routes the mouse to
// them. One static window procedure finds the object from the window and
// forwards each message to a member.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Controls_win.h"

class TWinControl {
public:
    TWinControl() = default;
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;
    virtual ~TWinControl();

    HWND Handle() const { return handle_; }
    TWinControl* ParentControl() const { return parent_; }

    void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const;  // in the parent's client coordinates
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;

    bool Visible() const;
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void SetEnabled(bool enabled);
    bool Enabled() const;

    // Marks the area (all of it when null) for repainting.
    void Invalidate(const RECT* area = nullptr);
    // Paints what is invalid now, child windows included.
    void Repaint();

    int Dpi() const { return dpi_; }
    // A 96-dpi design size at this window's density.
    int Scaled(int value) const;

    // Windowless controls in paint order; the last added is on top.
    void AddControl(TControl& control);
    void RemoveControl(TControl& control);
    // Adds `control` at a place given in 96-dpi design pixels.
    void Place(TControl& control, int left, int top, int width, int height);
    // Moves a child window to a place given in design pixels.
    void PlaceWindow(TWinControl& child, int left, int top, int width, int height);

    // Background colour behind the windowless controls.
    COLORREF Color = RGB(255, 255, 255);
    std::string Name;

    // The object behind a window of ours, or null.
    static TWinControl* FromHandle(HWND window);

protected:
    // A child window of `parent`, created visible.
    void CreateChild(TWinControl& parent, DWORD extra_style = 0);
    // A child window that stays hidden until shown: it can be filled in
    // without a single repaint, which matters when there are hundreds.
    void CreateHiddenChild(TWinControl& parent);
    // A top-level window.
    void CreateTopLevel(const std::wstring& caption, DWORD style, DWORD ex_style);

    virtual LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam);
    virtual void PaintBackground(HDC dc, const RECT& client);
    LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam);

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void Attach(HWND window);
    void CreateChildWindow(TWinControl& parent, DWORD style);
    void Paint();
    TControl* ControlAt(int x, int y) const;
    void MouseMove(int x, int y);
    void AddHint(TControl& control);

    HWND handle_ = nullptr;
    HWND tooltip_ = nullptr;
    TWinControl* parent_ = nullptr;
    int dpi_ = 96;
    std::vector<TControl*> controls_;
    TControl* hot_ = nullptr;
    TControl* pressed_ = nullptr;
    bool tracking_ = false;
};

// A plain child window that holds controls.
class TPanel : public TWinControl {
public:
    explicit TPanel(TWinControl& parent, COLORREF color = RGB(255, 255, 255));
};
