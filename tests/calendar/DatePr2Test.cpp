#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"

namespace zenthra {
namespace {

class DatePr2Test : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InitDateVocabulary(); }

    static int32_t Jdn(int32_t year, int32_t month, int32_t day) {
        return DateToJdn(year, month, day).jdn;
    }
};

// Midway through second `s` of the day, clear of rounding at the boundary.
double AtSecond(int s) {
    return (s + 0.5) / 86400.0;
}

TEST_F(DatePr2Test, ConvertsBetweenDatesAndDayNumbers) {
    EXPECT_EQ(JdnToDate(2451545), (GregorianDate{2000, 1, 1}));
    EXPECT_EQ(JdnToDate(0), (GregorianDate{-4713, 11, 24}));
    EXPECT_EQ(Jdn(1582, 10, 14), 2299160);

    const int32_t first = Jdn(-32767, 1, 1);
    const int32_t last = Jdn(32767, 12, 31);
    const auto roundTrips = [](int32_t jdn) {
        const GregorianDate date = JdnToDate(jdn);
        const DateJdn back = DateToJdn(date.year, date.month, date.day);
        return back.valid && back.jdn == jdn;
    };
    for (int32_t jdn = first; jdn <= last; jdn += 997) {
        ASSERT_TRUE(roundTrips(jdn)) << jdn;
    }
    EXPECT_TRUE(roundTrips(last));
    EXPECT_EQ(JdnToDate(last + 1), GregorianDate{});
    EXPECT_EQ(FormatShortDate(std::numeric_limits<int32_t>::min(), 2, "-", ",", false), "0-00-00");
}

TEST_F(DatePr2Test, RejectsDatesTheCalendarLacks) {
    EXPECT_TRUE(DateToJdn(2000, 2, 29).valid);
    EXPECT_FALSE(DateToJdn(1900, 2, 29).valid);
    EXPECT_FALSE(DateToJdn(2023, 2, 30).valid);
    EXPECT_FALSE(DateToJdn(2023, 13, 1).valid);
    EXPECT_FALSE(DateToJdn(2023, 0, 1).valid);
    EXPECT_FALSE(DateToJdn(2023, 1, 32).valid);
    const std::string thirtyDigits(30, '9');
    EXPECT_FALSE(DateToJdn(SaturatingInteger(thirtyDigits), 1, 1).valid);
    EXPECT_FALSE(DateToJdn(SaturatingInteger("-" + thirtyDigits), 1, 1).valid);
}

TEST_F(DatePr2Test, WritesShortDatesInEachStyle) {
    EXPECT_EQ(FormatShortDate(2451545, 2, "-", ",", false), "2000-01-01");
    EXPECT_EQ(FormatShortDate(2451545, 2, "-", ",", true), "2000-01-01 CE");
    EXPECT_EQ(FormatShortDate(Jdn(2022, 12, 22), 1, "/", ",", false), "22/12/2022");
    EXPECT_EQ(FormatShortDate(Jdn(2022, 12, 22), 7, "/", ",", false), "12/22/2022");
    EXPECT_EQ(FormatShortDate(Jdn(12345, 6, 1), 2, "-", ",", false), "12,345-06-01");
    EXPECT_EQ(FormatShortDate(Jdn(12345, 6, 1), 2, "-", "", false), "12345-06-01");
    EXPECT_EQ(FormatShortDate(Jdn(9999, 12, 31), 2, "-", ",", false), "9999-12-31");
    EXPECT_EQ(FormatShortDate(Jdn(-10000, 1, 1), 2, "-", ".", false), "-10.000-01-01");
    EXPECT_EQ(FormatShortDate(Jdn(-500, 3, 1), 2, "-", ",", false), "-500-03-01");
    EXPECT_EQ(FormatShortDate(Jdn(-500, 3, 1), 1, "-", ",", false), "01-03-(-500)");
    EXPECT_EQ(FormatShortDate(Jdn(-500, 3, 1), 0, "-", ",", true), "03-01-(-500) CE");
}

TEST_F(DatePr2Test, WritesNumericDatesInEachStyle) {
    const int32_t jdn = Jdn(2009, 3, 5);
    EXPECT_EQ(FormatNumericDate(jdn, 0, true, false), "03/05/2009");
    EXPECT_EQ(FormatNumericDate(jdn, 0, false, true), "3/5/09");
    EXPECT_EQ(FormatNumericDate(jdn, 1, true, false), "05.03.2009");
    EXPECT_EQ(FormatNumericDate(jdn, 2, true, false), "2009-03-05");
    EXPECT_EQ(FormatNumericDate(jdn, 3, true, false), "Mar. 05 2009");
    EXPECT_EQ(FormatNumericDate(jdn, 9, false, false), "3 5 2009");
    EXPECT_EQ(FormatNumericDate(Jdn(-5, 11, 30), 2, true, true), "-5-11-30");
}

TEST_F(DatePr2Test, WritesDatesOut) {
    EXPECT_EQ(FormatLongDate(Jdn(2009, 1, 1)), "January 1, 2009");
    EXPECT_EQ(FormatLongDate(Jdn(12345, 6, 1)), "June 1, 12,345");
    EXPECT_EQ(FormatLongDate(Jdn(-500, 3, 1)), "March 1, -500");

    const char* const medium[] = {"Jan.", "Feb.", "March", "April", "May",  "June",
                                  "July", "Aug.", "Sept.", "Oct.",  "Nov.", "Dec."};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(FormatMediumDate(Jdn(2009, month, 9)),
                  std::string(medium[month - 1]) + " 9, 2009");
    }
    EXPECT_EQ(FormatMediumDate(Jdn(12345, 5, 30)), "May 30, 12345");
    EXPECT_EQ(FormatMediumDate(Jdn(-500, 1, 1)), "Jan. 1,-500");
}

TEST_F(DatePr2Test, WritesTimesOfDay) {
    EXPECT_EQ(FormatTimeOfDay(0.9999999, true, ":"), "23:59");
    EXPECT_EQ(FormatTimeOfDay(std::nextafter(1.0, 0.0), false, ":"), "23:59:59");
    EXPECT_EQ(FormatTimeOfDay(AtSecond(10 * 3600 + 59 * 60 + 30), true, ":"), "11:00");
    EXPECT_EQ(FormatTimeOfDay(AtSecond(10 * 3600 + 59 * 60 + 29), true, ":"), "10:59");
    EXPECT_EQ(FormatTimeOfDay(AtSecond(29), true, ":"), "00:00");
    EXPECT_EQ(FormatTimeOfDay(AtSecond(9 * 3600 + 5 * 60 + 17), false, "."), "09.05.17");
    EXPECT_EQ(FormatTimeOfDay(1.0, true, ":"), "");
    EXPECT_EQ(FormatTimeOfDay(-1e-9, true, ":"), "");
    EXPECT_EQ(FormatTimeOfDay(std::nan(""), false, ":"), "");
}

TEST_F(DatePr2Test, GroupsThousandsWithTheSeparatorsFirstCharacter) {
    EXPECT_EQ(GroupThousands("1234567", ","), "1,234,567");
    EXPECT_EQ(GroupThousands("-123456", ", "), "-123,456");
    EXPECT_EQ(GroupThousands("12345", ""), "12345");
    EXPECT_EQ(GroupThousands("12345", "\U0001F600"), "12\U0001F600345");
}

}  // namespace
}  // namespace zenthra
