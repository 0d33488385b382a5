#include "alltransits/OrbCrossing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "alltransits/AllTransitsTables.h"
#include "engine/ExactMinimum.h"
#include "ephemeris/LongitudeCache.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

namespace {

// Rounding of the instants and of the longitudes computed at them, in radians; far below any
// motion of a minute, far above the noise of the arithmetic.
constexpr double kRoundingSlack = 1e-10;

// Exactly the instant the literal search takes for minute i.
double MinuteInstant(double base, int i) {
    return base + i / static_cast<double>(kMinutesInDay);
}

bool IsCrossing(const OrbCrossingQuery& q, double deviation) {
    return q.wantEntry ? deviation <= q.orb : deviation >= q.orb;
}

double ReportedMinute(const OrbCrossingQuery& q, int minute) {
    return MinuteInstant(q.dayStart, std::max(0, std::min(minute, q.dayMinutes - 1)));
}

int LiteralMinute(const OrbCrossingQuery& q, long& evaluations) {
    for (int i = 0; i <= q.dayMinutes; ++i) {
        const double longitude =
            PlanetLongitude(q.transiting, MinuteInstant(q.dayStart, i), q.basis);
        ++evaluations;
        if (IsCrossing(q, AllTransitsDeviation(longitude, q.natalLongitude, q.aspect))) {
            return i;
        }
    }
    return q.dayMinutes;
}

// The first crossing minute found from as few minutes as the bounds allow. Between two
// computed minutes a and b the deviation can change by at most `speed` a minute, so the
// minutes strictly between them lie within cones drawn from both ends. Where the deviation
// is a smooth function of the longitude all the way from a to b (away from the exact aspect
// and from the turns of the separation), it also bends by at most `bend` a minute squared,
// so it stays within a parabola of the straight line between a and b. A minute that both
// bounds keep on the far side of the orb cannot be a crossing; one they put beyond it is
// one. Otherwise a minute is computed where the crossing is expected, or in the middle of
// the minutes still in doubt.
// Positions outside a source's range or the sidereal zodiac's steps at each new year would
// break the bounds; such days are left to the literal search.
class FastCrossingSearch {
  public:
    explicit FastCrossingSearch(const OrbCrossingQuery& q)
        : q(q),
          base(q.dayStart),
          dayEnd(q.dayMinutes),
          speed(PairDeviation(q.transiting, kSun, false, q.natalLongitude, kConjunction, q.basis)
                    .MostChangePerMinute()),
          deviations(static_cast<size_t>(std::max(dayEnd, 0)) + 1, kUnknown) {}

    std::optional<int> Run() {
        if (q.basis.zodiac == Zodiac::Sidereal || q.natalLongitude < 0 || dayEnd < 1 ||
            !Evaluate(0)) {
            return std::nullopt;
        }
        if (IsHit(0)) {
            return 0;
        }
        if (!Evaluate(dayEnd)) {
            return std::nullopt;
        }
        bend = MostBend();
        if (!valid) {
            return std::nullopt;
        }
        expected = ExpectedCrossing();
        const std::optional<int> first = FirstCrossingAfter(0, dayEnd);
        if (!valid) {
            return std::nullopt;
        }
        return first.value_or(dayEnd);
    }

    long Evaluations() const { return evaluations; }

  private:
    static constexpr double kUnknown = -1;

    // Bounds of the gap at the minutes between two computed ones.
    struct Stretch {
        double ga;    // gap at the start
        double gb;    // gap at the end
        int n;        // minutes from start to end
        double bend;  // 0 when the parabola does not hold
    };

    double Longitude(int i) {
        ++evaluations;
        const double longitude = PlanetLongitude(q.transiting, MinuteInstant(base, i), q.basis);
        valid = valid && longitude >= 0;
        return longitude;
    }

    bool Evaluate(int i) {
        if (deviations[i] != kUnknown) {
            return true;
        }
        const double longitude = Longitude(i);
        if (!valid) {
            return false;
        }
        if (i == 0) {
            startLongitude = longitude;
        } else if (i == dayEnd) {
            endLongitude = longitude;
        }
        deviations[i] = AllTransitsDeviation(longitude, q.natalLongitude, q.aspect);
        return true;
    }

    // The bend of the day, when the body stays clear of the Sun all day; else 0. The
    // elongation can change no faster than the body and the Sun move together.
    double MostBend() {
        const std::optional<double> perDay =
            GreatestAcceleration(q.transiting, base, MinuteInstant(base, dayEnd));
        if (!perDay) {
            return 0;
        }
        if (q.transiting != kSun) {
            const double sunSpeed =
                PairDeviation(kSun, kSun, false, 0, kConjunction, q.basis).MostChangePerMinute();
            const double reach = (speed + sunSpeed) * dayEnd;
            const double from = Elongation(0, startLongitude);
            const double to = Elongation(dayEnd, endLongitude);
            if (!valid || (from + to - reach) / 2 < kClearOfTheSun) {
                return 0;
            }
        }
        return *perDay / (kMinutesInDay * kMinutesInDay);
    }

    double Elongation(int i, double longitude) {
        const double sun = PlanetLongitude(kSun, MinuteInstant(base, i), q.basis);
        ++evaluations;
        valid = valid && sun >= 0;
        return std::abs(std::remainder(longitude - sun, kAllTransitsTurn));
    }

    // Where the gap is expected to reach zero during the day, in minutes, when the previous
    // midnight's position is already known: the parabola through the three midnights.
    std::optional<double> ExpectedCrossing() const {
        const std::optional<double> before =
            CachedLongitude(q.transiting, MinuteInstant(base, -dayEnd));
        if (!before || bend == 0) {
            return std::nullopt;
        }
        const double g0 = Gap(0);
        const double g1 = Gap(dayEnd);
        const double deviation = AllTransitsDeviation(*before, q.natalLongitude, q.aspect);
        const double gm = q.wantEntry ? deviation - q.orb : q.orb - deviation;
        const double span = dayEnd;
        const double c2 = (gm - 2 * g0 + g1) / (2 * span * span);
        const double c1 = (g1 - gm) / (2 * span);
        if (std::abs(c2) * span < 1e-3 * std::abs(c1)) {
            return -g0 / c1;
        }
        const auto [r1, r2] = Roots(c2, c1, g0);
        if (r1 > r2) {
            return std::nullopt;
        }
        const double line = g0 / (g0 - g1) * span;
        return std::abs(r1 - line) < std::abs(r2 - line) ? r1 : r2;
    }

    bool IsHit(int i) const { return IsCrossing(q, deviations[i]); }

    // Distance from the crossing, positive on the side the search starts from.
    double Gap(int i) const { return q.wantEntry ? deviations[i] - q.orb : q.orb - deviations[i]; }

    // Where the deviation lies between a and b by the cones alone decides whether it is a
    // smooth function of the longitude there: its turns lie at 0 and from a sixth of a turn
    // up.
    Stretch Between(int a, int b) const {
        const int n = b - a;
        const double da = deviations[a];
        const double db = deviations[b];
        const bool smooth = bend > 0 && (da + db - speed * n) / 2 > kRoundingSlack &&
                            (da + db + speed * n) / 2 < kAllTransitsTurn / 6 - kRoundingSlack;
        return {Gap(a), Gap(b), n, smooth ? bend : 0};
    }

    // The minutes after the start, 1 to n - 1, at which the bounds allow a crossing: where
    // the cones and the parabola all reach the orb. An empty range has first > last.
    std::pair<int, int> Possible(const Stretch& st) const {
        double from = std::max(1.0, (st.ga - kRoundingSlack) / speed);
        double to = std::min(st.n - 1.0, st.n - (st.gb - kRoundingSlack) / speed);
        if (st.bend > 0) {
            // ga + slope s - bend/2 s (n - s) <= slack
            const auto [low, high] = Roots(st.bend / 2, (st.gb - st.ga) / st.n - st.bend * st.n / 2,
                                           st.ga - kRoundingSlack);
            from = std::max(from, low);
            to = std::min(to, high);
        }
        if (!(from <= to)) {
            return {1, 0};
        }
        return {static_cast<int>(std::ceil(from)), static_cast<int>(std::floor(to))};
    }

    // The first minute after the start from which on every minute is certainly a crossing
    // (n + 1 when there is none): the cone from the end, or the parabola, lies beyond the orb.
    int CertainFrom(const Stretch& st) const {
        double from = st.n + (st.gb + kRoundingSlack) / speed;
        if (st.bend > 0) {
            // ga + slope s + bend/2 s (n - s) < -slack
            const auto [low, high] = Roots(
                -st.bend / 2, (st.gb - st.ga) / st.n + st.bend * st.n / 2, st.ga + kRoundingSlack);
            if (low <= high) {
                from = std::min(from, high);
            }
        }
        return static_cast<int>(std::clamp(std::floor(from) + 1, 1.0, st.n + 1.0));
    }

    // The real roots of c2 x^2 + c1 x + c0, the smaller first; none gives an empty pair.
    static std::pair<double, double> Roots(double c2, double c1, double c0) {
        const double discriminant = c1 * c1 - 4 * c2 * c0;
        if (discriminant < 0) {
            return {1, 0};
        }
        // Written so that neither root loses digits to cancellation.
        const double w = -(c1 + std::copysign(std::sqrt(discriminant), c1)) / 2;
        const double r1 = w / c2;
        const double r2 = w != 0 ? c0 / w : r1;
        return {std::min(r1, r2), std::max(r1, r2)};
    }

    // The minute to compute next among those in doubt: the first expected to be a crossing
    // when the end is one (from the three midnights for the whole day, else from the
    // straight line between the ends), otherwise the middle; kept off the edges of a wide
    // doubt so that each step at least halves it.
    int NextMinute(const Stretch& st, int first, int last) const {
        double at = first + (last - first) / 2.0;
        if (st.gb <= 0) {
            const bool wholeDay = st.n == dayEnd && expected;
            at = std::ceil(wholeDay ? *expected : st.ga / (st.ga - st.gb) * st.n);
        }
        const int margin = (last - first) / 4;
        return static_cast<int>(std::clamp(at, 1.0 * (first + margin), 1.0 * (last - margin)));
    }

    // The first crossing among the minutes after a, up to b; a is known not to be one.
    std::optional<int> FirstCrossingAfter(int a, int b) {
        const auto end = [this, b] { return IsHit(b) ? std::optional<int>(b) : std::nullopt; };
        if (b - a == 1) {
            return end();
        }
        const Stretch st = Between(a, b);
        const auto [first, last] = Possible(st);
        if (first > last) {
            return end();
        }
        // Every minute before `first` is clear of the orb, every one from `certain` on in it.
        const int certain = CertainFrom(st);
        if (certain <= first) {
            return a + first;
        }
        const int m = a + NextMinute(st, first, std::min(last, certain - 1));
        if (!Evaluate(m)) {
            return std::nullopt;
        }
        if (const std::optional<int> found = FirstCrossingAfter(a, m); found || !valid) {
            return found;
        }
        return FirstCrossingAfter(m, b);
    }

    const OrbCrossingQuery& q;
    const double base;
    const int dayEnd;  // the next day's first instant, in minutes
    const double speed;
    double bend = 0;
    double startLongitude = 0;
    double endLongitude = 0;
    std::optional<double> expected;
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
