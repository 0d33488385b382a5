#include "view/ControlRenderer.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTextCursor>
#include <algorithm>

namespace zenthra {

namespace {

using K = ControlKind;

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Buttons, check boxes, option buttons and frames would take "&" for a keyboard mnemonic.
QString Literal(const std::string& caption) {
    return Qs(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

// Line breaks of the model's texts are CR LF; the widgets want LF. A CR that ends one piece
// of a growing text and the LF that begins the next give one line break as well.
QString DisplayText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        if (c != '\r') {
            shown.push_back(c);
        }
    }
    return QString::fromStdString(shown);
}

QColor Color(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// Text of a disabled control: halfway to its background, as a dimmed caption looks.
QColor Dimmed(Rgb fore, Rgb back) {
    return {(fore.red + back.red) / 2, (fore.green + back.green) / 2, (fore.blue + back.blue) / 2};
}

QFont QtFont(const Font& font) {
    QFont qt(Qs(font.name));
    qt.setPointSizeF(font.points);
    qt.setBold(font.bold);
    return qt;
}

bool SameFont(const Font& a, const Font& b) {
    return a.name == b.name && a.points == b.points && a.bold == b.bold;
}

void SetEnabledColor(QPalette& palette, QPalette::ColorRole role, const QColor& color) {
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
}

}  // namespace

struct ControlRenderer::Entry {
    Control* control = nullptr;
    Control* frame = nullptr;
    QWidget* widget = nullptr;
    bool textArea = false;
    Caret caret = Caret::End;
    TextSource textSource;
    std::string shownText;
    std::vector<std::string> shownList;
    bool listShown = false;
    Font shownFont;
    bool fontShown = false;
    Rgb shownFore, shownBack;
    bool colorsShown = false;
};

ControlRenderer::ControlRenderer(QWidget& form, Handlers handlers)
    : form(form), handlers(std::move(handlers)) {}

ControlRenderer::~ControlRenderer() = default;

QWidget* ControlRenderer::Add(Control& control, Control* frame) {
    QWidget* parent = frame != nullptr ? WidgetOf(*frame) : &form;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case K::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            widget = label;
            break;
        }
        case K::Button:
            widget = new QPushButton(parent);
            widget->setAutoFillBackground(false);
            break;
        case K::TextBox:
            widget = new QLineEdit(parent);
            break;
        case K::ComboBox:
            widget = new QComboBox(parent);
            static_cast<QComboBox*>(widget)->setMaxVisibleItems(16);
            break;
        case K::CheckBox:
            widget = new QCheckBox(parent);
            break;
        case K::OptionButton: {
            auto* option = new QRadioButton(parent);
            // Which option of a frame is chosen is the model's to say.
            option->setAutoExclusive(false);
            widget = option;
            break;
        }
        case K::Frame:
            widget = new QGroupBox(parent);
            break;
    }
    Connect(Track(control, frame, widget));
    return widget;
}

QPlainTextEdit* ControlRenderer::AddTextArea(Control& control, Caret caret, TextSource text,
                                             Control* frame) {
    QWidget* parent = frame != nullptr ? WidgetOf(*frame) : &form;
    auto* area = new QPlainTextEdit(parent);
    area->setLineWrapMode(QPlainTextEdit::NoWrap);
    area->setUndoRedoEnabled(false);
    // Tab leaves the box, which holds text to read, not to type: it is no trap for the keyboard.
    area->setTabChangesFocus(true);
    Entry& entry = Track(control, frame, area);
    entry.textArea = true;
    entry.caret = caret;
    entry.textSource = std::move(text);
    Connect(entry);
    return area;
}

ControlRenderer::Entry& ControlRenderer::Track(Control& control, Control* frame, QWidget* widget) {
    widget->setObjectName(Qs(control.name));
    widget->installEventFilter(this);
    auto& entry = *entries.emplace_back(std::make_unique<Entry>());
    entry.control = &control;
    entry.frame = frame;
    entry.widget = widget;
    byWidget[widget] = &entry;
    byControl[&control] = &entry;
    return entry;
}

QWidget* ControlRenderer::WidgetOf(const Control& control) const {
    const auto found = byControl.find(&control);
    return found != byControl.end() ? found->second->widget : nullptr;
}

void ControlRenderer::Forward(const std::function<void()>& action) {
    if (Applying()) {
        return;
    }
    action();
    if (handlers.afterEvent) {
        handlers.afterEvent();
    }
}

void ControlRenderer::Connect(Entry& entry) {
    Control& c = *entry.control;
    if (entry.textArea) {
        return;
    }
    switch (c.kind) {
        case K::Button:
            connect(static_cast<QPushButton*>(entry.widget), &QPushButton::clicked, this,
                    [this, &c] {
                        Forward([&c] {
                            if (c.click) {
                                c.click();
                            }
                        });
                    });
            break;
        case K::CheckBox:
            connect(
                static_cast<QCheckBox*>(entry.widget), &QCheckBox::clicked, this,
                [this, &c](bool ticked) { Forward([&c, ticked] { c.SetValue(ticked ? 1 : 0); }); });
            break;
        case K::OptionButton:
            connect(static_cast<QRadioButton*>(entry.widget), &QRadioButton::clicked, this,
                    [this, &c] { Forward([&c] { c.Choose(); }); });
            break;
        case K::ComboBox:
            connect(static_cast<QComboBox*>(entry.widget), &QComboBox::activated, this,
                    [this, &c](int index) { Forward([&c, index] { c.SetListIndex(index); }); });
            break;
        case K::TextBox:
            connect(static_cast<QLineEdit*>(entry.widget), &QLineEdit::textEdited, this,
                    [this, &c](const QString& text) {
                        if (!Applying()) {
                            c.text = text.toStdString();
                            if (c.change) {
                                Forward([&c] { c.change(); });
                            }
                        }
                    });
            if (c.change) {
                AddCompleter(entry);
            }
            break;
        case K::Label:
        case K::Frame:
            break;
    }
}

bool ControlRenderer::eventFilter(QObject* watched, QEvent* event) {
    const auto found = byWidget.find(watched);
    if (found == byWidget.end() || Applying()) {
        return false;
    }
    Entry& entry = *found->second;
    Control& c = *entry.control;
    switch (event->type()) {
        case QEvent::FocusIn:
            appliedFocus = &c;
            if (handlers.focusMoved) {
                handlers.focusMoved(&c);
            }
            break;
        case QEvent::FocusOut: {
            // Focus that leaves for a message box, a menu or another window comes back to
            // the same control: it has not been left.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool leavesWindow = reason == Qt::ActiveWindowFocusReason ||
                                      reason == Qt::PopupFocusReason ||
                                      reason == Qt::MenuBarFocusReason;
            if (!leavesWindow && c.lostFocus) {
                Forward([&c] { c.lostFocus(); });
            }
            break;
        }
        case QEvent::KeyPress:
            return KeyPressed(entry, *static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && c.keyUp) {
                const int code = WindowsKeyCode(key->key());
                const int shift = WindowsShiftState(key->modifiers());
                Forward([&c, code, shift] { c.keyUp(code, shift); });
            }
            break;
        }
        default:
            break;
    }
    return false;
}

// A text box reports the key to the model. A push button outside a dialog would ignore Enter;
// here Enter clicks the focused button as the space bar does, on the press, so that its
// release cannot reach whatever the click led to.
bool ControlRenderer::KeyPressed(Entry& entry, const QKeyEvent& key) {
    Control& c = *entry.control;
    if (key.isAutoRepeat()) {
        return false;
    }
    const int code = WindowsKeyCode(key.key());
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (c.kind == K::Button && code == kKeyEnter && plain) {
        static_cast<QPushButton*>(entry.widget)->click();
        return true;
    }
    if (c.keyDown) {
        const int shift = WindowsShiftState(key.modifiers());
        Forward([&c, code, shift] { c.keyDown(code, shift); });
    }
    return false;
}

void ControlRenderer::Apply(const TwipScale& scale) {
    ApplyScope scope(applying);
    for (const auto& entry : entries) {
        ApplyEntry(*entry, scale);
    }
}

// The model has matched the completions already, so the popup offers them all as they are.
void ControlRenderer::AddCompleter(Entry& entry) {
    auto* completer = new QCompleter(new QStringListModel(entry.widget), entry.widget);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    auto* edit = static_cast<QLineEdit*>(entry.widget);
    edit->setCompleter(completer);
    Control& c = *entry.control;
    // While the pop-up is open it takes the keys, so Enter would not reach the field's handler.
    connect(edit, &QLineEdit::returnPressed, this, [this, &c, completer] {
        if (completer->popup()->isVisible() && c.keyDown) {
            Forward([&c] { c.keyDown(kKeyEnter, 0); });
        }
    });
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            [this, &c](const QString& chosen) {
                const auto found = std::find(c.list.begin(), c.list.end(), chosen.toStdString());
                if (found != c.list.end()) {
                    const int index = static_cast<int>(found - c.list.begin());
                    Forward([&c, index] { c.SetListIndex(index); });
                }
            });
}

void ControlRenderer::ApplyCompletions(Entry& entry, QLineEdit& edit) {
    QCompleter* completer = edit.completer();
    const Control& c = *entry.control;
    if (completer == nullptr || entry.shownList == c.list) {
        return;
    }
    QStringList items;
    for (const std::string& item : c.list) {
        items.append(Qs(item));
    }
    static_cast<QStringListModel*>(completer->model())->setStringList(items);
    entry.shownList = c.list;
    if (!items.isEmpty() && edit.hasFocus()) {
        completer->complete();
    }
}

void ControlRenderer::ApplyEntry(Entry& entry, const TwipScale& scale) {
    Control& c = *entry.control;
    QWidget* w = entry.widget;
    if (w->toolTip() != Qs(c.toolTip)) {
        w->setToolTip(Qs(c.toolTip));
    }

    const QRect where = scale.Rect(c.geometry);
    if (w->geometry() != where) {
        w->setGeometry(where);
    }
    if (!entry.fontShown || !SameFont(entry.shownFont, c.font)) {
        w->setFont(QtFont(c.font));
        entry.shownFont = c.font;
        entry.fontShown = true;
    }
    if (!entry.colorsShown || !(entry.shownFore == c.foreColor) ||
        !(entry.shownBack == c.backColor)) {
        ApplyColors(entry);
    }

    if (entry.textArea) {
        auto* area = static_cast<QPlainTextEdit*>(w);
        area->setReadOnly(c.locked);
        const std::string& text = entry.textSource ? entry.textSource() : c.text;
        if (text != entry.shownText) {
            const bool grows = text.size() > entry.shownText.size() &&
                               text.compare(0, entry.shownText.size(), entry.shownText) == 0;
            if (grows) {
                QTextCursor end(area->document());
                end.movePosition(QTextCursor::End);
                end.insertText(DisplayText(std::string_view(text).substr(entry.shownText.size())));
            } else {
                area->setPlainText(DisplayText(text));
            }
            entry.shownText = text;
            QTextCursor caret = area->textCursor();
            caret.movePosition(entry.caret == Caret::End ? QTextCursor::End : QTextCursor::Start);
            area->setTextCursor(caret);
            area->ensureCursorVisible();
        }
    } else {
        switch (c.kind) {
            case K::Label: {
                auto* label = static_cast<QLabel*>(w);
                if (label->text() != Qs(c.caption)) {
                    label->setText(Qs(c.caption));
                }
                break;
            }
            case K::Button:
            case K::CheckBox:
            case K::OptionButton: {
                auto* button = static_cast<QAbstractButton*>(w);
                if (button->text() != Literal(c.caption)) {
                    button->setText(Literal(c.caption));
                }
                if (c.kind != K::Button && button->isChecked() != (c.Value() != 0)) {
                    button->setChecked(c.Value() != 0);
                }
                break;
            }
            case K::Frame: {
                auto* frame = static_cast<QGroupBox*>(w);
                if (frame->title() != Literal(c.caption)) {
                    frame->setTitle(Literal(c.caption));
                }
                break;
            }
            case K::TextBox: {
                auto* edit = static_cast<QLineEdit*>(w);
                if (edit->text() != Qs(c.text)) {
                    edit->setText(Qs(c.text));
                }
                // A text box's caption is the hint it shows while empty.
                if (edit->placeholderText() != Qs(c.caption)) {
                    edit->setPlaceholderText(Qs(c.caption));
                }
                edit->setReadOnly(c.locked);
                ApplyCompletions(entry, *edit);
                break;
            }
            case K::ComboBox: {
                auto* list = static_cast<QComboBox*>(w);
                const QSignalBlocker quiet(list);
                if (!entry.listShown || entry.shownList != c.list) {
                    list->clear();
                    for (const std::string& item : c.list) {
                        list->addItem(Qs(item));
                    }
                    entry.shownList = c.list;
                    entry.listShown = true;
                }
                if (list->currentIndex() != c.ListIndex()) {
                    list->setCurrentIndex(c.ListIndex());
                }
                break;
            }
        }
    }

    if (w->testAttribute(Qt::WA_ForceDisabled) == c.enabled) {
        w->setEnabled(c.enabled);
    }
    if (w->isHidden() == c.visible) {
        w->setVisible(c.visible);
    }
}

void ControlRenderer::ApplyColors(Entry& entry) {
    const Control& c = *entry.control;
    QWidget* w = entry.widget;
    QPalette palette = QApplication::palette(w);
    const QColor fore = Color(c.foreColor);
    const QColor back = Color(c.backColor);
    if (entry.textArea) {
        SetEnabledColor(palette, QPalette::Text, fore);
        palette.setColor(QPalette::Base, back);
    } else {
        switch (c.kind) {
            case K::Label:
            case K::CheckBox:
            case K::OptionButton:
            case K::Frame:
                // Captions drawn on the window's own background.
                SetEnabledColor(palette, QPalette::WindowText, fore);
                palette.setColor(QPalette::Disabled, QPalette::WindowText,
                                 Dimmed(c.foreColor, c.backColor));
                palette.setColor(QPalette::Window, back);
                if (c.kind == K::Frame) {
                    SetEnabledColor(palette, QPalette::Text, fore);
                }
                break;
            case K::Button:
                SetEnabledColor(palette, QPalette::ButtonText, fore);
                palette.setColor(QPalette::Button, back);
                break;
            case K::TextBox:
            case K::ComboBox:
                SetEnabledColor(palette, QPalette::Text, fore);
                SetEnabledColor(palette, QPalette::ButtonText, fore);
                palette.setColor(QPalette::Base, back);
                break;
        }
    }
    // Every role is the control's own: a check box inside a frame would otherwise take the
    // frame's caption colour for its check mark.
    palette.setResolveMask(~QPalette::ResolveMask{0});
    w->setPalette(palette);
    entry.shownFore = c.foreColor;
    entry.shownBack = c.backColor;
    entry.colorsShown = true;
}

void ControlRenderer::ApplyFocus(Control* focus) {
    if (focus == appliedFocus) {
        return;
    }
    appliedFocus = focus;
    if (focus == nullptr) {
        return;
    }
    QWidget* widget = WidgetOf(*focus);
    if (widget != nullptr && widget->isVisible() && widget->isEnabled()) {
        ApplyScope scope(applying);
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void ControlRenderer::ApplyTabOrder(const std::vector<Control*>& order) {
    if (order == appliedTabOrder) {
        return;
    }
    appliedTabOrder = order;
    QWidget* previous = nullptr;
    for (const Control* control : order) {
        QWidget* widget = WidgetOf(*control);
        if (widget == nullptr) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

int WindowsKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return kKeyF1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyEnter;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        default:
            break;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;  // the same ASCII codes
    }
    return 0;
}

int WindowsShiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace zenthra
