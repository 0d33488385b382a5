// The window's "Precise Pluto" and "Stations and ingresses" boxes. With the first, Pluto's exact
// times are where a minute-by-minute search on the ephemeris finds them, hits the rounded table
// misses are found, the title says so, and the planets' range replaces the table's. The second
// appends the stations and ingresses to each run. Both are saved with the window's state.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <array>
#include <cmath>
#include <memory>

#include "ui/MemorySettingsStore.h"
#include "ui/RunFixture.h"

namespace zenthra {
namespace {

using testing::FakePlatform;
using testing::kGmt;
using testing::RunFixture;

constexpr int kPlutoIndex = 8;  // of the transiting bodies, Sun first
constexpr int kVenusIndex = 2;  // of the natal bodies
constexpr int kGmtPlusOne = kGmt + 2;
constexpr double kMinute = 1.0 / 1440;

class PrecisePlutoTest : public RunFixture {
  protected:
    // Pluto transiting the natal Venus of a birth on 1950-03-07, 14:30 GMT+1; results in GMT.
    void PlutoToVenus(const std::string& start, const std::string& end, bool precise) {
        testing::SetDate(w, 2, "1950-3-7");
        w.cboHour.SetListIndex(15);
        w.cboMinute.SetListIndex(7);
        w.cboTimezone[1].SetListIndex(kGmtPlusOne);
        w.cboTimezone[0].SetListIndex(kGmt);
        w.cboPlanet[0].SetListIndex(kPlutoIndex);
        w.cboPlanet[1].SetListIndex(kVenusIndex);
        SetPeriod(start, end);
        w.chkPrecisePluto.SetValue(precise ? 1 : 0);
    }

    std::vector<ExactMinimum> ExactMinima() const {
        std::vector<ExactMinimum> found;
        for (const Transit& transit : w.LastRunTransits().transits) {
            for (const TransitMinimum& m : transit.minima) {
                if (const auto* exact = std::get_if<ExactMinimum>(&m.value)) {
                    found.push_back(*exact);
                }
            }
        }
        return found;
    }
};

double SwissPlutoDegrees(double instant) {
    std::array<double, 6> position{};
    std::array<char, AS_MAXCH> error{};
    swe_calc_ut(instant, SE_PLUTO, SEFLG_SWIEPH, position.data(), error.data());
    return position[0];
}

// The deviation from the aspect, straight from the library, in degrees.
double SwissDeviation(double instant, double natalDegrees, double aspectDegrees) {
    const double apart = std::abs(std::remainder(SwissPlutoDegrees(instant) - natalDegrees, 360));
    return std::abs(apart - aspectDegrees);
}

TEST_F(PrecisePlutoTest, FindsTheConjunctionThatTheTablesRoundingHides) {
    PlutoToVenus("2027-1-1", "2027-12-31", false);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    EXPECT_EQ(w.Pane().Text().find("2027-04-13*"), std::string::npos);

    w.chkAppendToOutput.SetValue(0);
    PlutoToVenus("2027-1-1", "2027-12-31", true);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    const std::string& text = w.Pane().Text();
    EXPECT_NE(text.find("Pluto transits of natal Venus, Jan. 1, 2027, to Dec. 31, 2027, birth at "
                        "March 7, 1950, 14:30 GMT+1:00 (tropical) (precise Pluto)\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("| 2027-04-13*"), std::string::npos) << text;
    EXPECT_NE(text.find("| 06:48 GMT\r\n"), std::string::npos) << text;
}

// Every exact time of a decade is the minute at which the library's own Pluto comes closest.
TEST_F(PrecisePlutoTest, ExactTimesAreTheMinutesASearchOnTheEphemerisFinds) {
    PlutoToVenus("2020-1-1", "2034-12-31", true);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    const double natal = w.request.natalLongitude[kVenus] / kFullTurn * 360;
    const auto minima = ExactMinima();
    ASSERT_GE(minima.size(), 3u);
    for (const Transit& transit : w.LastRunTransits().transits) {
        const double angle = AspectAngle(transit.aspect) / kFullTurn * 360;
        for (const TransitMinimum& m : transit.minima) {
            const auto* exact = std::get_if<ExactMinimum>(&m.value);
            if (exact == nullptr) {
                continue;
            }
            // The search's own grid: whole minutes from the found one, a day either way.
            double best = 10;
            int bestMinute = 0;
            for (int k = -1440; k <= 1440; ++k) {
                const double d = SwissDeviation(exact->instant + k * kMinute, natal, angle);
                if (d < best) {
                    best = d;
                    bestMinute = k;
                }
            }
            EXPECT_LE(std::abs(bestMinute), 1) << exact->instant;
        }
    }
}

TEST_F(PrecisePlutoTest, RunsWherePlutosTableEnds) {
    PlutoToVenus("2150-1-1", "2150-12-31", false);
    EXPECT_FALSE(w.cmdStart_Click().IsDone());
    ASSERT_EQ(Shown(p).size(), 1u);
    EXPECT_EQ(Shown(p)[0], (testing::Box{"Start date is too late for Pluto.", MsgIcon::None, ""}));

    p.boxes.boxes.clear();
    PlutoToVenus("2150-1-1", "2150-12-31", true);
    EXPECT_TRUE(w.cmdStart_Click().IsDone());
    EXPECT_TRUE(w.request.precisePluto);
    for (const auto& box : Shown(p)) {
        EXPECT_EQ(box.text.find("too late"), std::string::npos) << box;
    }
}

TEST_F(PrecisePlutoTest, OffLeavesTheTitleAsItWas) {
    PlutoToVenus("2027-1-1", "2027-3-31", false);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    ASSERT_EQ(Titles().size(), 1u);
    EXPECT_FALSE(Titles()[0].ends_with("(precise Pluto)"));
    EXPECT_FALSE(w.request.precisePluto);
}

TEST_F(PrecisePlutoTest, TheEventsBoxAppendsTheStationsAndIngresses) {
    PlutoToVenus("2027-1-1", "2027-12-31", true);
    w.chkEvents.SetValue(1);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    EXPECT_TRUE(w.request.listEvents);
    const auto& events = w.LastRunTransits().events;
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, BodyEventKind::StationRetrograde);
    EXPECT_EQ(events[1].kind, BodyEventKind::StationDirect);
    EXPECT_NE(w.Pane().Text().find("\r\nStations and sign ingresses of Pluto\r\n"),
              std::string::npos);

    w.chkEvents.SetValue(0);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    EXPECT_TRUE(w.LastRunTransits().events.empty());
    EXPECT_EQ(w.Pane().Text().find("Stations and sign ingresses"), std::string::npos);
}

TEST_F(PrecisePlutoTest, TheTimelineCarriesTheStationsWhenTheRunListedThem) {
    PlutoToVenus("2027-1-1", "2027-12-31", true);
    w.chkEvents.SetValue(1);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    ASSERT_TRUE(w.cmdTimeline_Click().IsDone());
    ASSERT_EQ(p.timelines.size(), 1u);
    const auto& stations = p.timelines[0].stations;
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_EQ(stations[0].body, kPluto);
    EXPECT_TRUE(stations[0].retrograde);
    EXPECT_FALSE(stations[1].retrograde);
    EXPECT_LT(stations[0].at, stations[1].at);

    w.chkEvents.SetValue(0);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    ASSERT_TRUE(w.cmdTimeline_Click().IsDone());
    ASSERT_EQ(p.timelines.size(), 2u);
    EXPECT_TRUE(p.timelines[1].stations.empty());
}

TEST(PrecisePlutoState, TheBoxesAreSavedAndComeBack) {
    FakePlatform p;
    testing::MemorySettingsStore store;
    constexpr const char* kState = "Software\\Varnholt\\ZTA";
    {
        FrmMain first(p, OutputPane::kWindowCapacity, &store);
        first.Form_Load();
        first.chkPrecisePluto.SetValue(1);
        first.cmdSaveState_Click();
        EXPECT_EQ(store.Value(kState, "PrecisePluto"), "Y");
        EXPECT_EQ(store.Value(kState, "Events"), "N");
    }
    {
        FrmMain next(p, OutputPane::kWindowCapacity, &store);
        next.Form_Load();
        EXPECT_EQ(next.chkPrecisePluto.Value(), 1);
        EXPECT_EQ(next.chkEvents.Value(), 0);
    }
    // Anything but "Y" leaves a box unticked.
    store.Set(kState, "PrecisePluto", "yes");
    store.Set(kState, "Events", "Y");
    FrmMain last(p, OutputPane::kWindowCapacity, &store);
    last.Form_Load();
    EXPECT_EQ(last.chkPrecisePluto.Value(), 0);
    EXPECT_EQ(last.chkEvents.Value(), 1);
    EXPECT_TRUE(p.boxes.boxes.empty());
}

}  // namespace
}  // namespace zenthra
