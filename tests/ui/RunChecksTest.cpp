// The checks of the Start button, in their order, with their boxes and corrections; the date
// fields' handlers.
#include <functional>
#include <tuple>

#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "ui/RunFixture.h"

namespace zenthra::testing {
namespace {

using enum MsgIcon;

const std::string kStartCaption = "(Start caption)";

struct CheckCase {
    std::string what;
    std::function<void(FrmMain&)> arrange;
    Box box;
    std::function<void(const FrmMain&)> corrected = [](const FrmMain&) {};
};

// In the order the button checks them.
const std::vector<CheckCase> kChecks = {
    {"HTML output without a file",
     [](FrmMain& w) { w.chkOutputAsHTML.SetValue(1); },
     {"Output file not specified", Exclamation, kStartCaption}},
    {"start year",
     [](FrmMain& w) { w.txbYear[0].text = "x"; },
     {"Please specify start year.", None, kStartCaption},
     [](const FrmMain& w) { EXPECT_EQ(w.txbYear[0].text, ""); }},
    {"end day",
     [](FrmMain& w) { w.txbDay[1].text = ""; },
     {"Please specify end day.", None, kStartCaption}},
    {"birth month",
     [](FrmMain& w) { w.txbMonth[2].text = "-"; },
     {"Please specify month of birth.", None, kStartCaption},
     [](const FrmMain& w) { EXPECT_EQ(w.txbMonth[2].text, ""); }},
    {"start date",
     [](FrmMain& w) { SetDate(w, 0, "2026-4-31"); },
     {"The start date is invalid.", Information, "Invalid input"},
     [](const FrmMain& w) { EXPECT_EQ(w.lblDate[0].caption, "invalid date"); }},
    {"end date before year 1",
     [](FrmMain& w) { SetDate(w, 1, "0-12-31"); },
     {"End date is too early", Information, kStartCaption}},
    {"birth date",
     [](FrmMain& w) { SetDate(w, 2, "1990-6-31"); },
     {"The birth date is invalid.", Information, kStartCaption},
     [](const FrmMain& w) { EXPECT_EQ(w.lblDate[2].caption, "invalid date"); }},
    {"birth before 1600",
     [](FrmMain& w) { SetDate(w, 2, "1599-12-31"); },
     {"Birth date is too early", Information, kStartCaption}},
    {"birth after the start",
     [](FrmMain& w) { SetDate(w, 2, "2026-1-2"); },
     {"The birth date must not be later than the start date.", Information, kStartCaption}},
    {"birth time",
     [](FrmMain& w) {
         w.cboHour.SetListIndex(0);
         w.cboMinute.SetListIndex(0);
     },
     {"Please specify the birth time, or use 12:00 if not known.", None, kStartCaption},
     [](const FrmMain& w) {
         EXPECT_EQ(w.cboHour.SelectedText(), "12");
         EXPECT_EQ(w.cboMinute.SelectedText(), "00");
     }},
    {"birth timezone",
     [](FrmMain& w) { w.cboTimezone[1].SetListIndex(-1); },
     {"Please specify the timezone, or use GMT if not known.", None, kStartCaption},
     [](const FrmMain& w) { EXPECT_EQ(w.cboTimezone[1].SelectedText(), "GMT"); }},
    {"period of 2 days",
     [](FrmMain& w) { SetDate(w, 1, "2026-1-3"); },
     {"The start date must be at least 3 days prior to the end date.", Information, kStartCaption}},
    {"results timezone",
     [](FrmMain& w) { w.cboTimezone[0].SetListIndex(0); },
     {"Please specify the timezone for the results, or use the default GMT timezone.", None,
      kStartCaption},
     [](const FrmMain& w) { EXPECT_EQ(w.cboTimezone[0].SelectedText(), "GMT"); }},
    {"world pair of one body",
     [](FrmMain& w) {
         ChooseWorld(w);
         w.cboPlanet[1].SetListIndex(2);  // Mars with Mars
     },
     {"World transit of a planet to itself is not possible.", Exclamation, kStartCaption}},
    {"reversed world pair",
     [](FrmMain& w) {
         ChooseWorld(w);
         w.cboPlanet[0].SetListIndex(7);  // Neptune with Jupiter
     },
     {"Outer planet must be beyond inner planet", Information, kStartCaption}},
    {"orbs 10, 9, 2",
     [](FrmMain& w) { w.cboOrbs[1].SetListIndex(8); },
     {"Orbs must be strictly decreasing and differ by at least 2°.", Information, "Orb values"}},
    {"start before Pluto's days",
     [](FrmMain& w) {
         ChooseWorld(w);
         w.cboPlanet[1].SetListIndex(7);
         SetDate(w, 0, "1599-12-1");
         SetDate(w, 1, "2100-1-5");
     },
     {"Start date is too early for Pluto.", None, ""}},
    {"end after the Moon's days",
     [](FrmMain& w) {
         w.cboPlanet[1].SetListIndex(9);
         SetDate(w, 0, "2099-12-1");
         SetDate(w, 1, "2100-1-5");
     },
     {"End date is too late for Moon.", None, ""}},
    // At 00:00 GMT+1 the first day of the Moon's data has not begun in Greenwich.
    {"natal Moon before its days",
     [](FrmMain& w) {
         w.cboPlanet[1].SetListIndex(9);
         SetDate(w, 2, "1600-1-1");
         w.cboHour.SetListIndex(1);
         w.cboTimezone[1].SetListIndex(kGmt + 2);
         SetDate(w, 0, "1600-2-1");
         SetDate(w, 1, "1600-3-1");
     },
     {"Birth date is too early for Moon.", None, ""}},
};

TEST(RunChecks, EachCheckShowsItsBoxKeepsItsCorrectionAndStartsNothing) {
    for (const CheckCase& check : kChecks) {
        SCOPED_TRACE(check.what);
        FakePlatform p;
        FrmMain w(p);
        LoadWithPersonalRun(w, p);
        check.arrange(w);
        p.boxes.boxes.clear();
        EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Refused);
        Box expected = check.box;
        if (expected.title == kStartCaption) {
            expected.title = w.cmdStart.caption;
        }
        EXPECT_EQ(Shown(p), std::vector<Box>{expected});
        check.corrected(w);
        EXPECT_TRUE(w.flags.runAborted);
        EXPECT_TRUE(w.Pane().Empty());
        EXPECT_TRUE(p.popUps.empty());
    }
}

class RunChecksTest : public RunFixture {};

TEST_F(RunChecksTest, TheFirstFailingCheckWins) {
    w.chkOutputAsHTML.SetValue(1);
    w.txbYear[0].text = "20x26";
    w.cboHour.SetListIndex(0);
    w.cboTimezone[0].SetListIndex(0);
    w.cmdStart_Click();
    ASSERT_EQ(p.boxes.boxes.size(), 1u);
    EXPECT_EQ(p.boxes.boxes[0].text, "Output file not specified");
    EXPECT_EQ(w.txbYear[0].text, "20x26");  // not looked at

    w.outputFilePath = "never-written.htm";
    w.cmdStart_Click();
    EXPECT_EQ(w.txbYear[0].text, "2026");
    EXPECT_EQ(p.boxes.boxes.back().text,
              "Please specify the birth time, or use 12:00 if not known.");
    w.cmdStart_Click();
    EXPECT_EQ(p.boxes.boxes.back().text,
              "Please specify the timezone for the results, or use the default GMT timezone.");
    EXPECT_EQ(p.boxes.boxes.size(), 3u);
}

TEST_F(RunChecksTest, PeriodAndDateLimits) {
    ChooseWorld(w);
    w.validateOnly = true;
    const std::string thirtyDigits(30, '9');
    for (const auto& [start, end, refusal] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"2026-1-1", "2026-1-4", ""},
             {"2026-1-1", "2026-1-3",
              "The start date must be at least 3 days prior to the end date."},
             {"1-1-1", "1-1-4", ""},
             {"0-12-31", "1-1-4", "Start date is too early"},
             {"2799-12-1", "2799-12-31", ""},
             {"2799-12-1", "2800-1-1", "End date is too late"},
             {"2800-1-1", "2800-2-1", "End date is too late"},
             {thirtyDigits + "-1-1", "2026-2-1", "The start date is invalid."}}) {
        SCOPED_TRACE(start + " to " + end);
        SetPeriod(start, end);
        p.boxes.boxes.clear();
        w.cmdStart_Click();
        EXPECT_EQ(w.validationPassed, refusal.empty());
        EXPECT_EQ(p.boxes.boxes.empty() ? "" : p.boxes.boxes[0].text, refusal);
    }
}

TEST_F(RunChecksTest, BirthDateLimits) {
    w.validateOnly = true;
    SetPeriod("1600-1-1", "1600-2-1");
    for (const auto& [birth, refusal] : std::vector<std::pair<std::string, std::string>>{
             {"1600-1-1", ""},
             {"1599-12-31", "Birth date is too early"},
             {"1600-1-2", "The birth date must not be later than the start date."}}) {
        SCOPED_TRACE(birth);
        SetDate(w, 2, birth);
        p.boxes.boxes.clear();
        w.cmdStart_Click();
        EXPECT_EQ(w.validationPassed, refusal.empty());
        EXPECT_EQ(p.boxes.boxes.empty() ? "" : p.boxes.boxes[0].text, refusal);
    }
}

TEST_F(RunChecksTest, OrbRules) {
    for (const auto& [world, body, orbs, refusal] :
         std::vector<std::tuple<bool, int, std::array<int, 3>, std::string>>{
             {false, 3, {10, 9, 2}, "Orbs must be strictly decreasing and differ by at least 2°."},
             {false, 3, {10, 8, 6}, ""},
             {false, 1, {10, 5, 2}, "With transiting Mercury the inner orb must be at least 3°."},
             {true, 3, {10, 5, 1}, "With Sun, Venus or Mars the inner orb must be at least 2°."},
             {true, 1, {10, 5, 3}, ""}}) {
        SCOPED_TRACE(refusal);
        w.ChooseOption(world ? w.optWorld : w.optPersonal, world ? w.optPersonal : w.optWorld);
        w.cboPlanet[0].SetListIndex(body);
        for (int i = 0; i < 3; ++i) {
            w.cboOrbs[i].SetListIndex(orbs[i] - 1);
        }
        p.boxes.boxes.clear();
        EXPECT_EQ(w.CheckOrbRules(), refusal.empty());
        if (!refusal.empty()) {
            EXPECT_EQ(Shown(p), (std::vector<Box>{{refusal, Information, "Orb values"}}));
        }
    }
}

TEST_F(RunChecksTest, AnUnreadablePlutoTableRefusesTheRun) {
    const std::string folder = dataFolder;
    dataFolder = "/nonexistent/";
    plutoLoaded = false;
    w.cboPlanet[1].SetListIndex(8);  // natal Pluto
    w.cmdStart_Click();
    dataFolder = folder;
    ASSERT_EQ(p.boxes.boxes.size(), 2u);
    EXPECT_EQ(p.boxes.boxes[0].title, "Startup error");
    EXPECT_EQ(Shown(p)[1], (Box{"Cannot read Pluto data", Exclamation, ""}));
    EXPECT_TRUE(w.flags.runAborted);
}

TEST_F(RunChecksTest, LeavingADateFieldCleansItAndWritesTheDateOut) {
    w.txbYear[0].text = "002020";
    w.txbYear_LostFocus(0);
    EXPECT_EQ(w.txbYear[0].text, "2020");
    EXPECT_EQ(w.lblDate[0].caption, "January 1, 2020 CE");
    w.txbYear[0].text = "000";
    w.txbYear_LostFocus(0);
    EXPECT_EQ(w.txbYear[0].text, "");
    EXPECT_EQ(w.lblDate[0].caption, "");

    w.txbYear[0].text = std::string(30, '9');
    w.txbMonth_LostFocus(0);
    EXPECT_EQ(w.lblDate[0].caption, "invalid date");
    w.txbMonth[1].text = "4";
    w.txbDay_LostFocus(1);  // April 31
    EXPECT_EQ(w.lblDate[1].caption, "invalid date");
    EXPECT_TRUE(p.boxes.boxes.empty());

    w.txbDay_LostFocus(2);
    w.txbYear[2].text = "-1990";
    w.txbYear_LostFocus(2);
    EXPECT_EQ(Shown(p),
              (std::vector<Box>{{"Year number must be positive.", Information, "Invalid year"}}));
    EXPECT_EQ(w.lblDate[2].caption, "June 15, 1990 CE");  // unchanged
    SetDate(w, 0, "2026-1-1");
    SetDate(w, 1, "2026-12-31");
    w.validateOnly = true;
    w.cmdStart_Click();
    EXPECT_EQ(w.txbYear[2].text, "1990");
    EXPECT_TRUE(w.validationPassed);

    w.txbStopDate.text = "  2030-01-01 ";
    w.txbStopDate_LostFocus();
    EXPECT_EQ(w.stopDateText, "2030-01-01");
    w.focus = nullptr;
    w.cboMinute.SetListIndex(3);
    EXPECT_EQ(w.focus, &w.cmdStart);
}

}  // namespace
}  // namespace zenthra::testing
