// The cells of a transit's block, rendered from hand-made values.
#include <gtest/gtest.h>

#include "calendar/DatePr2.h"
#include "ephemeris/Angles.h"
#include "ephemeris/Vocabulary.h"
#include "report/TransitCells.h"

namespace zenthra {
namespace {

class TransitCellsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        InitDateVocabulary();
        InitVocabulary(ZENTHRA_DATA_DIR);
    }

    static int32_t Day(int y, int m, int d) { return DateToJdn(y, m, d).jdn; }

    // The UT Julian date of a local time in the run's timezone.
    double Instant(int32_t day, int hour, int minute, int second = 0) const {
        return day - 0.5 + (hour * 3600 + minute * 60 + second) / 86400.0 - run.tzMinutes / 1440.0;
    }

    TransitRun run{330, "GMT+5:30", true, {}};
};

TEST_F(TransitCellsTest, DaysCarryTheRetrogradeMarkUnlessTheRunPrintsNone) {
    const MarkedDay day{Day(2009, 12, 20), true};
    EXPECT_EQ(MarkedDayText(run, day), "2009-12-20r");
    EXPECT_EQ(MarkedDayText(run, {day.day, false}), "2009-12-20");
    run.retrogradeMarked = false;
    EXPECT_EQ(MarkedDayText(run, day), "2009-12-20");
}

TEST_F(TransitCellsTest, ExactMinimumShowsItsLocalDayAndMinute) {
    // 20:00 UT on 6 November is 01:30 on the 7th in GMT+5:30.
    const ExactMinimum late{Day(2009, 11, 6) + 0.5 - 4 / 24.0, true};
    MinimumCells cells = RenderMinimum(run, late);
    EXPECT_EQ(cells.at, "2009-11-07*r");
    EXPECT_EQ(cells.minimum, "01:30 GMT+5:30");

    // The seconds of an instant round to the nearest minute within its day.
    cells = RenderMinimum(run, ExactMinimum{Instant(Day(2010, 1, 29), 13, 0, 31), false});
    EXPECT_EQ(cells.at, "2010-01-29*");
    EXPECT_EQ(cells.minimum, "13:01 GMT+5:30");
    cells = RenderMinimum(run, ExactMinimum{Instant(Day(2010, 1, 29), 23, 59, 40), false});
    EXPECT_EQ(cells.at, "2010-01-29*");
    EXPECT_EQ(cells.minimum, "23:59 GMT+5:30");
}

TEST_F(TransitCellsTest, DailyMinimumShowsItsDayAndAngle) {
    const DailyMinimum minimum{Day(2009, 12, 20), 0.979 / 360 * kFullTurn, true};
    const MinimumCells cells = RenderMinimum(run, minimum);
    EXPECT_EQ(cells.at, "2009-12-20r");
    EXPECT_EQ(cells.minimum, "0°59'");
}

TEST_F(TransitCellsTest, EachPassageAndMinimumIsPlacedOnItsLine) {
    Transit t;
    t.aspect = kConjunction;
    t.passages = {{kOuterOrb, 0, MarkedDay{Day(2009, 10, 12)}, MarkedDay{Day(2010, 5, 22)}},
                  {kMiddleOrb, 0, MarkedDay{Day(2009, 10, 16)}, std::nullopt},
                  {kInnerOrb, 0, std::nullopt, MarkedDay{Day(2009, 11, 13)}},
                  {kInnerOrb, 1, MarkedDay{Day(2010, 1, 24), true}, std::nullopt}};
    t.minima = {{0, DailyMinimum{Day(2009, 11, 7), 0.5 / 360 * kFullTurn, false}},
                {1, ExactMinimum{Instant(Day(2010, 1, 29), 13, 1), true}}};
    const std::vector<TableRow> expected{
        {"Conjunction", "2009-10-12", "2009-10-16", "", "2009-11-07", "2009-11-13", "",
         "2010-05-22", "0°30'"},
        {"", "", "", "2010-01-24r", "2010-01-29*r", "", "", "", "13:01 GMT+5:30"}};
    EXPECT_EQ(TransitBlockRows(run, t, true), expected);

    // A transit of the same aspect as the one before it leaves its name out.
    std::vector<TableRow> unnamed = expected;
    unnamed[0][kAspectColumn] = "";
    EXPECT_EQ(TransitBlockRows(run, t, false), unnamed);
}

TEST_F(TransitCellsTest, ALineLeftEmptyWithinABlockStaysEmpty) {
    Transit t;
    t.aspect = kTrine;
    t.passages = {{kMiddleOrb, 0, std::nullopt, MarkedDay{Day(2009, 3, 2)}},
                  {kMiddleOrb, 2, MarkedDay{Day(2009, 5, 1)}, std::nullopt}};
    const std::vector<TableRow> rows = TransitBlockRows(run, t, true);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], TableRow{});
    EXPECT_EQ(rows[2][kStartMiddleColumn], "2009-05-01");
}

}  // namespace
}  // namespace zenthra
