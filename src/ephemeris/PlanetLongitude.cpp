#include "ephemeris/PlanetLongitude.h"

#include <array>
#include <cmath>

#include "calendar/CalendarLibrary.h"
#include "ephemeris/LongitudeCache.h"
#include "ephemeris/PlutoTable.h"

namespace zenthra {

std::string dataFolder;

namespace {

constexpr double kJ2000 = 2451545;

// The ephemeris library's numbers of the bodies Sun to Pluto.
constexpr std::array<int32_t, 10> kLibraryBodyCode = {0, 3, 1, 2, 4, 5, 6, 7, 8, kLibraryPluto};

double MoonLongitude(double instant) {
    if (const auto outside = OutsideDays(instant, kMoonFirstJdn, kMoonLastJdn)) {
        return *outside;
    }
    return MoonPos(instant - kJ2000);
}

double EphemerisLongitude(BodyCode body, double instant) {
    if (body == kMoon) {
        return MoonLongitude(instant);
    }
    double unused = 0;
    return GcAppLongRvPlanet(kLibraryBodyCode[body], instant, YearOfInstant(instant), &unused);
}

bool FromTable(BodyCode body, PlutoSource pluto) {
    return body == kPluto && pluto == PlutoSource::Table;
}

// The Pluto table is cheaper to read than a cache and may be loaded anew, so the cache holds
// only the ephemeris's values, asked only once for each body and instant; Pluto's key there
// always means the ephemeris's Pluto.
double TropicalLongitude(BodyCode body, double instant, PlutoSource pluto) {
    if (FromTable(body, pluto)) {
        return PlutoLongitude(instant);
    }
    if (body != kMoon && (body < kSun || body > kPluto)) {
        return kBeforeRange;
    }
    if (const auto cached = CachedLongitude(body, instant)) {
        return *cached;
    }
    const double longitude = EphemerisLongitude(body, instant);
    if (longitude >= 0) {
        RememberLongitude(body, instant, longitude);
    }
    return longitude;
}

// The ayanamsa grows by 243.8 microradians a year from 0.416314 rad in 2000; the year
// difference is a 16-bit number.
double Ayanamsa(int16_t year) {
    const auto yearsSince2000 = static_cast<int16_t>(year - 2000);
    return yearsSince2000 * 243.8 / 1000000 + 0.416314;
}

}  // namespace

double PlanetLongitude(BodyCode body, double instant, LongitudeBasis basis) {
    const double longitude = TropicalLongitude(body, instant, basis.pluto);
    if (longitude < 0 || basis.zodiac == Zodiac::Tropical) {
        return longitude;
    }
    return NormaliseAngle(longitude - Ayanamsa(YearOfInstant(instant)));
}

std::optional<double> OutsideSource(BodyCode body, double instant, PlutoSource pluto) {
    if (FromTable(body, pluto) || body == kMoon) {
        return OutsideDays(instant, kMoonFirstJdn, kMoonLastJdn);
    }
    if (body < kSun || body > kPluto) {
        return kBeforeRange;
    }
    return OutsideDays(instant, kEphemerisFirstJdn, kEphemerisLastJdn);
}

double NormaliseAngle(double angle) {
    // fmod rather than repeated turns, so that an enormous value cannot hang the program.
    double x = std::fmod(angle, kFullTurn);
    if (x < 0) {
        x += kFullTurn;
    }
    if (x >= kFullTurn) {
        x -= kFullTurn;
    }
    return x;
}

int16_t YearOfInstant(double instant) {
    return static_cast<int16_t>(JulDatYear(instant));
}

void SetDataFolder(const std::string& folder) {
    SetDatafilesFolder(folder);
}

}  // namespace zenthra
