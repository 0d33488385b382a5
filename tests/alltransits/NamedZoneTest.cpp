// The all-transits mode in named zones: the same instants as a list zone of the same offset,
// local days and clocks that follow the clock changes, abbreviations in force at each instant,
// durations in elapsed time, and birth times the clocks skipped or showed twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "alltransits/AllTransits.h"
#include "alltransits/AllTransitsHarness.h"
#include "alltransits/AllTransitsRecord.h"
#include "alltransits/OrbCrossing.h"
#include "alltransits/ReportZone.h"

namespace zenthra {
namespace {

using testing::Jdn;
using testing::ReadFile;

Zone Named(const char* name) {
    return Zone::Find(name).value();
}

// Every occurrence of one text replaced by another.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

int64_t UtMinute(double julianDate) {
    return std::llround((julianDate - 2440587.5) * 1440);
}

class NamedZone : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::LoadVocabulary();
        window = {};
    }

    std::string Report(AllTransitsRequest r, const std::string& name,
                       std::vector<AllTransitsTransit>* transits = nullptr) {
        r.filePath = folder.File(name);
        AllTransitsOptions options;
        options.transits = transits;
        EXPECT_EQ(ComputeAllTransits(r, window, options), kAllTransitsDone) << name;
        return ReadFile(r.filePath);
    }

    testing::TestFolder folder;
    testing::RecordingAllTransitsWindow window;
};

// Between the clock changes a named zone is a fixed offset: the reports and the day file are
// those of the list zone of that offset, with the zone's abbreviation for "GMT+n".
TEST_F(NamedZone, BetweenClockChangesTheReportsAreThoseOfTheListZone) {
    struct Season {
        int32_t start, end;
        int16_t hours;
        const char* listText;
        const char* abbreviation;
    };
    for (const Season& season : {Season{Jdn(2023, 1, 5), Jdn(2023, 3, 20), 1, " GMT+1", " CET"},
                                 Season{Jdn(2023, 4, 1), Jdn(2023, 9, 30), 2, " GMT+2", " CEST"}}) {
        for (const int16_t orb : {1, 5}) {
            SCOPED_TRACE(std::string(season.abbreviation) + " orb " + std::to_string(orb));
            AllTransitsRequest list = testing::PersonRequest(season.start, season.end, orb, "");
            list.birthTimezoneHours = 0;  // " GMT", left alone by the replacement
            list.resultsTimezoneHours = season.hours;
            AllTransitsRequest named = list;
            named.resultsZone = Named("Europe/Berlin");
            const std::string expected =
                Replaced(Report(list, "list.txt"), season.listText, season.abbreviation);
            EXPECT_EQ(Report(named, "named.txt"), expected);
            if (orb == 1) {
                EXPECT_EQ(ReadFile(folder.File("named_days.txt")),
                          ReadFile(folder.File("list_days.txt")));
            }
        }
    }
}

// Across both changes of a year the orbs are crossed at the same instants as in the winter
// offset; each is told at the local time and abbreviation in force, and each duration is the
// time that passed.
TEST_F(NamedZone, AcrossClockChangesInstantsStayAndClocksFollowTheZone) {
    AllTransitsRequest list = testing::PersonRequest(Jdn(2023, 1, 1), Jdn(2023, 12, 31), 3, "");
    AllTransitsRequest named = list;
    named.resultsZone = Named("Europe/Berlin");
    std::vector<AllTransitsTransit> inList;
    std::vector<AllTransitsTransit> inZone;
    const std::string listReport = Report(list, "list.txt", &inList);
    const std::string zoneReport = Report(named, "named.txt", &inZone);
    ASSERT_EQ(inZone.size(), inList.size());
    ASSERT_GT(inZone.size(), 20u);
    // Both in one order: a day's ends are listed by pair, and the local days differ.
    const auto order = [](std::vector<AllTransitsTransit>& transits) {
        const auto key = [](const AllTransitsTransit& t) {
            return std::tuple(t.transiting, t.aspect, t.natal, t.end.periodEdge,
                              UtMinute(t.end.julianDate));
        };
        std::sort(transits.begin(), transits.end(),
                  [&key](const auto& x, const auto& y) { return key(x) < key(y); });
    };
    order(inZone);
    order(inList);

    // Summer time 2023: 2023-03-26 01:00 UT to 2023-10-29 01:00 UT.
    const int64_t summerFrom = UtMinute(Jdn(2023, 3, 26) - 0.5 + 1 / 24.0);
    const int64_t summerTo = UtMinute(Jdn(2023, 10, 29) - 0.5 + 1 / 24.0);
    const ReportZone berlin(Named("Europe/Berlin"));
    int summerEnds = 0;
    for (size_t i = 0; i < inZone.size(); ++i) {
        const AllTransitsTransit& z = inZone[i];
        const AllTransitsTransit& l = inList[i];
        SCOPED_TRACE(TransitRecordText(z, 2, berlin));
        EXPECT_EQ(std::tie(z.transiting, z.aspect, z.natal),
                  std::tie(l.transiting, l.aspect, l.natal));
        for (const auto& [ze, le] : {std::pair{z.start, l.start}, std::pair{z.end, l.end}}) {
            ASSERT_EQ(ze.periodEdge, le.periodEdge);
            if (ze.periodEdge) {
                EXPECT_EQ(ze.day, le.day);
                continue;
            }
            const int64_t ut = UtMinute(ze.julianDate);
            EXPECT_EQ(ut, UtMinute(le.julianDate));
            const bool summer = ut >= summerFrom && ut < summerTo;
            summerEnds += summer ? 1 : 0;
            const int64_t local = ut + (summer ? 120 : 60);
            const auto day = static_cast<int32_t>(local / 1440 + 2440588);
            const std::string text = EndText(ze, 2, berlin);
            EXPECT_EQ(ze.day, day);
            EXPECT_EQ(text.substr(0, 10), FormatNumericDate(day, kYearMonthDay, true, false));
            EXPECT_EQ(text.substr(11), TwoDigits(static_cast<int>(local % 1440 / 60)) + ":" +
                                           TwoDigits(static_cast<int>(local % 60)) +
                                           (summer ? " CEST" : " CET") + text.substr(11, 5));
        }
    }
    EXPECT_GT(summerEnds, 5);

    // The durations listed by start: the same as the list zone's, which count elapsed time.
    const auto durations = [](const std::string& report) {
        std::vector<std::string> found;
        for (const std::string& line : testing::Lines(report)) {
            if (const size_t open = line.rfind(" ("); open != std::string::npos) {
                found.push_back(line.substr(open));
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    EXPECT_EQ(durations(zoneReport), durations(listReport));
    EXPECT_NE(zoneReport.find("FOR THE PERIOD 2022-12-31 24:00 CET TO 2023-12-31 24:00 CET"),
              std::string::npos);
}

// A birth in a named zone: its natal positions are those of the list zone of the offset in
// force (EDT is GMT-4), the report names the abbreviation, a time the clocks skipped is no
// birth time and one they showed twice is the earlier.
TEST_F(NamedZone, BirthTimesFollowTheZonesClock) {
    AllTransitsRequest list = testing::PersonRequest(Jdn(2023, 3, 20), Jdn(2023, 4, 10), 5, "");
    list.birthYear = 1985, list.birthMonth = 8, list.birthDay = 13;
    list.birthHour = 12, list.birthMinute = 0;
    list.birthTimezoneHours = -4;
    AllTransitsRequest named = list;
    named.birthZone = Named("America/New_York");
    named.resultsZone = Named("Europe/Berlin");
    list.resultsZone = named.resultsZone;
    const std::string report = Report(named, "named.txt");
    // The same but for the birth's zone text and the rule that is as long as its line.
    const std::vector<std::string> lines = testing::Lines(report);
    const std::vector<std::string> listLines = testing::Lines(Report(list, "list.txt"));
    ASSERT_EQ(lines.size(), listLines.size());
    EXPECT_EQ(listLines[2], "PERSONAL TRANSITS FOR A PERSON BORN 1985-08-13 12:00 GMT-4");
    EXPECT_TRUE(std::equal(lines.begin() + 6, lines.end(), listLines.begin() + 6));
    EXPECT_NE(report.find("FOR THE PERIOD 2023-03-19 24:00 CET TO 2023-04-10 24:00 CEST"),
              std::string::npos);
    EXPECT_NE(report.find("PERSONAL TRANSITS FOR A PERSON BORN 1985-08-13 12:00 EDT"),
              std::string::npos);

    // Berlin, 1980: clocks forward at 02:00 on 6 April, back at 03:00 on 28 September.
    named.birthZone = Named("Europe/Berlin");
    named.birthYear = 1980, named.birthMonth = 4, named.birthDay = 6;
    named.birthHour = 2, named.birthMinute = 30;
    named.filePath = folder.File("skipped.txt");
    EXPECT_EQ(ComputeAllTransits(named, window), kBirthTimeInvalid);
    EXPECT_FALSE(std::filesystem::exists(named.filePath));
    named.birthMonth = 9, named.birthDay = 28;
    EXPECT_NE(Report(named, "twice.txt").find("BORN 1980-09-28 02:30 CEST"), std::string::npos);
}

// Days of 23 and 25 hours: a crossing in the last minutes of either is found by both searches
// at its minute, and the zone's days begin and end where its clock says.
TEST_F(NamedZone, ShortAndLongDaysAreSearchedToTheirEnd) {
    ASSERT_TRUE(LoadPlutoTable(kPlutoFileName, window));
    const ReportZone berlin(Named("Europe/Berlin"));
    const double orb = kAllTransitsTurn / 360;
    for (const auto& [day, minutes] :
         {std::pair{Jdn(2023, 3, 26), 1380}, std::pair{Jdn(2023, 10, 29), 1500}}) {
        ASSERT_EQ(berlin.DayMinutes(day), minutes);
        const double start = berlin.DayStart(day);
        // The Sun reaches the orb of a conjunction ten minutes before the day ends.
        const int expected = minutes - 10;
        const double natal =
            PlanetLongitude(kSun, start + (expected - 0.5) / 1440.0, Zodiac::Tropical) + orb;
        const OrbCrossingQuery query{true, start, kSun, natal, kConjunction, orb, minutes};
        EXPECT_EQ(FindOrbCrossingMinuteLiteral(query, nullptr), start + expected / 1440.0);
        EXPECT_EQ(FindOrbCrossingMinute(query, nullptr), start + expected / 1440.0);
    }
    // Havana puts its clocks forward at midnight, Apia skipped 2011-12-30.
    const ReportZone havana(Named("America/Havana"));
    EXPECT_EQ(havana.DayMinutes(Jdn(2023, 3, 12)), 1380);
    EXPECT_DOUBLE_EQ(havana.DayStartValue(Jdn(2023, 3, 12)), Jdn(2023, 3, 12) + 1 / 24.0);
    EXPECT_EQ(havana.TextAtEndOf(Jdn(2023, 3, 11)), " CST");
    EXPECT_EQ(havana.TextAt(havana.DayStart(Jdn(2023, 3, 12))), " CDT");
    EXPECT_EQ(havana.Name(), "America/Havana");
    EXPECT_EQ(ReportZone(-180).Name(), "GMT-3");
    const ReportZone apia(Named("Pacific/Apia"));
    EXPECT_EQ(apia.DayMinutes(Jdn(2011, 12, 30)), 0);
    EXPECT_EQ(apia.DayStart(Jdn(2011, 12, 30)), apia.DayStart(Jdn(2011, 12, 31)));
    EXPECT_EQ(ReportZone(60).DayMinutes(Jdn(2023, 3, 26)), 1440);
}

}  // namespace
}  // namespace zenthra
