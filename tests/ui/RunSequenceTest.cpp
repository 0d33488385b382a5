// Runs started from the window: complete runs, the show-all sequences, Stop, the validate-only
// mode, and the output controls that a run's end leaves shown.
#include <unistd.h>

#include <filesystem>

#include "calendar/DatePr2.h"
#include "ephemeris/PlanetLongitude.h"
#include "ui/RunFixture.h"

namespace zenthra::testing {
namespace {

const std::string kPersonalCaption = "Show all personal transits by Mars of natal Jupiter";

class RunSequenceTest : public RunFixture {
  protected:
    // Each run's title up to its period: "Sun and Jupiter", "Mars transits of natal Sun".
    std::vector<std::string> Pairs() const {
        const std::string world = "World transits for ";
        std::vector<std::string> pairs;
        for (std::string title : Titles()) {
            title = title.starts_with(world) ? title.substr(world.size()) : title;
            pairs.push_back(title.substr(0, std::min(title.find(" from "), title.find(','))));
        }
        return pairs;
    }
};

TEST_F(RunSequenceTest, APersonalRunFillsTheRequestThePaneAndTheWindow) {
    SetPeriod("2026-1-1", "2026-6-30");
    w.ChooseOption(w.optSidereal, w.optTropical);
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);

    EXPECT_TRUE(p.boxes.boxes.empty());
    ASSERT_EQ(p.popUps.size(), 1u);
    EXPECT_EQ(p.popUps[0].message, "Done");
    ASSERT_EQ(Titles().size(), 1u);
    EXPECT_TRUE(w.Pane().Text().starts_with("Mars transits of natal Jupiter, "));
    EXPECT_TRUE(Titles()[0].ends_with("birth at June 15, 1990, 12:00 GMT (sidereal)"));
    EXPECT_NE(w.Pane().Text().find("| 2026-"), std::string::npos);

    const TransitRequest& r = w.request;
    EXPECT_FALSE(r.isWorld || r.outerOrbIs15 || r.appendToOutput || r.showAllMode);
    EXPECT_EQ(r.firstBody, kMars);
    EXPECT_EQ(r.secondBody, kJupiter);
    EXPECT_EQ(r.endJdn, DateToJdn(2026, 6, 30).jdn);
    EXPECT_EQ(r.birthJdn, DateToJdn(1990, 6, 15).jdn);
    EXPECT_EQ(r.tzMinutes, 330);
    EXPECT_EQ(r.orbDegrees, (std::array<int16_t, 3>{10, 5, 2}));
    EXPECT_DOUBLE_EQ(r.orbRadians[0], 10 * 6.28318530717959 / 360);
    EXPECT_DOUBLE_EQ(r.orbRadians[2], 2 * 6.28318530717959 / 360);
    EXPECT_TRUE(r.sidereal);
    EXPECT_DOUBLE_EQ(r.natalLongitude[kJupiter],
                     PlanetLongitude(kJupiter, r.birthJdn, Zodiac::Sidereal));
    EXPECT_FALSE(w.flags.runAborted);

    // The first output of an empty pane gets the run height.
    EXPECT_EQ(w.geometry.height, 8000);
    EXPECT_EQ(w.geometry.top, (16200 - 6250) / 3);
    EXPECT_TRUE(w.visible);
}

TEST_F(RunSequenceTest, TheWindowKeepsTheTransitsOfTheLastRun) {
    SetPeriod("2026-1-1", "2026-12-31");
    w.cmdStart_Click();
    const TransitRun& run = w.LastRunTransits();
    EXPECT_EQ(run.tzMinutes, 330);
    ASSERT_FALSE(run.transits.empty());
    for (const Transit& t : run.transits) {
        EXPECT_EQ(t.firstBody, kMars);
        EXPECT_EQ(t.secondBody, kJupiter);
        EXPECT_NE(w.Pane().Text().find(AspectName(t.aspect)), std::string::npos);
    }

    // July lies between the sextile and the conjunction.
    SetPeriod("2026-7-1", "2026-7-31");
    w.cmdStart_Click();
    EXPECT_NE(w.Pane().Text().find("No transits in this period."), std::string::npos);
    EXPECT_TRUE(w.LastRunTransits().transits.empty());
}

TEST_F(RunSequenceTest, AWorldRunIsTropicalAndKeepsTheWindowSizeOfAFilledPane) {
    ChooseWorld(w);
    w.ChooseOption(w.optSidereal, w.optTropical);
    SetPeriod("2026-1-1", "2026-3-31");
    w.SetPaneText("earlier output");
    w.cmdStart_Click();
    ASSERT_EQ(Titles().size(), 1u);
    EXPECT_EQ(Pairs()[0], "Mars and Jupiter");
    EXPECT_FALSE(w.request.sidereal);
    EXPECT_EQ(w.request.firstBody, kMars);
    EXPECT_EQ(w.request.secondBody, kJupiter);
    EXPECT_EQ(p.popUps.size(), 1u);
    EXPECT_EQ(w.geometry.height, 6250);
}

TEST_F(RunSequenceTest, AfterTheBirthTimeMessageASecondStartRuns) {
    SetPeriod("2026-1-1", "2026-3-31");
    w.cboHour.SetListIndex(0);
    w.cboMinute.SetListIndex(0);
    w.cmdStart_Click();
    EXPECT_TRUE(w.Pane().Empty());
    w.cmdStart_Click();
    EXPECT_EQ(p.boxes.boxes.size(), 1u);
    ASSERT_EQ(Titles().size(), 1u);
    EXPECT_TRUE(Titles()[0].ends_with(", 12:00 GMT (tropical)"));
}

TEST_F(RunSequenceTest, ShowAllWorldPairsTheOuterBodyWithEveryOther) {
    ChooseWorld(w);
    SetPeriod("2026-1-1", "2026-1-31");
    w.cboOrbs[1].SetListIndex(8);  // 10°, 9°, 2°: a sequence skips the orb rules
    w.SetPaneText("earlier output");
    p.boxes.boxes.clear();
    // A body paired with itself is passed over, not refused.
    EXPECT_EQ(w.cmdShowAll_Click(0).kind, OutcomeKind::Done);

    // A reversed pair runs the other way round under its title's list order.
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"Sun and Jupiter", "Mercury and Jupiter",
                                                 "Venus and Jupiter", "Mars and Jupiter",
                                                 "Saturn and Jupiter", "Uranus and Jupiter",
                                                 "Neptune and Jupiter", "Pluto and Jupiter"}));
    EXPECT_EQ(w.request.firstBody, kJupiter);
    EXPECT_EQ(w.request.secondBody, kPluto);
    EXPECT_EQ(w.Pane().Text().find("earlier output"), std::string::npos);
    EXPECT_TRUE(p.boxes.boxes.empty() && p.popUps.empty());
    EXPECT_EQ(w.cboPlanet[0].SelectedText(), "Mars");
    EXPECT_EQ(w.cboPlanet[1].SelectedText(), "Jupiter");
    EXPECT_EQ(w.chkAppendToOutput.Value(), 0);
    EXPECT_FALSE(w.request.showAllMode);
}

TEST_F(RunSequenceTest, ShowAllPersonalRunsEveryBodyOfOneList) {
    SetPeriod("2026-1-1", "2026-1-31");
    w.chkAppendToOutput.SetValue(1);
    w.cmdShowAll_Click(1);
    EXPECT_EQ(Pairs(), (std::vector<std::string>{
                           "Mars transits of natal Sun", "Mars transits of natal Mercury",
                           "Mars transits of natal Venus", "Mars transits of natal Mars",
                           "Mars transits of natal Jupiter", "Mars transits of natal Saturn",
                           "Mars transits of natal Uranus", "Mars transits of natal Neptune",
                           "Mars transits of natal Pluto", "Mars transits of natal Moon"}));
    w.cmdShowAll_Click(0);
    EXPECT_EQ(Pairs().size(), 9u);
    EXPECT_EQ(Pairs().back(), "Pluto transits of natal Jupiter");
    EXPECT_EQ(w.cboPlanet[0].SelectedText(), "Mars");
    EXPECT_EQ(w.cboPlanet[1].SelectedText(), "Jupiter");
    EXPECT_EQ(w.chkAppendToOutput.Value(), 1);
}

TEST_F(RunSequenceTest, StopEndsTheRun) {
    p.onYield = [this](int yields) {
        if (yields == 5) {
            w.cmdStart_Click();
        }
    };
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Stopped);
    EXPECT_TRUE(w.Pane().Text().ends_with("Stopped"));
    EXPECT_TRUE(p.popUps.empty() && p.boxes.boxes.empty());
    EXPECT_TRUE(w.flags.runAborted);
    EXPECT_FALSE(w.flags.stopRequested);
    EXPECT_EQ(w.cmdStart.caption, kPersonalCaption);
}

TEST_F(RunSequenceTest, StopEndsAShowAllSequence) {
    ChooseWorld(w);
    SetPeriod("2026-1-1", "2026-1-31");
    p.onYield = [this](int) {
        if (Titles().size() == 2 && !w.Pane().Text().ends_with("Stopped")) {
            w.cmdStart_Click();
        }
    };
    EXPECT_EQ(w.cmdShowAll_Click(0).kind, OutcomeKind::Stopped);
    EXPECT_EQ(Titles().size(), 2u);
    EXPECT_TRUE(w.Pane().Text().ends_with("Stopped"));
    EXPECT_EQ(w.cboPlanet[0].SelectedText(), "Mars");
}

TEST_F(RunSequenceTest, ValidateOnlyChecksWithoutRunning) {
    w.validateOnly = true;
    w.cmdStart_Click();
    EXPECT_TRUE(w.validationPassed && w.flags.runAborted);
    EXPECT_EQ(w.request.startJdn, DateToJdn(2026, 1, 1).jdn);
    EXPECT_EQ(w.request.endJdn, DateToJdn(2026, 12, 31).jdn);
    EXPECT_EQ(w.request.birthJdn, DateToJdn(1990, 6, 15).jdn);
    EXPECT_TRUE(w.Pane().Empty() && p.popUps.empty() && p.boxes.boxes.empty());
    w.txbDay[0].text = "";
    w.cmdStart_Click();
    EXPECT_FALSE(w.validationPassed);
}

TEST_F(RunSequenceTest, HtmlOutputTickedOnAFirstStartCanNameItsFileAndRun) {
    SetPeriod("2026-1-1", "2026-1-31");
    w.chkOutputAsHTML.SetValue(1);
    w.Timer1_Timer();
    EXPECT_TRUE(w.cmdFile.visible && w.cmdFile.enabled);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zenthra-first-html-" + std::to_string(::getpid()) + ".htm"))
                                 .string();
    p.fileAnswers.push_back(path);
    w.cmdFile.click();
    EXPECT_EQ(w.outputFilePath, path);

    bool usableDuringRun = true;
    p.onYield = [&](int) {
        w.Timer1_Timer();
        usableDuringRun = usableDuringRun && w.cmdFile.enabled;
        EXPECT_TRUE(w.cmdFile.visible);
    };
    w.cmdStart_Click();
    EXPECT_TRUE(p.boxes.boxes.empty()) << p.boxes.boxes[0].text;
    EXPECT_EQ(Titles().size(), 1u);
    EXPECT_FALSE(usableDuringRun);
    EXPECT_TRUE(w.cmdFile.visible && w.cmdFile.enabled);
    EXPECT_TRUE(std::filesystem::file_size(path) > 0);
    std::filesystem::remove(path);
}

TEST_F(RunSequenceTest, AppendToOutputShowsExactlyWhileThePaneHoldsTextAndNoRunIsGoing) {
    EXPECT_FALSE(w.chkAppendToOutput.visible);
    SetPeriod("2026-1-1", "2026-1-31");
    bool shownDuringRun = false;
    p.onYield = [&](int yields) {
        w.Timer1_Timer();
        shownDuringRun = shownDuringRun || w.chkAppendToOutput.visible;
        if (yields == 5) {
            w.cmdStart_Click();
        }
    };
    w.cmdStart_Click();
    ASSERT_TRUE(w.Pane().Text().ends_with("Stopped"));
    EXPECT_TRUE(w.chkAppendToOutput.visible);
    EXPECT_FALSE(shownDuringRun);

    w.cmdClear_Click();
    EXPECT_FALSE(w.chkAppendToOutput.visible);
    p.onYield = nullptr;
    w.cmdShowAll_Click(0);
    EXPECT_EQ(Titles().size(), 9u);
    EXPECT_TRUE(w.chkAppendToOutput.visible);

    // A pane that fills up ends the run as a Stop does.
    w.SetPaneText(std::string(63990, '.'));
    w.chkAppendToOutput.SetValue(1);
    w.cmdStart_Click();
    ASSERT_FALSE(p.boxes.boxes.empty());
    EXPECT_EQ(p.boxes.boxes.back().text, "Output textbox is full.");
    EXPECT_TRUE(w.chkAppendToOutput.visible);
    w.cmdClear_Click();
    w.Timer1_Timer();
    EXPECT_FALSE(w.chkAppendToOutput.visible);
}

}  // namespace
}  // namespace zenthra::testing
