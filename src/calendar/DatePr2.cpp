#include "calendar/DatePr2.h"

#include <algorithm>
#include <cmath>

#include "calendar/CalendarLibrary.h"
#include "calendar/Utf8.h"

namespace zenthra {

namespace {

std::array<std::string, 13> monthNames;
std::array<std::string, 13> monthAbbreviations;

constexpr int kSecondsPerDay = 86400;
constexpr int32_t kLargestUngroupedYear = 9999;
constexpr size_t kLongestFullMonthName = 5;

std::string ZeroPadded(std::string text) {
    return text.size() < 2 ? "0" + text : text;
}

// A number's text with a leading space when it is not negative: " 7", "-500".
std::string SignedWidth(int32_t number) {
    std::string text = std::to_string(number);
    if (number >= 0) {
        text.insert(text.begin(), ' ');
    }
    return text;
}

std::string YearText(int32_t year, std::string_view thousandsSep) {
    const std::string text = std::to_string(year);
    const bool grouped = year > kLargestUngroupedYear || year < -kLargestUngroupedYear;
    return grouped ? GroupThousands(text, thousandsSep) : text;
}

std::string Joined(const std::string& a, const std::string& b, const std::string& c,
                   std::string_view sep) {
    return a + std::string(sep) + b + std::string(sep) + c;
}

}  // namespace

const std::array<std::string, 13>& MonthNames = monthNames;
const std::array<std::string, 13>& MonthAbbreviations = monthAbbreviations;

void InitDateVocabulary() {
    monthNames = {"",     "January", "February",  "March",   "April",    "May",     "June",
                  "July", "August",  "September", "October", "November", "December"};
    monthAbbreviations = {"",     "Jan.", "Feb.",  "Mar.", "Apr.", "May", "June",
                          "July", "Aug.", "Sept.", "Oct.", "Nov.", "Dec."};
}

DateJdn DateToJdn(int32_t year, int32_t month, int32_t day) {
    CalendarDate date{year, month, day, kGregorianCalendar, 0, 0};
    const int32_t jdn = EuroDateToJdn(date);
    return {jdn, date.valid != 0};
}

GregorianDate JdnToDate(int32_t jdn) {
    CalendarDate date{0, 0, 0, kGregorianCalendar, jdn, 0};
    JdnToEuroDate(date);
    return {date.year, date.month, date.day};
}

std::string IsoDateText(int32_t jdn) {
    return FormatShortDate(jdn, kYearMonthDay, "-", ",", false);
}

std::string FormatShortDate(int32_t jdn, int style, std::string_view sep,
                            std::string_view thousandsSep, bool era) {
    const GregorianDate date = JdnToDate(jdn);
    const std::string day = TwoDigits(date.day);
    const std::string month = TwoDigits(date.month);
    const std::string year = YearText(date.year, thousandsSep);
    const std::string trailingYear = date.year < 0 ? "(" + year + ")" : year;
    std::string text;
    if (style == kYearMonthDay) {
        text = Joined(year, month, day, sep);
    } else if (style == kDayMonthYear) {
        text = Joined(day, month, trailingYear, sep);
    } else {
        text = Joined(month, day, trailingYear, sep);
    }
    return era ? text + " CE" : text;
}

std::string FormatNumericDate(int32_t jdn, int style, bool pad, bool twoDigitYear) {
    const GregorianDate date = JdnToDate(jdn);
    std::string day = std::to_string(date.day);
    std::string month = std::to_string(date.month);
    std::string year = std::to_string(date.year);
    if (pad) {
        day = ZeroPadded(day);
        month = ZeroPadded(month);
    }
    if (style == kAbbreviatedMonthDayYear) {
        month = MonthAbbreviations[date.month];
    }
    if (twoDigitYear && year.size() > 2) {
        year.erase(0, year.size() - 2);
    }
    switch (style) {
        case kMonthDayYear:
            return Joined(month, day, year, "/");
        case kDayMonthYear:
            return Joined(day, month, year, ".");
        case kYearMonthDay:
            return Joined(year, month, day, "-");
        default:
            return Joined(month, day, year, " ");
    }
}

std::string FormatLongDate(int32_t jdn) {
    const GregorianDate date = JdnToDate(jdn);
    return MonthNames[date.month] + SignedWidth(date.day) + ", " + YearText(date.year, ",");
}

std::string FormatMediumDate(int32_t jdn) {
    const GregorianDate date = JdnToDate(jdn);
    const std::string& name =
        SplitCharacters(MonthNames[date.month]).size() <= kLongestFullMonthName
            ? MonthNames[date.month]
            : MonthAbbreviations[date.month];
    return name + SignedWidth(date.day) + "," + SignedWidth(date.year);
}

std::string FormatTimeOfDay(double fraction, bool roundToMinute, std::string_view sep) {
    if (!(fraction >= 0.0 && fraction < 1.0)) {
        return "";
    }
    // A fraction just below 1 can reach a whole day once multiplied; it is still the day's end.
    const int s =
        std::min(static_cast<int>(std::floor(fraction * kSecondsPerDay)), kSecondsPerDay - 1);
    int hours = s / 3600;
    int minutes = s / 60 % 60;
    const int seconds = s % 60;
    if (!roundToMinute) {
        return Joined(TwoDigits(hours), TwoDigits(minutes), TwoDigits(seconds), sep);
    }
    if (seconds >= 30 && ++minutes == 60) {
        // The time stays within its day: 23:59:30 and later show as 23:59.
        if (hours == 23) {
            minutes = 59;
        } else {
            minutes = 0;
            ++hours;
        }
    }
    return TwoDigits(hours) + std::string(sep) + TwoDigits(minutes);
}

std::string TwoDigits(int number) {
    return ZeroPadded(std::to_string(number));
}

std::string GroupThousands(std::string_view text, std::string_view sep) {
    if (sep.empty()) {
        return std::string(text);
    }
    const std::string grouped = SeparateThousands(std::string(text), FirstCharacterCode(sep));
    // The library's text ends at its first zero character.
    return grouped.substr(0, grouped.find('\0'));
}

}  // namespace zenthra
