// The main window driven from the keyboard, and laid out on screens smaller and larger than
// its layout.
#include <QFontInfo>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "view/ViewFixture.h"
#include "view/ViewerWindow.h"

namespace zenthra::testing {
namespace {

const std::string kPersonalCaption = "Show all personal transits by Mars of natal Jupiter";

class KeyboardTest : public ViewFixture {
  protected:
    std::string FocusName() {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused->objectName().toStdString() : "";
    }
};

TEST_F(KeyboardTest, EnterReleasedInAFieldAfterItsBoxClosedStartsNothing) {
    TypeBirthData();
    Type(model.txbDay[1], "");
    auto* day = Widget<QLineEdit>(model.txbDay[1]);
    const ShownBox noDay{"Please specify end day.", QMessageBox::NoIcon, kPersonalCaption};

    QTest::keyPress(day, Qt::Key_Return);
    EXPECT_TRUE(boxes.shown.empty());
    QTest::keyRelease(day, Qt::Key_Return);
    EXPECT_EQ(boxes.shown, std::vector<ShownBox>{noDay});

    // The Enter that closed the box is released in the field.
    QTest::keyRelease(day, Qt::Key_Return);
    EXPECT_EQ(boxes.shown.size(), 1u);

    QTest::keyClick(day, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{noDay, noDay}));
}

TEST_F(KeyboardTest, EnterOnAFocusedButtonClicksItOnThePress) {
    auto* help = Widget<QPushButton>(model.cmdHelp);
    help->setFocus();
    QTest::keyPress(help, Qt::Key_Return);
    EXPECT_TRUE(window.Viewer().isVisible());
    QTest::keyRelease(help, Qt::Key_Return);
    window.Viewer().hide();
    model.frmView.visible = false;

    TypeBirthData();
    Type(model.txbMonth[1], "");
    auto* start = Widget<QPushButton>(model.cmdStart);
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Please specify end month.", QMessageBox::NoIcon,
                                                   kPersonalCaption}}));
    // With a modifier Enter is not a click.
    QTest::keyClick(start, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(KeyboardTest, F1OpensHelpEscapeClosesItCtrlQAsksToQuit) {
    QTest::keyClick(Widget<QLineEdit>(model.txbYear[0]), Qt::Key_F1);
    ViewerWindow& viewer = window.Viewer();
    ASSERT_TRUE(viewer.isVisible());
    EXPECT_TRUE(QFontInfo(viewer.Text()->font()).fixedPitch());
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &viewer; }, 1000));
    QTest::keyClick(viewer.Text(), Qt::Key_Escape);
    EXPECT_FALSE(viewer.isVisible());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 1000));
    boxes.Queue(QMessageBox::Cancel);
    QTest::keyClick(Widget<QLineEdit>(model.txbYear[0]), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(
        boxes.shown,
        (std::vector<ShownBox>{{"Save program state for next run?", QMessageBox::NoIcon, "Quit"}}));
    EXPECT_EQ(platform.programEnds, 0);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(KeyboardTest, EscapeStopsARunAndTheProgressDateKeepsItsColour) {
    TypeBirthData();
    Type(model.txbYear[1], "2099");
    bool progressShown = false;
    platform.onYield = [&](int yield) {
        if (yield != 100) {
            return;
        }
        model.Timer1_Timer();
        window.Refresh();
        auto* progress = Widget<QLabel>(model.lblShortDate);
        progressShown = progress->isVisible() && !progress->text().isEmpty();
        EXPECT_TRUE(progress->isEnabled());
        EXPECT_EQ(progress->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        QTest::keyClick(Widget<QPushButton>(model.cmdStart), Qt::Key_Escape);
    };
    QTest::mouseClick(Widget<QPushButton>(model.cmdStart), Qt::LeftButton);

    EXPECT_TRUE(progressShown);
    EXPECT_LT(platform.yields, 105);
    EXPECT_TRUE(PaneText().endsWith("Stopped")) << PaneText().right(100).toStdString();
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(KeyboardTest, TabFollowsTheReadingOrderAndLeavesThePane) {
    Widget<QLineEdit>(model.txbYear[0])->setFocus();
    std::vector<std::string> visited = {FocusName()};
    for (int i = 0; i < 40 && (visited.size() == 1 || visited.back() != visited.front()); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(FocusName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"txbYear(0)",      "txbMonth(0)",
                                                 "txbDay(0)",       "txbYear(2)",
                                                 "txbMonth(2)",     "txbDay(2)",
                                                 "cboTimezone(0)",  "txbYear(1)",
                                                 "txbMonth(1)",     "txbDay(1)",
                                                 "cboHour",         "cboMinute",
                                                 "cboTimezone(1)",  "chkDisplayNATZabbr",
                                                 "txbBirthZone",    "txbResultZone",
                                                 "optWorld",        "optTropical",
                                                 "cboSearchAspect", "cmdSearch",
                                                 "optPersonal",     "optSidereal",
                                                 "chkKeepDates",    "cboOrbs(0)",
                                                 "cboOrbs(1)",      "cboOrbs(2)",
                                                 "cmdStart",        "cmdShowAll(0)",
                                                 "cmdShowAll(1)",   "cboPlanet(0)",
                                                 "cboPlanet(1)",    "chkOutputAsHTML",
                                                 "chkPrecisePluto", "chkEvents",
                                                 "cmdSaveState",    "cmdRestoreState",
                                                 "cmdHelp",         "cmdQuit",
                                                 "txbOutput",       "txbBirthPlace",
                                                 "txbYear(0)"}));
    EXPECT_TRUE(boxes.shown.empty());
}

// 1280 pixels wide at a scale factor of 2: 640 by 400 logical pixels.
class SmallScreenTest : public ViewFixture {
  protected:
    SmallScreenTest() : ViewFixture({0, 0, 9600, 6000}) {}
};

TEST_F(SmallScreenTest, TheWindowFitsTheScreenAndScrollsToEveryControl) {
    const TwipScale scale = window.Scale();
    EXPECT_EQ(window.width(), scale.Px(9600 - kFrameTwipsWide));
    EXPECT_LE(window.height(), 400);
    EXPECT_EQ(window.Page()->width(), scale.Px(model.fixedWidth - kFrameTwipsWide));
    QScrollArea* scroller = window.Scroller();
    EXPECT_GT(scroller->horizontalScrollBar()->maximum(), 0);

    auto* quit = Widget<QPushButton>(model.cmdQuit);
    const auto inView = [&] {
        const QRect where(quit->mapTo(scroller->viewport(), QPoint(0, 0)), quit->size());
        return scroller->viewport()->rect().contains(where);
    };
    EXPECT_FALSE(inView());
    Widget<QPushButton>(model.cmdHelp)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), quit);
    EXPECT_TRUE(inView());
}

TEST_F(KeyboardTest, AMaximisedWindowKeepsItsLayoutInTheMiddle) {
    window.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.width() > 1800; }, 1000));
    EXPECT_EQ(model.windowState, WindowState::Maximised);
    QWidget* page = window.Page();
    const QRect viewport = window.Scroller()->viewport()->rect();
    const QRect placed(page->mapTo(window.Scroller()->viewport(), QPoint(0, 0)), page->size());
    EXPECT_EQ(page->width(), window.Scale().Px(model.fixedWidth - kFrameTwipsWide));
    EXPECT_LE(std::abs(placed.center().x() - viewport.center().x()), 1);
    // The pane takes the height.
    EXPECT_EQ(window.OutputPane()->height(),
              window.Scale().Px(model.txbOutput.geometry.top + model.txbOutput.geometry.height) -
                  window.Scale().Px(model.txbOutput.geometry.top));
    EXPECT_GT(model.txbOutput.geometry.height, 10000);
    // The room beside the page and the page between its controls show the window's colour.
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixelColor(placed.left() / 2, 300), QColor(47, 8, 91));
    EXPECT_EQ(shown.pixelColor(placed.left() + 3, 3), QColor(47, 8, 91));
    EXPECT_TRUE(viewport.contains(
        QRect(Widget<QPushButton>(model.cmdQuit)->mapTo(window.Scroller()->viewport(), QPoint()),
              Widget<QPushButton>(model.cmdQuit)->size())));
}

}  // namespace
}  // namespace zenthra::testing
