#include "ephemeris/SwissEphemeris.h"

#include <swephexp.h>

#include <array>
#include <cmath>

#include "ephemeris/Angles.h"

namespace zenthra {

namespace {

constexpr double kJ2000 = 2451545;

// Swiss Ephemeris numbers of the library bodies 1 to 8.
constexpr std::array<int32_t, 9> kSweBodyOfLibraryBody = {
    -1, SE_MERCURY, SE_VENUS, SE_SUN, SE_MARS, SE_JUPITER, SE_SATURN, SE_URANUS, SE_NEPTUNE};

bool searchPathSet = false;
std::string fault;

double OutOfRange(double instant) {
    return instant < kJ2000 ? kBeforeRange : kAfterRange;
}

double DegreesToRadians(double degrees) {
    const double radians = degrees / 360 * kFullTurn;
    return radians < kFullTurn ? radians : 0;
}

}  // namespace

void SetEphemerisSearchPath(const std::string& path) {
    swe_set_ephe_path(path.c_str());
    searchPathSet = true;
}

void SetDatafilesFolder(const std::string& folder) {
    SetEphemerisSearchPath(folder + ":" + ZENTHRA_SYSTEM_EPHE_DIR);
}

std::optional<double> SwissApparentLongitude(int32_t sweBody, double instant) {
    if (!searchPathSet) {
        SetEphemerisSearchPath(ZENTHRA_SYSTEM_EPHE_DIR);
    }
    std::array<double, 6> position{};
    std::array<char, AS_MAXCH> error{};
    const int32_t flags =
        swe_calc_ut(instant, sweBody, SEFLG_SWIEPH, position.data(), error.data());
    if (flags < 0 || (flags & SEFLG_SWIEPH) == 0) {
        fault = error[0] != '\0' ? error.data() : "the ephemeris data files cannot serve this date";
        return std::nullopt;
    }
    return DegreesToRadians(position[0]);
}

std::optional<double> OutsideDays(double instant, int32_t firstJdn, int32_t lastJdn) {
    const double day = std::floor(instant + 0.5);
    if (!(day >= firstJdn)) {
        return kBeforeRange;
    }
    if (day > lastJdn) {
        return kAfterRange;
    }
    return std::nullopt;
}

double GcAppLongRvPlanet(int32_t libraryBody, double instant, int32_t /*year*/, double* second) {
    if (second != nullptr) {
        *second = 0;
    }
    if (libraryBody < 1 || libraryBody > 8) {
        return kBeforeRange;
    }
    if (const auto outside = OutsideDays(instant, kEphemerisFirstJdn, kEphemerisLastJdn)) {
        return *outside;
    }
    return SwissApparentLongitude(kSweBodyOfLibraryBody[libraryBody], instant)
        .value_or(OutOfRange(instant));
}

double MoonPos(double daysSinceJ2000) {
    const double instant = daysSinceJ2000 + kJ2000;
    return SwissApparentLongitude(SE_MOON, instant).value_or(OutOfRange(instant));
}

const std::string& EphemerisFault() {
    return fault;
}

std::string ProbeEphemerisData() {
    for (int32_t body : {SE_SUN, SE_MOON}) {
        if (!SwissApparentLongitude(body, kJ2000)) {
            return fault;
        }
    }
    return "";
}

}  // namespace zenthra
