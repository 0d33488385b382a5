#include "engine/AspectGeometry.h"

#include <cmath>

#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

namespace {

// Two longitudes agree when they are equal to six decimals, halves going to the even
// neighbour (nearbyint rounds that way in the default rounding mode).
bool AgreeToSixDecimals(double x, double y) {
    return std::nearbyint(x * 1e6) == std::nearbyint(y * 1e6);
}

constexpr double kHalfHour = 1.0 / 48;

// A change larger than this is a passage through 0 degrees, not motion.
constexpr double kLargestMotion = 3.14159265358979;

}  // namespace

double Separation(double a, double b, int16_t& direction) {
    const double s = Separation(a, b);
    if (AgreeToSixDecimals(NormaliseAngle(s + a), b)) {
        direction = -1;
    } else if (AgreeToSixDecimals(NormaliseAngle(s + b), a)) {
        direction = 1;
    }
    return s;
}

// The direction costs more than the separation itself and most callers do without it.
double Separation(double a, double b) {
    double d1 = a - b;
    if (d1 < 0) {
        d1 += kFullTurn;
    }
    double d2 = b - a;
    if (d2 < 0) {
        d2 += kFullTurn;
    }
    return d1 > d2 ? d2 : d1;
}

double AspectDeviation(double separation, AspectCode aspect) {
    return std::abs(separation - AspectAngle(aspect));
}

bool IsRetrograde(BodyCode body, double instant, LongitudeBasis basis) {
    if (body == kSun || body == kMoon) {
        return false;
    }
    const double x = PlanetLongitude(body, instant, basis);
    if (x < 0) {
        return false;
    }
    const double diff = PlanetLongitude(body, instant + kHalfHour, basis) - x;
    return diff < 0 && std::abs(diff) < kLargestMotion;
}

}  // namespace zenthra
