// The longitude service: the geocentric longitude of any body at an instant, tropical or
// sidereal, from the ephemeris, the lunar source or the Pluto table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ephemeris/Angles.h"
#include "ephemeris/SwissEphemeris.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

enum class Zodiac { Tropical, Sidereal };

// Pluto from its daily table, or from the ephemeris like the other planets (whose positions
// are exact to the minute where the table's arcminutes are hours apart).
enum class PlutoSource { Table, Ephemeris };

// How a computation takes its positions. Each request carries its own; the process keeps none.
struct LongitudeBasis {
    constexpr LongitudeBasis() = default;
    // Implicit, so that a zodiac alone stands for the basis with Pluto's table.
    constexpr LongitudeBasis(Zodiac zodiac, PlutoSource pluto = PlutoSource::Table)
        : zodiac(zodiac), pluto(pluto) {}

    Zodiac zodiac = Zodiac::Tropical;
    PlutoSource pluto = PlutoSource::Table;
};

// The program's folder with a trailing separator; the Pluto table is read from it.
extern std::string dataFolder;

// The days of the Moon and the Pluto table: 1600-01-01 to 2099-12-31.
inline constexpr int32_t kMoonFirstJdn = 2305448;
inline constexpr int32_t kMoonLastJdn = 2488069;

// Radians in [0, kFullTurn), or kBeforeRange / kAfterRange when the instant (Julian date,
// UT) lies outside the body's source. A code outside 1 to 10 gives kBeforeRange.
double PlanetLongitude(BodyCode body, double instant, LongitudeBasis basis);

// kBeforeRange or kAfterRange when the instant lies outside the days of the body's source,
// else empty; whether the data files can serve it is ProbeEphemerisPeriod's question.
std::optional<double> OutsideSource(BodyCode body, double instant, PlutoSource pluto);

// Brings an angle into [0, kFullTurn).
double NormaliseAngle(double angle);

// The calendar year of an instant.
int16_t YearOfInstant(double instant);

// Hands the data folder to the ephemeris, which looks there for its files first.
void SetDataFolder(const std::string& folder);

}  // namespace zenthra
