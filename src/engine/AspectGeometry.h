// The angle operations every transit decision rests on.
#pragma once

#include <cstdint>
#include <optional>

#include "calendar/Zone.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

// The smaller arc between two longitudes, 0 to pi. `direction` becomes -1 when b lies that
// arc ahead of a, 1 when a lies it ahead of b, and otherwise keeps the caller's value.
double Separation(double a, double b, int16_t& direction);
double Separation(double a, double b);

// |separation - aspect angle|.
double AspectDeviation(double separation, AspectCode aspect);

// Strictly inside: a deviation equal to the orb is outside.
inline bool InOrb(double deviation, double orbRadians) {
    return deviation < orbRadians;
}

// Whether the body moves backwards over the half hour after the instant. The Sun and the
// Moon never do; a body without a position counts as direct.
bool IsRetrograde(BodyCode body, double instant, LongitudeBasis basis);

// The Julian date (UT) of the local midnight that begins a day.
inline double LocalMidnight(int32_t day, int16_t tzMinutes) {
    return day - 0.5 - tzMinutes / 1440.0;
}

// The same in the results' IANA zone when there is one: the first instant of the local day.
inline double LocalMidnight(int32_t day, int16_t tzMinutes, const std::optional<Zone>& zone) {
    return zone ? DayStartJulianDate(*zone, day) : LocalMidnight(day, tzMinutes);
}

}  // namespace zenthra
