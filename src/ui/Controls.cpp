#include "ui/Controls.h"

namespace zenthra {

void Control::SetListIndex(int index) {
    listIndex = index >= 0 && index < static_cast<int>(list.size()) ? index : -1;
    if (click) {
        click();
    }
}

const std::string& Control::SelectedText() const {
    static const std::string kNone;
    return listIndex >= 0 ? list[listIndex] : kNone;
}

void Control::Choose() {
    if (choose) {
        choose();
    } else {
        SetValue(1);
    }
}

void Control::Clear() {
    list.clear();
    listIndex = -1;
}

void Control::SetValue(int newValue) {
    const bool changed = newValue != value;
    value = newValue;
    // A check box reacts to a change; an option button to being chosen.
    const bool clicks = kind == ControlKind::OptionButton ? changed && value != 0 : changed;
    if (clicks && click) {
        click();
    }
}

}  // namespace zenthra
