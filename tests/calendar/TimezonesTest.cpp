#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "ScopedTimezone.h"
#include "calendar/Timezones.h"

namespace zenthra {
namespace {

TEST(Timezones, ListsHalfHourOffsetsAroundGreenwich) {
    const std::vector<std::string> texts = TimezoneListTexts(false);
    ASSERT_EQ(texts.size(), 48u);
    EXPECT_EQ(texts[0], "");
    EXPECT_EQ(texts[1], "GMT-11:30");
    EXPECT_EQ(texts[14], "GMT-5:00");
    EXPECT_EQ(texts[23], "GMT-0:30");
    EXPECT_EQ(texts[24], "GMT");
    EXPECT_EQ(texts[25], "GMT+0:30");
    EXPECT_EQ(texts[35], "GMT+5:30");
    EXPECT_EQ(texts[47], "GMT+11:30");
    EXPECT_EQ(TimezoneMinutes(1), -690);
    EXPECT_EQ(TimezoneMinutes(24), 0);
    EXPECT_EQ(TimezoneMinutes(47), 690);
}

TEST(Timezones, ShowsNorthAmericanAbbreviationsInTenEntries) {
    const std::map<size_t, std::string> abbreviations{
        {4, "HAST"},     {6, "AKST/HADT"}, {8, "PST/AKDT"}, {10, "MST/PDT"}, {12, "CST/MDT"},
        {14, "EST/CDT"}, {16, "AST/EDT"},  {17, "NST"},     {18, "ADT"},     {19, "NDT"}};
    const std::vector<std::string> plain = TimezoneListTexts(false);
    const std::vector<std::string> texts = TimezoneListTexts(true);
    ASSERT_EQ(texts.size(), plain.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto abbreviation = abbreviations.find(i);
        EXPECT_EQ(texts[i], abbreviation == abbreviations.end() ? plain[i] : abbreviation->second)
            << i;
    }
}

TEST(Timezones, FindsTheComputersEntryRoundingHalvesToEven) {
    EXPECT_EQ(LocalTimezoneIndex(18000), 14);   // 5 h west
    EXPECT_EQ(LocalTimezoneIndex(-19800), 35);  // +5:30
    EXPECT_EQ(LocalTimezoneIndex(-20700), 36);  // +5:45: 11.5 half hours east
    EXPECT_EQ(LocalTimezoneIndex(-900), 24);    // +0:15
    EXPECT_EQ(LocalTimezoneIndex(2700), 22);    // -0:45
    EXPECT_EQ(LocalTimezoneIndex(-2670), 25);   // 44.5 min east: 44 min, then 1 half hour
    EXPECT_EQ(LocalTimezoneIndex(-2730), 26);   // 45.5 min east: 46 min
    EXPECT_EQ(LocalTimezoneIndex(-40500), 46);  // +11:15
    EXPECT_EQ(LocalTimezoneIndex(41400), 1);    // -11:30
}

TEST(Timezones, FindsTheEntryOfTheComputersOwnZone) {
    ScopedTimezone zone("Asia/Kolkata");
    EXPECT_EQ(LocalTimezoneIndex(), 35);
}

TEST(Timezones, LeavesZonesBeyondTheListUnselected) {
    EXPECT_EQ(LocalTimezoneIndex(-42300), std::nullopt);  // +11:45
    EXPECT_EQ(LocalTimezoneIndex(-43200), std::nullopt);  // +12:00
    EXPECT_EQ(LocalTimezoneIndex(42300), std::nullopt);   // -11:45
    EXPECT_EQ(LocalTimezoneIndex(std::numeric_limits<int32_t>::min()), std::nullopt);
    EXPECT_EQ(LocalTimezoneIndex(std::numeric_limits<int32_t>::max()), std::nullopt);
}

}  // namespace
}  // namespace zenthra
