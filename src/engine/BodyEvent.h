// A moment in a transiting body's own course: a station, where it turns retrograde or direct,
// or an ingress, where it enters a sign of the zodiac.
#pragma once

#include "ephemeris/Vocabulary.h"

namespace zenthra {

enum class BodyEventKind { StationRetrograde, StationDirect, Ingress };

struct BodyEvent {
    BodyEventKind kind = BodyEventKind::Ingress;
    BodyCode body = kSun;
    double instant = 0;       // Julian date, UT, on a whole minute
    double longitude = 0;     // radians, in the run's zodiac, at that minute
    bool retrograde = false;  // an ingress made moving backwards, into the sign just left
};

}  // namespace zenthra
