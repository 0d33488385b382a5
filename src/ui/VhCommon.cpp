// Operations that walk every control of the main window.
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

bool FrmMain::FocusIfPossible(Control& control) {
    if (!control.visible || !control.enabled) {
        return false;
    }
    focus = &control;
    return true;
}

}  // namespace zenthra
