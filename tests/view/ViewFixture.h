// The main window on the offscreen platform, over a platform that keeps the real message
// boxes, yields and windows but never reads the clock or waits on a notice. Message boxes are
// answered by the test: BoxAnswerer clicks the answer queued for each box as it appears.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/FrmMain.h"
#include "ui/FrmPopUp.h"
#include "view/MainWindow.h"
#include "view/QtPlatform.h"

namespace zenthra::testing {

inline constexpr int kGmt = 24;
inline constexpr int kNoon = 13;
inline constexpr int kMinuteZero = 1;
inline constexpr Geometry kLargeScreen{0, 0, 28800, 16200};  // 1920 x 1080 pixels at 96 dpi

class TestPlatform : public QtPlatform {
  public:
    TestPlatform() : QtPlatform(ZENTHRA_DATA_DIR) {}

    int CurrentYear() override { return 2026; }
    // The screen the window model lays itself out for, which a test may make small.
    Geometry ScreenSize() override { return screen; }
    int32_t ComputerTimezoneSecondsWest() override { return -19800; }  // Asia/Kolkata

    std::optional<std::string> ShowSave(const std::string& title, const std::string& filter,
                                        const std::string& defaultSuffix) override {
        dialogs.push_back(title + " / " + filter + " / " + defaultSuffix);
        return fileAnswer;
    }
    bool OpenWithAssociatedProgram(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    // The notice is recorded and ends by its timer at once.
    void ShowPopUp(FrmPopUp& notice) override {
        notices.push_back(notice.lblMessage.caption);
        notice.Timer1_Timer();
    }
    void YieldToEventLoop() override {
        ++yields;
        if (onYield) {
            onYield(yields);
        }
        QtPlatform::YieldToEventLoop();
    }
    void EndProgram() override { ++programEnds; }

    Geometry screen = kLargeScreen;
    std::string fileAnswer;
    std::vector<std::string> dialogs;
    std::vector<std::string> opened;
    std::vector<std::string> notices;
    std::function<void(int)> onYield;
    int yields = 0;
    int programEnds = 0;
};

struct ShownBox {
    std::string text;
    QMessageBox::Icon icon;
    std::string title;
    bool operator==(const ShownBox&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const ShownBox& box) {
        return out << "{\"" << box.text << "\", icon " << box.icon << ", \"" << box.title << "\"}";
    }
};

// Watches for message boxes while it lives, records each and clicks its answer: the next
// queued button, otherwise the box's escape button (OK, or Cancel of a question).
class BoxAnswerer {
  public:
    BoxAnswerer() {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [this] { AnswerOpenBox(); });
        poll.start();
    }

    void Queue(QMessageBox::StandardButton answer) { answers.push_back(answer); }

    std::vector<ShownBox> shown;
    std::vector<QMessageBox::StandardButton> defaults;

  private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        shown.push_back({box->text().toStdString(), box->icon(), box->windowTitle().toStdString()});
        defaults.push_back(box->defaultButton() != nullptr
                               ? box->standardButton(box->defaultButton())
                               : QMessageBox::NoButton);
        QAbstractButton* button = box->escapeButton();
        if (!answers.empty()) {
            if (QAbstractButton* queued = box->button(answers.front())) {
                button = queued;
            } else {
                ADD_FAILURE() << "No such answer to \"" << shown.back().text << "\"";
            }
            answers.pop_front();
        }
        button->click();
    }

    QTimer poll;
    std::deque<QMessageBox::StandardButton> answers;
};

class ViewFixture : public ::testing::Test {
  protected:
    ViewFixture() : ViewFixture(kLargeScreen) {}
    explicit ViewFixture(Geometry screen) {
        platform.screen = screen;
        platform.SetOwner(&window, [this] { window.Refresh(); });
        model.Form_Load();
        window.Refresh();
        // Focus moves, and with them the fields' lost-focus handlers, need the active window.
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename W = QWidget>
    W* Widget(const Control& control) {
        auto* widget = qobject_cast<W*>(window.WidgetOf(control));
        EXPECT_NE(widget, nullptr) << control.name;
        return widget;
    }

    QString Text(const Control& control) {
        if (auto* edit = qobject_cast<QLineEdit*>(window.WidgetOf(control))) {
            return edit->text();
        }
        if (auto* list = qobject_cast<QComboBox*>(window.WidgetOf(control))) {
            return list->currentText();
        }
        return window.WidgetOf(control)->property("text").toString();
    }

    bool Shown(const Control& control) { return window.WidgetOf(control)->isVisible(); }

    // As a user picks an entry of a drop-down list.
    void Choose(const Control& control, int index) {
        auto* list = Widget<QComboBox>(control);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    // As a user selects a field's text and types over it.
    void Type(const Control& control, const QString& text);

    // The birth data of a personal run that passes every check, typed in.
    void TypeBirthData();

    QString PaneText() { return window.OutputPane()->toPlainText(); }

    TestPlatform platform;
    FrmMain model{platform};
    MainWindow window{model};
    BoxAnswerer boxes;
};

}  // namespace zenthra::testing
