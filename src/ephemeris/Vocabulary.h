// The numbering and names of the bodies and aspects, and the aspect angles. The name tables
// are process-wide, filled once at start-up by InitVocabulary; the angles are constants.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ephemeris/Angles.h"

namespace zenthra {

using BodyCode = int16_t;
using AspectCode = int16_t;

// Bodies in order of distance from the Sun with the Sun first; Pluto and the Moon last.
inline constexpr BodyCode kSun = 1;
inline constexpr BodyCode kMercury = 2;
inline constexpr BodyCode kVenus = 3;
inline constexpr BodyCode kMars = 4;
inline constexpr BodyCode kJupiter = 5;
inline constexpr BodyCode kSaturn = 6;
inline constexpr BodyCode kUranus = 7;
inline constexpr BodyCode kNeptune = 8;
inline constexpr BodyCode kPluto = 9;
inline constexpr BodyCode kMoon = 10;
inline constexpr BodyCode kBodyCount = 10;

inline constexpr AspectCode kConjunction = 1;
inline constexpr AspectCode kOpposition = 2;
inline constexpr AspectCode kSquare = 3;
inline constexpr AspectCode kTrine = 4;
inline constexpr AspectCode kSextile = 5;
inline constexpr AspectCode kSemisextile = 6;
inline constexpr AspectCode kQuincunx = 7;
inline constexpr AspectCode kAspectCount = 7;

// Process-wide language setting: 1 German; every other value English. 0 at start-up.
extern int16_t languageSetting;

// Fills the name tables for the current language, and hands the program's folder to the
// ephemeris as the data folder.
void InitVocabulary(const std::string& programFolder);

// Read access by code; a code outside the table gives the empty text or 0.
const std::string& BodyName(BodyCode body);
const std::string& BodyAbbreviation(BodyCode body);
const std::string& AspectName(AspectCode aspect);
const std::string& AspectAbbreviation(AspectCode aspect);

// Radians, indexed by aspect code; index 0 is unused.
inline constexpr std::array<double, kAspectCount + 1> kAspectAngles = {0,
                                                                       0,
                                                                       kHalfTurn,
                                                                       1.5707963267948974,
                                                                       120 / 360.0 * kFullTurn,
                                                                       60 / 360.0 * kFullTurn,
                                                                       30 / 360.0 * kFullTurn,
                                                                       150 / 360.0 * kFullTurn};

constexpr double AspectAngle(AspectCode aspect) {
    return aspect < 1 || aspect > kAspectCount ? 0 : kAspectAngles[aspect];
}

}  // namespace zenthra
