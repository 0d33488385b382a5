// The small conversions of the mode: day values, instants as report texts, the aspect in orb,
// the open slots and the record layout.
#include <gtest/gtest.h>

#include <cmath>

#include "alltransits/AllTransitsHarness.h"
#include "alltransits/AllTransitsRecord.h"
#include "alltransits/AllTransitsTables.h"

namespace zenthra {
namespace {

using testing::Jdn;

class ReportInstant : public ::testing::Test {
  protected:
    void SetUp() override { testing::LoadVocabulary(); }

    // 2023-03-07 14:30 as a local day value.
    const double afternoon = Jdn(2023, 3, 7) + (14 * 60 + 30) / 1440.0;
};

TEST_F(ReportInstant, EachDateStyleEndsWithTheRepeatedTime) {
    EXPECT_EQ(FormatReportInstant(afternoon, 0, ListZoneText(60), false),
              "3/7/2023 14:30 GMT+114:30");
    EXPECT_EQ(FormatReportInstant(afternoon, 1, ListZoneText(60), false),
              "7.3.2023 14:30 GMT+114:30");
    EXPECT_EQ(FormatReportInstant(afternoon, 2, ListZoneText(60), false),
              "2023-03-07 14:30 GMT+114:30");
    EXPECT_EQ(FormatReportInstant(afternoon, 3, ListZoneText(60), false),
              "Mar 7 2023 14:30 GMT+114:30");
    EXPECT_EQ(FormatReportInstant(Jdn(2023, 12, 25), 3, ListZoneText(60), false),
              "Dec 25 2023 00:00 GMT+100:00");
    EXPECT_EQ(FormatReportInstant(afternoon, 7, ListZoneText(60), false),
              "3/7/2023 14:30 GMT+114:30");
}

TEST_F(ReportInstant, ZonesAreWholeHoursAndGreenwichStandsAlone) {
    EXPECT_EQ(FormatReportInstant(afternoon, 2, ListZoneText(0), false),
              "2023-03-07 14:30 GMT14:30");
    EXPECT_EQ(FormatReportInstant(afternoon, 2, ListZoneText(-300), false),
              "2023-03-07 14:30 GMT-514:30");
    EXPECT_EQ(FormatReportInstant(afternoon, 2, ListZoneText(330), false),
              "2023-03-07 14:30 GMT+514:30");
    EXPECT_EQ(FormatReportInstant(afternoon, 2, ListZoneText(-660), false),
              "2023-03-07 14:30 GMT-1114:30");
}

TEST_F(ReportInstant, PeriodEdgesReadTwentyFourHundredWithAStar) {
    EXPECT_EQ(FormatReportInstant(Jdn(2022, 12, 31), 2, ListZoneText(60), true),
              "2022-12-31 24:00 GMT+1*24:00");
    EXPECT_EQ(FormatReportInstant(Jdn(2022, 12, 31), 3, ListZoneText(0), true),
              "Dec 31 2022 24:00 GMT*24:00");
}

TEST_F(ReportInstant, TimesRoundToTheMinuteWithinTheirDay) {
    const int32_t day = Jdn(2023, 3, 7);
    EXPECT_EQ(FormatReportInstant(day + 29.0 / 86400, 2, ListZoneText(0), false),
              "2023-03-07 00:00 GMT00:00");
    EXPECT_EQ(FormatReportInstant(day + 85.0 / 86400, 2, ListZoneText(0), false),
              "2023-03-07 00:01 GMT00:01");
    EXPECT_EQ(FormatReportInstant(day + 95.0 / 86400, 2, ListZoneText(0), false),
              "2023-03-07 00:02 GMT00:02");
    // The last half minute of a day stays in that day.
    EXPECT_EQ(FormatReportInstant(day + 86370.0 / 86400, 2, ListZoneText(0), false),
              "2023-03-07 23:59 GMT23:59");
}

TEST(DayValues, LocalDaysAndJulianDatesAreInverse) {
    const int32_t day = Jdn(2023, 3, 7);
    EXPECT_DOUBLE_EQ(LocalDayToUt(day, 0), day - 0.5);
    EXPECT_DOUBLE_EQ(LocalDayToUt(day, 60), day - 0.5 - 60 / 1440.0);
    EXPECT_DOUBLE_EQ(LocalDayToUt(day, -300), day - 0.5 + 300 / 1440.0);
    for (int16_t minutes : {-660, -180, 0, 330, 660}) {
        const double value = day + 0.6;
        EXPECT_NEAR(UtToLocalDay(LocalDayToUt(value, minutes), minutes), value, 1e-9);
    }
}

TEST(DayValues, PluralSuffix) {
    EXPECT_EQ(PluralSuffix(1), "");
    EXPECT_EQ(PluralSuffix(0), "s");
    EXPECT_EQ(PluralSuffix(3), "s");
}

TEST(AspectInOrb, TheDeviationMustBeStrictlyBelowTheOrb) {
    const double natal = 1.0;
    const double transiting = natal + kAllTransitsAspectAngles[kSquare] + 0.01;
    const double deviation = AllTransitsDeviation(transiting, natal, kSquare);
    EXPECT_NEAR(deviation, 0.01, 1e-12);
    EXPECT_EQ(FirstAspectInOrb(transiting, natal, deviation), 0);
    EXPECT_EQ(FirstAspectInOrb(transiting, natal, std::nextafter(deviation, 1.0)), kSquare);
    EXPECT_EQ(FirstAspectInOrb(transiting, natal, 0.005), 0);
}

TEST(AspectInOrb, TheFirstAspectInOrderWinsAndAnglesAreTheModulesOwn) {
    EXPECT_EQ(FirstAspectInOrb(0.5, 0.5, 0.01), kConjunction);
    EXPECT_EQ(FirstAspectInOrb(0.5 + kAllTransitsTurn / 2, 0.5, 0.01), kOpposition);
    EXPECT_EQ(FirstAspectInOrb(0.5 + kAllTransitsTurn / 3, 0.5, 0.01), kTrine);
    EXPECT_EQ(FirstAspectInOrb(0.5, 0.5 + kAllTransitsTurn / 6, 0.01), kSextile);
    // 60 degrees lies within a 1.1 rad orb of the conjunction, which comes first.
    EXPECT_EQ(FirstAspectInOrb(0.5 + kAllTransitsTurn / 6, 0.5, 1.1), kConjunction);
    EXPECT_DOUBLE_EQ(kAllTransitsAspectAngles[kTrine], 6.283185307179586 * 120 / 360);
}

TEST(OpenSlots, TheLowestEmptySlotOrNone) {
    AllTransitsTables tables;
    InitAllTransitsTables(tables);
    EXPECT_EQ(FreeOpenSlot(tables), 1);
    tables.openTransits[1] = tables.openTransits[2] = AllTransitsTransit{};
    EXPECT_EQ(FreeOpenSlot(tables), 3);
    tables.openTransits[1].reset();
    EXPECT_EQ(FreeOpenSlot(tables), 1);
    tables.openTransits.fill(AllTransitsTransit{});
    EXPECT_EQ(FreeOpenSlot(tables), 0);
    tables.transits.emplace_back();
    InitAllTransitsTables(tables);
    EXPECT_EQ(FreeOpenSlot(tables), 1);
    EXPECT_TRUE(tables.transits.empty());
}

TEST(TransitRecordLayout, KeyFieldsThenTheDescription) {
    testing::LoadVocabulary();
    const int32_t start = Jdn(2023, 1, 15);
    const int32_t end = Jdn(2023, 2, 20);
    ASSERT_EQ(start, 2459960);
    const AllTransitsTransit transit{kJupiter,
                                     kSquare,
                                     kSun,
                                     {start, start + (14 * 60 + 30) / 1440.0, false},
                                     {end, end + (9 * 60 + 12) / 1440.0, false}};
    const std::string record = TransitRecordText(transit, 2, 60);
    EXPECT_EQ(record,
              "2459960"
              "14:30"
              "5"
              "3"
              "01"
              "2459996"
              "09:12"
              "Jupiter square Sun, 2023-01-15 14:30 GMT+1, 2023-02-20 09:12 GMT+1");
    EXPECT_EQ(RecordNumber(record, kRecordEndDay, kRecordDayWidth), end);
    EXPECT_EQ(RecordField(record, kRecordStartTime, kRecordTimeWidth), "14:30");
    EXPECT_EQ(RecordNumber(record, kRecordNatal, 2), kSun);
    EXPECT_EQ(RecordField(record, 200, 5), "");
    EXPECT_EQ(TransitPairText(kMoon, kOpposition, kMoon), "Moon opposite Moon");
    // In style 3 and Greenwich time.
    EXPECT_TRUE(TransitRecordText(transit, 3, 0)
                    .ends_with("Jupiter square Sun, Jan 15 2023 14:30 GMT, Feb 20 2023 09:12 GMT"));
}

TEST(TransitRecordLayout, EdgesOfThePeriodAreMidnightsMarkedWithAStar) {
    testing::LoadVocabulary();
    const int32_t dayBefore = Jdn(2023, 1, 15);
    const int32_t last = Jdn(2023, 1, 29);
    // The instant of an edge plays no part.
    const AllTransitsTransit transit{
        kPluto, kSextile, kMoon, {dayBefore, 12345.6, true}, {last, 0, true}};
    EXPECT_EQ(TransitRecordText(transit, 2, -300),
              "2459960"
              "24:00"
              "9"
              "5"
              "10"
              "2459974"
              "24:00"
              "Pluto sextile Moon, 2023-01-15 24:00 GMT-5*, 2023-01-29 24:00 GMT-5*");
}

}  // namespace
}  // namespace zenthra
