#include "timeline/TimelineSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "alltransits/AllTransitsTables.h"
#include "ephemeris/Angles.h"

namespace zenthra {

namespace {

DaySpan PassageSpan(const OrbPassage& passage, const TimelineSource& source) {
    return {passage.entry ? static_cast<double>(passage.entry->day) : source.firstDay,
            passage.exit ? static_cast<double>(passage.exit->day) : source.lastDay + 1.0};
}

TimelineMinimum MinimumOf(const TransitMinimum& minimum, const TransitRun& run) {
    if (const auto* exact = std::get_if<ExactMinimum>(&minimum.value)) {
        const LocalInstant local = ToLocalInstant(exact->instant, run.tzMinutes, run.zone);
        return {local.day + local.fraction, true, 0};
    }
    const auto& daily = std::get<DailyMinimum>(minimum.value);
    return {static_cast<double>(daily.day), false, daily.deviation};
}

double EndValue(const AllTransitsEnd& end) {
    return end.periodEdge ? end.day + 1.0 : end.instant;
}

// The step of a longitude from one midnight to the next, in (-pi, pi].
double Step(double from, double to) {
    double step = to - from;
    if (step > std::numbers::pi) {
        step -= kFullTurn;
    } else if (step <= -std::numbers::pi) {
        step += kFullTurn;
    }
    return step;
}

// The first instant of a local day, as the runs' daily samples take it.
double DayStart(const TimelineSource& source, int32_t day) {
    return source.zone ? DayStartJulianDate(*source.zone, day)
                       : LocalDayToUt(day, source.tzMinutes);
}

std::vector<DaySpan> RetrogradeDays(BodyCode body, const TimelineSource& source, Zodiac zodiac) {
    std::vector<DaySpan> stretches;
    double before = PlanetLongitude(body, DayStart(source, source.firstDay), zodiac);
    for (int32_t day = source.firstDay; day <= source.lastDay; ++day) {
        const double after = PlanetLongitude(body, DayStart(source, day + 1), zodiac);
        if (before >= 0 && after >= 0 && Step(before, after) < 0) {
            if (!stretches.empty() && stretches.back().to == day) {
                stretches.back().to = day + 1;
            } else {
                stretches.push_back({static_cast<double>(day), day + 1.0});
            }
        }
        before = after;
    }
    return stretches;
}

// The runs of a show-all sequence list the same stations; each is kept once.
void AddStations(TimelineSource& source, const TransitRun& run) {
    for (const BodyEvent& event : run.events) {
        if (event.kind == BodyEventKind::Ingress) {
            continue;
        }
        const LocalInstant local = ToLocalInstant(event.instant, run.tzMinutes, run.zone);
        const TimelineStation station{event.body, local.day + local.fraction,
                                      event.kind == BodyEventKind::StationRetrograde};
        if (std::find(source.stations.begin(), source.stations.end(), station) ==
            source.stations.end()) {
            source.stations.push_back(station);
        }
    }
}

}  // namespace

void AddRunTransits(TimelineSource& source, const TransitRun& run, bool world) {
    for (const Transit& transit : run.transits) {
        TimelineTransit added{transit.firstBody, transit.aspect, transit.secondBody, world, {}, {}};
        for (const OrbPassage& passage : transit.passages) {
            added.orbs[passage.orb].push_back(PassageSpan(passage, source));
        }
        for (const TransitMinimum& minimum : transit.minima) {
            added.minima.push_back(MinimumOf(minimum, run));
        }
        source.transits.push_back(std::move(added));
    }
    AddStations(source, run);
}

TimelineSource AllTransitsSource(const std::vector<AllTransitsTransit>& transits, int orbDegrees,
                                 int32_t firstDay, int32_t lastDay, const ReportZone& zone) {
    TimelineSource source;
    source.firstDay = firstDay;
    source.lastDay = lastDay;
    source.tzMinutes = zone.ListMinutes();
    source.zone = zone.Named();
    source.orbDegrees = {orbDegrees, 0, 0};
    for (const AllTransitsTransit& transit : transits) {
        TimelineTransit added{transit.transiting, transit.aspect, transit.natal, false, {}, {}};
        added.orbs[kOuterOrb].push_back({EndValue(transit.start), EndValue(transit.end)});
        source.transits.push_back(std::move(added));
    }
    return source;
}

void AddRetrogradeStretches(TimelineSource& source, Zodiac zodiac) {
    std::set<BodyCode> bodies;
    for (const TimelineTransit& transit : source.transits) {
        bodies.insert(transit.transiting);
    }
    for (const BodyCode body : bodies) {
        if (body != kSun && body != kMoon) {
            source.retrograde[body] = RetrogradeDays(body, source, zodiac);
        }
    }
}

}  // namespace zenthra
