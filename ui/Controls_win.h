// Windowless controls: they own no window handle. The windowed control they
// sit on paints them, tracks the mouse over them and hands them clicks, so a
// row of a dozen controls costs one window handle.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Font_win.h"
#include "Picture_win.h"

class TWinControl;

class TControl {
public:
    TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    void SetBounds(int left, int top, int width, int height);
    const RECT& BoundsRect() const { return bounds_; }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Asks the parent to repaint this control's area.
    void Invalidate() const;
    // The screen density of the window this control sits on.
    int Dpi() const;
    int Scaled(int value) const;

    virtual void Paint(HDC dc) const = 0;

    // Mouse notifications from the parent window.
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseDown(int x, int y);
    virtual void MouseUp();
    virtual void Click();

    std::function<void()> OnClick;
    std::function<void(int x, int y)> OnMouseDown;
    HCURSOR Cursor = nullptr;  // null: the parent's
    std::wstring Hint;
    TWinControl* Parent = nullptr;
    std::string Name;

protected:
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }

private:
    RECT bounds_{};
    bool visible_ = true;
    bool enabled_ = true;
    bool hot_ = false;
    bool pressed_ = false;
};

// A picture at the control's top-left corner, or stretched to fill it.
class TImage : public TControl {
public:
    void Paint(HDC dc) const override;
    TPicture Picture;
    bool Stretch = false;
};

// Text on a transparent background, optionally word-wrapped and with a
// one-pixel shadow.
class TLabel : public TControl {
public:
    void Paint(HDC dc) const override;
    void SetCaption(const std::string& caption);
    const std::string& Caption() const { return caption_; }

    TFont Font;
    bool WordWrap = false;
    UINT Alignment = DT_LEFT;
    bool HasShadow = false;
    COLORREF ShadowColor = RGB(255, 255, 255);

private:
    std::string caption_;
};

// A picture button with normal, hot, pressed and disabled faces; `Down`
// keeps the pressed look (navigation buttons). An icon and a caption may be
// drawn over the face.
class TImageButton : public TControl {
public:
    TImageButton();
    void Paint(HDC dc) const override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(int x, int y) override;
    void MouseUp() override;

    void SetDown(bool down);
    bool Down() const { return down_; }
    void SetCaption(const std::string& caption);
    const std::string& Caption() const { return caption_; }

    TPicture FaceNormal;
    TPicture FaceHot;
    TPicture FacePressed;
    TPicture FaceDisabled;
    TPicture Icon;         // drawn left of the caption on the normal face
    TPicture IconHot;      // ... on the hot face
    TPicture IconPressed;  // ... on the pressed/down face
    TFont Font;
    COLORREF PressedTextColor = RGB(255, 255, 255);
    int CaptionLeft = -1;  // design pixels from the left; -1 centres the caption
    int IconLeft = 14;

private:
    bool down_ = false;
    std::string caption_;
};

// A check box whose click event is raised whenever its state changes, also
// when the program changes it.
class TCheckBox : public TControl {
public:
    TCheckBox();
    void Paint(HDC dc) const override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Click() override;

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void SetCaption(const std::string& caption);
    const std::string& Caption() const { return caption_; }

    TFont Font;
    // The box sits on the pages' light panel colour rather than on white.
    bool OnPanel = false;

private:
    bool checked_ = false;
    std::string caption_;
};

// A progress bar that shows its percentage as caption.
class TProgressBar : public TControl {
public:
    void Paint(HDC dc) const override;
    void SetMax(int max);
    void SetPosition(int position);
    int Max() const { return max_; }
    int Position() const { return position_; }
    void StepIt() { SetPosition(position_ + 1); }

    bool ShowCaption = true;
    TFont Font;

private:
    int max_ = 100;
    int position_ = 0;
};
