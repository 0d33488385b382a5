// The validated parameters of one run and the flags through which a run ends early.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "calendar/Zone.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

// Runs consider conjunction, opposition, square, trine and sextile.
inline constexpr AspectCode kAspectsInUse = 5;

inline constexpr int kOuterOrb = 0;
inline constexpr int kMiddleOrb = 1;
inline constexpr int kInnerOrb = 2;

struct TransitRequest {
    bool isWorld = false;
    BodyCode firstBody = kSun;
    BodyCode secondBody = kSun;
    int32_t startJdn = 0;
    int32_t endJdn = 0;
    int16_t tzMinutes = 0;
    std::optional<Zone> zone;  // the results' IANA zone, in place of tzMinutes
    std::array<int16_t, 3> orbDegrees{};
    std::array<double, 3> orbRadians{};
    bool outerOrbIs15 = false;
    bool sidereal = false;
    bool precisePluto = false;  // Pluto from the ephemeris rather than its table
    bool listEvents = false;    // the bodies' stations and ingresses after the table
    std::array<double, kBodyCount + 1> natalLongitude{};
    int32_t birthJdn = 0;
    bool appendToOutput = false;
    bool showAllMode = false;
};

inline LongitudeBasis BasisOf(const TransitRequest& request) {
    return {request.sidereal ? Zodiac::Sidereal : Zodiac::Tropical,
            request.precisePluto ? PlutoSource::Ephemeris : PlutoSource::Table};
}

struct RunFlags {
    bool stopRequested = false;
    bool runAborted = false;
};

}  // namespace zenthra
