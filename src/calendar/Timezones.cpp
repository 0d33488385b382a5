#include "calendar/Timezones.h"

#include <array>
#include <cstdlib>
#include <utility>

#include "calendar/CalendarLibrary.h"

namespace zenthra {

namespace {

constexpr int kMinutesPerStep = 30;

constexpr std::array<std::pair<int, const char*>, 10> kNorthAmericanAbbreviations{{
    {4, "HAST"},
    {6, "AKST/HADT"},
    {8, "PST/AKDT"},
    {10, "MST/PDT"},
    {12, "CST/MDT"},
    {14, "EST/CDT"},
    {16, "AST/EDT"},
    {17, "NST"},
    {18, "ADT"},
    {19, "NDT"},
}};

std::string OffsetText(int minutes) {
    if (minutes == 0) {
        return "GMT";
    }
    const int magnitude = std::abs(minutes);
    return std::string(minutes < 0 ? "GMT-" : "GMT+") + std::to_string(magnitude / 60) +
           (magnitude % 60 == 0 ? ":00" : ":30");
}

// The integer nearest to numerator / denominator (denominator > 0), halves to the even one.
int64_t DivideRoundingHalfEven(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

}  // namespace

std::vector<std::string> TimezoneListTexts(bool withAbbreviations) {
    std::vector<std::string> texts{""};
    for (int index = 1; index < kTimezoneCount; ++index) {
        texts.push_back(OffsetText(TimezoneMinutes(index)));
    }
    if (withAbbreviations) {
        for (const auto& [index, abbreviation] : kNorthAmericanAbbreviations) {
            texts[index] = abbreviation;
        }
    }
    return texts;
}

int TimezoneMinutes(int index) {
    return (index - kGreenwichIndex) * kMinutesPerStep;
}

std::optional<int> LocalTimezoneIndex(int32_t secondsWest) {
    const int64_t minutesEast = DivideRoundingHalfEven(-static_cast<int64_t>(secondsWest), 60);
    const int64_t index = DivideRoundingHalfEven(minutesEast, kMinutesPerStep) + kGreenwichIndex;
    if (index < 1 || index >= kTimezoneCount) {
        return std::nullopt;
    }
    return static_cast<int>(index);
}

std::optional<int> LocalTimezoneIndex() {
    return LocalTimezoneIndex(GetTimezone());
}

}  // namespace zenthra
