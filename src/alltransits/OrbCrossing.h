// The minute at which a transiting body enters or leaves the orb of an aspect to a natal point
// during one local day: the minute-by-minute search, and a fast one that returns the same
// minute from far fewer positions.
#pragma once

#include <cstdint>

#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

// The minutes of a day: 0 is its local midnight, 1440 the next one.
inline constexpr int kMinutesInDay = 1440;

struct OrbCrossingQuery {
    bool wantEntry = true;  // the first minute in orb; otherwise the first minute out of it
    double dayStart = 0;    // Julian date (UT) of the local day's first instant
    BodyCode transiting = kSun;
    double natalLongitude = 0;  // radians
    AspectCode aspect = kConjunction;
    double orb = 0;  // radians
    // Minutes to the next day's first instant: more or fewer on the day of a clock change.
    int dayMinutes = kMinutesInDay;
    LongitudeBasis basis = {};
};

// Work done by the searches of a computation.
struct OrbCrossingStats {
    long searches = 0;
    long evaluations = 0;  // longitudes computed
};

// Minute i of the day is in orb when its deviation is at most the orb (entry) and out of it
// when its deviation is at least the orb (exit). The first such minute of 0 to 1440 (to the
// day's minutes), where the last becomes the one before so that the crossing stays in its
// day; a day without one also gives that minute. Returns the Julian date (UT) of the minute.
double FindOrbCrossingMinuteLiteral(const OrbCrossingQuery& query, OrbCrossingStats* stats);

// The same minute as the literal search, skipping the minutes that the transiting body's
// greatest speed proves cannot be the first crossing.
double FindOrbCrossingMinute(const OrbCrossingQuery& query, OrbCrossingStats* stats);

}  // namespace zenthra
