// A vertically scrolling box around a flow panel that stacks its child
// windows one under the other, in the order they were added, skipping
// hidden ones.
#pragma once

#include <memory>
#include <vector>

#include "WinControl_win.h"

class TFlowPanel : public TWinControl {
public:
    explicit TFlowPanel(TWinControl& parent);

    // Children join the end of the flow; Realign places them.
    void Add(TWinControl& child);
    void Remove(TWinControl& child);
    // Stacks the visible children from the top and sizes the panel to them.
    void Realign();

private:
    std::vector<TWinControl*> children_;
};

class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TWinControl& parent);

    TFlowPanel& Content() { return *content_; }
    // Lays the content out again and fits the scroll range to it.
    void Realign();
    int ScrollPosition() const { return position_; }
    void ScrollTo(int position);
    void ScrollBy(int delta) { ScrollTo(position_ + delta); }
    // Pixels moved per wheel notch, and the content's left margin (design pixels).
    int WheelStep = 30;
    int ContentLeft = 0;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void UpdateRange();
    std::unique_ptr<TFlowPanel> content_;
    int position_ = 0;
    int wheel_carry_ = 0;  // wheel delta times step, short of a whole pixel
};
