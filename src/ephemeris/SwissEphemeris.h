// The ephemeris and lunar sources behind the longitude service, on Swiss Ephemeris: apparent
// geocentric ecliptic longitudes of date (light-time, aberration and nutation applied).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zenthra {

// Instants are Julian dates in UT; a day is the whole part of instant + 0.5.
inline constexpr double kBeforeRange = -99;
inline constexpr double kAfterRange = -100;

// kBeforeRange or kAfterRange when the day of the instant lies outside firstJdn to lastJdn,
// else empty. Not a number counts as before.
std::optional<double> OutsideDays(double instant, int32_t firstJdn, int32_t lastJdn);

// The planets' declared range, proleptic Gregorian 0000-01-01 to 2999-12-31: every instant
// a run can sample, a day beyond the window's date limits included, lies inside the data
// files that Debian ships.
inline constexpr int32_t kEphemerisFirstJdn = 1721060;
inline constexpr int32_t kEphemerisLastJdn = 2816787;

// The ephemeris library's own body numbering: 1 Mercury, 2 Venus, 3 Sun, 4 Mars ... 8 Neptune,
// and 9 Pluto, asked for only when a run takes Pluto from the ephemeris rather than its table.
// Returns radians in [0, 2pi), kBeforeRange / kAfterRange outside the declared range, and
// also when the data files cannot serve the instant (see EphemerisFault). `year` and
// `second` are part of the library's call and not needed here; `second` receives 0.
inline constexpr int32_t kLibraryPluto = 9;
double GcAppLongRvPlanet(int32_t libraryBody, double instant, int32_t year, double* second);

// The Moon at a count of days since J2000 (instant - 2451545), radians. The caller checks
// the range; a failure of the data files gives kBeforeRange / kAfterRange as above.
double MoonPos(double daysSinceJ2000);

// Where the data files are looked for: the given folder first, then the system's folder.
void SetDatafilesFolder(const std::string& folder);

// Replaces the whole search list (colon-separated). For tests of missing data files.
void SetEphemerisSearchPath(const std::string& path);

// Swiss Ephemeris body number (SE_SUN ... SE_PLUTO) at an instant in UT: radians in
// [0, 2pi). Empty when the data files cannot serve the instant: Swiss Ephemeris would fall
// back to a less accurate theory, and such a position is never used.
std::optional<double> SwissApparentLongitude(int32_t sweBody, double instant);

// The last problem the data files reported, as one sentence that names the file, empty when
// there was none.
const std::string& EphemerisFault();

// Asks the data files for the Sun and the Moon at a date they must cover; the problem
// they report, or the empty text when they answer.
std::string ProbeEphemerisData();

// The same for every data file that the instants from `first` to `last` need, as far as
// they lie inside the declared range.
std::string ProbeEphemerisPeriod(double first, double last);

// What the user is told when the data files cannot serve a date: the last problem, the
// folders searched and the remedy.
std::string EphemerisDataMessage();

}  // namespace zenthra
