// Runs of the transit scan over real ephemeris data, each built so that the pair goes
// through one kind of situation; the expected cells were read off the ephemeris.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "engine/AspectGeometry.h"
#include "engine/ExactMinimum.h"
#include "engine/ScanHarness.h"
#include "support/FileProc.h"

namespace zenthra {
namespace {

using testing::Jdn;
using testing::ReadFile;
using testing::ScanHarness;
using Rows = std::vector<TableRow>;

constexpr double kDegree = kFullTurn / 360;

int32_t DayOf(const std::string& cell) {
    int y = 0, m = 0, d = 0;
    EXPECT_EQ(std::sscanf(cell.c_str(), "%d-%d-%d", &y, &m, &d), 3) << cell;
    return Jdn(y, m, d);
}

// The deviation at the local midnight that begins a day, from the ephemeris directly.
double DeviationAtMidnight(const TransitRequest& r, int32_t day, AspectCode aspect) {
    const double t = LocalMidnight(day, r.tzMinutes);
    const double second =
        r.isWorld ? PlanetLongitude(r.secondBody, t, BasisOf(r)) : r.natalLongitude[r.secondBody];
    return AspectDeviation(Separation(PlanetLongitude(r.firstBody, t, BasisOf(r)), second), aspect);
}

// Arcminutes of an angle cell such as 2°29'.
int AngleMinutes(const std::string& cell) {
    int degrees = 0, minutes = 0;
    EXPECT_EQ(std::sscanf(cell.c_str(), "%d°%d'", &degrees, &minutes), 2) << cell;
    return degrees * 60 + minutes;
}

// A passage whose inner start is filled had a midnight inside the inner orb, so its minimum
// is either exact or an angle below that orb.
void ExpectMinimaInsideTheInnerOrb(const ScanHarness& h) {
    for (const TableRow& row : h.TransitRows()) {
        if (!row[kStartInnerColumn].empty() &&
            row[kMinimumAtColumn].find('*') == std::string::npos) {
            EXPECT_LT(AngleMinutes(row[kMinimumColumn]), h.request.orbDegrees[kInnerOrb] * 60)
                << TextRowLayout(row);
        }
    }
}

std::string Header(ScanHarness& h) {
    return h.window.RunTitle() + kCrLf + TextRowLayout(TextHeadings(h.request.orbDegrees)) +
           RuleLine() + kCrLf;
}

// Mars passed Jupiter on 17 February 2009.
const TableRow kMarsJupiterConjunction{"Conjunction", "2009-01-30",  "2009-02-08",
                                       "2009-02-14",  "2009-02-17*", "2009-02-21",
                                       "2009-02-26",  "2009-03-07",  "16:27 GMT"};

TEST(TransitBlock, OuterEntryOpensABlockThatNestsTheOrbs) {
    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 4, 30));
    h.Run();
    ASSERT_EQ(h.TransitRows(), Rows{kMarsJupiterConjunction});

    // A start is the day during which the pair comes inside: outside the orb at its
    // midnight, inside at the next one. An end is the day during which it leaves.
    for (int o = kOuterOrb; o <= kInnerOrb; ++o) {
        const double orb = h.request.orbRadians[o];
        const int32_t start = DayOf(kMarsJupiterConjunction[kStartOuterColumn + o]);
        const int32_t end = DayOf(kMarsJupiterConjunction[kEndOuterColumn - o]);
        EXPECT_GE(DeviationAtMidnight(h.request, start, kConjunction), orb) << o;
        EXPECT_LT(DeviationAtMidnight(h.request, start + 1, kConjunction), orb) << o;
        EXPECT_LT(DeviationAtMidnight(h.request, end, kConjunction), orb) << o;
        EXPECT_GE(DeviationAtMidnight(h.request, end + 1, kConjunction), orb) << o;
    }
    const PairDeviation pair(kMars, kJupiter, true, 0, kConjunction, Zodiac::Tropical);
    EXPECT_LT(*pair.At(Jdn(2009, 2, 17) - 0.5 + (16 * 60 + 27) / 1440.0), kExactDeviation);

    EXPECT_EQ(h.Pane(), Header(h) + TextRowLayout(kMarsJupiterConjunction));
    EXPECT_EQ(h.window.events, (std::vector<std::string>{"running", "idle", "done"}));
    EXPECT_TRUE(h.window.boxes.boxes.empty());
    EXPECT_TRUE(h.window.appendVisible);
    EXPECT_TRUE(h.window.appendTicked);
}

TEST(TransitBlock, StartInsideTheInnerOrbMovesBackToTheInnerEntry) {
    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 2, 17), Jdn(2009, 4, 30));
    h.Run();
    // The 14th is the first earlier day whose midnight lies outside the inner orb; the
    // pair enters the orb during it.
    EXPECT_EQ(h.request.startJdn, Jdn(2009, 2, 14));
    EXPECT_NE(h.Pane().find("from February 14, 2009, to April 30, 2009"), std::string::npos);
    TableRow expected = kMarsJupiterConjunction;
    expected[kStartOuterColumn] = expected[kStartMiddleColumn] = "";
    EXPECT_EQ(h.TransitRows(), Rows{expected});
}

TEST(TransitBlock, StartInsideOuterOrbsKeepsTheStartAndNamesTheFirstCell) {
    for (const int32_t start : {Jdn(2009, 2, 1), Jdn(2009, 2, 10)}) {
        ScanHarness h;
        h.World(kMars, kJupiter, start, Jdn(2009, 4, 30));
        h.Run();
        EXPECT_EQ(h.request.startJdn, start);
        TableRow expected = kMarsJupiterConjunction;
        expected[kStartOuterColumn] = "";
        if (start > DayOf(expected[kStartMiddleColumn])) {
            expected[kStartMiddleColumn] = "";
        }
        EXPECT_EQ(h.TransitRows(), Rows{expected}) << start;
    }
}

TEST(TransitBlock, TransitInProgressOnTheLastDayIsPrintedWithoutItsEnds) {
    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 2, 20));
    h.Run();
    TableRow expected = kMarsJupiterConjunction;
    expected[kEndInnerColumn] = expected[kEndMiddleColumn] = expected[kEndOuterColumn] = "";
    EXPECT_EQ(h.TransitRows(), Rows{expected});

    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 2, 15));
    h.Run();
    expected[kMinimumAtColumn] = expected[kMinimumColumn] = "";
    EXPECT_EQ(h.TransitRows(), Rows{expected});
    EXPECT_EQ(h.Pane(), Header(h) + TextRowLayout(expected));
}

TEST(TransitBlock, RepeatedAspectIsNamedOnlyOnItsFirstBlock) {
    // Mercury never strays more than 28° from the Sun: every transit is a conjunction.
    ScanHarness h;
    h.World(kMercury, kSun, Jdn(2009, 1, 1), Jdn(2009, 12, 31));
    h.Run();
    const Rows rows = h.TransitRows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0][kAspectColumn], "Conjunction");
    for (size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][kAspectColumn], "") << i;
        EXPECT_FALSE(rows[i][kStartOuterColumn].empty()) << i;
        EXPECT_NE(h.Pane().find(kCrLf + std::string(12, ' ') + "| " + rows[i][kStartOuterColumn]),
                  std::string::npos);
    }
}

TEST(TransitBlock, RetrogradeTriplePassFillsOneRowPerMinimum) {
    ScanHarness h;
    MarsLoopOf2009(h, Jdn(2010, 6, 30));
    h.request.tzMinutes = 330;
    h.window.resultsTimezone = "GMT+5:30";
    h.Run();
    const Rows expected{
        {"Conjunction", "2009-10-12", "2009-10-16", "2009-11-03", "2009-11-07*", "2009-11-13",
         "2010-05-18", "2010-05-22", "22:09 GMT+5:30"},
        {"", "", "", "2010-01-24r", "2010-01-29*r", "2010-02-03r", "", "", "13:01 GMT+5:30"},
        {"", "", "", "2010-04-19", "2010-04-24*", "2010-04-29", "", "", "19:44 GMT+5:30"}};
    EXPECT_EQ(h.TransitRows(), expected);
    EXPECT_NE(h.Pane().find("2010-01-24r | 2010-01-29*r| 2010-02-03r "), std::string::npos);
}

TEST(OrbEvents, SeveralOrbsCrossedInOneDayRecordOnlyTheOutermost) {
    // Mercury moves about 2° a day here, so the natal point at 12.8° takes it from outside
    // the middle orb to inside the inner within a day (31 March), and from inside the
    // middle orb to outside the outer within another (2 April).
    ScanHarness h;
    h.SetOrbs(3, 2, 1);
    h.Personal(kMercury, kSun, 12.8 * kDegree, Jdn(2009, 3, 25), Jdn(2009, 4, 10));
    h.Run();
    EXPECT_GE(DeviationAtMidnight(h.request, Jdn(2009, 3, 31), kConjunction), 2 * kDegree);
    EXPECT_LT(DeviationAtMidnight(h.request, Jdn(2009, 4, 1), kConjunction), 1 * kDegree);
    EXPECT_LT(DeviationAtMidnight(h.request, Jdn(2009, 4, 2), kConjunction), 2 * kDegree);
    EXPECT_GE(DeviationAtMidnight(h.request, Jdn(2009, 4, 3), kConjunction), 3 * kDegree);
    // No inner start, no middle end; the minute search starts from the one midnight inside
    // the inner orb, that of the day it is left.
    EXPECT_EQ(h.TransitRows(), (Rows{{"Conjunction", "2009-03-30", "2009-03-31", "", "2009-04-01*",
                                      "2009-04-01", "", "2009-04-02", "05:51 GMT"}}));
}

TEST(OrbEvents, OnADayWithEventsOfTwoAspectsOnlyTheHigherNumberedIsHandled) {
    // Mercury, at more than 2° a day, leaves the square's 14° orb around the natal point
    // (104°) and enters the trine's (106°) within 26 June 2017. The trine's entry is
    // recorded; the square's block is printed without its outer end.
    ScanHarness h;
    h.SetOrbs(14, 13, 2);
    h.Personal(kMercury, kVenus, 356.03 * kDegree, Jdn(2017, 6, 13), Jdn(2017, 7, 20));
    h.Run();
    const double orb = 14 * kDegree;
    EXPECT_LT(DeviationAtMidnight(h.request, Jdn(2017, 6, 26), kSquare), orb);
    EXPECT_GE(DeviationAtMidnight(h.request, Jdn(2017, 6, 27), kSquare), orb);
    EXPECT_GE(DeviationAtMidnight(h.request, Jdn(2017, 6, 26), kTrine), orb);
    EXPECT_LT(DeviationAtMidnight(h.request, Jdn(2017, 6, 27), kTrine), orb);
    EXPECT_EQ(h.TransitRows(),
              (Rows{{"Square", "2017-06-13", "", "2017-06-18", "2017-06-19*", "2017-06-20",
                     "2017-06-25", "", "14:33 GMT"},
                    {"Trine", "2017-06-26", "2017-06-27", "2017-07-02", "2017-07-03*", "2017-07-04",
                     "", "2017-07-11", "21:36 GMT"}}));
}

TEST(OrbEvents, FifteenDegreeOuterOrbHandsOverToTheNeighbouringAspect) {
    // Mars and Jupiter pass 75° (sextile out, square in) between the midnights of 17 and
    // 18 June 2009, and 105° (square out, trine in) between those of 25 and 26 July. On
    // 25 July the trine's events would win as the higher-numbered aspect, but its hand-over
    // entry does not count, so the square's exit is what that day records.
    const auto separation = [](int32_t day) {
        const double t = LocalMidnight(day, 0);
        return Separation(PlanetLongitude(kMars, t, Zodiac::Tropical),
                          PlanetLongitude(kJupiter, t, Zodiac::Tropical)) /
               kDegree;
    };
    EXPECT_LT(separation(Jdn(2009, 6, 17)), 75);
    EXPECT_GT(separation(Jdn(2009, 6, 18)), 75);
    EXPECT_LT(separation(Jdn(2009, 7, 25)), 105);
    EXPECT_GT(separation(Jdn(2009, 7, 26)), 105);

    ScanHarness h;
    h.SetOrbs(15, 5, 2);
    h.World(kMars, kJupiter, Jdn(2009, 5, 1), Jdn(2009, 8, 31));
    h.Run();
    const Rows rows = h.TransitRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][kAspectColumn], "Sextile");
    EXPECT_EQ(rows[0][kEndOuterColumn], "2009-06-17");
    EXPECT_EQ(rows[1][kAspectColumn], "Square");
    EXPECT_EQ(rows[1][kStartOuterColumn], "2009-06-17");
    EXPECT_EQ(rows[1][kMinimumAtColumn], "2009-07-06*");
    EXPECT_EQ(rows[1][kEndOuterColumn], "2009-07-25");
    EXPECT_EQ(rows[2][kAspectColumn], "Trine");
    EXPECT_EQ(rows[2][kStartOuterColumn], "2009-07-25");

    // On the last day of the period no block is begun.
    h.World(kMars, kJupiter, Jdn(2009, 5, 1), Jdn(2009, 6, 17));
    h.Run();
    ASSERT_EQ(h.TransitRows().size(), 1u);
    EXPECT_EQ(h.Pane(), Header(h) + TextRowLayout(rows[0]));
    h.World(kMars, kJupiter, Jdn(2009, 5, 1), Jdn(2009, 6, 18));
    h.Run();
    EXPECT_EQ(h.TransitRows(),
              (Rows{rows[0], {"Square", "2009-06-17", "", "", "", "", "", "", ""}}));
}

TEST(Minima, ExactTimeIsGivenInTheResultsTimezone) {
    struct Case {
        int16_t tzMinutes;
        const char* timezone;
        const char* day;
        const char* time;
    };
    for (const Case& c : {Case{0, "GMT", "2009-02-17*", "16:27 GMT"},
                          Case{330, "GMT+5:30", "2009-02-17*", "21:57 GMT+5:30"},
                          Case{-300, "EST/CDT", "2009-02-17*", "11:27 EST/CDT"},
                          Case{540, "GMT+9:00", "2009-02-18*", "01:27 GMT+9:00"}}) {
        ScanHarness h;
        h.request.tzMinutes = c.tzMinutes;
        h.window.resultsTimezone = c.timezone;
        h.World(kMars, kJupiter, Jdn(2009, 2, 1), Jdn(2009, 3, 31));
        h.Run();
        const Rows rows = h.TransitRows();
        ASSERT_EQ(rows.size(), 1u) << c.timezone;
        EXPECT_EQ(rows[0][kMinimumAtColumn], c.day) << c.timezone;
        EXPECT_EQ(rows[0][kMinimumColumn], c.time) << c.timezone;
    }
}

TEST(Minima, ClosestApproachShortOfExactGivesItsDayAndAngle) {
    // Mars turned retrograde at about 09:00 UT on 20 December 2009. The natal point lies
    // 0.5° beyond Mars at the following midnight, the closest of all midnights, so the
    // minimum is the station day with its retrograde mark, not the 21st.
    const double atMidnight = PlanetLongitude(kMars, Jdn(2009, 12, 21) - 0.5, Zodiac::Tropical);
    ScanHarness h;
    h.Personal(kMars, kSun, atMidnight + 0.5 * kDegree, Jdn(2009, 11, 1), Jdn(2010, 2, 28));
    h.Run();
    const Rows rows = h.TransitRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][kMinimumAtColumn], "2009-12-20r");
    EXPECT_EQ(rows[0][kMinimumColumn], "0°30'");
    EXPECT_EQ(rows[0][kEndOuterColumn].back(), 'r');
}

TEST(Minima, PassageWithoutAMidnightMinimumIsSearchedFromItsClosestMidnight) {
    // The only midnight inside the 2° orb is that of 30 October, the day the pair leaves it.
    ScanHarness world;
    world.World(kSun, kMercury, Jdn(2000, 10, 1), Jdn(2000, 11, 30));
    world.Run();
    EXPECT_EQ(world.TransitRows(),
              (Rows{{"Conjunction", "2000-10-25", "2000-10-27", "2000-10-29", "2000-10-30*",
                     "2000-10-30", "2000-11-01", "2000-11-03", "02:09 GMT"}}));
    const PairDeviation conjunction(kSun, kMercury, true, 0, kConjunction, Zodiac::Tropical);
    EXPECT_LT(*conjunction.At(Jdn(2000, 10, 30) - 0.5 + (2 * 60 + 9) / 1440.0), kExactDeviation);

    // Born 7 March 1950 at 14:30 GMT+1. Mercury, at 2° a day, is inside the 3° orb of the
    // trine at the midnights of 4 and 5 July 2023, the second one the closer. The trine is
    // exact at 13:46:39 UT, and the minute nearest to it is printed.
    const double natalSun =
        PlanetLongitude(kSun, Jdn(1950, 3, 7) - 0.5 + 13.5 / 24, Zodiac::Tropical);
    ScanHarness personal;
    personal.SetOrbs(10, 5, 3);
    personal.Personal(kMercury, kSun, natalSun, Jdn(2023, 6, 1), Jdn(2023, 7, 31));
    personal.Run();
    const Rows rows = personal.TransitRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], (TableRow{"Trine", "2023-06-29", "2023-07-02", "2023-07-03", "2023-07-04*",
                                 "2023-07-05", "2023-07-06", "2023-07-09", "13:47 GMT"}));
    const PairDeviation trine(kMercury, kSun, false, natalSun, kTrine, Zodiac::Tropical);
    const double arcsecond = kDegree / 3600;
    EXPECT_LT(*trine.At(Jdn(2023, 7, 4) - 0.5 + (13 * 3600 + 46 * 60 + 39) / 86400.0), arcsecond);
}

TEST(Minima, RunBeginningOnTheDayTheInnerOrbIsLeftStillFindsItsMinimum) {
    // As the first-transit search runs a scan: from its start, which is not moved back.
    ScanHarness h;
    h.World(kSun, kMercury, Jdn(2000, 10, 30), Jdn(2000, 11, 30));
    h.Run(false);
    EXPECT_EQ(h.TransitRows(), (Rows{{"Conjunction", "", "", "", "2000-10-30*", "2000-10-30",
                                      "2000-11-01", "2000-11-03", "02:09 GMT"}}));
}

TEST(Minima, NoPassageThroughTheInnerOrbShowsAnAngleOutsideIt) {
    struct Setting {
        std::array<int16_t, 3> orbs;
        int16_t tzMinutes;
    };
    const Setting settings[] = {{{10, 5, 2}, 0}, {{10, 5, 3}, 330}, {{6, 3, 1}, -300}};
    const std::pair<BodyCode, BodyCode> worldPairs[] = {
        {kSun, kMercury}, {kSun, kVenus}, {kMercury, kVenus}, {kMercury, kMars}, {kMoon, kSun}};
    for (const Setting& setting : settings) {
        const auto run = [&setting](ScanHarness& h) {
            SCOPED_TRACE(h.window.RunTitle() + " tz " + std::to_string(setting.tzMinutes));
            h.SetOrbs(setting.orbs[0], setting.orbs[1], setting.orbs[2]);
            h.request.tzMinutes = setting.tzMinutes;
            h.Run();
            ExpectMinimaInsideTheInnerOrb(h);
        };
        for (const auto& [first, second] : worldPairs) {
            ScanHarness h;
            h.World(first, second, Jdn(2000, 1, 1), Jdn(2007, 12, 31));
            run(h);
        }
        for (const BodyCode body : {kSun, kMercury, kVenus, kMars, kMoon}) {
            for (const double natal : {3.5, 97.25, 211.0, 300.75}) {
                ScanHarness h;
                h.Personal(body, kSun, natal * kDegree, Jdn(2010, 1, 1), Jdn(2013, 12, 31));
                run(h);
            }
        }
    }
}

// The number of times two bodies came to the same longitude between the midnights (GMT) of
// a period.
int CountConjunctions(BodyCode first, BodyCode second, int32_t startJdn, int32_t endJdn) {
    const auto signedGap = [&](int32_t day) {
        const double t = LocalMidnight(day, 0);
        return std::remainder(PlanetLongitude(first, t, Zodiac::Tropical) -
                                  PlanetLongitude(second, t, Zodiac::Tropical),
                              kFullTurn);
    };
    int count = 0;
    for (int32_t day = startJdn; day <= endJdn; ++day) {
        const double today = signedGap(day), tomorrow = signedGap(day + 1);
        count += (today < 0) != (tomorrow < 0) && std::abs(today - tomorrow) < 1;
    }
    return count;
}

TEST(Minima, EveryConjunctionOfSunAndMercuryThroughTheInnerOrbIsExact) {
    const int32_t start = Jdn(2000, 1, 1), end = Jdn(2019, 12, 31);
    ScanHarness runs[2];
    for (int literal = 0; literal < 2; ++literal) {
        runs[literal].World(kSun, kMercury, start, end);
        runs[literal].scan.literalMinuteSearch = literal == 1;
        runs[literal].Run();
    }
    EXPECT_EQ(runs[0].Pane(), runs[1].Pane());
    EXPECT_EQ(runs[0].scan.minuteSearchStats.searches, runs[1].scan.minuteSearchStats.searches);

    const PairDeviation pair(kSun, kMercury, true, 0, kConjunction, Zodiac::Tropical);
    int throughInnerOrb = 0;
    for (const TableRow& row : runs[0].TransitRows()) {
        if (row[kStartInnerColumn].empty() && row[kEndInnerColumn].empty()) {
            continue;
        }
        ++throughInnerOrb;
        ASSERT_NE(row[kMinimumAtColumn].find('*'), std::string::npos) << TextRowLayout(row);
        int hours = 0, minutes = 0;
        ASSERT_EQ(std::sscanf(row[kMinimumColumn].c_str(), "%d:%d", &hours, &minutes), 2);
        // The time text is rounded to the minute: the exact minute is it or a neighbour.
        const double t = DayOf(row[kMinimumAtColumn]) - 0.5 + (hours * 60 + minutes) / 1440.0;
        EXPECT_LT(std::min({*pair.At(t - 1 / 1440.0), *pair.At(t), *pair.At(t + 1 / 1440.0)}),
                  kExactDeviation)
            << TextRowLayout(row);
    }
    // Mercury never passes the Sun so fast that no midnight falls inside the 2° orb.
    EXPECT_EQ(throughInnerOrb, CountConjunctions(kSun, kMercury, start, end));
}

TEST(RangeEdges, MidnightsWithoutAPositionMakeNoEvent) {
    // Half past five east of Greenwich, the midnight that begins 1600-01-01 comes before
    // the Pluto table's first day; taken as a longitude it would read as an entry.
    ScanHarness h;
    h.request.tzMinutes = 330;
    h.Personal(kPluto, kSun, 22 * kDegree, Jdn(1600, 1, 1), Jdn(1600, 12, 31));
    h.Run();
    EXPECT_EQ(h.request.startJdn, Jdn(1600, 1, 1));
    Rows rows = h.TransitRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (TableRow{"Conjunction", "", "", "", "1600-03-10*", "1600-06-15", "", "",
                                 "05:30 GMT"}));

    // Pluto stands still at 21°17' in January 1600: the start moves back to the table's
    // first day and no further.
    h.request.tzMinutes = 0;
    h.Personal(kPluto, kSun, 21.3 * kDegree, Jdn(1600, 1, 5), Jdn(1600, 1, 31));
    h.Run();
    EXPECT_EQ(h.request.startJdn, Jdn(1600, 1, 1));

    // Inside the inner orb on the table's last day, whose next midnight has no position.
    h.Personal(kPluto, kSun, 33.4167 * kDegree, Jdn(2099, 1, 1), Jdn(2099, 12, 31));
    h.Run();
    rows = h.TransitRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (TableRow{"", "", "", "", "2099-10-22*r", "", "", "", "23:57 GMT"}));
}

TEST(ScanInvariants, OrbsNestAndBothMinuteSearchesAgreeOnRandomRuns) {
    std::mt19937 random(20240611);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 30; ++i) {
        ScanHarness runs[2];
        const bool world = pick(0, 1) == 1;
        const BodyCode first = pick(kSun, kPluto);
        const BodyCode second = world ? (first + pick(0, 7)) % kPluto + 1 : pick(kSun, kMoon);
        const int32_t start = Jdn(pick(1900, 2090), pick(1, 12), pick(1, 28));
        const int16_t outer = pick(3, 15), middle = pick(2, outer - 1), inner = pick(1, middle - 1);
        const int16_t tzMinutes = (pick(1, 47) - 24) * 30;
        const double natal = pick(0, 359999) / 1000.0 * kDegree;
        const bool siderealRun = !world && pick(0, 1) == 1;
        for (int literal = 0; literal < 2; ++literal) {
            ScanHarness& h = runs[literal];
            h.SetOrbs(outer, middle, inner);
            h.request.tzMinutes = tzMinutes;
            h.request.sidereal = siderealRun;
            if (world) {
                h.World(first, second, start, start + 730);
            } else {
                h.Personal(first, second, natal, start, start + 730);
            }
            h.scan.literalMinuteSearch = literal == 1;
            h.Run();
        }
        SCOPED_TRACE(runs[0].window.RunTitle() + " natal " + std::to_string(natal / kDegree) +
                     " tz " + std::to_string(tzMinutes) + " orbs " + std::to_string(outer) + " " +
                     std::to_string(middle) + " " + std::to_string(inner) +
                     (siderealRun ? " sidereal" : ""));
        EXPECT_EQ(runs[0].Pane(), runs[1].Pane());
        ExpectMinimaInsideTheInnerOrb(runs[0]);
        for (const TableRow& row : runs[0].TransitRows()) {
            // Starts from the outer orb inwards, then ends from the inner orb outwards.
            int32_t previous = 0;
            for (const int column : {kStartOuterColumn, kStartMiddleColumn, kStartInnerColumn,
                                     kEndInnerColumn, kEndMiddleColumn, kEndOuterColumn}) {
                if (!row[column].empty()) {
                    EXPECT_LE(previous, DayOf(row[column])) << TextRowLayout(row);
                    previous = DayOf(row[column]);
                }
            }
            const std::string& minimum = row[kMinimumAtColumn];
            if (minimum.find('*') != std::string::npos && !row[kStartInnerColumn].empty() &&
                !row[kEndInnerColumn].empty()) {
                EXPECT_LE(DayOf(row[kStartInnerColumn]), DayOf(minimum)) << TextRowLayout(row);
                EXPECT_LE(DayOf(minimum), DayOf(row[kEndInnerColumn])) << TextRowLayout(row);
            }
        }
    }
}

TEST(RunEnd, StopOnTheFirstDayLeavesTheHeaderAndStopped) {
    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31));
    h.window.onYield = [&h](int n) { h.flags.stopRequested = n == 1; };
    h.Run();
    EXPECT_EQ(h.Pane(), Header(h) + "Stopped");
    EXPECT_TRUE(h.window.boxes.boxes.empty());
    EXPECT_EQ(h.window.events, (std::vector<std::string>{"running", "idle"}));
    EXPECT_FALSE(h.window.shortDateVisible);
    EXPECT_FALSE(h.flags.stopRequested);
}

TEST(RunEnd, StopLeavesTheBlockInProgressOutAndTheHtmlFileComplete) {
    ScanHarness h;
    const auto html = h.UseHtmlFile("zenthra-scan-stop.html");
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31));
    // Stop clicked while 1 July is being scanned; the square began on 23 June.
    const int julyFirst = Jdn(2009, 7, 1) - Jdn(2009, 1, 1) + 1;
    h.window.onYield = [&h, julyFirst](int n) { h.flags.stopRequested = n == julyFirst; };
    h.Run();
    const Rows rows = h.TransitRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][kAspectColumn], "Sextile");
    EXPECT_EQ(rows[2][kAspectColumn], "Square");
    EXPECT_EQ(h.Pane(), Header(h) + TextRowLayout(rows[0]) + TextRowLayout(rows[1]) + "Stopped");
    EXPECT_EQ(ReadFile(html), HtmlTableHead(h.window.RunTitle(), h.request.orbDegrees) +
                                  HtmlRowLayout(rows[0]) + HtmlRowLayout(rows[1]) + kHtmlTableEnd +
                                  kCrLf);
    EXPECT_EQ(h.window.events, (std::vector<std::string>{"running", "idle"}));
}

TEST(RunEnd, FullPaneStopsTheBlockAfterTheRowItRefuses) {
    ScanHarness h;
    MarsLoopOf2009(h, Jdn(2010, 6, 30));
    // Fill the pane to its limit: one row more is still accepted.
    h.window.onYield = [&h](int n) {
        if (n == 1) {
            h.pane.Append(std::string(OutputPane::kWindowCapacity - h.pane.Length(), 'x'));
        }
    };
    h.Run();
    ASSERT_EQ(h.window.boxes.boxes.size(), 1u);
    EXPECT_EQ(h.window.boxes.boxes[0].text, "Output textbox is full.");
    EXPECT_EQ(h.window.boxes.boxes[0].icon, MsgIcon::Exclamation);
    const std::string ending =
        TextRowLayout(h.table.Row(kFirstTransitRow)) + "Textbox is full -- Stopped";
    EXPECT_EQ(h.Pane().substr(h.Pane().size() - ending.size()), ending);
    EXPECT_TRUE(h.flags.runAborted);
    EXPECT_FALSE(h.flags.stopRequested);
    EXPECT_EQ(h.window.events, (std::vector<std::string>{"running", "idle"}));
}

TEST(RunEnd, PaneFillingUpOnTheLastDayEndsAsAStop) {
    ScanHarness h;
    // The triple pass is still in progress at the end; its block is printed at the very end.
    const int32_t end = Jdn(2010, 3, 31);
    MarsLoopOf2009(h, end);
    h.window.onYield = [&h, end](int n) {
        if (n == static_cast<int>(end - h.request.startJdn + 1)) {
            h.pane.Append(std::string(OutputPane::kWindowCapacity - h.pane.Length(), 'x'));
        }
    };
    h.Run();
    ASSERT_EQ(h.window.boxes.boxes.size(), 1u);
    const std::string ending =
        TextRowLayout(h.table.Row(kFirstTransitRow)) + "Textbox is full -- Stopped";
    EXPECT_EQ(h.Pane().substr(h.Pane().size() - ending.size()), ending);
    EXPECT_FALSE(h.flags.stopRequested);
    EXPECT_EQ(h.window.events, (std::vector<std::string>{"running", "idle"}));
}

TEST(RunEnd, NoTransitsIsWrittenAndReported) {
    // Between the conjunction and the sextile of 2009 Mars and Jupiter are in no orb.
    ScanHarness h;
    const auto html = h.UseHtmlFile("zenthra-scan-none.html");
    h.World(kMars, kJupiter, Jdn(2009, 3, 15), Jdn(2009, 4, 30));
    h.Run();
    EXPECT_EQ(h.Pane(), Header(h) + "No transits in this period." + kCrLf);
    ASSERT_EQ(h.window.boxes.boxes.size(), 1u);
    EXPECT_EQ(h.window.boxes.boxes[0].text,
              "There are no transits of this kind in the period specified.");
    EXPECT_EQ(h.window.boxes.boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(h.window.boxes.boxes[0].title, "No transits");
    EXPECT_EQ(h.window.events, (std::vector<std::string>{"running", "idle"}));
    EXPECT_TRUE(h.window.appendVisible);
    EXPECT_EQ(ReadFile(html),
              HtmlTableHead(h.window.RunTitle(), h.request.orbDegrees) + kHtmlTableEnd + kCrLf);

    // Show-all runs end quietly, and their world runs mark no retrograde dates.
    ScanHarness all;
    all.request.showAllMode = true;
    all.World(kMars, kJupiter, Jdn(2009, 3, 15), Jdn(2009, 4, 30));
    all.Run();
    EXPECT_NE(all.Pane().find("No transits in this period."), std::string::npos);
    all.World(kMars, kJupiter, Jdn(2009, 11, 1), Jdn(2009, 12, 31));
    all.Run();
    EXPECT_EQ(all.TransitRows(), (Rows{{"Opposition", "2009-11-02", "2009-11-20", "", "2009-12-07",
                                        "", "2009-12-23", "", "3°16'"}}));
    EXPECT_TRUE(all.window.boxes.boxes.empty());
    EXPECT_EQ(all.window.events, (std::vector<std::string>{"running", "idle", "running", "idle"}));
}

TEST(RunEnd, PaneEmptiedDuringTheRunGivesTheWindowItsNormalLayout) {
    // The pane stays editable while a run goes on; here its text is deleted on the last
    // day, after the only transit has been printed.
    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 4, 30));
    const int lastDay = Jdn(2009, 4, 30) - Jdn(2009, 1, 1) + 1;
    h.window.onYield = [&h, lastDay](int n) {
        if (n == lastDay) {
            h.pane.Clear();
        }
    };
    h.Run();
    EXPECT_EQ(h.window.events,
              (std::vector<std::string>{"running", "idle", "done", "normal layout"}));
    EXPECT_FALSE(h.window.appendTicked);
    EXPECT_FALSE(h.window.appendVisible);
}

TEST(RunEnd, NextRunAppendsBelowASeparatorOrReplacesThePane) {
    ScanHarness alone;
    alone.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 4, 30));
    alone.Run();

    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 3, 15), Jdn(2009, 4, 30));
    h.Run();
    const std::string first = h.Pane();
    h.request.appendToOutput = true;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 4, 30));
    h.Run();
    EXPECT_EQ(h.Pane(), first + kCrLf + std::string(119, '-') + kCrLf + alone.Pane());
    h.request.appendToOutput = false;
    h.Run();
    EXPECT_EQ(h.Pane(), alone.Pane());
}

}  // namespace
}  // namespace zenthra
