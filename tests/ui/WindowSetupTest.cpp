// The window after start-up and the rules of its controls.
#include <gtest/gtest.h>

#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"

namespace zenthra {
namespace {

using testing::FakePlatform;

class WindowSetupTest : public ::testing::Test {
  protected:
    void SetUp() override { w.Form_Load(); }

    FakePlatform platform;
    FrmMain w{platform};
};

TEST_F(WindowSetupTest, StartsWithTheDefaults) {
    EXPECT_EQ(w.caption, "Zenthra 2.38");
    EXPECT_EQ(w.txbYear[0].text, "2026");
    EXPECT_EQ(w.txbMonth[0].text, "1");
    EXPECT_EQ(w.txbDay[0].text, "1");
    EXPECT_EQ(w.txbYear[1].text, "2026");
    EXPECT_EQ(w.txbMonth[1].text, "12");
    EXPECT_EQ(w.txbDay[1].text, "31");
    EXPECT_EQ(w.lblDate[0].caption, "January 1, 2026 CE");
    EXPECT_EQ(w.lblDate[1].caption, "December 31, 2026 CE");
    EXPECT_EQ(w.txbYear[2].text, "");
    EXPECT_EQ(w.lblDate[2].caption, "");
    EXPECT_EQ(w.optPersonal.Value(), 1);
    EXPECT_EQ(w.optTropical.Value(), 1);
    EXPECT_EQ(w.cboPlanet[0].SelectedText(), "Mars");
    EXPECT_EQ(w.cboPlanet[1].SelectedText(), "Jupiter");
    EXPECT_EQ(w.cboPlanet[1].list.size(), 10u);
    EXPECT_EQ(w.cboOrbs[0].SelectedText(), "10°");
    EXPECT_EQ(w.cboOrbs[1].SelectedText(), "5°");
    EXPECT_EQ(w.cboOrbs[2].SelectedText(), "2°");
    EXPECT_EQ(w.cboOrbs[2].list.size(), 15u);
    EXPECT_EQ(w.cboHour.ListIndex(), 0);
    EXPECT_EQ(w.cboHour.list.size(), 25u);
    EXPECT_EQ(w.cboHour.list[24], "23");
    EXPECT_EQ(w.cboMinute.list.back(), "55");
    EXPECT_EQ(w.cboSearchAspect.ListIndex(), -1);
    EXPECT_EQ(w.cboSearchAspect.list, (std::vector<std::string>{"conjunction", "opposition",
                                                                "square", "trine", "sextile"}));
    EXPECT_EQ(w.cboTimezone[0].SelectedText(), "GMT+5:30");  // the computer's own zone
    EXPECT_EQ(w.cboTimezone[1].ListIndex(), -1);
    EXPECT_EQ(w.chkKeepDates.Value(), 1);
    EXPECT_TRUE(w.cmdFile.enabled);
    EXPECT_FALSE(w.chkAppendToOutput.visible);
    EXPECT_EQ(w.Label1.caption, "for first 10°");
    EXPECT_EQ(w.cmdStart.caption, "Show all personal transits by Mars of natal Jupiter");
    EXPECT_EQ(w.cmdShowAll[0].caption, "Show all transits of natal Jupiter");
    EXPECT_EQ(w.cmdShowAll[1].caption, "Show all transits by transiting Mars");
    EXPECT_TRUE(w.fraZodiac.visible && w.fraBirthDate.visible && w.cmdShowAll[1].visible);
    EXPECT_FALSE(w.cmdShowAllTransits.visible || w.txbAllTransitsDateFormat.visible ||
                 w.lblAllTransitsDateFormat.visible || w.txbStopDate.visible ||
                 w.cmdVHsoftware.visible || w.lblShortDate.visible);
    EXPECT_EQ(w.backColor, (Rgb{47, 8, 91}));
    EXPECT_EQ(w.lblYear.foreColor, (Rgb{213, 237, 248}));
    EXPECT_EQ(w.lblShortDate.foreColor, (Rgb{255, 255, 0}));
    EXPECT_EQ(w.txbOutput.font.name, "Courier New");
    EXPECT_EQ(w.txbOutput.font.points, 8);
    EXPECT_FALSE(w.txbOutput.font.bold);
    EXPECT_EQ(w.cmdStart.font.name, "Arial");
    EXPECT_EQ(w.cmdStart.font.points, 10);
    EXPECT_EQ(w.focus, &w.cmdHelp);
    EXPECT_TRUE(platform.boxes.boxes.empty());
}

TEST_F(WindowSetupTest, TheComputersTimezoneIsPreselected) {
    for (const auto& [secondsWest, index] :
         {std::pair{18000, 14}, {-19800, 35}, {-20700, 36}, {0, 24}}) {
        FakePlatform p;
        p.secondsWest = secondsWest;
        FrmMain window(p);
        window.Form_Load();
        EXPECT_EQ(window.cboTimezone[0].ListIndex(), index) << secondsWest;
    }
    FakePlatform farEast;
    farEast.secondsWest = -13 * 3600;
    FrmMain window(farEast);
    window.Form_Load();
    EXPECT_EQ(window.cboTimezone[0].ListIndex(), -1);
}

TEST_F(WindowSetupTest, SwitchingTheKindOfRunRemembersEachKindsBodies) {
    w.ChooseOption(w.optWorld, w.optPersonal);
    EXPECT_FALSE(w.fraZodiac.visible || w.fraBirthDate.visible || w.cmdShowAll[1].visible);
    EXPECT_EQ(w.lblPlanet[0].caption, "Inner planet");
    EXPECT_EQ(w.lblPlanet[1].caption, "Outer planet");
    EXPECT_EQ(w.cboPlanet[0].SelectedText(), "Mars");
    EXPECT_EQ(w.cboPlanet[1].SelectedText(), "Jupiter");
    EXPECT_EQ(w.cmdStart.caption, "Show all world transits between Mars and Jupiter");
    EXPECT_EQ(w.cmdShowAll[0].caption, "Show all transits between Jupiter and other planets");

    w.cboPlanet[1].SetListIndex(7);  // Pluto
    w.ChooseOption(w.optPersonal, w.optWorld);
    EXPECT_EQ(w.cboPlanet[1].SelectedText(), "Jupiter");
    w.cboPlanet[1].SetListIndex(9);  // Moon, beyond the world list's end
    w.ChooseOption(w.optWorld, w.optPersonal);
    EXPECT_EQ(w.cboPlanet[1].SelectedText(), "Pluto");
    w.ChooseOption(w.optPersonal, w.optWorld);
    EXPECT_EQ(w.cboPlanet[1].SelectedText(), "Moon");
    EXPECT_EQ(w.lblPlanet[0].caption, "Transiting planet");
}

TEST_F(WindowSetupTest, TimezoneListsKeepTheirSelectionsAcrossStyles) {
    w.cboTimezone[0].SetListIndex(14);
    w.cboTimezone[1].SetListIndex(16);
    w.chkDisplayNATZabbr.SetValue(1);
    EXPECT_EQ(w.cboTimezone[0].SelectedText(), "EST/CDT");
    EXPECT_EQ(w.cboTimezone[1].SelectedText(), "AST/EDT");
    w.chkDisplayNATZabbr.SetValue(0);
    EXPECT_EQ(w.cboTimezone[0].SelectedText(), "GMT-5:00");
    EXPECT_EQ(w.cboTimezone[1].SelectedText(), "GMT-4:00");
    EXPECT_EQ(w.focus, &w.cmdStart);
}

TEST_F(WindowSetupTest, OrbChoicesRunTheRulesAndNameTheSearchOrb) {
    w.cboOrbs[0].SetListIndex(14);
    EXPECT_EQ(w.Label1.caption, "for first 15°");
    w.cboOrbs[1].SetListIndex(13);  // 14°: not 2° below the outer orb
    ASSERT_FALSE(platform.boxes.boxes.empty());
    EXPECT_EQ(platform.boxes.boxes.back().text,
              "Orbs must be strictly decreasing and differ by at least 2°.");
    EXPECT_EQ(platform.boxes.boxes.back().title, "Orb values");
    EXPECT_EQ(w.cboOrbs[1].ListIndex(), 13);  // the choice stays
}

TEST_F(WindowSetupTest, TimerShowsTheFileAndClearButtons) {
    w.Timer1_Timer();
    EXPECT_FALSE(w.cmdFile.visible || w.chkOpenOutputFile.visible || w.cmdClear.visible);
    w.chkOutputAsHTML.SetValue(1);
    w.Timer1_Timer();
    EXPECT_TRUE(w.cmdFile.visible && w.chkOpenOutputFile.visible);
    w.chkOutputAsHTML.SetValue(0);
    w.SetPaneText("text");
    w.Timer1_Timer();
    EXPECT_TRUE(w.cmdFile.visible && w.cmdClear.visible);
    w.EnterRunningState();
    w.SetProgressDate("2026-03-04");
    w.Timer1_Timer();
    EXPECT_FALSE(w.cmdFile.visible);
    EXPECT_EQ(w.lblShortDate.caption, "2026-03-04");
    EXPECT_TRUE(w.lblShortDate.visible);
    EXPECT_FALSE(w.cmdSearch.enabled || w.txbYear[0].enabled);
    EXPECT_TRUE(w.cmdStart.enabled && w.cmdQuit.enabled);
    w.EnterIdleState();
    EXPECT_TRUE(w.cmdSearch.enabled && w.cmdFile.enabled);
    EXPECT_FALSE(w.lblShortDate.visible);
    EXPECT_EQ(w.cmdStart.caption, "Show all personal transits by Mars of natal Jupiter");
    w.cmdClear_Click();
    EXPECT_TRUE(w.Pane().Empty());
}

TEST_F(WindowSetupTest, ResizingKeepsTheWidthAndBoundsTheHeight) {
    const int width = w.geometry.width;
    w.geometry.width = width + 500;
    w.geometry.height = 3000;
    w.Form_Resize();
    EXPECT_EQ(w.geometry.width, width);
    EXPECT_EQ(w.geometry.height, 6250);
    w.geometry.height = 100000;
    w.Form_Resize();
    EXPECT_EQ(w.geometry.height, static_cast<int>(16200 * 0.95));
    EXPECT_EQ(w.txbOutput.geometry.height, w.geometry.height - w.txbOutput.geometry.top - 1250);
    const int buttonTop = w.txbOutput.geometry.top + w.txbOutput.geometry.height + 150;
    for (const Control* c :
         {&w.cmdQuit, &w.cmdFile, &w.cmdHelp, &w.cmdClear, &w.cmdSaveState, &w.cmdRestoreState}) {
        EXPECT_EQ(c->geometry.top, buttonTop) << c->name;
    }
    EXPECT_EQ(w.chkOpenOutputFile.geometry.top, buttonTop + 50);
    w.windowState = WindowState::Minimised;
    w.geometry.height = 10;
    w.Form_Resize();
    EXPECT_EQ(w.geometry.height, 10);
}

TEST_F(WindowSetupTest, OnAScreenNarrowerThanTheWindowItTakesTheScreensWidth) {
    // 1280 pixels at a scale factor of 2: 640 logical pixels.
    FakePlatform small;
    small.screen = {0, 0, 9600, 6000};
    FrmMain narrow(small);
    narrow.Form_Load();
    EXPECT_EQ(narrow.fixedWidth, w.fixedWidth);
    EXPECT_EQ(narrow.geometry.width, 9600);
    EXPECT_EQ(narrow.geometry.left, 0);
    EXPECT_EQ(narrow.geometry.top, 0);
    narrow.geometry.width = 20000;
    narrow.Form_Resize();
    EXPECT_EQ(narrow.geometry.width, 9600);
    EXPECT_EQ(narrow.geometry.height, 5700);  // 95 % of the screen's height
    // The layout keeps its width: controls sit where they would on a large screen.
    EXPECT_EQ(narrow.cmdQuit.geometry.left, w.cmdQuit.geometry.left);
    EXPECT_EQ(narrow.fraSearch.geometry.left, w.fraSearch.geometry.left);
    EXPECT_EQ(narrow.cmdFile.geometry.left, w.cmdFile.geometry.left);
}

}  // namespace
}  // namespace zenthra
