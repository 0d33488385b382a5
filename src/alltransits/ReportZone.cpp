#include "alltransits/ReportZone.h"

#include <cstdlib>
#include <utility>

#include "alltransits/AllTransitsTables.h"

namespace zenthra {

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kSecondsPerMinute = 60;

int64_t DayStartInstant(const Zone& zone, int32_t jdn) {
    return zone.DayStart(jdn - kUnixEpochJdn);
}

// " CEST": an abbreviation as it follows a time.
std::string AfterTime(const std::string& abbreviation) {
    std::string text(" ");
    return text.append(abbreviation);
}

}  // namespace

ReportZone::ReportZone(int16_t minutes) : minutes(minutes) {}

ReportZone::ReportZone(Zone zone) : named(std::move(zone)) {}

std::string ReportZone::Name() const {
    return named ? named->Name() : ListZoneText(minutes).substr(1);
}

double ReportZone::DayStart(int32_t jdn) const {
    return named ? DayStartJulianDate(*named, jdn) : LocalDayToUt(jdn, minutes);
}

int ReportZone::DayMinutes(int32_t jdn) const {
    if (!named) {
        return kMinutesPerDay;
    }
    const int64_t seconds = DayStartInstant(*named, jdn + 1) - DayStartInstant(*named, jdn);
    return static_cast<int>((seconds + kSecondsPerMinute - 1) / kSecondsPerMinute);
}

double ReportZone::DayStartValue(int32_t jdn) const {
    return named ? LocalValue(DayStart(jdn)) : jdn;
}

double ReportZone::LocalValue(double julianDate) const {
    if (!named) {
        return UtToLocalDay(julianDate, minutes);
    }
    const ZoneLocalTime local = LocalTimeAt(*named, julianDate);
    return local.jdn + static_cast<double>(local.seconds) / kSecondsPerDay;
}

std::optional<double> ReportZone::JulianDateOf(int32_t jdn, int minuteOfDay) const {
    if (!named) {
        return LocalDayToUt(jdn + minuteOfDay / static_cast<double>(kMinutesPerDay), minutes);
    }
    const int64_t local =
        (int64_t{jdn} - kUnixEpochJdn) * kSecondsPerDay + int64_t{minuteOfDay} * kSecondsPerMinute;
    const std::optional<int64_t> instant = named->InstantOf(local);
    if (!instant) {
        return std::nullopt;
    }
    return JulianDateOfInstant(*instant);
}

std::string ReportZone::TextAt(double julianDate) const {
    return named ? AfterTime(named->Abbreviation(InstantOfJulianDate(julianDate)))
                 : ListZoneText(minutes);
}

std::string ReportZone::TextAtEndOf(int32_t jdn) const {
    return named ? AfterTime(named->Abbreviation(DayStartInstant(*named, jdn + 1) - 1))
                 : ListZoneText(minutes);
}

std::string ListZoneText(int16_t minutes) {
    if (minutes == 0) {
        return " GMT";
    }
    return std::string(" GMT") + (minutes > 0 ? "+" : "-") + std::to_string(std::abs(minutes) / 60);
}

}  // namespace zenthra
