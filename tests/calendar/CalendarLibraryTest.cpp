#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ScopedTimezone.h"
#include "calendar/CalendarLibrary.h"

namespace zenthra {
namespace {

TEST(CalendarLibrary, ConvertsTheJ2000Day) {
    CalendarDate d{2000, 1, 1, kGregorianCalendar, 0, 0};
    EXPECT_EQ(EuroDateToJdn(d), 2451545);
    EXPECT_EQ(d.valid, 1);
}

TEST(CalendarLibrary, GivesTheYearOfAnInstantFromMidnightOn) {
    EXPECT_EQ(JulDatYear(2451544.5), 2000);
    EXPECT_EQ(JulDatYear(2451544.4999), 1999);
    EXPECT_EQ(JulDatYear(1e12), 32767);
    EXPECT_EQ(JulDatYear(std::nan("")), -32767);
}

TEST(CalendarLibrary, GivesTheStandardTimeOffsetInSecondsWest) {
    {
        ScopedTimezone zone("Asia/Kolkata");
        EXPECT_EQ(GetTimezone(), -19800);
    }
    ScopedTimezone zone("America/New_York");
    EXPECT_EQ(GetTimezone(), 18000);
}

TEST(CalendarLibrary, SeparatesThousandsFromTheRight) {
    EXPECT_EQ(SeparateThousands("-123456", ','), "-123,456");
    EXPECT_EQ(SeparateThousands("1234567", '.'), "1.234.567");
    EXPECT_EQ(SeparateThousands("12345", 0xB7), "12\u00B7345");
    EXPECT_EQ(SeparateThousands("12345", -1), "12\uFFFD345");
    EXPECT_EQ(SeparateThousands(std::string(30, '9'), 0xB7),
              "999\u00B7999\u00B7999\u00B7999\u00B7999\u00B7");
}

}  // namespace
}  // namespace zenthra
