// The minute-by-minute search for the closest approach of a pair to an aspect around a day,
// done literally and done fast with the same result.
#pragma once

#include <cstdint>
#include <optional>

#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

// The search stops once the deviation has risen this far above the best value found.
inline constexpr double kMinuteSearchRise = 0.002909;

// A best deviation below this (about an arcminute) makes the aspect exact.
inline constexpr double kExactDeviation = 0.000291;

// Closer to the Sun than this, radians, the Sun's bending of a body's light changes its
// apparent motion within hours, beyond any bound of its acceleration.
inline constexpr double kClearOfTheSun = 1.5 * kFullTurn / 360;

// The greatest change of a body's daily motion, radians per day², at instants from `from` to
// `to` (Julian dates, UT) while the body stands at least kClearOfTheSun from the Sun. Empty
// where no bound is known: outside 1600 to 2099, and for Pluto (whose table runs straight
// between its days and bends at each) and the Moon.
std::optional<double> GreatestAcceleration(BodyCode body, double from, double to);

// The deviation of a pair from an aspect at any instant: the first body moving, the second
// moving too (world) or fixed at its natal longitude (personal).
class PairDeviation {
  public:
    PairDeviation(BodyCode firstBody, BodyCode secondBody, bool isWorld, double natalLongitude,
                  AspectCode aspect, LongitudeBasis basis)
        : firstBody(firstBody),
          secondBody(secondBody),
          isWorld(isWorld),
          natalLongitude(natalLongitude),
          aspect(aspect),
          basis(basis) {}

    // Radians; empty when a longitude is outside its source's range.
    std::optional<double> At(double instant) const;

    // The deviation as At gives it, and the same distance signed: the first body's distance
    // past the nearer point of the aspect, which runs smoothly through the exact aspect.
    struct Offset {
        double deviation;
        double signedDeviation;
    };
    std::optional<Offset> OffsetAt(double instant) const;

    // How fast the deviation can change at most, in radians per minute, and how far it can
    // jump at once between two instants (the sidereal correction steps at each new year).
    double MostChangePerMinute() const;
    double MostJump(double from, double to) const;

    // How fast the signed deviation's rate of change can change at most from `from` to `to`,
    // in radians per minute squared, or 0 where no bound is known: bodies without one,
    // a moving body that may come within kClearOfTheSun of the Sun (which takes the
    // positions at both instants, counted in `evaluations`), or a new sidereal year.
    double MostBendPerMinute(double from, double to, long& evaluations) const;

  private:
    BodyCode firstBody;
    BodyCode secondBody;
    bool isWorld;
    double natalLongitude;
    AspectCode aspect;
    LongitudeBasis basis;
};

struct MinuteSearchResult {
    double best = 10.0;      // smallest deviation found, radians
    double bestInstant = 0;  // the first minute at which it was found (Julian date, UT)
    long evaluations = 0;    // deviations computed
};

// Minutes from day - 1.5 to day + 0.5 (UT), stopping once the deviation has risen
// kMinuteSearchRise above the best so far. Minutes without a position are passed over.
MinuteSearchResult LiteralMinuteSearch(const PairDeviation& deviation, int32_t day);

// The same result as LiteralMinuteSearch, skipping every minute that the bodies' greatest
// speeds and accelerations prove can neither be a new best nor end the search.
MinuteSearchResult FastMinuteSearch(const PairDeviation& deviation, int32_t day);

}  // namespace zenthra
