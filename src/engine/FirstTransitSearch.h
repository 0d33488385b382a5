// The first-transit search: from the day after a given one, steps day by day until it has
// bracketed the first complete passage of a pair through the outer orb of one aspect.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "calendar/Zone.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

struct FirstTransitQuery {
    BodyCode firstBody = kSun;
    BodyCode secondBody = kSun;
    AspectCode aspect = 0;
    double orb = 0;  // radians
    bool isWorld = false;
    // The natal body's longitude in radians; a negative one is computed at each instant.
    double natalLongitude = -1;
    int16_t tzMinutes = 0;  // the days are local days of this zone
    int32_t afterDay = 0;   // the search begins on the day after this one
    LongitudeBasis basis = {};
    // The days' zone, in place of tzMinutes.
    std::optional<Zone> zone = {};
};

// Which body's longitude fell outside its source, and on which side.
enum class RangeFault { None, SecondBeyond, FirstBeyond, SecondPrior, FirstPrior };

struct FirstTransitResult {
    // None when a period was found: the last day before the aspect came into orb and the
    // first day after it left. Otherwise the search ended at `reached` on this fault.
    RangeFault fault = RangeFault::None;
    int32_t startJdn = 0;
    int32_t endJdn = 0;
    int32_t reached = 0;
};

// What the search tells as it goes.
struct FirstTransitProgress {
    // The pair at 0h UT of the first day, looked at before stepping, lay outside a source;
    // the search goes on as if the aspect were out of orb.
    std::function<void(RangeFault)> firstDayFault;
    // Each day as the search moves on to it.
    std::function<void(int32_t day)> stepping;
};

FirstTransitResult FindFirstTransit(const FirstTransitQuery& query,
                                    const FirstTransitProgress& progress);

// Whether the pair is within the query's orb of its aspect at the instant (Julian date UT);
// false with a fault when a longitude lies outside its source.
bool AspectInOrbAt(const FirstTransitQuery& query, double instant, RangeFault& fault);

}  // namespace zenthra
