#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "calendar/DatePr2.h"
#include "ephemeris/PlanetLongitude.h"
#include "timeline/TimelineLayout.h"

namespace zenthra {
namespace {

constexpr int kWidth = 1200;
// Positions are compared to a thousandth of a pixel: they come from the same arithmetic.
constexpr double kPixel = 1e-3;

int32_t Day(int year, int month, int day) {
    return DateToJdn(year, month, day).jdn;
}

TimelineTransit Transit(BodyCode transiting, AspectCode aspect, BodyCode other, double from,
                        double to) {
    TimelineTransit transit{transiting, aspect, other, false, {}, {}};
    transit.orbs[kOuterOrb].push_back({from, to});
    return transit;
}

TimelineSource Year2023() {
    TimelineSource source;
    source.firstDay = Day(2023, 1, 1);
    source.lastDay = Day(2023, 12, 31);
    source.orbDegrees = {10, 5, 2};
    source.timezoneText = "GMT+5:30";
    return source;
}

// The x of a day value on a year's axis.
double X(const TimelineLayout& layout, double value) {
    return layout.plotLeft + (value - layout.firstDay) * (layout.plotRight - layout.plotLeft) /
                                 (layout.endDay - layout.firstDay);
}

TEST(TimelineLanes, OneLanePerAspectAndPairOrderedByTheirFirstDay) {
    TimelineSource source = Year2023();
    const int32_t first = source.firstDay;
    source.transits = {Transit(kMars, kSquare, kJupiter, first + 20, first + 40),
                       Transit(kSun, kConjunction, kSaturn, first + 5, first + 9),
                       Transit(kMars, kSquare, kJupiter, first + 200, first + 230),
                       Transit(kVenus, kTrine, kMoon, first + 5, first + 7),
                       Transit(kMars, kSquare, kSaturn, first + 2, first + 3)};
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    ASSERT_EQ(layout.lanes.size(), 4u);
    // Lanes that begin on the same day keep the order they were found in.
    EXPECT_EQ(layout.lanes[0].glyphs, "♂ □ ♄");
    EXPECT_EQ(layout.lanes[1].glyphs, "☉ ☌ ♄");
    EXPECT_EQ(layout.lanes[2].glyphs, "♀ △ ☽");
    EXPECT_EQ(layout.lanes[3].glyphs, "♂ □ ♃");
    EXPECT_EQ(layout.lanes[3].name, "Mars Square Jupiter");
    EXPECT_EQ(layout.lanes[3].bands.size(), 2u);
    for (size_t i = 0; i < layout.lanes.size(); ++i) {
        EXPECT_NEAR(layout.lanes[i].top, layout.lanesTop + i * kLaneHeight, kPixel);
    }
    EXPECT_GT(layout.height, layout.lanesTop + 4 * kLaneHeight);
}

TEST(TimelineLanes, EveryGlyphOfTheBodiesAndAspects) {
    std::string glyphs;
    for (BodyCode body = kSun; body <= kBodyCount; ++body) {
        glyphs += BodyGlyph(body);
    }
    for (AspectCode aspect = 1; aspect <= kAspectsInUse; ++aspect) {
        glyphs += AspectGlyph(aspect);
    }
    EXPECT_EQ(glyphs, "☉☿♀♂♃♄♅♆♇☽☌☍□△⚹");
    EXPECT_EQ(BodyGlyph(0), "");
    EXPECT_EQ(AspectGlyph(6), "");
}

TEST(TimelineBands, ExtentsInDaysAndNestedOrbs) {
    TimelineSource source = Year2023();
    const double entry = source.firstDay + 100;
    TimelineTransit transit = Transit(kMars, kTrine, kSun, entry, entry + 30);
    transit.orbs[1].push_back({entry + 8, entry + 22});
    transit.orbs[2].push_back({entry + 12, entry + 18.5});
    source.transits = {transit};
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    const auto& bands = layout.lanes.at(0).bands;
    ASSERT_EQ(bands.size(), 3u);
    for (int orb = 0; orb < 3; ++orb) {
        EXPECT_EQ(bands[orb].orb, orb);
        EXPECT_NEAR(bands[orb].x0, X(layout, bands[orb].days.from), kPixel);
        EXPECT_NEAR(bands[orb].x1, X(layout, bands[orb].days.to), kPixel);
    }
    EXPECT_DOUBLE_EQ(bands[0].days.to - bands[0].days.from, 30);
    EXPECT_DOUBLE_EQ(bands[1].days.to - bands[1].days.from, 14);
    EXPECT_DOUBLE_EQ(bands[2].days.to - bands[2].days.from, 6.5);
    // Each band lies within the one of the orb around it.
    for (int orb = 1; orb < 3; ++orb) {
        EXPECT_GE(bands[orb].x0, bands[orb - 1].x0);
        EXPECT_LE(bands[orb].x1, bands[orb - 1].x1);
        EXPECT_GT(bands[orb].y, bands[orb - 1].y);
        EXPECT_LT(bands[orb].y + bands[orb].height, bands[orb - 1].y + bands[orb - 1].height);
    }
    EXPECT_EQ(bands[0].detail, "Mars Trine Sun, outer orb 10°: 2023-04-11 to 2023-05-11");
    EXPECT_EQ(bands[2].detail, "Mars Trine Sun, inner orb 2°: 2023-04-23 to 2023-04-29 12:00");
}

TEST(TimelineMarkers, ExactFilledWithTimeClosestHollowWithAngle) {
    TimelineSource source = Year2023();
    const double day = source.firstDay + 50;
    TimelineTransit transit = Transit(kMars, kSquare, kJupiter, day - 10, day + 200);
    transit.minima = {{day + 0.25, true, 0},
                      {day + 1, true, 0},
                      {day + 120, false, 12.0 / 60 * 3.14159265358979 / 180}};
    source.transits = {transit};
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    const auto& lane = layout.lanes.at(0);
    ASSERT_EQ(lane.markers.size(), 3u);
    const TimelineMarker& exact = lane.markers[0];
    EXPECT_TRUE(exact.exact);
    EXPECT_NEAR(exact.x, X(layout, day + 0.25), kPixel);
    EXPECT_NEAR(exact.y, lane.bands[0].y + lane.bands[0].height / 2, kPixel);
    EXPECT_EQ(exact.label, "2023-02-20 06:00");
    EXPECT_TRUE(exact.labelShown);
    EXPECT_EQ(exact.detail, "Mars Square Jupiter exact: 2023-02-20 06:00 GMT+5:30");
    // A day later on a year's axis there is no room for a second label.
    EXPECT_FALSE(lane.markers[1].labelShown);
    const TimelineMarker& closest = lane.markers[2];
    EXPECT_FALSE(closest.exact);
    EXPECT_EQ(closest.label, "0°12'");
    EXPECT_TRUE(closest.labelShown);
    EXPECT_EQ(closest.detail, "Mars Square Jupiter closest: 0°12' on 2023-06-20");
}

TEST(TimelineMarkers, NoLabelRunsPastTheRightEdge) {
    TimelineSource source = Year2023();
    TimelineTransit transit =
        Transit(kSun, kSextile, kMoon, source.lastDay - 3, source.lastDay + 1);
    transit.minima = {{source.lastDay + 0.5, true, 0}};
    source.transits = {transit};
    EXPECT_FALSE(LayOutTimeline(source, kWidth).lanes.at(0).markers.at(0).labelShown);
}

TEST(TimelineTicks, DaysForAWeekMonthsForAYearYearsForTwentyYears) {
    TimelineSource week;
    week.firstDay = Day(2024, 2, 26);
    week.lastDay = week.firstDay + 6;
    const TimelineLayout weekLayout = LayOutTimeline(week, kWidth);
    EXPECT_EQ(weekLayout.tickUnit, TickUnit::Day);
    ASSERT_EQ(weekLayout.ticks.size(), 7u);
    EXPECT_EQ(weekLayout.ticks[0].label, "02-26");
    EXPECT_EQ(weekLayout.ticks[3].label, "02-29");
    EXPECT_NEAR(weekLayout.ticks[0].x, weekLayout.plotLeft, kPixel);

    const TimelineLayout yearLayout = LayOutTimeline(Year2023(), kWidth);
    EXPECT_EQ(yearLayout.tickUnit, TickUnit::Month);
    ASSERT_EQ(yearLayout.ticks.size(), 12u);
    EXPECT_EQ(yearLayout.ticks[0].label, "2023-01");
    EXPECT_EQ(yearLayout.ticks[11].label, "2023-12");
    EXPECT_NEAR(yearLayout.ticks[2].x, X(yearLayout, Day(2023, 3, 1)), kPixel);

    TimelineSource twenty;
    twenty.firstDay = Day(2001, 1, 1);
    twenty.lastDay = Day(2020, 12, 31);
    const TimelineLayout twentyLayout = LayOutTimeline(twenty, kWidth);
    EXPECT_EQ(twentyLayout.tickUnit, TickUnit::Year);
    ASSERT_EQ(twentyLayout.ticks.size(), 20u);  // every year
    EXPECT_EQ(twentyLayout.ticks[0].label, "2001");
    EXPECT_EQ(twentyLayout.ticks[19].label, "2020");
    EXPECT_NEAR(twentyLayout.ticks[1].x, X(twentyLayout, Day(2002, 1, 1)), kPixel);
    // Narrow, the years thin out so that their labels keep apart.
    const TimelineLayout narrow = LayOutTimeline(twenty, kNarrowestTimeline);
    ASSERT_EQ(narrow.ticks.size(), 4u);
    for (const auto& tick : narrow.ticks) {
        EXPECT_EQ(std::stoi(tick.label) % 5, 0) << tick.label;
    }
    for (size_t i = 1; i < narrow.ticks.size(); ++i) {
        EXPECT_GE(narrow.ticks[i].x - narrow.ticks[i - 1].x, 40);
    }
}

TEST(TimelineWidth, BroughtIntoItsRange) {
    EXPECT_EQ(LayOutTimeline(Year2023(), 0).width, kNarrowestTimeline);
    EXPECT_EQ(LayOutTimeline(Year2023(), -5).width, kNarrowestTimeline);
    EXPECT_EQ(LayOutTimeline(Year2023(), 1000000).width, kWidestTimeline);
}

int Grey(const std::string& colour) {
    const long rgb = std::strtol(colour.c_str() + 1, nullptr, 16);
    return static_cast<int>(0.299 * (rgb >> 16) + 0.587 * ((rgb >> 8) & 0xff) +
                            0.114 * (rgb & 0xff));
}

TEST(TimelineLegend, OneColourPerAspectApartInGrey) {
    for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
        for (AspectCode b = a + 1; b <= kAspectsInUse; ++b) {
            EXPECT_GE(std::abs(Grey(AspectColour(a)) - Grey(AspectColour(b))), 30)
                << AspectName(a) << " and " << AspectName(b);
        }
    }
    const TimelineLayout layout = LayOutTimeline(Year2023(), kNarrowestTimeline);
    std::vector<std::string> texts;
    for (const auto& item : layout.legend) {
        texts.push_back(item.text);
        EXPECT_LE(item.x, layout.width);
        EXPECT_LE(item.y + 12, layout.height);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"☌ Conjunction", "☍ Opposition", "□ Square",
                                               "△ Trine", "⚹ Sextile", "outer orb 10°",
                                               "middle orb 5°", "inner orb 2°", "retrograde"}));
    EXPECT_GT(layout.legend.back().y, layout.legend.front().y);  // wrapped
}

TEST(TimelineDetail, MarkerThenInnermostBandThenNothing) {
    TimelineSource source = Year2023();
    const double day = source.firstDay + 100;
    TimelineTransit transit = Transit(kMars, kOpposition, kVenus, day, day + 40);
    transit.orbs[2].push_back({day + 15, day + 25});
    transit.minima = {{day + 20, true, 0}};
    source.transits = {transit};
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    const auto& lane = layout.lanes.at(0);
    const TimelineMarker& marker = lane.markers.at(0);
    EXPECT_EQ(TimelineDetailAt(layout, marker.x + 1, marker.y), marker.detail);
    const TimelineBand& inner = lane.bands.at(1);
    EXPECT_EQ(TimelineDetailAt(layout, inner.x0 + 2, marker.y), inner.detail);
    EXPECT_EQ(TimelineDetailAt(layout, lane.bands[0].x0 + 2, lane.bands[0].y + 1),
              lane.bands[0].detail);
    EXPECT_EQ(TimelineDetailAt(layout, lane.bands[0].x0 - 5, marker.y), "");
    EXPECT_EQ(TimelineDetailAt(layout, marker.x, layout.lanesTop - 1), "");
    EXPECT_EQ(TimelineDetailAt(layout, marker.x, layout.lanesTop + kLaneHeight + 1), "");
}

TEST(TimelineRetrograde, StripUnderTheBarWithinTheLanesDays) {
    TimelineSource source = Year2023();
    const double day = source.firstDay + 100;
    source.transits = {Transit(kMercury, kSquare, kSun, day, day + 40)};
    source.retrograde[kMercury] = {{day - 20, day + 10}, {day + 60, day + 80}};
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    const auto& lane = layout.lanes.at(0);
    ASSERT_EQ(lane.retrograde.size(), 1u);
    EXPECT_DOUBLE_EQ(lane.retrograde[0].days.from, day);
    EXPECT_DOUBLE_EQ(lane.retrograde[0].days.to, day + 10);
    EXPECT_GT(lane.retrograde[0].y, lane.bands[0].y + lane.bands[0].height);
    EXPECT_LE(lane.retrograde[0].y + lane.retrograde[0].height, lane.top + kLaneHeight);
}

TEST(TimelineStations, OnTheStripOfTheirBodysLanesWithinItsDays) {
    TimelineSource source = Year2023();
    const double day = Day(2023, 4, 11);
    source.transits = {Transit(kMercury, kSquare, kSun, day, day + 40),
                       Transit(kVenus, kTrine, kMoon, day, day + 40)};
    source.retrograde[kMercury] = {{day + 10, day + 34}};
    source.stations = {{kMercury, day - 5, false},
                       {kMercury, day + 10.5, true},
                       {kVenus, day + 12, true},
                       {kMercury, day + 34.25, false},
                       {kMercury, day + 41, true}};
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    const TimelineLane& mercury = layout.lanes.at(0);
    ASSERT_EQ(mercury.stations.size(), 2u);
    const TimelineStrip& strip = mercury.retrograde.at(0);
    const TimelineStationMarker& turn = mercury.stations[0];
    EXPECT_TRUE(turn.retrograde);
    EXPECT_DOUBLE_EQ(turn.at, day + 10.5);
    EXPECT_NEAR(turn.x, X(layout, day + 10.5), kPixel);
    EXPECT_NEAR(turn.y, strip.y + strip.height / 2, kPixel);
    EXPECT_EQ(turn.detail, "Mercury stations retrograde: 2023-04-21 12:00 GMT+5:30");
    EXPECT_FALSE(mercury.stations[1].retrograde);
    EXPECT_EQ(mercury.stations[1].detail, "Mercury stations direct: 2023-05-15 06:00 GMT+5:30");
    EXPECT_EQ(TimelineDetailAt(layout, turn.x + 1, turn.y), turn.detail);
    const TimelineLane& venus = layout.lanes.at(1);
    ASSERT_EQ(venus.stations.size(), 1u);
    EXPECT_NEAR(venus.stations[0].x, X(layout, day + 12), kPixel);
}

TEST(TimelineStations, NoneWithoutTheRunsStations) {
    TimelineSource source = Year2023();
    source.transits = {Transit(kMercury, kSquare, kSun, source.firstDay, source.firstDay + 40)};
    source.retrograde[kMercury] = {{source.firstDay + 10.0, source.firstDay + 30.0}};
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    EXPECT_TRUE(layout.lanes.at(0).stations.empty());
    EXPECT_EQ(layout.lanes.at(0).retrograde.size(), 1u);
}

TEST(TimelineSources, RunStationsKeptOnceIngressesLeftOut) {
    TimelineSource source = Year2023();
    TransitRun run;
    run.tzMinutes = 330;
    // A Julian date .0 is noon UT, 17:30 in GMT+5:30.
    const double noon = source.firstDay + 100.0;
    run.events = {{BodyEventKind::StationRetrograde, kMercury, noon, 0.5, false},
                  {BodyEventKind::Ingress, kMars, noon + 3, 1.0, false},
                  {BodyEventKind::StationDirect, kSaturn, noon + 7, 5.8, false}};
    AddRunTransits(source, run, false);
    AddRunTransits(source, run, false);  // the next run of a show-all sequence
    ASSERT_EQ(source.stations.size(), 2u);
    EXPECT_EQ(source.stations[0].body, kMercury);
    EXPECT_TRUE(source.stations[0].retrograde);
    EXPECT_NEAR(source.stations[0].at, noon + 0.5 + 330 / 1440.0, 1e-9);
    EXPECT_EQ(source.stations[1].body, kSaturn);
    EXPECT_FALSE(source.stations[1].retrograde);
    EXPECT_NEAR(source.stations[1].at, noon + 7.5 + 330 / 1440.0, 1e-9);
}

TEST(TimelineSources, RunPassagesMinimaAndTheirMissingEnds) {
    TimelineSource source = Year2023();
    source.tzMinutes = 330;
    TransitRun run;
    run.tzMinutes = 330;
    ::zenthra::Transit transit;
    transit.aspect = kSquare;
    transit.firstBody = kMars;
    transit.secondBody = kJupiter;
    transit.passages = {{kOuterOrb, 0, std::nullopt, MarkedDay{source.firstDay + 20, false}},
                        {kMiddleOrb, 1, MarkedDay{source.firstDay + 5, true}, std::nullopt}};
    // A Julian date .0 is noon UT, 17:30 in GMT+5:30.
    transit.minima = {{0, ExactMinimum{source.firstDay + 1.0, false}},
                      {1, DailyMinimum{source.firstDay + 9, 0.01, false}}};
    run.transits = {transit};
    AddRunTransits(source, run, true);
    ASSERT_EQ(source.transits.size(), 1u);
    const TimelineTransit& kept = source.transits[0];
    EXPECT_TRUE(kept.world);
    EXPECT_EQ(kept.orbs[0].at(0).from, source.firstDay);
    EXPECT_EQ(kept.orbs[0].at(0).to, source.firstDay + 20);
    EXPECT_EQ(kept.orbs[1].at(0).from, source.firstDay + 5);
    EXPECT_EQ(kept.orbs[1].at(0).to, source.lastDay + 1);
    EXPECT_TRUE(kept.orbs[2].empty());
    ASSERT_EQ(kept.minima.size(), 2u);
    EXPECT_NEAR(kept.minima[0].at, source.firstDay + 1 + 0.5 + 330 / 1440.0, 1e-9);
    EXPECT_FALSE(kept.minima[1].exact);
    EXPECT_EQ(kept.minima[1].at, source.firstDay + 9);
    EXPECT_EQ(kept.minima[1].deviation, 0.01);
}

TEST(TimelineSources, AllTransitsEndsAtMinutesOrThePeriodsEdges) {
    const int32_t first = Day(2023, 1, 1);
    AllTransitsTransit inEffect{
        kSaturn, kSquare, kSun, {first - 1, 0, true}, {first + 30, first + 30.75, false}};
    AllTransitsTransit found{
        kMars, kTrine, kMoon, {first + 40, first + 40.5, false}, {first + 364, 0, true}};
    const TimelineSource source = AllTransitsSource({inEffect, found}, 3, first, first + 364, 60);
    EXPECT_EQ(source.orbDegrees, (std::array<int, 3>{3, 0, 0}));
    ASSERT_EQ(source.transits.size(), 2u);
    EXPECT_EQ(source.transits[0].orbs[0].at(0).from, first);
    EXPECT_EQ(source.transits[0].orbs[0].at(0).to, first + 30.75);
    EXPECT_EQ(source.transits[1].orbs[0].at(0).from, first + 40.5);
    EXPECT_EQ(source.transits[1].orbs[0].at(0).to, first + 365);
    const TimelineLayout layout = LayOutTimeline(source, kWidth);
    EXPECT_EQ(layout.lanes.at(0).bands.at(0).detail,
              "Saturn Square Sun, orb 3°: 2023-01-01 to 2023-01-31 18:00");
}

TEST(TimelineSources, MercuryRetrogradeInSpring2023) {
    SetDataFolder(ZENTHRA_DATA_DIR);
    TimelineSource source = Year2023();
    source.transits = {Transit(kMercury, kConjunction, kSun, source.firstDay, source.firstDay + 5),
                       Transit(kSun, kConjunction, kMoon, source.firstDay, source.firstDay + 5)};
    AddRetrogradeStretches(source, Zodiac::Tropical);
    EXPECT_EQ(source.retrograde.count(kSun), 0u);
    const auto& stretches = source.retrograde.at(kMercury);
    // Stations 2023-04-21 08:35 UT and 2023-05-15 03:17 UT: the days from 0h to 0h UT that
    // end further back than they began.
    const auto spring = std::find_if(stretches.begin(), stretches.end(), [](const DaySpan& s) {
        return s.from > Day(2023, 4, 1) && s.from < Day(2023, 5, 1);
    });
    ASSERT_NE(spring, stretches.end());
    EXPECT_EQ(spring->from, Day(2023, 4, 21));
    EXPECT_EQ(spring->to, Day(2023, 5, 15));
    EXPECT_EQ(stretches.size(), 4u);  // late 2022 into January, then April, August, December
}

}  // namespace
}  // namespace zenthra
