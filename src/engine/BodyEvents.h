// The stations and sign ingresses of a run's transiting bodies within its period, bracketed
// between the daily samples of the scan's local midnights and refined to the minute.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/BodyEvent.h"
#include "engine/TransitRequest.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

struct BodyEventQuery {
    BodyCode body = kSun;
    int32_t startJdn = 0;
    int32_t endJdn = 0;
    // The instant (Julian date, UT) at which a day begins.
    std::function<double(int32_t day)> dayStart;
    LongitudeBasis basis = {};
};

// The events from the start of the first day up to the start of the day after the last, in
// time order. The Sun and the Moon have no stations.
std::vector<BodyEvent> FindBodyEvents(const BodyEventQuery& query);

// The first body's events and, in a world run, the second body's, merged in time order.
// Pluto's come from the ephemeris even where the run reads its table, whose arcminutes cannot
// place a station.
std::vector<BodyEvent> FindRunEvents(const TransitRequest& request);

// The sign, 0 (Aries) to 11 (Pisces), of a longitude in radians.
int SignOf(double longitude);

}  // namespace zenthra
