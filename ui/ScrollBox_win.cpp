#include "ScrollBox_win.h"

#include <algorithm>

TFlowPanel::TFlowPanel(TWinControl& parent) { CreateChild(parent); }

void TFlowPanel::Add(TWinControl& child) { children_.push_back(&child); }

void TFlowPanel::Remove(TWinControl& child) {
    children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
}

void TFlowPanel::Realign() {
    int y = 0;
    int width = 0;
    for (TWinControl* child : children_) {
        if (!child->Visible()) continue;
        const int height = child->Height();
        SetWindowPos(child->Handle(), nullptr, 0, y, child->Width(), height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        y += height;
        width = std::max(width, child->Width());
    }
    SetWindowPos(Handle(), nullptr, 0, 0, width, y, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TScrollBox::TScrollBox(TWinControl& parent) {
    CreateChild(parent, WS_VSCROLL);
    content_ = std::make_unique<TFlowPanel>(*this);
}

void TScrollBox::Realign() {
    content_->Realign();
    UpdateRange();
    ScrollTo(position_);
}

void TScrollBox::UpdateRange() {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL};
    info.nMin = 0;
    info.nMax = std::max(0, content_->Height() - 1);
    info.nPage = static_cast<UINT>(ClientHeight());
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TScrollBox::ScrollTo(int position) {
    const int limit = std::max(0, content_->Height() - ClientHeight());
    position_ = std::clamp(position, 0, limit);
    SCROLLINFO info{sizeof info, SIF_POS};
    info.nPos = position_;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    SetWindowPos(content_->Handle(), nullptr, Scaled(ContentLeft), -position_, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TScrollBox::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_MOUSEWHEEL: {
            // Touchpads and free-spinning wheels send fractions of a notch;
            // what does not make a whole pixel yet is kept for the next one.
            wheel_carry_ += GET_WHEEL_DELTA_WPARAM(wparam) * Scaled(WheelStep);
            const int pixels = wheel_carry_ / WHEEL_DELTA;
            wheel_carry_ -= pixels * WHEEL_DELTA;
            ScrollBy(-pixels);
            return 0;
        }
        case WM_VSCROLL: {
            SCROLLINFO info{sizeof info, SIF_ALL};
            GetScrollInfo(Handle(), SB_VERT, &info);
            const int line = Scaled(WheelStep);
            switch (LOWORD(wparam)) {
                case SB_LINEUP: ScrollBy(-line); break;
                case SB_LINEDOWN: ScrollBy(line); break;
                case SB_PAGEUP: ScrollBy(-static_cast<int>(info.nPage)); break;
                case SB_PAGEDOWN: ScrollBy(static_cast<int>(info.nPage)); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
                case SB_TOP: ScrollTo(0); break;
                case SB_BOTTOM: ScrollTo(info.nMax); break;
                default: break;
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
            // The wheel scrolls the focused window: a click makes that this box.
            SetFocus(Handle());
            return TWinControl::WndProc(message, wparam, lparam);
        case WM_SIZE:
            UpdateRange();
            ScrollTo(position_);
            return TWinControl::WndProc(message, wparam, lparam);
        default:
            return TWinControl::WndProc(message, wparam, lparam);
    }
}
