// Date and Julian day conversions, the year of an instant, the computer's timezone and
// thousands grouping: the calendar operations the rest of the program is built on.
#pragma once

#include <cstdint>
#include <string>

namespace zenthra {

// The record exchanged with the date conversions. `calendar` is the character code of the
// calendar letter; only "G" (71, proleptic Gregorian) is used.
struct CalendarDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t calendar = 0;
    int32_t jdn = 0;
    int32_t valid = 0;
};

inline constexpr int32_t kGregorianCalendar = 71;

// Reads year, month and day; writes `jdn` and `valid` and returns the JDN. A date that does
// not exist (or lies beyond the years the calendar represents) gives valid = 0 and JDN 0.
int32_t EuroDateToJdn(CalendarDate& date);

// Reads `jdn`; writes year, month and day. A JDN beyond the representable years gives zeros.
void JdnToEuroDate(CalendarDate& date);

// The calendar year in which the instant (Julian date, UT) falls.
int32_t JulDatYear(double instant);

// The computer's standard-time offset from Greenwich in seconds, positive west.
int32_t GetTimezone();

// The decimal text of an integer with the character whose code is `separator` between groups
// of three digits counted from the right; at most 20 characters are kept.
std::string SeparateThousands(const std::string& number, int32_t separator);

}  // namespace zenthra
