// The transits a run hands out as values: in the order of the sky, nested as the orbs are,
// and rendering to exactly the cells the run printed.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "engine/AspectGeometry.h"
#include "engine/ExactMinimum.h"
#include "engine/ScanHarness.h"
#include "report/TransitCells.h"

namespace zenthra {
namespace {

using testing::Jdn;
using testing::ScanHarness;

constexpr double kDegree = kFullTurn / 360;
constexpr int32_t kOpen = std::numeric_limits<int32_t>::max();

// The days a passage spans; a missing end leaves that side open.
struct Span {
    int32_t from;
    int32_t to;
    bool Holds(int32_t day) const { return from <= day && day <= to; }
};

Span SpanOf(const OrbPassage& p) {
    return {p.entry ? p.entry->day : -kOpen, p.exit ? p.exit->day : kOpen};
}

int32_t MinimumDay(const TransitRun& run, const TransitMinimum& m) {
    if (const auto* exact = std::get_if<ExactMinimum>(&m.value)) {
        return ToLocalInstant(exact->instant, run.tzMinutes).day;
    }
    return std::get<DailyMinimum>(m.value).day;
}

// The blocks of the run rendered one below the other, each without a repeated aspect name.
std::vector<TableRow> RenderedRows(const TransitRun& run) {
    std::vector<TableRow> rows;
    for (size_t i = 0; i < run.transits.size(); ++i) {
        const bool nameShown = i == 0 || run.transits[i - 1].aspect != run.transits[i].aspect;
        for (const TableRow& row : TransitBlockRows(run, run.transits[i], nameShown)) {
            rows.push_back(row);
        }
    }
    return rows;
}

void ExpectOrderedAndNested(const ScanHarness& h) {
    const TransitRun& run = h.scan.Transits();
    for (const Transit& t : run.transits) {
        SCOPED_TRACE(TextRowLayout(TransitBlockRows(run, t, true)[0]));
        EXPECT_GE(t.aspect, 1);
        EXPECT_LE(t.aspect, kAspectsInUse);
        EXPECT_EQ(t.firstBody, h.request.firstBody);
        EXPECT_EQ(t.secondBody, h.request.secondBody);
        for (const OrbPassage& p : t.passages) {
            const Span span = SpanOf(p);
            EXPECT_TRUE(p.entry || p.exit);
            EXPECT_LT(span.from, span.to);
            for (const auto& end : {p.entry, p.exit}) {
                if (end) {
                    EXPECT_TRUE((Span{h.request.startJdn, h.request.endJdn}.Holds(end->day)));
                }
            }
            if (p.orb == kOuterOrb) {
                EXPECT_EQ(p.line, 0);
                continue;
            }
            // Inside a passage through each wider orb the transit records. An end the scan did
            // not record (an orb crossed on the day a wider one was) bounds nothing; a fast
            // body may cross a whole orb between two midnights.
            for (int wider = kOuterOrb; wider < p.orb; ++wider) {
                bool recorded = false, nested = false;
                for (const OrbPassage& q : t.passages) {
                    if (q.orb == wider) {
                        recorded = true;
                        nested = nested || ((!p.entry || SpanOf(q).Holds(span.from)) &&
                                            (!p.exit || SpanOf(q).Holds(span.to)));
                    }
                }
                EXPECT_TRUE(nested || !recorded) << "orb " << p.orb << " line " << p.line;
            }
        }
        for (const TransitMinimum& m : t.minima) {
            const int32_t day = MinimumDay(run, m);
            for (const OrbPassage& p : t.passages) {
                if (p.line == m.line || p.orb == kOuterOrb) {
                    EXPECT_TRUE(SpanOf(p).Holds(day)) << "minimum on line " << m.line;
                }
            }
            if (const auto* exact = std::get_if<ExactMinimum>(&m.value)) {
                const PairDeviation pair(t.firstBody, t.secondBody, h.request.isWorld,
                                         h.request.natalLongitude[t.secondBody], t.aspect,
                                         BasisOf(h.request));
                EXPECT_LT(*pair.At(exact->instant), kExactDeviation);
            }
        }
        for (size_t i = 1; i < t.minima.size(); ++i) {
            EXPECT_LT(t.minima[i - 1].line, t.minima[i].line);
            EXPECT_LE(MinimumDay(run, t.minima[i - 1]), MinimumDay(run, t.minima[i]));
        }
    }
}

TEST(TransitValues, RandomRunsAreOrderedNestedAndRenderToTheirCells) {
    std::mt19937 random(20261208);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 25; ++i) {
        ScanHarness h;
        const bool world = pick(0, 1) == 1;
        const BodyCode first = pick(kSun, kPluto);
        const BodyCode second = world ? (first + pick(0, 7)) % kPluto + 1 : pick(kSun, kMoon);
        const int32_t start = Jdn(pick(1900, 2090), pick(1, 12), pick(1, 28));
        const int16_t outer = pick(3, 15), middle = pick(2, outer - 1), inner = pick(1, middle - 1);
        h.SetOrbs(outer, middle, inner);
        h.request.tzMinutes = static_cast<int16_t>((pick(1, 47) - 24) * 30);
        if (world) {
            h.World(first, second, start, start + 730);
        } else {
            h.Personal(first, second, pick(0, 359999) / 1000.0 * kDegree, start, start + 730);
        }
        h.Run();
        SCOPED_TRACE(h.window.RunTitle() + " orbs " + std::to_string(outer) + " " +
                     std::to_string(middle) + " " + std::to_string(inner));
        EXPECT_EQ(h.scan.Transits().tzMinutes, h.request.tzMinutes);
        EXPECT_EQ(RenderedRows(h.scan.Transits()), h.TransitRows());
        ExpectOrderedAndNested(h);
    }
}

TEST(TransitValues, RetrogradeTriplePassIsOneTransitWithThreeInnerPassages) {
    ScanHarness h;
    MarsLoopOf2009(h, Jdn(2010, 6, 30));
    h.request.tzMinutes = 330;
    h.window.resultsTimezone = "GMT+5:30";
    h.Run();
    const TransitRun& run = h.scan.Transits();
    EXPECT_EQ(run.timezoneText, "GMT+5:30");
    ASSERT_EQ(run.transits.size(), 1u);
    const Transit& t = run.transits[0];
    EXPECT_EQ(t.aspect, kConjunction);
    EXPECT_EQ(t.firstBody, kMars);
    EXPECT_EQ(t.secondBody, kSun);

    std::vector<std::tuple<int, int, int32_t, int32_t, bool>> passages;
    for (const OrbPassage& p : t.passages) {
        ASSERT_TRUE(p.entry && p.exit);
        EXPECT_EQ(p.entry->retrograde, p.exit->retrograde);
        passages.emplace_back(p.orb, p.line, p.entry->day, p.exit->day, p.entry->retrograde);
    }
    const std::vector<std::tuple<int, int, int32_t, int32_t, bool>> expected{
        {kOuterOrb, 0, Jdn(2009, 10, 12), Jdn(2010, 5, 22), false},
        {kMiddleOrb, 0, Jdn(2009, 10, 16), Jdn(2010, 5, 18), false},
        {kInnerOrb, 0, Jdn(2009, 11, 3), Jdn(2009, 11, 13), false},
        {kInnerOrb, 1, Jdn(2010, 1, 24), Jdn(2010, 2, 3), true},
        {kInnerOrb, 2, Jdn(2010, 4, 19), Jdn(2010, 4, 29), false}};
    EXPECT_EQ(passages, expected);

    // Exact to the minute: 22:09, 13:01 and 19:44 in GMT+5:30.
    ASSERT_EQ(t.minima.size(), 3u);
    const std::array<double, 3> local = {Jdn(2009, 11, 7) - 0.5 + (22 * 60 + 9) / 1440.0,
                                         Jdn(2010, 1, 29) - 0.5 + (13 * 60 + 1) / 1440.0,
                                         Jdn(2010, 4, 24) - 0.5 + (19 * 60 + 44) / 1440.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.minima[i].line, i);
        const auto* exact = std::get_if<ExactMinimum>(&t.minima[i].value);
        ASSERT_NE(exact, nullptr);
        EXPECT_NEAR(exact->instant + 330 / 1440.0, local[i], 1e-6);
        EXPECT_EQ(exact->retrograde, i == 1);
    }
}

TEST(TransitValues, ShowAllWorldRunsKeepTheRetrogradeFlagsTheyDoNotPrint) {
    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31));
    h.request.showAllMode = h.window.title.showAllMode = true;
    h.Run();
    const TransitRun& run = h.scan.Transits();
    EXPECT_FALSE(run.retrogradeMarked);
    // The opposition of December is still open at the end of the year, Mars retrograde
    // since the 20th when it left the 5° orb on the 23rd.
    ASSERT_FALSE(run.transits.empty());
    const Transit& last = run.transits.back();
    EXPECT_EQ(last.aspect, kOpposition);
    bool retrogradeExit = false;
    for (const OrbPassage& p : last.passages) {
        retrogradeExit = retrogradeExit || (p.exit && p.exit->day == Jdn(2009, 12, 23) &&
                                            p.orb == kMiddleOrb && p.exit->retrograde);
    }
    EXPECT_TRUE(retrogradeExit);
    for (const TableRow& row : h.TransitRows()) {
        for (int c = kStartOuterColumn; c <= kEndOuterColumn; ++c) {
            EXPECT_EQ(row[c].find('r'), std::string::npos) << TextRowLayout(row);
        }
    }
    EXPECT_EQ(RenderedRows(run), h.TransitRows());
}

TEST(TransitValues, AStoppedRunHandsOutTheTransitsItPrinted) {
    ScanHarness h;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31));
    h.window.onYield = [&h](int yields) { h.flags.stopRequested = yields == 200; };
    h.Run();
    ASSERT_NE(h.Pane().find("Stopped"), std::string::npos);
    const TransitRun& run = h.scan.Transits();
    ASSERT_FALSE(run.transits.empty());
    for (const Transit& t : run.transits) {
        const auto outer = std::find_if(t.passages.begin(), t.passages.end(),
                                        [](const OrbPassage& p) { return p.orb == kOuterOrb; });
        ASSERT_NE(outer, t.passages.end());
        ASSERT_TRUE(outer->exit);
        EXPECT_LT(outer->exit->day, Jdn(2009, 1, 1) + 199);
    }
    // Each printed row is one of theirs, in order.
    const std::vector<TableRow> rows = RenderedRows(run);
    const std::string& pane = h.Pane();
    size_t at = 0;
    for (const TableRow& row : rows) {
        at = pane.find(TextRowLayout(row), at);
        ASSERT_NE(at, std::string::npos) << TextRowLayout(row);
    }

    // The next run starts from nothing.
    h.window.onYield = nullptr;
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 1, 10));
    h.Run();
    EXPECT_TRUE(h.scan.Transits().transits.empty());
}

}  // namespace
}  // namespace zenthra
