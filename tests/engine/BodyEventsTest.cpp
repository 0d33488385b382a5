// Stations and sign ingresses: the published stations of Mars and Mercury, ingresses on both
// sides of a retrograde loop, a period that begins inside one, and the table a run appends.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "engine/AspectGeometry.h"
#include "engine/BodyEvents.h"
#include "engine/ScanHarness.h"
#include "report/EventTable.h"

namespace zenthra {
namespace {

using testing::Jdn;
using testing::ScanHarness;

constexpr double kMinute = 1.0 / 1440;
constexpr double kArcminute = kFullTurn / 360 / 60;

// Published times are whole minutes, some cut rather than rounded, and two sources of one
// station differ by two (tests/data/published-stations/README.md).
constexpr double kStationMinutes = 2;
// Published longitudes are rounded or cut to the arcminute.
constexpr double kLongitudeArcminutes = 1;

double Midnight(int32_t day) {
    return day - 0.5;
}

std::vector<BodyEvent> EventsOf(BodyCode body, int32_t from, int32_t to,
                                LongitudeBasis basis = {}) {
    return FindBodyEvents({body, from, to, Midnight, basis});
}

std::vector<BodyEventKind> Kinds(const std::vector<BodyEvent>& events) {
    std::vector<BodyEventKind> kinds;
    for (const BodyEvent& e : events) {
        kinds.push_back(e.kind);
    }
    return kinds;
}

using K = BodyEventKind;

struct PublishedStation {
    BodyCode body;
    BodyEventKind kind;
    int32_t day;
    std::optional<int> minuteOfDay;
    std::optional<double> longitude;  // radians
    std::string source;
};

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    return fields;
}

std::vector<PublishedStation> ReadPublished() {
    std::ifstream in(std::string(ZENTHRA_TEST_DATA_DIR) + "published-stations/stations.csv");
    std::vector<PublishedStation> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const auto f = Fields(line);
        PublishedStation row{f[0] == "Mars" ? kMars : kMercury,
                             f[1] == "R" ? K::StationRetrograde : K::StationDirect,
                             Jdn(std::stoi(f[2].substr(0, 4)), std::stoi(f[2].substr(5, 2)),
                                 std::stoi(f[2].substr(8, 2))),
                             std::nullopt,
                             std::nullopt,
                             f[7]};
        if (!f[3].empty()) {
            row.minuteOfDay = std::stoi(f[3].substr(0, 2)) * 60 + std::stoi(f[3].substr(3, 2));
        }
        if (!f[4].empty()) {
            int sign = 0;
            while (SignName(sign) != f[5]) {
                ++sign;
            }
            row.longitude = ((sign * 30 + std::stoi(f[4])) * 60 + std::stoi(f[6])) * kArcminute;
        }
        rows.push_back(row);
    }
    return rows;
}

class BodyEventsTest : public ::testing::Test {
  protected:
    ScanHarness h;  // the vocabularies and the data folder
};

TEST_F(BodyEventsTest, StationsOfMarsAndMercuryAreWherePublished) {
    const auto published = ReadPublished();
    ASSERT_EQ(published.size(), 10u);
    double worstMinutes = 0;
    double worstArcminutes = 0;
    for (const PublishedStation& p : published) {
        const auto events = EventsOf(p.body, p.day - 5, p.day + 5);
        const auto station = std::find_if(events.begin(), events.end(),
                                          [&p](const BodyEvent& e) { return e.kind == p.kind; });
        ASSERT_NE(station, events.end()) << p.source;
        EXPECT_EQ(std::count_if(events.begin(), events.end(),
                                [](const BodyEvent& e) { return e.kind != K::Ingress; }),
                  1)
            << p.source;
        const LocalInstant ut = ToLocalInstant(station->instant, 0);
        EXPECT_EQ(ut.day, p.day) << p.source;
        if (p.minuteOfDay) {
            const double minutes =
                std::abs(Midnight(p.day) + *p.minuteOfDay * kMinute - station->instant) / kMinute;
            EXPECT_LE(minutes, kStationMinutes) << p.source;
            worstMinutes = std::max(worstMinutes, minutes);
        }
        if (p.longitude) {
            const double arcminutes =
                std::abs(std::remainder(station->longitude - *p.longitude, kFullTurn)) / kArcminute;
            EXPECT_LE(arcminutes, kLongitudeArcminutes) << p.source;
            worstArcminutes = std::max(worstArcminutes, arcminutes);
        }
    }
    std::cout << "worst: " << worstMinutes << " minutes, " << worstArcminutes << " arcminutes\n";
}

// Mercury's loop of December 2023 takes it back from Capricorn into Sagittarius and on again.
TEST_F(BodyEventsTest, IngressesOnBothSidesOfARetrogradeReEntry) {
    const auto events = EventsOf(kMercury, Jdn(2023, 11, 25), Jdn(2024, 1, 20));
    ASSERT_EQ(Kinds(events), (std::vector{K::Ingress, K::StationRetrograde, K::Ingress,
                                          K::StationDirect, K::Ingress}));
    const std::vector<int> signs = {9, 8, 9};
    const std::vector<bool> backwards = {false, true, false};
    for (size_t i = 0, n = 0; i < events.size(); ++i) {
        const BodyEvent& e = events[i];
        if (e.kind != K::Ingress) {
            continue;
        }
        EXPECT_EQ(SignOf(e.longitude), signs[n]) << i;
        EXPECT_EQ(e.retrograde, backwards[n]) << i;
        // The event is the first minute in the new sign.
        EXPECT_EQ(SignOf(PlanetLongitude(kMercury, e.instant - kMinute, Zodiac::Tropical)),
                  signs[n] + (backwards[n] ? 1 : -1))
            << i;
        EXPECT_EQ(e.longitude, PlanetLongitude(kMercury, e.instant, Zodiac::Tropical));
        ++n;
    }
    EXPECT_EQ(SignPositionText(events[0].longitude), "0°0' Capricorn");
    EXPECT_EQ(SignPositionText(events[2].longitude), "29°59' Sagittarius");
    for (size_t i = 1; i < events.size(); ++i) {
        EXPECT_LT(events[i - 1].instant, events[i].instant);
    }
}

// Mars is retrograde in Leo on New Year's Day 2010: its direct station comes first, and it
// leaves Leo only in June.
TEST_F(BodyEventsTest, APeriodBeginningInsideARetrogradeStretch) {
    const auto events = EventsOf(kMars, Jdn(2010, 1, 1), Jdn(2010, 6, 30));
    ASSERT_EQ(Kinds(events), (std::vector{K::StationDirect, K::Ingress}));
    EXPECT_EQ(SignName(SignOf(events[1].longitude)), "Virgo");
    EXPECT_FALSE(events[1].retrograde);
}

TEST_F(BodyEventsTest, TheSunAndTheMoonHaveNoStations) {
    const auto sun = EventsOf(kSun, Jdn(2023, 1, 1), Jdn(2023, 12, 31));
    EXPECT_EQ(sun.size(), 12u);
    const auto moon = EventsOf(kMoon, Jdn(2023, 1, 1), Jdn(2023, 1, 31));
    EXPECT_GE(moon.size(), 13u);
    for (const auto& e : sun) {
        EXPECT_EQ(e.kind, K::Ingress);
        EXPECT_FALSE(e.retrograde);
    }
    for (const auto& e : moon) {
        EXPECT_EQ(e.kind, K::Ingress);
    }
}

// The events belong to the period: from the local midnight that begins it to the one that
// ends it, in the run's zone.
TEST_F(BodyEventsTest, OnlyEventsWithinThePeriodInItsZone) {
    // Mercury stations retrograde on 2023-12-13 at 07:09 UT: 12:39 in India, the day before
    // in Hawaii (21:09).
    const auto india = FindBodyEvents({kMercury,
                                       Jdn(2023, 12, 13),
                                       Jdn(2023, 12, 13),
                                       [](int32_t d) { return LocalMidnight(d, 330); },
                                       {}});
    ASSERT_EQ(Kinds(india), std::vector{K::StationRetrograde});
    const auto hawaii = FindBodyEvents({kMercury,
                                        Jdn(2023, 12, 13),
                                        Jdn(2023, 12, 13),
                                        [](int32_t d) { return LocalMidnight(d, -600); },
                                        {}});
    EXPECT_TRUE(hawaii.empty());
}

// Sidereal runs take their signs in the sidereal zodiac; the stations stay where they are.
TEST_F(BodyEventsTest, SiderealIngressesAreInTheSiderealSigns) {
    const auto tropical = EventsOf(kMars, Jdn(2020, 1, 1), Jdn(2020, 12, 31));
    const auto sidereal = EventsOf(kMars, Jdn(2020, 1, 1), Jdn(2020, 12, 31), Zodiac::Sidereal);
    const auto station = [](const std::vector<BodyEvent>& events) {
        return std::find_if(events.begin(), events.end(),
                            [](const BodyEvent& e) { return e.kind == K::StationRetrograde; });
    };
    ASSERT_NE(station(sidereal), sidereal.end());
    EXPECT_EQ(station(sidereal)->instant, station(tropical)->instant);
    EXPECT_EQ(SignPositionText(station(sidereal)->longitude), "4°0' Aries");
    for (const auto& e : sidereal) {
        if (e.kind == K::Ingress) {
            EXPECT_TRUE(SignPositionText(e.longitude).starts_with(e.retrograde ? "29°59'" : "0°0'"))
                << SignPositionText(e.longitude);
            EXPECT_EQ(e.longitude, PlanetLongitude(kMars, e.instant, Zodiac::Sidereal));
        }
    }
}

TEST_F(BodyEventsTest, TheCellsOfAnEventInTheResultsZone) {
    TransitRun run{330, "GMT+5:30", true, {}};
    const BodyEvent station{K::StationRetrograde, kMercury,
                            Midnight(Jdn(2023, 12, 13)) + 429 * kMinute,
                            (9 * 30 + 8 + 29.5 / 60) * (kFullTurn / 360), false};
    const EventCells cells = RenderEvent(run, station);
    EXPECT_EQ(cells.date, "2023-12-13");
    EXPECT_EQ(cells.time, "12:39 GMT+5:30");
    EXPECT_EQ(cells.event, "Mercury stations retrograde");
    EXPECT_EQ(cells.longitude, "8°29' Capricorn");
    const BodyEvent back{K::Ingress, kMars, Midnight(Jdn(2021, 1, 1)) - kMinute,
                         kFullTurn - kArcminute / 2, true};
    const EventCells ingress = RenderEvent(run, back);
    EXPECT_EQ(ingress.date, "2021-01-01");
    EXPECT_EQ(ingress.time, "05:29 GMT+5:30");
    EXPECT_EQ(ingress.event, "Mars retrogrades into Pisces");
    EXPECT_EQ(ingress.longitude, "29°59' Pisces");
    EXPECT_EQ(RenderEvent(run, {K::StationDirect, kMars, 2459000.5, 0, false}).event,
              "Mars stations direct");
    EXPECT_EQ(RenderEvent(run, {K::Ingress, kVenus, 2459000.5, 0, false}).event,
              "Venus enters Aries");
}

TEST_F(BodyEventsTest, ARunAppendsTheTableAfterItsTransits) {
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31));
    h.request.listEvents = true;
    const auto html = h.UseHtmlFile("events.html");
    h.Run();
    const TransitRun& run = h.scan.Transits();
    ASSERT_FALSE(run.events.empty());
    bool mars = false;
    bool jupiter = false;
    for (size_t i = 0; i < run.events.size(); ++i) {
        mars = mars || run.events[i].body == kMars;
        jupiter = jupiter || run.events[i].body == kJupiter;
        if (i > 0) {
            EXPECT_LE(run.events[i - 1].instant, run.events[i].instant);
        }
    }
    EXPECT_TRUE(mars && jupiter);
    const std::string& pane = h.Pane();
    const size_t table = pane.find(
        "\r\nStations and sign ingresses of Mars and Jupiter\r\n"
        "Date        | Time            | Event                         "
        "| Longitude\r\n" +
        std::string(119, '-') + "\r\n");
    ASSERT_NE(table, std::string::npos) << pane;
    EXPECT_LT(pane.find("Conjunction"), table);
    EXPECT_NE(pane.find("2009-12-20  | 13:26 GMT       | Mars stations retrograde      | "
                        "19°41' Leo\r\n"),
              std::string::npos)
        << pane;
    EXPECT_NE(pane.find("| Jupiter stations direct"), std::string::npos);

    const std::string file = testing::ReadFile(html);
    const size_t end = file.find(std::string(kHtmlTableEnd) + "\r\n<center>");
    ASSERT_NE(end, std::string::npos);
    EXPECT_NE(file.find("<b>\r\nStations and sign ingresses of Mars and Jupiter\r\n</b>", end),
              std::string::npos);
    EXPECT_NE(file.find("&nbsp;19&deg;41' Leo&nbsp;", end), std::string::npos);
    EXPECT_TRUE(file.ends_with(std::string(kHtmlTableEnd) + "\r\n"));
}

TEST_F(BodyEventsTest, ARunWithoutEventsSaysSoAndARunWithoutTheOptionAddsNothing) {
    h.Personal(kSun, kMoon, 1.0, Jdn(2023, 4, 1), Jdn(2023, 4, 10));
    h.request.listEvents = true;
    h.Run();
    EXPECT_TRUE(h.Pane().ends_with(
        "Stations and sign ingresses of Sun\r\n"
        "Date        | Time            | Event                         "
        "| Longitude\r\n" +
        std::string(119, '-') + "\r\nNo stations or ingresses in this period.\r\n"))
        << h.Pane();

    ScanHarness off;
    off.Personal(kSun, kMoon, 1.0, Jdn(2023, 4, 1), Jdn(2023, 4, 10));
    off.Run();
    EXPECT_EQ(off.Pane().find("Stations and sign ingresses"), std::string::npos);
    EXPECT_TRUE(off.scan.Transits().events.empty());
}

// A pane that fills up with the events ends the run as it would with the transits.
TEST_F(BodyEventsTest, APaneFullOfEventsStopsTheRun) {
    h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2010, 12, 31));
    h.request.listEvents = true;
    h.Run();
    const size_t table = h.Pane().find("Stations and sign ingresses");
    ASSERT_NE(table, std::string::npos);

    ScanHarness small;
    small.pane = OutputPane(table + 200);
    small.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2010, 12, 31));
    small.request.listEvents = true;
    small.Run();
    EXPECT_TRUE(small.Pane().ends_with("Textbox is full -- Stopped")) << small.Pane();
    ASSERT_EQ(small.window.boxes.boxes.size(), 1u);
    EXPECT_EQ(small.window.boxes.boxes[0].text, "Output textbox is full.");
    EXPECT_TRUE(small.flags.runAborted);
}

}  // namespace
}  // namespace zenthra
