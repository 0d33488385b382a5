// Operations that walk every control of the main window.
#include <algorithm>

#include "ui/FrmMain.h"

namespace zenthra {

namespace {

using K = ControlKind;

bool IsOneOf(const Control& c, std::initializer_list<ControlKind> kinds) {
    for (ControlKind k : kinds) {
        if (c.kind == k) {
            return true;
        }
    }
    return false;
}

}  // namespace

void FrmMain::SetFontBoldAll(bool bold) {
    for (const Placed& p : controls) {
        p.control->font.bold = bold;
    }
}

void FrmMain::SetFontSizeAll(int points) {
    for (const Placed& p : controls) {
        if (p.control->kind != K::Frame) {
            p.control->font.points = points;
        }
    }
}

void FrmMain::SetFontNameAll(const std::string& name, bool textBoxes, bool buttons) {
    for (const Placed& p : controls) {
        Control& c = *p.control;
        if (c.kind != K::TextBox || textBoxes) {
            c.font.name = name;
        }
        if (buttons && c.kind == K::Button) {
            c.font.name = name;
        }
    }
}

void FrmMain::SetEnabledAll(bool enabled, bool frames, bool textBoxes, bool labels) {
    for (const Placed& p : controls) {
        Control& c = *p.control;
        const bool always = IsOneOf(c, {K::Button, K::CheckBox, K::OptionButton, K::ComboBox});
        if (always || (frames && c.kind == K::Frame) || (textBoxes && c.kind == K::TextBox) ||
            (labels && c.kind == K::Label)) {
            c.enabled = enabled;
        }
    }
}

namespace {

// Check boxes, labels, frames and option buttons take the window's colours.
bool TakesWindowColors(const Control& c) {
    return IsOneOf(c, {K::CheckBox, K::Label, K::Frame, K::OptionButton});
}

}  // namespace

void FrmMain::SetForeColorAll(Rgb color) {
    for (const Placed& p : controls) {
        if (TakesWindowColors(*p.control)) {
            p.control->foreColor = color;
        }
    }
}

void FrmMain::SetBackColorAll(Rgb color) {
    backColor = color;
    for (const Placed& p : controls) {
        if (TakesWindowColors(*p.control)) {
            p.control->backColor = color;
        }
    }
}

namespace {

// Controls whose middles lie closer than this share a row of the reading order: a label or a
// check box is centred on the fields beside it.
constexpr int kRowTolerance = 170;

bool TakesFocus(const Control& c) {
    return IsOneOf(c, {K::TextBox, K::ComboBox, K::Button, K::CheckBox, K::OptionButton});
}

struct Spot {
    Control* control;
    int left;
    int middle;
};

}  // namespace

std::vector<Control*> FrmMain::TabOrder() const {
    std::vector<Spot> spots;
    Control* pane = nullptr;
    for (const Placed& p : controls) {
        if (p.control == &txbOutput) {
            pane = p.control;
        } else if (TakesFocus(*p.control)) {
            const Geometry& g = p.control->geometry;
            const Geometry inFrame = p.frame != nullptr ? p.frame->geometry : Geometry{};
            spots.push_back({p.control, inFrame.left + g.left, inFrame.top + g.top + g.height / 2});
        }
    }
    std::stable_sort(spots.begin(), spots.end(),
                     [](const Spot& a, const Spot& b) { return a.middle < b.middle; });
    // Each row is sorted by its left edges; a row begins where a middle lies too far below
    // the first middle of the row before.
    auto row = spots.begin();
    while (row != spots.end()) {
        const int top = row->middle;
        const auto next = std::find_if(
            row, spots.end(), [top](const Spot& s) { return s.middle - top >= kRowTolerance; });
        std::stable_sort(row, next, [](const Spot& a, const Spot& b) { return a.left < b.left; });
        row = next;
    }
    std::vector<Control*> order;
    for (const Spot& s : spots) {
        order.push_back(s.control);
    }
    order.push_back(pane);
    return order;
}

bool FrmMain::FocusIfPossible(Control& control) {
    if (!control.visible || !control.enabled) {
        return false;
    }
    focus = &control;
    return true;
}

}  // namespace zenthra
