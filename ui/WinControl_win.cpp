#include "WinControl_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "Application_win.h"
#include "Dpi_win.h"
#include "Form_win.h"
#include "Handle_win.h"
#include "ListBox_win.h"

namespace {

constexpr wchar_t kWindowClass[] = L"TarnwickWindow";

const wchar_t* RegisterWindowClass(WNDPROC proc) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.style = CS_DBLCLKS;
        cls.lpfnWndProc = proc;
        cls.hInstance = Application.Instance();
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.hIcon = LoadIconW(Application.Instance(), L"MAINICON");
        cls.hIconSm = static_cast<HICON>(LoadImageW(Application.Instance(), L"MAINICON", IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
        cls.lpszClassName = kWindowClass;
        registered = RegisterClassExW(&cls) != 0;
    }
    return kWindowClass;
}

}  // namespace

TWinControl::~TWinControl() {
    for (TControl* control : controls_) control->Parent = nullptr;
    if (handle_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

TWinControl* TWinControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (wcscmp(name, kWindowClass) != 0) return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void TWinControl::CreateChild(TWinControl& parent, DWORD extra_style) {
    CreateChildWindow(parent, WS_VISIBLE | extra_style);
}

void TWinControl::CreateHiddenChild(TWinControl& parent) { CreateChildWindow(parent, 0); }

void TWinControl::CreateChildWindow(TWinControl& parent, DWORD style) {
    parent_ = &parent;
    dpi_ = parent.Dpi();
    CreateWindowExW(0, RegisterWindowClass(StaticWndProc), L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style,
                    0, 0, 10, 10, parent.Handle(), nullptr, Application.Instance(), this);
}

void TWinControl::CreateTopLevel(const std::wstring& caption, DWORD style, DWORD ex_style) {
    dpi_ = ScreenDpi();
    // Windows made while the main window exists belong to it: they stay
    // above it, and activating the main window brings them back to the front.
    HWND owner = Application.MainForm ? Application.MainForm->Handle() : nullptr;
    CreateWindowExW(ex_style, RegisterWindowClass(StaticWndProc), caption.c_str(), style | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr, Application.Instance(), this);
}

void TWinControl::Attach(HWND window) {
    handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams)->Attach(window);
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!control) return DefWindowProcW(window, message, wparam, lparam);
    return control->WndProc(message, wparam, lparam);
}

LRESULT TWinControl::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(handle_, message, wparam, lparam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // everything is painted at once, off screen
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSEMOVE:
            MouseMove(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (hot_) std::exchange(hot_, nullptr)->MouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int x = GET_X_LPARAM(lparam);
            const int y = GET_Y_LPARAM(lparam);
            TControl* control = ControlAt(x, y);
            pressed_ = control && control->Enabled() ? control : nullptr;
            if (pressed_) {
                SetCapture(handle_);
                pressed_->MouseDown(x, y);
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            TControl* control = pressed_;
            pressed_ = nullptr;
            if (GetCapture() == handle_) ReleaseCapture();
            if (!control) return 0;
            control->MouseUp();
            if (control == ControlAt(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam))) control->Click();
            return 0;
        }
        case WM_SETCURSOR:
            if (Application.ScreenCursor) {
                SetCursor(Application.ScreenCursor);
                return TRUE;
            }
            if (LOWORD(lparam) == HTCLIENT && hot_ && hot_->Cursor) {
                SetCursor(hot_->Cursor);
                return TRUE;
            }
            return DefaultProc(message, wparam, lparam);
        case WM_DRAWITEM: {
            LRESULT result = 0;
            if (TListBox::HandleParentMessage(message, wparam, lparam, result)) return result;
            return DefaultProc(message, wparam, lparam);
        }
        default:
            return DefaultProc(message, wparam, lparam);
    }
}

void TWinControl::MouseMove(int x, int y) {
    TControl* control = ControlAt(x, y);
    if (control && !control->Enabled()) control = nullptr;
    if (control != hot_) {
        if (hot_) hot_->MouseLeave();
        hot_ = control;
        if (hot_) hot_->MouseEnter();
    }
    if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        tracking_ = TrackMouseEvent(&track) != FALSE;
    }
}

void TWinControl::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    RECT client;
    GetClientRect(handle_, &client);
    if (client.right > 0 && client.bottom > 0) {
        UniqueMemoryDc buffer(CreateCompatibleDC(dc));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        SelectObjectScope select(buffer.get(), bitmap.get());
        PaintBackground(buffer.get(), client);
        RECT overlap;
        for (const TControl* control : controls_)
            if (control->Visible() && IntersectRect(&overlap, &control->BoundsRect(), &ps.rcPaint))
                control->Paint(buffer.get());
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, buffer.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    }
    EndPaint(handle_, &ps);
}

void TWinControl::PaintBackground(HDC dc, const RECT& client) {
    UniqueGdiObject brush(CreateSolidBrush(Color));
    FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
}

TControl* TWinControl::ControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const RECT& r = (*it)->BoundsRect();
        if ((*it)->Visible() && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return *it;
    }
    return nullptr;
}

void TWinControl::AddControl(TControl& control) {
    control.Parent = this;
    controls_.push_back(&control);
    if (!control.Hint.empty()) AddHint(control);
    control.Invalidate();
}

void TWinControl::RemoveControl(TControl& control) {
    control.Invalidate();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    if (hot_ == &control) hot_ = nullptr;
    if (pressed_ == &control) pressed_ = nullptr;
    control.Parent = nullptr;
}

void TWinControl::Place(TControl& control, int left, int top, int width, int height) {
    control.Parent = this;  // so the control can scale itself while it is placed
    control.SetBounds(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
    if (std::find(controls_.begin(), controls_.end(), &control) == controls_.end()) AddControl(control);
}

void TWinControl::PlaceWindow(TWinControl& child, int left, int top, int width, int height) {
    child.SetBounds(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
}

// Hints show as tooltips over the control's area.
void TWinControl::AddHint(TControl& control) {
    if (!tooltip_) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                   handle_, nullptr, Application.Instance(), nullptr);
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(&control);
    tool.rect = control.BoundsRect();
    tool.lpszText = const_cast<wchar_t*>(control.Hint.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::BoundsRect() const {
    RECT r;
    GetWindowRect(handle_, &r);
    if (HWND parent = GetParent(handle_); parent && (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int TWinControl::Width() const {
    const RECT r = BoundsRect();
    return r.right - r.left;
}

int TWinControl::Height() const {
    const RECT r = BoundsRect();
    return r.bottom - r.top;
}

int TWinControl::ClientWidth() const {
    RECT r;
    GetClientRect(handle_, &r);
    return r.right;
}

int TWinControl::ClientHeight() const {
    RECT r;
    GetClientRect(handle_, &r);
    return r.bottom;
}

bool TWinControl::Visible() const { return (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE) != 0; }

void TWinControl::SetVisible(bool visible) {
    if (Visible() == visible) return;
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) { EnableWindow(handle_, enabled); }

bool TWinControl::Enabled() const { return IsWindowEnabled(handle_) != FALSE; }

// A hidden window is painted whole when it shows, so marking parts of it
// would only cost a round trip to the window manager per change.
void TWinControl::Invalidate(const RECT* area) {
    if (IsWindowVisible(handle_)) InvalidateRect(handle_, area, FALSE);
}

void TWinControl::Repaint() {
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int TWinControl::Scaled(int value) const { return ScaleValue(value, dpi_); }

TPanel::TPanel(TWinControl& parent, COLORREF color) {
    Color = color;
    CreateChild(parent);
}
