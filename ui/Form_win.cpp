#include "Form_win.h"

#include <windowsx.h>

#include "Application_win.h"
#include "Dpi_win.h"
#include "Handle_win.h"

namespace {
constexpr wchar_t kFormClass[] = L"TarnwickForm";

void RegisterFormClass(WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = proc;
    cls.hInstance = Application.Instance();
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hIcon = LoadIconW(Application.Instance(), L"MAINICON");
    cls.hIconSm = static_cast<HICON>(LoadImageW(Application.Instance(), L"MAINICON", IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    cls.lpszClassName = kFormClass;
    registered = RegisterClassExW(&cls) != 0;
}
}  // namespace

TForm::~TForm() {
    if (handle_) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void TForm::CreateHandle(const std::wstring& caption, DWORD style, DWORD ex_style) {
    dpi_ = ScreenDpi();
    RegisterFormClass(StaticWndProc);
    handle_ = CreateWindowExW(ex_style, kFormClass, caption.c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, Application.Instance(),
                              this);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        form->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, wparam, lparam);
    return form->WndProc(message, wparam, lparam);
}

LRESULT TForm::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painted with everything else, off screen
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_LBUTTONDOWN: {
            const int x = GET_X_LPARAM(lparam);
            const int y = GET_Y_LPARAM(lparam);
            pressed_ = ControlAt(x, y);
            if (pressed_ && pressed_->OnMouseDown) {
                TControl* control = pressed_;
                control->OnMouseDown(x, y);
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            TControl* control = ControlAt(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            const bool clicked = control && control == pressed_;
            pressed_ = nullptr;
            if (clicked && control->OnClick) control->OnClick();
            return 0;
        }
        default:
            return DefWindowProcW(handle_, message, wparam, lparam);
    }
}

void TForm::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    RECT client;
    GetClientRect(handle_, &client);
    // Everything is composed off screen and copied at once: no flicker.
    UniqueMemoryDc buffer(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        SelectObjectScope select(buffer.get(), bitmap.get());
        PaintBackground(buffer.get(), client);
        for (const TControl* control : controls_)
            if (control->Visible()) control->Paint(buffer.get());
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, buffer.get(), ps.rcPaint.left, ps.rcPaint.top,
               SRCCOPY);
    }
    EndPaint(handle_, &ps);
}

void TForm::PaintBackground(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

TControl* TForm::ControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const RECT& r = (*it)->BoundsRect();
        if ((*it)->Visible() && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return *it;
    }
    return nullptr;
}

void TForm::AddControl(TControl& control) {
    control.Parent = this;
    controls_.push_back(&control);
    control.Invalidate();
}

void TForm::Show() {
    ShowWindow(handle_, SW_SHOW);
    UpdateWindow(handle_);
}

void TForm::Hide() { ShowWindow(handle_, SW_HIDE); }

bool TForm::Visible() const { return IsWindowVisible(handle_) != FALSE; }

void TForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    FormClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application.MainForm == this)
        Application.Terminate();
    else
        Hide();
}

void TForm::Repaint() { RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void TForm::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
    SetWindowPos(handle_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TForm::ClientWidth() const {
    RECT r;
    GetClientRect(handle_, &r);
    return r.right;
}

int TForm::ClientHeight() const {
    RECT r;
    GetClientRect(handle_, &r);
    return r.bottom;
}

void TForm::CenterOnScreen() {
    RECT window;
    GetWindowRect(handle_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(handle_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(handle_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TForm::Scaled(int value) const { return ScaleValue(value, dpi_); }
