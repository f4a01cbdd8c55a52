// A top-level window. One static window procedure finds the object from the
// window and forwards each message to a member; derived forms override the
// few handlers they need and keep their logic in plain methods.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Controls_win.h"

enum class TCloseAction { caNone, caHide };

class TForm {
public:
    TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;
    virtual ~TForm();

    HWND Handle() const { return handle_; }
    void Show();
    void Hide();
    bool Visible() const;
    // Asks CloseQuery, runs FormClose, then hides the form; closing the
    // main form ends the application.
    void Close();
    // Paints invalid parts now.
    void Repaint();

    void SetClientSize(int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;
    void CenterOnScreen();
    // Multiplies a 96-dpi design size by the screen's density.
    int Scaled(int value) const;
    int Dpi() const { return dpi_; }

    // Windowless controls painted and clicked through this form, in z-order.
    void AddControl(TControl& control);

protected:
    // Creates the window; derived constructors call it first.
    void CreateHandle(const std::wstring& caption, DWORD style, DWORD ex_style);

    virtual bool CloseQuery() { return true; }
    virtual void FormClose(TCloseAction& /*action*/) {}
    // Background under the controls.
    virtual void PaintBackground(HDC dc, const RECT& client);
    virtual LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam);

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void Paint();
    TControl* ControlAt(int x, int y) const;

    HWND handle_ = nullptr;
    int dpi_ = 96;
    std::vector<TControl*> controls_;
    TControl* pressed_ = nullptr;
};
