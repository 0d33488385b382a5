#include "alltransits/OrbCrossing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "alltransits/AllTransitsTables.h"
#include "engine/ExactMinimum.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

namespace {

// Rounding of the instants and of the longitudes computed at them, in radians; far below any
// motion of a minute, far above the noise of the arithmetic.
constexpr double kRoundingSlack = 1e-10;

constexpr int kLastReportedMinute = kMinutesInDay - 1;

double DayBase(const OrbCrossingQuery& q) {
    return LocalDayToUt(q.day, q.tzMinutes);
}

// Exactly the instant the literal search takes for minute i.
double MinuteInstant(double base, int i) {
    return base + i / static_cast<double>(kMinutesInDay);
}

bool IsCrossing(const OrbCrossingQuery& q, double deviation) {
    return q.wantEntry ? deviation <= q.orb : deviation >= q.orb;
}

double ReportedMinute(const OrbCrossingQuery& q, int minute) {
    return UtToLocalDay(MinuteInstant(DayBase(q), std::min(minute, kLastReportedMinute)),
                        q.tzMinutes);
}

int LiteralMinute(const OrbCrossingQuery& q, long& evaluations) {
    const double base = DayBase(q);
    for (int i = 0; i <= kMinutesInDay; ++i) {
        const double longitude = PlanetLongitude(q.transiting, MinuteInstant(base, i), q.zodiac);
        ++evaluations;
        if (IsCrossing(q, AllTransitsDeviation(longitude, q.natalLongitude, q.aspect))) {
            return i;
        }
    }
    return kMinutesInDay;
}

// The first crossing minute found from as few minutes as the bound allows. Between two
// computed minutes a and b the deviation can change by at most `speed` a minute, so the
// minutes strictly between them lie within cones drawn from both ends; when those cones stay
// on the far side of the orb, none of those minutes can be a crossing. Otherwise the stretch
// is split where the crossing (or the proof that there is none) is most likely settled.
// Positions outside a source's range or the sidereal zodiac's steps at each new year would
// break the bound; such days are left to the literal search.
class FastCrossingSearch {
  public:
    explicit FastCrossingSearch(const OrbCrossingQuery& q)
        : q(q),
          base(DayBase(q)),
          speed(PairDeviation(q.transiting, kSun, false, q.natalLongitude, kConjunction, q.zodiac)
                    .MostChangePerMinute()),
          deviations(kMinutesInDay + 1, kUnknown) {}

    std::optional<int> Run() {
        if (q.zodiac == Zodiac::Sidereal || q.natalLongitude < 0 || !Evaluate(0)) {
            return std::nullopt;
        }
        if (IsHit(0)) {
            return 0;
        }
        if (!Evaluate(kMinutesInDay)) {
            return std::nullopt;
        }
        const std::optional<int> first = FirstCrossingAfter(0, kMinutesInDay);
        if (!valid) {
            return std::nullopt;
        }
        return first.value_or(kMinutesInDay);
    }

    long Evaluations() const { return evaluations; }

  private:
    static constexpr double kUnknown = -1;

    bool Evaluate(int i) {
        if (deviations[i] != kUnknown) {
            return true;
        }
        const double longitude = PlanetLongitude(q.transiting, MinuteInstant(base, i), q.zodiac);
        ++evaluations;
        if (longitude < 0) {
            valid = false;
            return false;
        }
        deviations[i] = AllTransitsDeviation(longitude, q.natalLongitude, q.aspect);
        return true;
    }

    bool IsHit(int i) const { return IsCrossing(q, deviations[i]); }

    // Distance from the crossing, positive on the side the search starts from.
    double Gap(int i) const { return q.wantEntry ? deviations[i] - q.orb : q.orb - deviations[i]; }

    // No minute strictly between a and b can be a crossing.
    bool NoneBetween(int a, int b) const {
        if (IsHit(a) || IsHit(b)) {
            return false;
        }
        const int n = b - a;
        const double ga = Gap(a);
        const double gb = Gap(b);
        const double lowest =
            std::max({(ga + gb - speed * n) / 2, ga - speed * (n - 1), gb - speed * (n - 1)});
        return lowest > kRoundingSlack;
    }

    // Where to compute the next minute between a and b (a < m < b).
    int SplitPoint(int a, int b) const {
        const int n = b - a;
        const double ga = Gap(a);
        const double gb = Gap(b);
        double at;
        if (IsHit(b)) {
            // The minute before the straight line between the two reaches the orb: if the
            // deviation moves evenly, it and the next minute settle the crossing.
            at = std::ceil(a + ga / (ga - gb) * n) - 1;
        } else {
            // Both outside: the longest stretch next to the nearer end that the cones could
            // clear if the deviation kept its average pace; each step then clears a stretch
            // a fixed factor longer than the one before.
            const double nearer = std::min(ga, gb);
            const double pace = std::abs(ga - gb) / n;
            const double reach = speed > pace ? 2 * nearer / (speed - pace) : n / 2.0;
            const double step = std::clamp(std::floor(reach), 1.0, n / 2.0);
            at = ga <= gb ? a + step : b - step;
        }
        return static_cast<int>(std::clamp(at, a + 1.0, b - 1.0));
    }

    // The first crossing among the minutes after a, up to b; a is known not to be one.
    std::optional<int> FirstCrossingAfter(int a, int b) {
        if (b - a == 1 || NoneBetween(a, b)) {
            return IsHit(b) ? std::optional<int>(b) : std::nullopt;
        }
        const int m = SplitPoint(a, b);
        if (!Evaluate(m)) {
            return std::nullopt;
        }
        if (const std::optional<int> first = FirstCrossingAfter(a, m); first || !valid) {
            return first;
        }
        return FirstCrossingAfter(m, b);
    }

    const OrbCrossingQuery& q;
    const double base;
    const double speed;
    std::vector<double> deviations;
    long evaluations = 0;
    bool valid = true;
};

void Count(OrbCrossingStats* stats, long evaluations) {
    if (stats != nullptr) {
        ++stats->searches;
        stats->evaluations += evaluations;
    }
}

}  // namespace

double FindOrbCrossingMinuteLiteral(const OrbCrossingQuery& query, OrbCrossingStats* stats) {
    long evaluations = 0;
    const int minute = LiteralMinute(query, evaluations);
    Count(stats, evaluations);
    return ReportedMinute(query, minute);
}

double FindOrbCrossingMinute(const OrbCrossingQuery& query, OrbCrossingStats* stats) {
    FastCrossingSearch search(query);
    const std::optional<int> fast = search.Run();
    long evaluations = search.Evaluations();
    const int minute = fast ? *fast : LiteralMinute(query, evaluations);
    Count(stats, evaluations);
    return ReportedMinute(query, minute);
}

}  // namespace zenthra
