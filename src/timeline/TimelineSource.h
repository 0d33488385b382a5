// What a timeline shows, gathered from a run, a show-all sequence or one orb of the
// all-transits mode: each transit's passages through the orbs and its closest approaches, on
// an axis of local day values (a JDN plus the fraction of the local day gone by).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "alltransits/AllTransitsRecord.h"
#include "alltransits/ReportZone.h"
#include "calendar/Zone.h"
#include "engine/Transit.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

struct DaySpan {
    double from = 0;  // local day values; `to` is the end, not the last day
    double to = 0;
};

struct TimelineMinimum {
    double at = 0;  // local day value
    bool exact = false;
    double deviation = 0;  // radians, when not exact
};

struct TimelineTransit {
    BodyCode transiting = kSun;
    AspectCode aspect = kConjunction;
    BodyCode other = kSun;  // the natal body, or the second transiting body of a world run
    bool world = false;
    std::array<std::vector<DaySpan>, 3> orbs;  // outer, middle, inner
    std::vector<TimelineMinimum> minima;
};

// A transiting body's station, where it turns retrograde or direct.
struct TimelineStation {
    BodyCode body = kSun;
    double at = 0;            // local day value
    bool retrograde = false;  // turning retrograde; direct otherwise
    auto operator<=>(const TimelineStation&) const = default;
};

struct TimelineSource {
    std::string title;
    int32_t firstDay = 0;  // the period, local JDNs
    int32_t lastDay = 0;
    int16_t tzMinutes = 0;
    std::optional<Zone> zone;  // a named results zone, in place of tzMinutes
    std::string timezoneText;
    std::array<int, 3> orbDegrees{};  // 0 for an orb the source has not got
    std::vector<TimelineTransit> transits;
    // The transiting bodies' retrograde stretches within the period.
    std::map<BodyCode, std::vector<DaySpan>> retrograde;
    // The runs' stations, when they listed them.
    std::vector<TimelineStation> stations;
};

// Adds the transits of a run, and its stations when it listed them; a passage's missing end is
// the edge of the source's period.
void AddRunTransits(TimelineSource& source, const TransitRun& run, bool world);

// One orb of the all-transits mode, over the period from `firstDay` to `lastDay`.
TimelineSource AllTransitsSource(const std::vector<AllTransitsTransit>& transits, int orbDegrees,
                                 int32_t firstDay, int32_t lastDay, const ReportZone& zone);

// Fills `retrograde` for every transiting body of the source that can move backwards, from
// its longitude at each local midnight of the period; days the ephemeris cannot serve are
// left out.
void AddRetrogradeStretches(TimelineSource& source, Zodiac zodiac);

}  // namespace zenthra
