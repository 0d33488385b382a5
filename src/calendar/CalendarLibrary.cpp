#include "calendar/CalendarLibrary.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "calendar/Utf8.h"

namespace zenthra {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

// JDN of 1970-01-01, the epoch of std::chrono's system clock.
constexpr int64_t kUnixEpochJdn = 2440588;

constexpr int32_t kMinYear = static_cast<int>(year::min());
constexpr int32_t kMaxYear = static_cast<int>(year::max());

int64_t DaysToJdn(sys_days d) {
    return d.time_since_epoch().count() + kUnixEpochJdn;
}

const int64_t kMinJdn = DaysToJdn(sys_days{year{kMinYear} / 1 / 1});
const int64_t kMaxJdn = DaysToJdn(sys_days{year{kMaxYear} / 12 / 31});

// The grouped text fits the 20-character buffer the callers provide.
constexpr size_t kMaxGroupedLength = 20;

}  // namespace

int32_t EuroDateToJdn(CalendarDate& date) {
    date.jdn = 0;
    date.valid = 0;
    if (date.year < kMinYear || date.year > kMaxYear || date.month < 1 || date.month > 12 ||
        date.day < 1 || date.day > 31) {
        return 0;
    }
    const year_month_day ymd{year{date.year}, month{static_cast<unsigned>(date.month)},
                             day{static_cast<unsigned>(date.day)}};
    if (!ymd.ok()) {
        return 0;
    }
    date.jdn = static_cast<int32_t>(DaysToJdn(sys_days{ymd}));
    date.valid = 1;
    return date.jdn;
}

void JdnToEuroDate(CalendarDate& date) {
    date.year = date.month = date.day = 0;
    if (date.jdn < kMinJdn || date.jdn > kMaxJdn) {
        return;
    }
    const year_month_day ymd{sys_days{std::chrono::days{date.jdn - kUnixEpochJdn}}};
    date.year = static_cast<int>(ymd.year());
    date.month = static_cast<int32_t>(static_cast<unsigned>(ymd.month()));
    date.day = static_cast<int32_t>(static_cast<unsigned>(ymd.day()));
}

int32_t JulDatYear(double instant) {
    const double day = std::floor(instant + 0.5);
    if (!(day >= static_cast<double>(kMinJdn))) {
        return kMinYear;
    }
    if (day > static_cast<double>(kMaxJdn)) {
        return kMaxYear;
    }
    CalendarDate date;
    date.calendar = kGregorianCalendar;
    date.jdn = static_cast<int32_t>(day);
    JdnToEuroDate(date);
    return date.year;
}

int32_t GetTimezone() {
    tzset();
    return static_cast<int32_t>(timezone);
}

std::string SeparateThousands(const std::string& number, int32_t separator) {
    const bool negative = !number.empty() && number[0] == '-';
    const std::string digits = negative ? number.substr(1) : number;
    const std::string separatorText = EncodeCharacterCode(separator);
    std::string grouped = negative ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += separatorText;
        }
        grouped += digits[i];
    }
    return std::string(FirstCharacters(grouped, kMaxGroupedLength));
}

}  // namespace zenthra
