// Windowless controls: they own no window handle and are painted by the
// form they sit on, which also hands them their mouse clicks.
#pragma once

#include <windows.h>

#include <functional>

#include "Picture_win.h"

class TForm;

class TControl {
public:
    virtual ~TControl() = default;

    void SetBounds(int left, int top, int width, int height);
    const RECT& BoundsRect() const { return bounds_; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Asks the parent to repaint this control's area.
    void Invalidate() const;

    virtual void Paint(HDC dc) const = 0;

    std::function<void()> OnClick;
    std::function<void(int x, int y)> OnMouseDown;
    TForm* Parent = nullptr;

private:
    RECT bounds_{};
    bool visible_ = true;
};

// A picture at its control's top-left corner.
class TImage : public TControl {
public:
    void Paint(HDC dc) const override;
    TPicture Picture;
};
