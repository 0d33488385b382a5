#include "engine/BodyEvents.h"

#include <algorithm>
#include <cmath>

#include "engine/AspectGeometry.h"

namespace zenthra {

namespace {

constexpr double kMinute = 1.0 / 1440;
constexpr double kSign = kFullTurn / 12;

// The motion at an instant is the change over the hour either side of it: far above the
// ephemeris's noise, and too short to move a station by a second.
constexpr double kMotionHalfSpan = 1.0 / 24;

// The refinement stops once its estimate moves by less than this (a hundredth of a second), or
// after so many steps.
constexpr double kConverged = 1e-7;
constexpr int kMostRefinements = 60;

// Daily samples around the period, so that a station near either end is bracketed by a change
// of the daily motion.
constexpr int32_t kDaysBefore = 2;
constexpr int32_t kDaysAfter = 2;

// The shorter way round from one longitude to another, in (-pi, pi].
double Turn(double from, double to) {
    return std::remainder(to - from, kFullTurn);
}

// The instant on the whole UT minute nearest to `t`.
double NearestMinute(double t) {
    return std::round((t + 0.5) / kMinute) * kMinute - 0.5;
}

// A root of `f` between `a` and `b`, where its values fa and fb differ in sign: regula falsi
// with the Illinois rule, which converges in a handful of steps on the smooth functions here.
template <typename F>
double Root(F f, double a, double fa, double b, double fb) {
    double c = a;
    int side = 0;
    for (int i = 0; i < kMostRefinements; ++i) {
        const double next = (a * fb - b * fa) / (fb - fa);
        const double fc = f(next);
        const bool done = std::abs(next - c) < kConverged;
        c = next;
        if (done || fc == 0) {
            break;
        }
        if ((fc > 0) == (fb > 0)) {
            b = c;
            fb = fc;
            fa = side == -1 ? fa / 2 : fa;
            side = -1;
        } else {
            a = c;
            fa = fc;
            fb = side == 1 ? fb / 2 : fb;
            side = 1;
        }
    }
    return c;
}

struct Sample {
    double instant;
    double longitude;
};

class EventFinder {
  public:
    explicit EventFinder(const BodyEventQuery& query)
        : q(query), tropical{Zodiac::Tropical, query.basis.pluto} {}

    std::vector<BodyEvent> Find() {
        std::vector<Sample> course;
        for (int32_t d = q.startJdn - kDaysBefore; d <= q.endJdn + kDaysAfter; ++d) {
            const double t = q.dayStart(d);
            const double longitude = Longitude(t);
            // Days beyond a source's range at the edges add nothing the period needs.
            if (longitude >= 0) {
                course.push_back({t, longitude});
            }
        }
        if (q.body != kSun && q.body != kMoon) {
            course = WithStations(course);
        }
        for (size_t i = 1; i < course.size(); ++i) {
            FindIngress(course[i - 1], course[i]);
        }
        const double from = q.dayStart(q.startJdn);
        const double to = q.dayStart(q.endJdn + 1);
        std::erase_if(
            events, [from, to](const BodyEvent& e) { return e.instant < from || e.instant >= to; });
        std::stable_sort(events.begin(), events.end(), [](const BodyEvent& a, const BodyEvent& b) {
            return a.instant < b.instant;
        });
        return events;
    }

  private:
    double Longitude(double t) const { return PlanetLongitude(q.body, t, q.basis); }

    // Tropical, so that the sidereal correction's step at each new year is no motion.
    double Motion(double t) const {
        return Turn(PlanetLongitude(q.body, t - kMotionHalfSpan, tropical),
                    PlanetLongitude(q.body, t + kMotionHalfSpan, tropical));
    }

    // The daily course with each station inserted where it falls, so that the body moves one
    // way only between two neighbouring points.
    std::vector<Sample> WithStations(const std::vector<Sample>& daily) {
        std::vector<Sample> course;
        for (size_t i = 0; i < daily.size(); ++i) {
            if (i > 0 && i + 1 < daily.size()) {
                const bool before = Turn(daily[i - 1].longitude, daily[i].longitude) >= 0;
                const bool after = Turn(daily[i].longitude, daily[i + 1].longitude) >= 0;
                if (before != after) {
                    const Sample station =
                        AddStation(daily[i - 1].instant, daily[i + 1].instant, before);
                    if (station.instant < daily[i].instant) {
                        course.push_back(station);
                        course.push_back(daily[i]);
                    } else {
                        course.push_back(daily[i]);
                        course.push_back(station);
                    }
                    continue;
                }
            }
            course.push_back(daily[i]);
        }
        return course;
    }

    // The daily motion changed sign between `a` and `b`, a day either side of a sample; the motion
    // at those instants nearly always has, and a day more each way makes sure.
    Sample AddStation(double a, double b, bool turnsRetrograde) {
        const auto motion = [this](double t) { return Motion(t); };
        double ma = motion(a);
        double mb = motion(b);
        for (int widen = 0; widen < 3 && (ma >= 0) == (mb >= 0); ++widen) {
            ma = motion(a -= 1);
            mb = motion(b += 1);
        }
        const double instant = NearestMinute(Root(motion, a, ma, b, mb));
        const double longitude = Longitude(instant);
        events.push_back(
            {turnsRetrograde ? BodyEventKind::StationRetrograde : BodyEventKind::StationDirect,
             q.body, instant, longitude, false});
        return {instant, longitude};
    }

    // Between two points of one-way motion the body crosses at most one sign's edge.
    void FindIngress(const Sample& p, const Sample& r) {
        const int from = SignOf(p.longitude);
        const int into = SignOf(r.longitude);
        if (from == into) {
            return;
        }
        const bool backwards = Turn(p.longitude, r.longitude) < 0;
        const double edge = (backwards ? from : into) * kSign;
        // How far past the edge the body is, in its direction of travel.
        const auto past = [this, edge, backwards](double t) {
            const double beyond = Turn(edge, Longitude(t));
            return backwards ? -beyond : beyond;
        };
        const auto inNewSign = [this, into](double t) { return SignOf(Longitude(t)) == into; };
        // The first whole minute in the new sign.
        double minute =
            NearestMinute(Root(past, p.instant, past(p.instant), r.instant, past(r.instant)));
        if (!inNewSign(minute)) {
            minute += kMinute;
        } else if (inNewSign(minute - kMinute)) {
            minute -= kMinute;
        }
        events.push_back({BodyEventKind::Ingress, q.body, minute, Longitude(minute), backwards});
    }

    const BodyEventQuery& q;
    LongitudeBasis tropical;
    std::vector<BodyEvent> events;
};

}  // namespace

int SignOf(double longitude) {
    return static_cast<int>(NormaliseAngle(longitude) / kSign) % 12;
}

std::vector<BodyEvent> FindBodyEvents(const BodyEventQuery& query) {
    return EventFinder(query).Find();
}

std::vector<BodyEvent> FindRunEvents(const TransitRequest& request) {
    LongitudeBasis basis = BasisOf(request);
    basis.pluto = PlutoSource::Ephemeris;
    BodyEventQuery query{
        request.firstBody, request.startJdn, request.endJdn,
        [&request](int32_t day) { return LocalMidnight(day, request.tzMinutes, request.zone); },
        basis};
    std::vector<BodyEvent> events = FindBodyEvents(query);
    if (request.isWorld) {
        query.body = request.secondBody;
        const std::vector<BodyEvent> second = FindBodyEvents(query);
        events.insert(events.end(), second.begin(), second.end());
        std::stable_sort(events.begin(), events.end(), [](const BodyEvent& a, const BodyEvent& b) {
            return a.instant < b.instant;
        });
    }
    return events;
}

}  // namespace zenthra
