// The zone the all-transits mode tells its instants in: a whole-hour offset of the lists, or
// a named zone of the tz database whose offset and abbreviation follow its clock changes. A
// local day of a named zone begins at its first instant and may last 23 or 25 hours.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calendar/Zone.h"

namespace zenthra {

class ReportZone {
  public:
    // A list zone is its offset, `minutes` east of Greenwich, and converts from it.
    ReportZone(int16_t minutes = 0);
    explicit ReportZone(Zone zone);

    const std::optional<Zone>& Named() const { return named; }
    // "Europe/Berlin", or "GMT+1" for a list zone.
    std::string Name() const;
    int16_t ListMinutes() const { return minutes; }

    // The Julian date (UT) at which local day `jdn` begins, and the whole minutes from there
    // to the next day's beginning (1440 but on the days of a clock change).
    double DayStart(int32_t jdn) const;
    int DayMinutes(int32_t jdn) const;
    // The local day value of a day's first instant: its JDN, or later on a day whose midnight
    // the clocks skipped.
    double DayStartValue(int32_t jdn) const;

    // The local day value of a Julian date: the JDN plus the fraction of the local day.
    double LocalValue(double julianDate) const;

    // The Julian date of a local time of day, in minutes; none when the clocks skipped it, and
    // the earlier of two when they showed it twice.
    std::optional<double> JulianDateOf(int32_t jdn, int minuteOfDay) const;

    // What follows a time in the reports: " GMT+1", " CEST". At 24:00 of a day it is the text
    // in force during the day's last second.
    std::string TextAt(double julianDate) const;
    std::string TextAtEndOf(int32_t jdn) const;

  private:
    int16_t minutes = 0;
    std::optional<Zone> named;
};

// " GMT", " GMT+5", " GMT-3": the text of a list zone, whole hours only.
std::string ListZoneText(int16_t minutes);

}  // namespace zenthra
