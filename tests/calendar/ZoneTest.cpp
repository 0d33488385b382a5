// Zones against the tz database (expected values as `zdump -v` prints them).
#include "calendar/Zone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>

namespace zenthra {
namespace {

using namespace std::chrono;

int64_t Days(int y, unsigned m, unsigned d) {
    return sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count();
}

// Seconds since 1970 of a date and time, on a zone's clock or in UT alike.
int64_t At(int y, unsigned m, unsigned d, int hour, int minute, int second = 0) {
    return Days(y, m, d) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

Zone Named(const std::string& name) {
    std::optional<Zone> zone = Zone::Find(name);
    EXPECT_TRUE(zone) << name;
    return zone ? *zone : *Zone::Find("UTC");
}

// The instant of a local time, or -1 when the clocks skipped it.
int64_t Ut(const std::string& name, int64_t local) {
    return Named(name).InstantOf(local).value_or(-1);
}

TEST(ZoneConversions, HistoricalOffsetsOfTheDatabase) {
    EXPECT_EQ(Ut("America/New_York", At(1985, 8, 13, 12, 0)), At(1985, 8, 13, 16, 0));
    // Double summer time.
    EXPECT_EQ(Ut("Europe/Berlin", At(1945, 6, 1, 12, 0)), At(1945, 6, 1, 9, 0));
    // War time, +6:30.
    EXPECT_EQ(Ut("Asia/Kolkata", At(1943, 6, 1, 12, 0)), At(1943, 6, 1, 5, 30));
    // Local mean time, +0:53:28.
    EXPECT_EQ(Ut("Europe/Berlin", At(1890, 6, 1, 12, 0)), At(1890, 6, 1, 11, 6, 32));
    // British Standard Time, summer time all year.
    EXPECT_EQ(Ut("Europe/London", At(1970, 1, 1, 12, 0)), At(1970, 1, 1, 11, 0));
    EXPECT_EQ(Ut("Asia/Kathmandu", At(2000, 1, 1, 12, 0)), At(2000, 1, 1, 6, 15));
}

TEST(ZoneConversions, RulesBeyondTheLastListedChange) {
    const Zone berlin = Named("Europe/Berlin");
    const int64_t summer = At(2040, 7, 1, 10, 0);
    EXPECT_EQ(berlin.OffsetSeconds(summer), 7200);
    EXPECT_EQ(berlin.Abbreviation(summer), "CEST");
    EXPECT_EQ(berlin.InstantOf(At(2040, 7, 1, 12, 0)), summer);
    EXPECT_EQ(berlin.Abbreviation(At(2040, 12, 1, 12, 0)), "CET");
}

TEST(ZoneConversions, AbbreviationsInForce) {
    EXPECT_EQ(Named("America/New_York").Abbreviation(At(1985, 8, 13, 16, 0)), "EDT");
    EXPECT_EQ(Named("Europe/Berlin").Abbreviation(At(1945, 6, 1, 9, 0)), "CEMT");
    EXPECT_EQ(Named("Europe/Berlin").Abbreviation(At(1890, 6, 1, 11, 6, 32)), "LMT");
    EXPECT_EQ(Named("Europe/London").Abbreviation(At(1970, 1, 1, 11, 0)), "BST");
}

TEST(ZoneChanges, TheChangeInstantItselfIsOnTheNewSide) {
    const Zone berlin = Named("Europe/Berlin");
    const int64_t change = At(2024, 3, 31, 1, 0);
    EXPECT_EQ(berlin.Abbreviation(change - 1), "CET");
    EXPECT_EQ(berlin.Abbreviation(change), "CEST");
    EXPECT_EQ(berlin.InstantOf(At(2024, 3, 31, 3, 0)), change);
    EXPECT_EQ(InstantOfJulianDate(JulianDateOfInstant(change)), change);
}

TEST(ZoneChanges, SkippedTimesAreRefusedAndRepeatedOnesTakeTheEarlier) {
    const Zone berlin = Named("Europe/Berlin");
    EXPECT_FALSE(berlin.InstantOf(At(2024, 3, 31, 2, 30)));
    EXPECT_EQ(berlin.InstantOf(At(2024, 10, 27, 2, 30)), At(2024, 10, 27, 0, 30));
    EXPECT_EQ(berlin.InstantOf(At(2024, 10, 27, 3, 0)), At(2024, 10, 27, 2, 0));
}

TEST(ZoneDays, DaysBeginAtLocalMidnight) {
    EXPECT_EQ(Named("Europe/Berlin").DayStart(Days(2024, 7, 1)), At(2024, 6, 30, 22, 0));
    EXPECT_EQ(Named("Asia/Kathmandu").DayStart(Days(2024, 7, 1)), At(2024, 6, 30, 18, 15));
}

TEST(ZoneDays, ADoubledMidnightBeginsTheDayAtTheEarlierOne) {
    // Havana puts its clocks back from 01:00 to midnight.
    EXPECT_EQ(Named("America/Havana").DayStart(Days(2024, 11, 3)), At(2024, 11, 3, 4, 0));
    EXPECT_EQ(Ut("America/Santiago", At(2024, 4, 6, 23, 30)), At(2024, 4, 7, 2, 30));
}

TEST(ZoneDays, ASkippedMidnightBeginsTheDayAtTheChange) {
    EXPECT_EQ(Named("America/Havana").DayStart(Days(2024, 3, 10)), At(2024, 3, 10, 5, 0));
    EXPECT_EQ(Named("America/Santiago").DayStart(Days(2024, 9, 8)), At(2024, 9, 8, 4, 0));
}

TEST(ZoneDays, ASkippedDayBeginsAndEndsAtTheChange) {
    const Zone apia = Named("Pacific/Apia");
    const int64_t change = At(2011, 12, 30, 10, 0);
    EXPECT_EQ(apia.DayStart(Days(2011, 12, 29)), At(2011, 12, 29, 10, 0));
    EXPECT_EQ(apia.DayStart(Days(2011, 12, 30)), change);
    EXPECT_EQ(apia.DayStart(Days(2011, 12, 31)), change);
    EXPECT_EQ(apia.DayStart(Days(2012, 1, 1)), At(2011, 12, 31, 10, 0));
}

TEST(ZoneDays, JulianDaysOfLocalDays) {
    const Zone berlin = Named("Europe/Berlin");
    // 2024-03-31 is JDN 2460401.
    EXPECT_EQ(DayStartJulianDate(berlin, 2460401), 2460400.5 - 1.0 / 24);
    const ZoneLocalTime summer = LocalTimeAt(berlin, 2460401.5 - 1.0 / 24);
    EXPECT_EQ(summer.jdn, 2460402);
    EXPECT_EQ(summer.seconds, 3600);
    const ZoneLocalTime lmt = LocalTimeAt(berlin, JulianDateOfInstant(At(1890, 6, 1, 23, 30)));
    EXPECT_EQ(lmt.jdn, 2411521);  // 1890-06-02
    EXPECT_EQ(lmt.seconds, 23 * 60 + 28);
}

TEST(ZoneNames, KnownNamesAndLetterCase) {
    EXPECT_EQ(Named("Asia/Kathmandu").Name(), "Asia/Kathmandu");
    ASSERT_TRUE(Zone::Find("europe/berlin"));
    EXPECT_EQ(Zone::Find("europe/berlin")->Name(), "Europe/Berlin");
}

// Zones outside the country table, and old names that the database keeps as links to the
// zones that replaced them.
TEST(ZoneNames, UnlistedZonesAndOldNamesFindTheirZones) {
    const int64_t winter = At(2023, 1, 15, 12, 0);
    EXPECT_EQ(Named("Etc/GMT-1").OffsetSeconds(winter), 3600);
    EXPECT_EQ(Named("EST5EDT").Abbreviation(At(2023, 7, 1, 12, 0)), "EDT");
    EXPECT_EQ(Named("Asia/Calcutta").Name(), "Asia/Kolkata");
    EXPECT_EQ(Named("us/eastern").Name(), "America/New_York");
    EXPECT_EQ(Named("Europe/Kiev").OffsetSeconds(winter), 7200);
    for (const char* bad : {"Europe", "Asia", "right/Europe/Berlin", "posix/Europe/Berlin",
                            "leapseconds", "Etc", "Nonsense"}) {
        EXPECT_FALSE(Zone::Find(bad)) << bad;
    }
}

TEST(ZoneNames, TheListedNamesAreSortedAndEachFindsItsZone) {
    const std::vector<std::string>& names = ZoneNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    for (const char* name : {"Europe/Berlin", "America/New_York", "Asia/Kathmandu"}) {
        EXPECT_TRUE(std::binary_search(names.begin(), names.end(), name)) << name;
    }
    for (const std::string& name : names) {
        ASSERT_TRUE(Zone::Find(name)) << name;
    }
}

TEST(ZoneNames, BadNamesFindNoZone) {
    for (const std::string& bad :
         {std::string(), std::string("../etc/passwd"), std::string("/etc/passwd"),
          std::string("Not/AZone"), std::string("Europe/Berlin/"), std::string(4000, 'A'),
          std::string("Europe/Zürich"), std::string("Europe/Berlin\n"),
          std::string("Europe/Ber\0lin", 14)}) {
        EXPECT_FALSE(Zone::Find(bad)) << bad;
    }
}

TEST(ZoneDatabase, VersionNamesAYearAndARelease) {
    const std::string version = TzDatabaseVersion();
    ASSERT_EQ(version.size(), 5u) << version;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(version[0])));
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(version[4])));
}

}  // namespace
}  // namespace zenthra
