// The window driven from the keyboard: Enter in the date fields, the window's own keys, and
// the order in which Tab visits the controls.
#include <algorithm>

#include "ui/RunFixture.h"

namespace zenthra::testing {
namespace {

const std::string kPersonalCaption = "Show all personal transits by Mars of natal Jupiter";

class KeyboardTest : public RunFixture {};

TEST_F(KeyboardTest, EnterStartsARunWhenItsPressAndReleaseReachTheSameField) {
    SetPeriod("2026-1-1", "2026-3-31");
    w.txbYear_KeyDown(0, 'A', 0);
    w.txbYear_KeyUp(0, 'A', 0);
    w.txbMonth_KeyDown(1, kKeyEnter, 0);
    w.cmdStart.enabled = false;
    w.txbMonth_KeyUp(1, kKeyEnter, 0);
    EXPECT_TRUE(w.Pane().Empty());
    w.cmdStart.enabled = true;
    w.txbDay_KeyDown(2, kKeyEnter, 0);
    w.txbDay_KeyUp(2, kKeyEnter, 0);
    EXPECT_EQ(Titles().size(), 1u);
}

// What a view forwards reaches the handler through the control alone.
TEST_F(KeyboardTest, EachControlCarriesItsOwnHandlers) {
    SetPeriod("2026-1-1", "2026-3-31");
    w.txbMonth[1].text = " 03x";
    w.txbMonth[1].lostFocus();
    EXPECT_EQ(w.txbMonth[1].text, "03");
    EXPECT_EQ(w.lblDate[1].caption, "March 31, 2026 CE");
    w.txbStopDate.text = "  5 ";
    w.txbStopDate.lostFocus();
    EXPECT_EQ(w.stopDateText, "5");

    w.txbMonth[0].keyDown(kKeyEnter, 0);
    w.txbDay[0].keyUp(kKeyEnter, 0);  // pressed in another field
    EXPECT_TRUE(w.Pane().Empty());
    w.txbDay[2].keyDown(kKeyEnter, 0);
    w.txbDay[2].keyUp(kKeyEnter, 0);
    EXPECT_EQ(Titles().size(), 1u);

    w.optSidereal.Choose();
    EXPECT_EQ(w.optTropical.Value(), 0);
    EXPECT_EQ(w.optSidereal.Value(), 1);
    w.optWorld.Choose();
    EXPECT_EQ(w.optPersonal.Value(), 0);
    EXPECT_FALSE(w.fraBirthDate.visible);
    EXPECT_TRUE(static_cast<bool>(w.frmView.cmdClose.click));
}

TEST_F(KeyboardTest, TheReleaseOfAnEnterThatClosedAMessageBoxStartsNothing) {
    SetPeriod("2026-1-1", "2026-1-3");
    const Box tooShort{"The start date must be at least 3 days prior to the end date.",
                       MsgIcon::Information, kPersonalCaption};
    w.txbDay_KeyDown(1, kKeyEnter, 0);
    w.txbDay_KeyUp(1, kKeyEnter, 0);
    EXPECT_EQ(Shown(p), std::vector<Box>{tooShort});

    // Enter pressed in the box closes it, and its release lands in the field.
    w.txbDay_KeyUp(1, kKeyEnter, 0);
    w.txbDay_KeyUp(1, kKeyEnter, 0);
    // Nor does an Enter pressed in another field count here.
    w.txbYear_KeyDown(0, kKeyEnter, 0);
    w.txbDay_KeyUp(1, kKeyEnter, 0);
    EXPECT_EQ(Shown(p).size(), 1u);

    w.txbDay_KeyDown(1, kKeyEnter, 0);
    w.txbDay_KeyUp(1, kKeyEnter, 0);
    EXPECT_EQ(Shown(p), (std::vector<Box>{tooShort, tooShort}));
}

TEST_F(KeyboardTest, EscapeStopsARunAsStopDoesAndOtherwiseDoesNothing) {
    w.Form_KeyDown(kKeyEscape, 0);
    EXPECT_TRUE(w.Pane().Empty());
    p.onYield = [this](int yields) {
        if (yields == 5) {
            w.Form_KeyDown(kKeyEscape, kShiftMask);  // not Escape alone
            w.Form_KeyDown(kKeyEscape, 0);
        }
    };
    w.cmdStart_Click();
    EXPECT_EQ(p.yields, 5);
    EXPECT_TRUE(w.Pane().Text().ends_with("Stopped"));
    EXPECT_EQ(w.cmdStart.caption, kPersonalCaption);
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(KeyboardTest, F1OpensHelpEscapeClosesItCtrlQIsQuitWithItsQuestion) {
    w.Form_KeyDown(kKeyF1, 0);
    EXPECT_TRUE(w.frmView.visible);
    EXPECT_EQ(w.frmView.caption, "Help");
    EXPECT_FALSE(w.frmView.txbText1.text.empty());
    w.frmView.Form_KeyDown(kKeyEnter, 0);
    EXPECT_TRUE(w.frmView.visible);
    w.frmView.Form_KeyDown(kKeyEscape, 0);
    EXPECT_FALSE(w.frmView.visible);

    w.Form_KeyDown(kKeyQ, 0);
    w.Form_KeyDown(kKeyQ, kCtrlMask | kShiftMask);
    EXPECT_TRUE(p.boxes.boxes.empty());
    p.boxes.QueueAnswer(MsgAnswer::Cancel);
    w.Form_KeyDown(kKeyQ, kCtrlMask);
    EXPECT_EQ(Shown(p),
              (std::vector<Box>{{"Save program state for next run?", MsgIcon::None, "Quit"}}));
    EXPECT_EQ(p.programEnds, 0);
    p.boxes.QueueAnswer(MsgAnswer::No);
    w.Form_KeyDown(kKeyQ, kCtrlMask);
    EXPECT_EQ(p.programEnds, 1);
}

TEST_F(KeyboardTest, HelpIsNotOpenedByF1WhileItsButtonIsDisabled) {
    w.EnterRunningState();
    w.Form_KeyDown(kKeyF1, 0);
    EXPECT_FALSE(w.frmView.visible);
}

std::vector<std::string> Names(const std::vector<Control*>& controls) {
    std::vector<std::string> names;
    for (const Control* c : controls) {
        names.push_back(c->name);
    }
    return names;
}

TEST_F(KeyboardTest, TabFollowsTheReadingOrderWithThePaneLast) {
    const std::vector<std::string> order = Names(w.TabOrder());
    // Hidden controls keep their places; a view passes over them.
    const std::vector<std::string> hidden = {"txbStopDate", "cmdShowAllTransits",
                                             "txbAllTransitsDateFormat", "cmdVHsoftware"};
    std::vector<std::string> shown;
    std::copy_if(order.begin(), order.end(), std::back_inserter(shown), [&](const auto& name) {
        return std::find(hidden.begin(), hidden.end(), name) == hidden.end();
    });
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "txbBirthPlace",     "txbYear(0)",        "txbMonth(0)",        "txbDay(0)",
                  "txbYear(2)",        "txbMonth(2)",       "txbDay(2)",          "cboTimezone(0)",
                  "txbYear(1)",        "txbMonth(1)",       "txbDay(1)",          "cboHour",
                  "cboMinute",         "cboTimezone(1)",    "chkDisplayNATZabbr", "txbBirthZone",
                  "txbResultZone",     "optWorld",          "optTropical",        "cboSearchAspect",
                  "cmdSearch",         "optPersonal",       "optSidereal",        "chkKeepDates",
                  "chkAppendToOutput", "cboOrbs(0)",        "cboOrbs(1)",         "cboOrbs(2)",
                  "cmdStart",          "cmdShowAll(0)",     "cmdShowAll(1)",      "cboPlanet(0)",
                  "cboPlanet(1)",      "chkOutputAsHTML",   "chkPrecisePluto",    "chkEvents",
                  "cmdTimeline",       "cmdSaveState",      "cmdRestoreState",    "cmdExport",
                  "cmdFile",           "chkOpenOutputFile", "cmdClear",           "cmdHelp",
                  "cmdQuit",           "txbOutput"}));
    EXPECT_EQ(order.size(), shown.size() + hidden.size());
}

}  // namespace
}  // namespace zenthra::testing
