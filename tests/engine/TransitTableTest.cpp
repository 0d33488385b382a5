#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/AngleText.h"
#include "engine/TransitTable.h"
#include "ephemeris/Angles.h"

namespace zenthra {
namespace {

constexpr int32_t kStart = 2451545;

int LastRowFor(int32_t days) {
    TransitTable table;
    table.SizeForPeriod(kStart, kStart + days - 1);
    return table.LastRow();
}

TEST(TransitTableTest, SizeFollowsThePeriodWithinItsBounds) {
    EXPECT_EQ(LastRowFor(365), 200);
    EXPECT_EQ(LastRowFor(58), 200);
    EXPECT_EQ(LastRowFor(10000), 1379);
    EXPECT_EQ(LastRowFor(240000), 32760);
    EXPECT_EQ(LastRowFor(1462), 202);  // 201.66 goes up
    EXPECT_EQ(TransitTable::SizeRuleLastRow(INT32_MIN, INT32_MAX), 32760);
}

TEST(TransitTableTest, RowsWrittenBelowTheLastRowAreKept) {
    TransitTable table;
    table.SizeForPeriod(kStart, kStart + 364);
    const int last = table.LastRow();
    for (int row = kFirstTransitRow; row <= last + 500; ++row) {
        table.SetCell(row, kMinimumColumn, std::to_string(row));
    }
    for (int row = kFirstTransitRow; row <= last + 500; ++row) {
        ASSERT_EQ(table.Cell(row, kMinimumColumn), std::to_string(row));
    }
    // The block printer stops at the first empty row, and every row is empty after sizing.
    EXPECT_TRUE(table.RowIsEmpty(last + 501));
    table.SetCell(last + 501, kAspectColumn, "Trine");
    EXPECT_FALSE(table.RowIsEmpty(last + 501));
    table.SizeForPeriod(kStart, kStart + 364);
    EXPECT_TRUE(table.RowIsEmpty(kFirstTransitRow));
    EXPECT_EQ(table.LastRow(), last);
}

std::string Degrees(double degrees, bool omitZeroMinutes = false, bool space = false) {
    return FormatAngle(degrees / 360 * kFullTurn, omitZeroMinutes, space);
}

TEST(FormatAngleTest, DegreesAndRoundedArcminutes) {
    EXPECT_EQ(Degrees(12.5), "12°30'");
    EXPECT_EQ(Degrees(0.2), "0°12'");
    // Sixty minutes carry into the degrees, except below a full turn.
    EXPECT_EQ(Degrees(29.9999), "30°0'");
    EXPECT_EQ(Degrees(359.995), "359°59'");
    // Half a minute goes to the even neighbour (these degrees survive the radians exactly).
    EXPECT_EQ(Degrees(10.375), "10°22'");
    EXPECT_EQ(Degrees(10.625), "10°38'");
    EXPECT_EQ(Degrees(29.9999, true), "30°");
    EXPECT_EQ(Degrees(12.5, true, true), "12° 30'");

    for (double outside :
         {-1e-9, std::nextafter(kFullTurn, 7.0), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(FormatAngle(outside, false, false), "") << outside;
    }
}

}  // namespace
}  // namespace zenthra
