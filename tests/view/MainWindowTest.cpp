// The main window as a user meets it: the widgets show the model's start-up, typing and
// clicking reach the handlers, and the handlers' effects reach the widgets.
#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "view/ViewFixture.h"
#include "view/ViewerWindow.h"

namespace zenthra::testing {
namespace {

const QString kPersonalCaption = "Show all personal transits by Mars of natal Jupiter";

// Everything a user can see of a widget and its children.
std::vector<std::string> Snapshot(QWidget& root) {
    std::vector<std::string> seen;
    for (QWidget* w : root.findChildren<QWidget*>()) {
        std::string state = w->objectName().toStdString() + (w->isVisible() ? " shown" : "") +
                            (w->isEnabled() ? " enabled" : "") + " " +
                            w->property("text").toString().toStdString() + " " +
                            w->property("title").toString().toStdString();
        if (auto* list = qobject_cast<QComboBox*>(w)) {
            state +=
                " #" + std::to_string(list->currentIndex()) + "/" + std::to_string(list->count());
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            state += button->isChecked() ? " ticked" : "";
        }
        if (auto* area = qobject_cast<QPlainTextEdit*>(w)) {
            state += " ";
            state += area->toPlainText().toStdString();
        }
        seen.push_back(state);
    }
    seen.push_back(root.windowTitle().toStdString());
    return seen;
}

class MainWindowTest : public ViewFixture {};

TEST_F(MainWindowTest, StartUpShowsTheDefaultsInTheWidgets) {
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Zenthra 2.38");
    EXPECT_EQ(boxes.shown.size(), 0u);

    EXPECT_EQ(Text(model.txbYear[0]), "2026");
    EXPECT_EQ(Text(model.txbMonth[0]), "1");
    EXPECT_EQ(Text(model.txbDay[0]), "1");
    EXPECT_EQ(Text(model.txbYear[1]), "2026");
    EXPECT_EQ(Text(model.txbMonth[1]), "12");
    EXPECT_EQ(Text(model.txbDay[1]), "31");
    EXPECT_EQ(Text(model.txbYear[2]), "");
    EXPECT_EQ(Text(model.lblDate[0]), "January 1, 2026 CE");
    EXPECT_TRUE(Widget<QRadioButton>(model.optPersonal)->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(model.optWorld)->isChecked());
    EXPECT_TRUE(Widget<QRadioButton>(model.optTropical)->isChecked());
    EXPECT_EQ(Text(model.cboPlanet[0]), "Mars");
    EXPECT_EQ(Text(model.cboPlanet[1]), "Jupiter");
    EXPECT_EQ(Widget<QComboBox>(model.cboPlanet[1])->count(), 10);
    EXPECT_EQ(Text(model.cboOrbs[0]), "10°");
    EXPECT_EQ(Text(model.cboOrbs[1]), "5°");
    EXPECT_EQ(Text(model.cboOrbs[2]), "2°");
    EXPECT_EQ(Widget<QComboBox>(model.cboHour)->currentIndex(), 0);
    EXPECT_EQ(Widget<QComboBox>(model.cboSearchAspect)->currentIndex(), -1);
    EXPECT_EQ(Widget<QComboBox>(model.cboTimezone[0])->currentIndex(), 35);
    EXPECT_EQ(Widget<QComboBox>(model.cboTimezone[1])->currentIndex(), -1);
    EXPECT_TRUE(Widget<QCheckBox>(model.chkKeepDates)->isChecked());
    EXPECT_EQ(Text(model.Label1), "for first 10°");
    EXPECT_EQ(Text(model.cmdStart), kPersonalCaption);
    EXPECT_EQ(Text(model.cmdShowAll[1]), "Show all transits by transiting Mars");

    for (const Control* hidden :
         {&model.cmdFile, &model.chkOpenOutputFile, &model.cmdClear, &model.lblShortDate,
          &model.cmdShowAllTransits, &model.txbAllTransitsDateFormat, &model.txbStopDate,
          &model.cmdVHsoftware}) {
        EXPECT_FALSE(Shown(*hidden)) << hidden->name;
    }
    EXPECT_TRUE(Shown(model.fraBirthDate) && Shown(model.fraZodiac) && Shown(model.cmdShowAll[1]));

    QPlainTextEdit* pane = window.OutputPane();
    EXPECT_TRUE(pane->isReadOnly());
    EXPECT_EQ(pane->toPlainText(), "");
    EXPECT_EQ(pane->font().family(), "Courier New");
    EXPECT_EQ(pane->font().pointSize(), 8);
    EXPECT_EQ(QFontInfo(pane->font()).family(), "Liberation Mono");
    QWidget* label = window.WidgetOf(model.lblYear);
    EXPECT_EQ(label->font().family(), "Arial");
    EXPECT_EQ(label->font().pointSize(), 10);
    EXPECT_FALSE(label->font().bold());
    EXPECT_EQ(QFontInfo(label->font()).family(), "Liberation Sans");

    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(47, 8, 91));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(213, 237, 248));
    EXPECT_EQ(window.WidgetOf(model.lblShortDate)->palette().color(QPalette::WindowText),
              QColor(255, 255, 0));

    // Twips at the screen's 96 dots per inch: 15 to a pixel.
    EXPECT_EQ(window.logicalDpiX(), 96);
    const TwipScale scale = window.Scale();
    EXPECT_EQ(window.width(), scale.Px(model.fixedWidth - kFrameTwipsWide));
    EXPECT_EQ(window.height(), scale.Px(6250 - kFrameTwipsHigh));
    EXPECT_EQ(window.WidgetOf(model.cmdStart)->geometry(),
              window.Scale().Rect(model.cmdStart.geometry));
}

TEST_F(MainWindowTest, EnterInADateFieldStartsARunThatFillsThePane) {
    TypeBirthData();
    Type(model.txbMonth[1], "3");
    EXPECT_EQ(model.txbMonth[1].text, "3");
    QTest::keyClick(Widget<QLineEdit>(model.txbDay[1]), Qt::Key_Return);

    EXPECT_EQ(boxes.shown.size(), 0u) << boxes.shown[0];
    EXPECT_EQ(platform.notices, std::vector<std::string>{"Done"});
    const QString text = PaneText();
    EXPECT_TRUE(
        text.startsWith("Mars transits of natal Jupiter, Jan. 1, 2026, to March 31, 2026, "
                        "birth at June 15, 1990, 12:00 GMT (tropical)\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("| 2026-")) << text.toStdString();
    EXPECT_EQ(text.toStdString() + "\n", [&] {
        std::string lf = model.Pane().Text();
        std::erase(lf, '\r');
        return lf + "\n";
    }());
    // The caret follows the end, so the last lines show.
    EXPECT_EQ(window.OutputPane()->textCursor().position(), text.size());

    // Back to idle, with the file and clear buttons shown by the next tick.
    EXPECT_EQ(Text(model.cmdStart), kPersonalCaption);
    EXPECT_TRUE(window.WidgetOf(model.cboPlanet[0])->isEnabled());
    EXPECT_FALSE(Shown(model.lblShortDate));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(model.cmdClear); }, 1000));
    EXPECT_TRUE(Shown(model.cmdFile));
    EXPECT_EQ(window.height(), window.Scale().Px(8000 - kFrameTwipsHigh));
}

TEST_F(MainWindowTest, StopDuringALongRunEndsItWithStopped) {
    TypeBirthData();
    Type(model.txbYear[1], "2099");
    int stoppedAt = 0;
    platform.onYield = [&](int yield) {
        if (yield != 200) {
            return;
        }
        auto* start = Widget<QPushButton>(model.cmdStart);
        EXPECT_EQ(start->text(), "Stop");
        EXPECT_TRUE(start->isEnabled());
        EXPECT_TRUE(window.WidgetOf(model.cmdQuit)->isEnabled());
        EXPECT_FALSE(window.WidgetOf(model.cboPlanet[0])->isEnabled());
        EXPECT_FALSE(window.WidgetOf(model.txbYear[0])->isEnabled());
        EXPECT_TRUE(Shown(model.lblShortDate));
        QTest::mouseClick(start, Qt::LeftButton);
        stoppedAt = yield;
    };
    QTest::mouseClick(Widget<QPushButton>(model.cmdStart), Qt::LeftButton);

    EXPECT_EQ(stoppedAt, 200);
    EXPECT_LT(platform.yields, 205);
    EXPECT_TRUE(PaneText().endsWith("Stopped\n") || PaneText().endsWith("Stopped"))
        << PaneText().right(200).toStdString();
    EXPECT_EQ(Text(model.cmdStart), kPersonalCaption);
    EXPECT_TRUE(window.WidgetOf(model.cboPlanet[0])->isEnabled());
    EXPECT_EQ(boxes.shown.size(), 0u);
}

TEST_F(MainWindowTest, QuitDuringAnHtmlRunStopsItAndClosesItsFile) {
    const std::string path = QDir::tempPath().toStdString() + "/zenthra-view-quit.htm";
    std::filesystem::remove(path);
    TypeBirthData();
    // The file button is enabled once a first run has ended.
    Type(model.txbMonth[1], "1");
    QTest::keyClick(Widget<QLineEdit>(model.txbMonth[1]), Qt::Key_Return);
    QTest::mouseClick(Widget<QCheckBox>(model.chkOutputAsHTML), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(model.cmdFile); }, 600));
    platform.fileAnswer = path;
    QTest::mouseClick(Widget<QPushButton>(model.cmdFile), Qt::LeftButton);
    ASSERT_EQ(model.outputFilePath, path);

    Type(model.txbYear[1], "2099");
    Type(model.txbMonth[1], "12");
    platform.yields = 0;
    boxes.Queue(QMessageBox::No);
    platform.onYield = [&](int yield) {
        if (yield == 100) {
            QTest::mouseClick(Widget<QPushButton>(model.cmdQuit), Qt::LeftButton);
        }
    };
    QTest::mouseClick(Widget<QPushButton>(model.cmdStart), Qt::LeftButton);

    EXPECT_EQ(platform.programEnds, 1);
    EXPECT_LT(platform.yields, 105);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Save program state for next run?");
    std::ifstream file(path, std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(file)), {});
    EXPECT_TRUE(html.ends_with("</table></center><p>\r\n")) << html;
    std::filesystem::remove(path);
}

TEST_F(MainWindowTest, AFailingCheckShowsItsBoxAndChangesNothingElse) {
    TypeBirthData();
    Type(model.txbDay[1], "");
    window.WidgetOf(model.cmdHelp)->setFocus();
    const auto before = Snapshot(window);

    QTest::mouseClick(Widget<QPushButton>(model.cmdStart), Qt::LeftButton);

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0], (ShownBox{"Please specify end day.", QMessageBox::NoIcon,
                                        kPersonalCaption.toStdString()}));
    const auto after = Snapshot(window);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i], before[i]);
    }
    EXPECT_TRUE(platform.notices.empty());
}

TEST_F(MainWindowTest, WorldAndPersonalHideAndShowTheirFrames) {
    QTest::mouseClick(Widget<QRadioButton>(model.optWorld), Qt::LeftButton);
    EXPECT_TRUE(Widget<QRadioButton>(model.optWorld)->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(model.optPersonal)->isChecked());
    EXPECT_FALSE(Shown(model.fraBirthDate));
    EXPECT_FALSE(Shown(model.fraZodiac));
    EXPECT_FALSE(Shown(model.txbYear[2]));
    EXPECT_FALSE(Shown(model.cmdShowAll[1]));
    EXPECT_EQ(Text(model.lblPlanet[0]), "Inner planet");
    EXPECT_EQ(Text(model.lblPlanet[1]), "Outer planet");
    EXPECT_EQ(Widget<QComboBox>(model.cboPlanet[0])->count(), 8);
    EXPECT_EQ(Text(model.cmdStart), "Show all world transits between Mars and Jupiter");

    // A second click on the chosen option keeps it chosen.
    QTest::mouseClick(Widget<QRadioButton>(model.optWorld), Qt::LeftButton);
    EXPECT_TRUE(Widget<QRadioButton>(model.optWorld)->isChecked());

    Choose(model.cboPlanet[0], 0);
    EXPECT_EQ(Text(model.cmdStart), "Show all world transits between Sun and Jupiter");
    QTest::mouseClick(Widget<QRadioButton>(model.optPersonal), Qt::LeftButton);
    EXPECT_TRUE(Shown(model.fraBirthDate) && Shown(model.fraZodiac));
    EXPECT_TRUE(Shown(model.txbYear[2]) && Shown(model.cmdShowAll[1]));
    EXPECT_EQ(Text(model.lblPlanet[0]), "Transiting planet");
    EXPECT_EQ(Text(model.cmdStart), kPersonalCaption);
}

TEST_F(MainWindowTest, TheFileButtonAppearsWithinATimerTickOfTickingHtmlOutput) {
    EXPECT_EQ(window.Timer1().interval(), 500);
    EXPECT_TRUE(window.Timer1().isActive());
    QTest::mouseClick(Widget<QCheckBox>(model.chkOutputAsHTML), Qt::LeftButton);
    EXPECT_EQ(model.chkOutputAsHTML.Value(), 1);
    EXPECT_FALSE(Shown(model.cmdFile));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(model.cmdFile); }, 600));
    EXPECT_TRUE(Shown(model.chkOpenOutputFile));
    EXPECT_EQ(Text(model.cmdFile), "Write output to file");

    QTest::mouseClick(Widget<QCheckBox>(model.chkOutputAsHTML), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Shown(model.cmdFile); }, 600));
}

TEST_F(MainWindowTest, TheWindowKeepsItsWidthAndItsHeightWithinLimits) {
    const QSize start = window.size();
    window.resize(start.width() + 200, 200);
    EXPECT_EQ(window.size(), start);
    EXPECT_EQ(model.geometry.height, 6250);

    window.resize(start.width(), start.height() + 150);
    EXPECT_EQ(window.height(), start.height() + 150);
    EXPECT_EQ(model.geometry.height, window.height() * 15 + kFrameTwipsHigh);
    // The pane takes the new height; the button row moves down with it.
    EXPECT_EQ(window.OutputPane()->geometry(), window.Scale().Rect(model.txbOutput.geometry));
    EXPECT_EQ(
        window.WidgetOf(model.cmdQuit)->y(),
        window.Scale().Px(model.txbOutput.geometry.top + model.txbOutput.geometry.height + 150));
}

TEST_F(MainWindowTest, ClosingTheWindowAsksAndCancelKeepsItOpen) {
    boxes.Queue(QMessageBox::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0],
              (ShownBox{"Save program state for next run?", QMessageBox::NoIcon, "Quit"}));
    EXPECT_EQ(boxes.defaults[0], QMessageBox::No);
    EXPECT_EQ(platform.programEnds, 0);

    boxes.Queue(QMessageBox::No);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(platform.programEnds, 1);
}

TEST_F(MainWindowTest, HelpShowsTheHelpFileInTheViewer) {
    QTest::mouseClick(Widget<QPushButton>(model.cmdHelp), Qt::LeftButton);
    ViewerWindow& viewer = window.Viewer();
    ASSERT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), "Help");
    EXPECT_FALSE(viewer.Text()->toPlainText().isEmpty());
    EXPECT_TRUE(viewer.Text()->isReadOnly());
    EXPECT_EQ(viewer.Text()->textCursor().position(), 0);
    EXPECT_FALSE(viewer.WidgetOf(model.frmView.cmdCopyToClipboard)->isVisible());

    QTest::mouseClick(qobject_cast<QPushButton*>(viewer.WidgetOf(model.frmView.cmdClose)),
                      Qt::LeftButton);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace zenthra::testing
