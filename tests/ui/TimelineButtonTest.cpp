// The Timeline button: where it sits, when it is enabled, and what it hands the platform.
#include <set>

#include "calendar/DatePr2.h"
#include "ui/RunFixture.h"

namespace zenthra::testing {
namespace {

class TimelineButtonTest : public RunFixture {};

TEST_F(TimelineButtonTest, SitsAtTheRightOfTheHtmlRowUnderThePlanetListsDisabled) {
    const Geometry& button = w.cmdTimeline.geometry;
    EXPECT_EQ(w.cmdTimeline.caption, "Timeline");
    EXPECT_TRUE(w.cmdTimeline.visible);
    EXPECT_FALSE(w.cmdTimeline.enabled);
    EXPECT_EQ(button.left, w.cboPlanet[1].geometry.left);
    EXPECT_EQ(button.left + button.width,
              w.cboPlanet[1].geometry.left + w.cboPlanet[1].geometry.width);
    EXPECT_LT(std::abs(button.top - w.chkOutputAsHTML.geometry.top), button.height);
    EXPECT_GT(button.left, w.chkOutputAsHTML.geometry.left + w.chkOutputAsHTML.geometry.width);
    EXPECT_LT(button.top + button.height, w.txbOutput.geometry.top);
    // A click while there is nothing to show does nothing.
    EXPECT_EQ(w.cmdTimeline_Click().kind, OutcomeKind::Refused);
    EXPECT_TRUE(p.timelines.empty());
}

TEST_F(TimelineButtonTest, ARunWithTransitsEnablesItAndItShowsThatRun) {
    SetPeriod("2026-1-1", "2026-12-31");
    bool enabledWhileRunning = true;
    p.onYield = [&](int) { enabledWhileRunning = enabledWhileRunning && w.cmdTimeline.enabled; };
    ASSERT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    EXPECT_FALSE(enabledWhileRunning);
    EXPECT_TRUE(w.cmdTimeline.enabled);
    const std::string pane = w.Pane().Text();
    const size_t boxes = p.boxes.boxes.size();

    EXPECT_EQ(w.cmdTimeline_Click().kind, OutcomeKind::Done);
    ASSERT_EQ(p.timelines.size(), 1u);
    const TimelineSource& shown = p.timelines[0];
    EXPECT_EQ(shown.transits.size(), w.LastRunTransits().transits.size());
    EXPECT_EQ(shown.firstDay, w.request.startJdn);
    EXPECT_EQ(shown.lastDay, DateToJdn(2026, 12, 31).jdn);
    EXPECT_EQ(shown.orbDegrees, (std::array<int, 3>{10, 5, 2}));
    EXPECT_EQ(shown.timezoneText, "GMT+5:30");
    EXPECT_EQ(shown.title,
              "Transits " + IsoDateText(w.request.startJdn) + " to 2026-12-31, GMT+5:30");
    for (const TimelineTransit& transit : shown.transits) {
        EXPECT_EQ(transit.transiting, kMars);
        EXPECT_EQ(transit.other, kJupiter);
        EXPECT_FALSE(transit.world);
    }
    EXPECT_EQ(shown.retrograde.count(kMars), 1u);
    // Showing it changes nothing in the window.
    EXPECT_EQ(w.Pane().Text(), pane);
    EXPECT_EQ(p.boxes.boxes.size(), boxes);
    EXPECT_TRUE(w.cmdTimeline.enabled);
}

TEST_F(TimelineButtonTest, ARunWithoutTransitsDisablesItAgain) {
    SetPeriod("2026-1-1", "2026-12-31");
    ASSERT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    ASSERT_TRUE(w.cmdTimeline.enabled);
    SetPeriod("2026-2-1", "2026-2-10");
    ASSERT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    ASSERT_TRUE(w.LastRunTransits().transits.empty());
    EXPECT_FALSE(w.cmdTimeline.enabled);
    EXPECT_EQ(w.cmdTimeline_Click().kind, OutcomeKind::Refused);
    EXPECT_TRUE(p.timelines.empty());
}

TEST_F(TimelineButtonTest, AShowAllSequenceShowsEveryPairInOnePicture) {
    SetPeriod("2026-1-1", "2026-3-31");
    ASSERT_EQ(w.cmdShowAll_Click(1).kind, OutcomeKind::Done);
    ASSERT_TRUE(w.cmdTimeline.enabled);
    ASSERT_EQ(w.cmdTimeline_Click().kind, OutcomeKind::Done);
    ASSERT_EQ(p.timelines.size(), 1u);
    // Mars to every natal body.
    std::set<BodyCode> natal;
    for (const TimelineTransit& transit : p.timelines[0].transits) {
        EXPECT_EQ(transit.transiting, kMars);
        natal.insert(transit.other);
    }
    EXPECT_GE(natal.size(), 5u);
    EXPECT_GT(p.timelines[0].transits.size(), w.LastRunTransits().transits.size());

    // The next sequence starts a picture of its own.
    SetPeriod("2026-2-1", "2026-2-10");
    ASSERT_EQ(w.cmdShowAll_Click(1).kind, OutcomeKind::Done);
    ASSERT_EQ(w.cmdTimeline_Click().kind, OutcomeKind::Done);
    ASSERT_EQ(p.timelines.size(), 2u);
    EXPECT_LT(p.timelines[1].transits.size(), p.timelines[0].transits.size());
    EXPECT_EQ(p.timelines[1].lastDay, DateToJdn(2026, 2, 10).jdn);
}

}  // namespace
}  // namespace zenthra::testing
