// Renders the controls of one window model as Qt widgets and forwards what the user does to
// them. The widgets are created once; Apply() copies every property of the model onto them,
// touching a widget only where it differs, so that it can run after every handler, at every
// yield and at every timer tick.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/Controls.h"
#include "view/Twips.h"

class QKeyEvent;
class QLineEdit;
class QWidget;
class QPlainTextEdit;

namespace zenthra {

class ControlRenderer : public QObject {
  public:
    // What the window around the controls hears of the user's actions; each is optional.
    // The actions themselves go to the handlers that the model bound to its controls.
    struct Handlers {
        std::function<void(Control*)> focusMoved = {};
        // After every forwarded action: bring the windows up to date with the model.
        std::function<void()> afterEvent = {};
    };

    ControlRenderer(QWidget& form, Handlers handlers);
    ~ControlRenderer() override;

    // A widget for the control, inside the widget of its frame when it has one (added
    // before it).
    QWidget* Add(Control& control, Control* frame = nullptr);

    // A multi-line text box. Its text comes from `text` when given (the output pane keeps
    // its own), otherwise from the control. A new text puts the caret at its end (so that
    // the last lines show) or at its start.
    using TextSource = std::function<const std::string&()>;
    enum class Caret { End, Start };
    QPlainTextEdit* AddTextArea(Control& control, Caret caret, TextSource text = nullptr,
                                Control* frame = nullptr);

    // Model to widgets. Widget changes made here are not forwarded back.
    void Apply(const TwipScale& scale);

    // Gives the keyboard focus to the control's widget when the model moved it there.
    void ApplyFocus(Control* focus);

    // Tab visits the controls' widgets in this order.
    void ApplyTabOrder(const std::vector<Control*>& order);

    QWidget* WidgetOf(const Control& control) const;
    bool Applying() const { return applying > 0; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Entry;

    Entry& Track(Control& control, Control* frame, QWidget* widget);
    void Connect(Entry& entry);
    void ApplyEntry(Entry& entry, const TwipScale& scale);
    void ApplyColors(Entry& entry);
    // Text boxes whose model offers completions.
    void AddCompleter(Entry& entry);
    void ApplyCompletions(Entry& entry, QLineEdit& edit);
    void Forward(const std::function<void()>& action);
    bool KeyPressed(Entry& entry, const QKeyEvent& key);

    QWidget& form;
    Handlers handlers;
    std::vector<std::unique_ptr<Entry>> entries;
    std::unordered_map<const QObject*, Entry*> byWidget;
    std::unordered_map<const Control*, Entry*> byControl;
    Control* appliedFocus = nullptr;
    std::vector<Control*> appliedTabOrder;
    int applying = 0;
};

// Turns off the forwarding of widget signals while the model is written to the widgets.
class ApplyScope {
  public:
    explicit ApplyScope(int& depth) : depth(depth) { ++depth; }
    ~ApplyScope() { --depth; }
    ApplyScope(const ApplyScope&) = delete;
    ApplyScope& operator=(const ApplyScope&) = delete;

  private:
    int& depth;
};

// The Windows key code of a Qt key as a key handler expects it (Enter is 13, F1 112), and the
// shift state (1 Shift, 2 Ctrl, 4 Alt).
int WindowsKeyCode(int qtKey);
int WindowsShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace zenthra
