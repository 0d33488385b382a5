// The window model's controls: plain property records that a view renders. Setting a list
// index, a check box or an option button from code runs the control's Click handler, as the
// window's handlers expect.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zenthra {

// Positions and sizes in twips (1440 per logical inch).
struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct Font {
    std::string name = "Arial";
    int points = 10;
    bool bold = false;
};

enum class WindowState { Normal, Minimised, Maximised };

// Key codes and shift states of the key handlers, as the Windows keyboard numbers them.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyQ = 81;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

enum class ControlKind { Label, Button, TextBox, ComboBox, CheckBox, OptionButton, Frame };

class Control {
  public:
    Control(ControlKind kind, std::string name, std::string caption, Geometry geometry)
        : kind(kind), name(std::move(name)), caption(std::move(caption)), geometry(geometry) {}

    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlKind kind;
    const std::string name;  // "cmdStart", "cboPlanet(0)" ...

    std::string caption;  // labels, buttons, frames, check boxes, option buttons
    std::string text;     // text boxes
    bool visible = true;
    bool enabled = true;
    Geometry geometry;
    Font font;
    Rgb foreColor{0, 0, 0};
    Rgb backColor{240, 240, 240};
    bool locked = false;  // read-only text box
    std::string toolTip;  // shown while the pointer rests on the control

    // Runs on a user's click, and when code changes the value as described above.
    std::function<void()> click;
    // Option buttons: a user's click, which chooses this one of its frame and unchooses the
    // other. Without it the click only chooses this one.
    std::function<void()> choose;
    void Choose();
    // Text boxes: the focus left the control for another of the window.
    std::function<void()> lostFocus;
    // Text boxes: the user changed the text. One that sets it offers `list` as completions,
    // and choosing one of them sets the list index (which runs `click`).
    std::function<void()> change;
    // Text boxes: a key pressed and released, as Windows key code and shift state.
    std::function<void(int keyCode, int shift)> keyDown;
    std::function<void(int keyCode, int shift)> keyUp;

    // Combo boxes: the entries and the selected index (-1: none).
    std::vector<std::string> list;
    int ListIndex() const { return listIndex; }
    void SetListIndex(int index);
    const std::string& SelectedText() const;
    void Clear();
    void AddItem(std::string item) { list.push_back(std::move(item)); }

    // Check boxes: 0 unticked, 1 ticked; option buttons: 0 or 1 (chosen).
    int Value() const { return value; }
    void SetValue(int newValue);

  private:
    int listIndex = -1;
    int value = 0;
};

}  // namespace zenthra
