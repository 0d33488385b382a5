// The timeline's window: opened by the Timeline button, resized, hovered, saved and closed.
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <filesystem>

#include "support/FileContents.h"
#include "view/TimelineWindow.h"
#include "view/ViewFixture.h"

namespace zenthra::testing {
namespace {

class TimelineWindowTest : public ViewFixture {
  protected:
    // A world run of Mars and Jupiter through 2009, then the Timeline button.
    TimelineWindow* RunAndOpen() {
        QTest::mouseClick(Widget<QRadioButton>(model.optWorld), Qt::LeftButton);
        for (int group = 0; group < 2; ++group) {
            Type(model.txbYear[group], "2009");
        }
        QTest::mouseClick(Widget<QPushButton>(model.cmdStart), Qt::LeftButton);
        auto* button = Widget<QPushButton>(model.cmdTimeline);
        EXPECT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        TimelineWindow* timeline = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "frmTimeline" && top->isVisible()) {
                timeline = dynamic_cast<TimelineWindow*>(top);
            }
        }
        EXPECT_NE(timeline, nullptr);
        return timeline;
    }

    std::filesystem::path Temp(const std::string& name) {
        return std::filesystem::temp_directory_path() /
               ("zenthra-timeline-" + std::to_string(::getpid()) + "-" + name);
    }
};

TEST_F(TimelineWindowTest, OpensBesideTheWindowWithTheRunsLanesAndFitsItsWidth) {
    EXPECT_FALSE(Widget<QPushButton>(model.cmdTimeline)->isEnabled());
    TimelineWindow* timeline = RunAndOpen();
    ASSERT_NE(timeline, nullptr);
    EXPECT_EQ(timeline->windowTitle(), "Timeline");
    const TimelineLayout& layout = timeline->Canvas().Layout();
    EXPECT_EQ(layout.lanes.size(), 5u);
    for (const TimelineLane& lane : layout.lanes) {
        EXPECT_EQ(lane.name.substr(0, 5), "Mars ");
    }
    auto* scroll = timeline->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(layout.width, scroll->viewport()->width());

    timeline->resize(700, 150);
    QApplication::processEvents();
    EXPECT_EQ(timeline->Canvas().Layout().width,
              std::max(scroll->viewport()->width(), kNarrowestTimeline));
    EXPECT_EQ(timeline->Canvas().size(),
              QSize(timeline->Canvas().Layout().width, timeline->Canvas().Layout().height));
    // The lanes do not fit: they scroll.
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);

    const TimelineMarker& marker = timeline->Canvas().Layout().lanes[0].markers.at(0);
    EXPECT_EQ(
        timeline->Canvas().DetailAt(QPoint(static_cast<int>(marker.x), static_cast<int>(marker.y))),
        marker.detail);
    EXPECT_NE(marker.detail.find(" exact: 2009-"), std::string::npos);

    const QString pane = PaneText();
    timeline->close();
    QApplication::processEvents();
    EXPECT_EQ(PaneText(), pane);
    EXPECT_TRUE(Widget<QPushButton>(model.cmdTimeline)->isEnabled());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TimelineWindowTest, SavesAsPngOrSvgThroughTheDialogAndTellsWhatFails) {
    TimelineWindow* timeline = RunAndOpen();
    ASSERT_NE(timeline, nullptr);
    const auto png = Temp("map.png");
    platform.fileAnswer = png.string();
    QTest::mouseClick(timeline->findChild<QPushButton*>("cmdSaveTimeline"), Qt::LeftButton);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0],
              "Save timeline / PNG image *.png | *.png | SVG image *.svg | "
              "*.svg / png");
    EXPECT_EQ(ReadFile(png).substr(1, 3), "PNG");

    const auto svg = Temp("map.svg");
    EXPECT_TRUE(timeline->SaveTo(svg.string()));
    EXPECT_NE(ReadFile(svg).find("id=\"lane-3\""), std::string::npos);
    EXPECT_TRUE(boxes.shown.empty());

    EXPECT_FALSE(timeline->SaveTo("/tmp/map.jpg"));
    const auto missing = Temp("no-such-folder") / "map.svg";
    EXPECT_FALSE(timeline->SaveTo(missing.string()));
    EXPECT_EQ(
        boxes.shown,
        (std::vector<ShownBox>{
            {"A timeline is saved as .png or .svg: /tmp/map.jpg", QMessageBox::Warning, "Timeline"},
            {"Error writing to file " + missing.string() + ": No such file or directory",
             QMessageBox::Warning, "Timeline"}}));
    EXPECT_FALSE(std::filesystem::exists("/tmp/map.jpg"));
    std::filesystem::remove(png);
    std::filesystem::remove(svg);
    timeline->close();
}

}  // namespace
}  // namespace zenthra::testing
