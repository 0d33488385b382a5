// Date texts of the reports, title lines and date labels; typed dates to day numbers; times
// of day. Every date is a proleptic Gregorian date; every text is English.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zenthra {

// Month names and abbreviations indexed by month 1 to 12; index 0 is empty. They are empty
// until InitDateVocabulary has filled them.
extern const std::array<std::string, 13>& MonthNames;
extern const std::array<std::string, 13>& MonthAbbreviations;

// Fills the month tables; called once when the main window loads.
void InitDateVocabulary();

struct DateJdn {
    int32_t jdn = 0;
    bool valid = false;  // false when the date does not exist in the calendar
};

struct GregorianDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;

    bool operator==(const GregorianDate&) const = default;
};

DateJdn DateToJdn(int32_t year, int32_t month, int32_t day);

// A day number beyond the calendar's years gives year, month and day 0.
GregorianDate JdnToDate(int32_t jdn);

// Date styles: 0 month-day-year, 1 day-month-year, 2 year-month-day.
inline constexpr int kMonthDayYear = 0;
inline constexpr int kDayMonthYear = 1;
inline constexpr int kYearMonthDay = 2;
// FormatNumericDate only: month abbreviation, day and year separated by spaces.
inline constexpr int kAbbreviatedMonthDayYear = 3;

// "2022-12-22" in style 2 with "-". Years beyond ±9999 are grouped with `thousandsSep`;
// negative years are bracketed in styles 0 and 1; `era` appends " CE". Unknown styles are 0.
std::string FormatShortDate(int32_t jdn, int style, std::string_view sep,
                            std::string_view thousandsSep, bool era);

// "2022-12-22": the date as the tables, the progress label and the search print it.
std::string IsoDateText(int32_t jdn);

// "12/22/2022", "22.12.2022", "2022-12-22", or "Dec. 22 2022" (style 3) with `pad`; days and
// months without `pad` have no leading zero. Years are never grouped.
std::string FormatNumericDate(int32_t jdn, int style, bool pad, bool twoDigitYear);

// "January 1, 2009"; years beyond ±9999 are grouped with ",".
std::string FormatLongDate(int32_t jdn);

// "Jan. 1, 2009", "March 3, 2009": names longer than five characters are abbreviated.
std::string FormatMediumDate(int32_t jdn);

// "09:05" with `roundToMinute`, else "09:05:17". A fraction outside [0, 1) gives "".
std::string FormatTimeOfDay(double fraction, bool roundToMinute, std::string_view sep);

// A number below 100 and not negative as two digits: days and months of report dates, the
// parts of a time of day, list entries, codes: "05", "12".
std::string TwoDigits(int number);

// `text`, a decimal integer, with the first character of `sep` between groups of three digits.
std::string GroupThousands(std::string_view text, std::string_view sep);

}  // namespace zenthra
