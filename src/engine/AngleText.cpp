#include "engine/AngleText.h"

#include <cmath>
#include <cstdint>

#include "ephemeris/Angles.h"

namespace zenthra {

std::string FormatAngle(double radians, bool omitZeroMinutes, bool spaceBeforeMinutes) {
    if (!(radians >= 0 && radians <= kFullTurn)) {
        return "";
    }
    const double deg = radians / kFullTurn * 360;
    int d = static_cast<int16_t>(std::floor(deg + 0.00001));
    int m = static_cast<int>(std::nearbyint((deg - d) * 60));
    if (m == 60) {
        if (d == 359) {
            m = 59;
        } else {
            m = 0;
            ++d;
        }
    }
    if (omitZeroMinutes && m == 0) {
        return std::to_string(d) + "°";
    }
    return std::to_string(d) + "°" + (spaceBeforeMinutes ? " " : "") + std::to_string(m) + "'";
}

}  // namespace zenthra
