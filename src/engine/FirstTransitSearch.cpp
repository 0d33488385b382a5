#include "engine/FirstTransitSearch.h"

#include <cmath>

#include "engine/AspectGeometry.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

namespace {

// A longitude outside its source's range, as a fault: whole part -100 is beyond.
RangeFault FaultOf(double longitude, RangeFault beyond, RangeFault prior) {
    return std::trunc(longitude) == kAfterRange ? beyond : prior;
}

// The first day from `firstDay` on whose local midnight the aspect is in orb (`wantInOrb`) or
// out of it; for an entry, the day before it. On a fault, the day it occurred.
int32_t StepToOrbChange(const FirstTransitQuery& query, int32_t firstDay, bool wantInOrb,
                        const std::function<void(int32_t)>& stepping, RangeFault& fault) {
    for (int32_t n = firstDay;; ++n) {
        if (n != firstDay) {
            stepping(n);
        }
        const bool inOrb =
            AspectInOrbAt(query, LocalMidnight(n, query.tzMinutes, query.zone), fault);
        if (fault != RangeFault::None) {
            return n;
        }
        if (inOrb == wantInOrb) {
            return wantInOrb ? n - 1 : n;
        }
    }
}

}  // namespace

bool AspectInOrbAt(const FirstTransitQuery& query, double instant, RangeFault& fault) {
    fault = RangeFault::None;
    const bool computeSecond = query.isWorld || query.natalLongitude < 0;
    const double second = computeSecond ? PlanetLongitude(query.secondBody, instant, query.basis)
                                        : query.natalLongitude;
    if (computeSecond && second < 0) {
        fault = FaultOf(second, RangeFault::SecondBeyond, RangeFault::SecondPrior);
        return false;
    }
    const double first = PlanetLongitude(query.firstBody, instant, query.basis);
    if (first < 0) {
        fault = FaultOf(first, RangeFault::FirstBeyond, RangeFault::FirstPrior);
        return false;
    }
    return InOrb(AspectDeviation(Separation(first, second), query.aspect), query.orb);
}

FirstTransitResult FindFirstTransit(const FirstTransitQuery& query,
                                    const FirstTransitProgress& progress) {
    const auto& stepping = progress.stepping;
    FirstTransitResult result;
    int32_t day = query.afterDay + 1;
    const auto failed = [&](int32_t reached) {
        result.reached = reached;
        return result.fault != RangeFault::None;
    };
    // A transit in effect on the first day is passed over: the search wants a whole one.
    RangeFault firstDayFault = RangeFault::None;
    const bool inEffect = AspectInOrbAt(query, day - 0.5, firstDayFault);
    if (firstDayFault != RangeFault::None) {
        progress.firstDayFault(firstDayFault);
    }
    if (inEffect) {
        day = StepToOrbChange(query, day, false, stepping, result.fault);
        if (failed(day)) {
            return result;
        }
    }
    const int32_t start = StepToOrbChange(query, day, true, stepping, result.fault);
    if (failed(start)) {
        return result;
    }
    const int32_t end = StepToOrbChange(query, start + 1, false, stepping, result.fault);
    if (failed(end)) {
        return result;
    }
    result.startJdn = start;
    result.endJdn = end;
    return result;
}

}  // namespace zenthra
