#include "engine/ExactMinimum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "engine/AspectGeometry.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

namespace {

constexpr int kLastMinute = 2880;
constexpr double kMinute = 1.0 / 1440;
constexpr double kDegree = kFullTurn / 360;

// Greatest daily motion of each body, in degrees, measured with Swiss Ephemeris over
// 1600-2100; Pluto's is its table's, whose arcminute rounding adds up to one arcminute a day.
constexpr std::array<double, kBodyCount + 1> kGreatestDailyMotion = {
    0, 1.021, 2.203, 1.261, 0.792, 0.243, 0.135, 0.066, 0.044, 0.041 + 1.0 / 60, 15.4};

// Room for the centuries outside 1600-2100 and for motion within a day exceeding the
// daily mean.
constexpr double kSpeedMargin = 1.25;

// Greatest change of the daily motion of the Sun and each planet to Neptune, in degrees per
// day², while it stands at least 1° from the Sun: the largest second difference of its
// longitude at steps of three hours over 1600-2099 (the Sun's own at any time).
constexpr std::array<double, kNeptune + 1> kGreatestAcceleration = {
    0, 0.00068, 0.199, 0.043, 0.0152, 0.0036, 0.0020, 0.00098, 0.00061};

// Room for the change within three hours of the steps, and for the half degree kept clear of
// the Sun beyond the one measured.
constexpr double kAccelerationMargin = 1.5;

// The sidereal correction changes by this much at each new year.
constexpr double kAyanamsaYearStep = 0.0002438;

// Rounding in the deviations themselves.
constexpr double kRoundingAllowance = 1e-12;

// The ephemeris's positions wander by less than this around a smooth curve, radians.
constexpr double kSmoothnessAllowance = 1e-10;

double Instant(int32_t day, int minute) {
    return (day - 1.5) + minute * kMinute;
}

// A body the table does not know gets a motion that rules nothing out.
double GreatestDailyMotion(BodyCode body) {
    return body >= kSun && body <= kBodyCount ? kGreatestDailyMotion[body] : 360;
}

}  // namespace

std::optional<double> PairDeviation::At(double instant) const {
    const double first = PlanetLongitude(firstBody, instant, basis);
    const double second = isWorld ? PlanetLongitude(secondBody, instant, basis) : natalLongitude;
    if (first < 0 || second < 0) {
        return std::nullopt;
    }
    return AspectDeviation(Separation(first, second), aspect);
}

std::optional<PairDeviation::Offset> PairDeviation::OffsetAt(double instant) const {
    const double first = PlanetLongitude(firstBody, instant, basis);
    const double second = isWorld ? PlanetLongitude(secondBody, instant, basis) : natalLongitude;
    if (first < 0 || second < 0) {
        return std::nullopt;
    }
    const double apart = std::remainder(first - second, kFullTurn);
    const double angle = AspectAngle(aspect);
    return Offset{AspectDeviation(Separation(first, second), aspect),
                  apart >= 0 ? apart - angle : apart + angle};
}

double PairDeviation::MostChangePerMinute() const {
    double perDay = GreatestDailyMotion(firstBody);
    if (isWorld) {
        perDay += GreatestDailyMotion(secondBody);
    }
    return perDay * kSpeedMargin * kDegree * kMinute;
}

double PairDeviation::MostJump(double from, double to) const {
    const bool newYear = YearOfInstant(from) != YearOfInstant(to);
    const double movingBodies = isWorld ? 2 : 1;
    return (basis.zodiac == Zodiac::Sidereal && newYear ? movingBodies * kAyanamsaYearStep : 0) +
           kRoundingAllowance;
}

double PairDeviation::MostBendPerMinute(double from, double to, long& evaluations) const {
    if (MostJump(from, to) > kRoundingAllowance) {
        return 0;
    }
    const auto clearOfTheSun = [&](BodyCode body) {
        if (body == kSun) {
            return true;
        }
        // The elongation changes no faster than the body and the Sun move together.
        const double reach = (GreatestDailyMotion(body) + GreatestDailyMotion(kSun)) *
                             kSpeedMargin * kDegree * (to - from);
        double sum = 0;
        for (double t : {from, to}) {
            const double sun = PlanetLongitude(kSun, t, basis);
            const double at = PlanetLongitude(body, t, basis);
            evaluations += 2;
            if (sun < 0 || at < 0) {
                return false;
            }
            sum += std::abs(std::remainder(at - sun, kFullTurn));
        }
        return (sum - reach) / 2 >= kClearOfTheSun;
    };
    double perDay = 0;
    for (BodyCode body : {firstBody, secondBody}) {
        const std::optional<double> bound = GreatestAcceleration(body, from, to);
        if (!bound || !clearOfTheSun(body)) {
            return 0;
        }
        perDay += *bound;
        if (!isWorld) {
            break;  // the natal point stands still
        }
    }
    return perDay * kMinute * kMinute;
}

std::optional<double> GreatestAcceleration(BodyCode body, double from, double to) {
    const bool measured = from >= kMoonFirstJdn - 0.5 && to < kMoonLastJdn + 0.5;
    if (!measured || body < kSun || body > kNeptune) {
        return std::nullopt;
    }
    return kGreatestAcceleration[body] * kAccelerationMargin * kDegree;
}

MinuteSearchResult LiteralMinuteSearch(const PairDeviation& deviation, int32_t day) {
    MinuteSearchResult result;
    for (int j = 0; j <= kLastMinute; ++j) {
        const double t = Instant(day, j);
        const auto d = deviation.At(t);
        ++result.evaluations;
        if (!d) {
            continue;
        }
        if (*d < result.best) {
            result.best = *d;
            result.bestInstant = t;
        }
        if (*d > result.best + kMinuteSearchRise) {
            break;
        }
    }
    return result;
}

namespace {

// Walks the minutes in order as the literal search does, but decides whole runs of minutes
// from bounds: between two computed minutes a and b the deviation lies within cones of
// slope `speed` drawn from both ends. A minute is passed over when it can be neither a new
// best nor high enough to end the search, or when it lies above the best value of the
// whole window (`ceiling`) and cannot end the search; such skipped minutes can lower the
// true running best, so `floor` keeps a lower bound of it. Whenever a decision would need
// the skipped values, the search gives up and the literal search answers.
class FastSearch {
  public:
    FastSearch(const PairDeviation& deviation, int32_t day)
        : deviation(deviation),
          day(day),
          speed(deviation.MostChangePerMinute()),
          jump(deviation.MostJump(Instant(day, 0), Instant(day, kLastMinute))),
          values(kLastMinute + 1, kUnknown) {}

    std::optional<MinuteSearchResult> Run() {
        const int last = ScanGrid();
        if (valid) {
            LowerCeiling(last);
        }
        if (!valid) {
            return std::nullopt;
        }
        Step(0);
        for (int a = 0; a < last && !stopped && valid;) {
            const int b = std::min(a + gridStep, last);
            Process(a, b);
            if (!stopped && valid) {
                Step(b);
            }
            a = b;
        }
        if (!valid || !stopped || best > ceiling) {
            return std::nullopt;
        }
        return MinuteSearchResult{best, Instant(day, bestMinute), evaluations};
    }

    long Evaluations() const { return evaluations; }

  private:
    static constexpr double kUnknown = -1;

    double Value(int j) {
        if (values[j] == kUnknown) {
            const auto d = deviation.At(Instant(day, j));
            ++evaluations;
            if (!d) {
                valid = false;
                return 0;
            }
            values[j] = *d;
        }
        return values[j];
    }

    // Every gridStep-th minute until one ends the search for certain; the smallest of them
    // bounds the window's best value from above.
    int ScanGrid() {
        gridStep = std::clamp(static_cast<int>(kMinuteSearchRise / (2 * speed)), 1, kLastMinute);
        double gridBest = 10.0;
        for (int g = 0;; g = std::min(g + gridStep, kLastMinute)) {
            const double d = Value(g);
            if (!valid) {
                return g;
            }
            if (d < gridBest) {
                gridBest = d;
                gridBestMinute = g;
            }
            if (d > gridBest + kMinuteSearchRise || g == kLastMinute) {
                ceiling = gridBest;
                return g;
            }
        }
    }

    // The smallest grid value may lie most of a grid step above the window's best, and every
    // minute between the two would then have to be computed. Steps halving from the best grid
    // minute down into its dip bring the ceiling to the bottom; a wrong guess only costs the
    // proof, which the final check catches.
    void LowerCeiling(int last) {
        int x = gridBestMinute;
        for (int h = gridStep / 2; h >= 1; h /= 2) {
            const int left = x - h;
            const int right = x + h;
            for (int y : {left, right}) {
                if (y < 0 || y > last) {
                    continue;
                }
                const double d = Value(y);
                if (!valid) {
                    return;
                }
                if (d < values[x]) {
                    x = y;
                }
            }
        }
        ceiling = std::min(ceiling, values[x]);
    }

    // One computed minute, exactly as the literal search treats it.
    void Step(int j) {
        const double d = Value(j);
        if (d < best) {
            best = d;
            bestMinute = j;
        }
        floor = std::min(floor, best);
        if (d > best + kMinuteSearchRise || j == kLastMinute) {
            stopped = true;
        } else if (d > floor + kMinuteSearchRise) {
            valid = false;  // whether the search ends here depends on skipped minutes
        }
    }

    // The minutes strictly between a and b, in order.
    void Process(int a, int b) {
        const int n = b - a;
        if (n < 2) {
            return;
        }
        const double da = Value(a);
        const double db = Value(b);
        const double low =
            std::max({(da + db - speed * n) / 2, da - speed * (n - 1), db - speed * (n - 1)}) -
            jump;
        const double high =
            std::min({(da + db + speed * n) / 2, da + speed * (n - 1), db + speed * (n - 1)}) +
            jump;
        if (low >= best && high <= floor + kMinuteSearchRise) {
            return;
        }
        if (low > ceiling && high <= std::min(floor, low) + kMinuteSearchRise) {
            floor = std::min(floor, low);
            return;
        }
        const int mid = a + n / 2;
        Value(mid);
        if (!valid) {
            return;
        }
        Process(a, mid);
        if (stopped || !valid) {
            return;
        }
        Step(mid);
        if (stopped || !valid) {
            return;
        }
        Process(mid, b);
    }

    const PairDeviation& deviation;
    const int32_t day;
    const double speed;
    const double jump;
    std::vector<double> values;
    long evaluations = 0;
    int gridStep = 1;
    int gridBestMinute = 0;
    double ceiling = 10.0;
    double best = 10.0;
    int bestMinute = 0;
    double floor = 10.0;
    bool stopped = false;
    bool valid = true;
};

// The same walk where the bend is known: between two computed minutes a and b the signed
// deviation runs within a parabola of the straight line between its values, as long as the
// cones keep the deviation below a sixth of a turn (beyond, the separation turns). A stretch
// that the bounds prove to fall steadily can be passed over whole: each minute in it is a
// new best that the next one beats, and none can end the search. One proved to rise is
// passed over unless the search ends in it; then the minute where the rise reaches the end
// is aimed at. Otherwise the next minute is aimed at the exact aspect (where the signed
// deviation changes sign), or taken in the middle.
class BendSearch {
  public:
    BendSearch(const PairDeviation& deviation, int32_t day, double bend)
        : deviation(deviation),
          day(day),
          speed(deviation.MostChangePerMinute()),
          bend(bend),
          values(kLastMinute + 1, kUnknown),
          offsets(kLastMinute + 1, 0) {}

    std::optional<MinuteSearchResult> Run() {
        Value(0);
        Value(kLastMinute);
        if (!valid) {
            return std::nullopt;
        }
        Step(0);
        Walk(0, kLastMinute);
        if (valid && !stopped) {
            Step(kLastMinute);
        }
        if (!valid) {
            return std::nullopt;
        }
        return MinuteSearchResult{best, Instant(day, bestMinute), evaluations};
    }

    long Evaluations() const { return evaluations; }

  private:
    static constexpr double kUnknown = -1;

    enum class Trend { Unknown, Falls, Rises };

    double Value(int j) {
        if (values[j] == kUnknown) {
            const auto d = deviation.OffsetAt(Instant(day, j));
            ++evaluations;
            if (!d) {
                valid = false;
                return 0;
            }
            values[j] = d->deviation;
            offsets[j] = d->signedDeviation;
        }
        return values[j];
    }

    // One computed minute, exactly as the literal search treats it.
    void Step(int j) {
        const double d = values[j];
        if (d < best) {
            best = d;
            bestMinute = j;
        }
        stopped = d > best + kMinuteSearchRise || j == kLastMinute;
    }

    double ConeHigh(int a, int b) const {
        const int n = b - a;
        return std::min({(values[a] + values[b] + speed * n) / 2, values[a] + speed * (n - 1),
                         values[b] + speed * (n - 1)});
    }

    double ConeLow(int a, int b) const {
        const int n = b - a;
        return std::max({(values[a] + values[b] - speed * n) / 2, values[a] - speed * (n - 1),
                         values[b] - speed * (n - 1)});
    }

    // Whether the signed deviation runs smoothly from a to b.
    bool Smooth(int a, int b) const {
        return ConeHigh(a, b) < kFullTurn / 6 - kSmoothnessAllowance;
    }

    // Whether the deviation falls or rises at every minute from a to b: the signed deviation
    // keeps its sign, and its slope, which lies within bend * n of the mean slope, keeps its
    // sign too, by more than the wandering of the positions.
    Trend TrendOf(int a, int b) const {
        const double ya = offsets[a];
        const double yb = offsets[b];
        const int n = b - a;
        if (!Smooth(a, b) || (ya > 0) != (yb > 0)) {
            return Trend::Unknown;
        }
        const double slope = (yb - ya) / n;
        const double doubt = bend * n + 2 * kSmoothnessAllowance;
        if (std::abs(slope) <= doubt) {
            return Trend::Unknown;
        }
        return (slope > 0) == (ya > 0) ? Trend::Rises : Trend::Falls;
    }

    // The lowest and the highest deviation the bounds allow strictly between a and b.
    std::pair<double, double> Range(int a, int b) const {
        double low = ConeLow(a, b);
        double high = ConeHigh(a, b);
        if (Smooth(a, b)) {
            const int n = b - a;
            const double ua = std::abs(offsets[a]);
            const double ub = std::abs(offsets[b]);
            high = std::min(high, std::max(ua, ub) + bend * n * n / 8 + kSmoothnessAllowance);
            if ((offsets[a] > 0) == (offsets[b] > 0)) {
                // The lowest point of the straight line less the parabola.
                const double s = std::clamp(n / 2.0 - (ub - ua) / (bend * n), 0.0, 1.0 * n);
                const double bottom = ua + (ub - ua) * s / n - bend * s * (n - s) / 2;
                low = std::max(low, bottom - kSmoothnessAllowance);
            }
        }
        return {low, high};
    }

    // Where to compute the next minute between a and b (a < m < b).
    int NextMinute(int a, int b, Trend trend) const {
        const int n = b - a;
        const double ya = offsets[a];
        const double yb = offsets[b];
        double at = n / 2.0;
        if (Smooth(a, b) && (ya > 0) != (yb > 0)) {
            at = std::round(ya / (ya - yb) * n);
        } else if (trend == Trend::Rises) {
            at = std::ceil((best + kMinuteSearchRise - values[a]) / (values[b] - values[a]) * n);
        }
        return a + static_cast<int>(std::clamp(at, 1.0, n - 1.0));
    }

    // The minutes strictly between a and b, in order, as the literal search would take them.
    void Walk(int a, int b) {
        if (b - a < 2) {
            return;
        }
        const Trend trend = TrendOf(a, b);
        if (trend == Trend::Falls ||
            (trend == Trend::Rises && values[b] <= best + kMinuteSearchRise)) {
            return;
        }
        const auto [low, high] = Range(a, b);
        if (low >= best && high <= best + kMinuteSearchRise) {
            return;
        }
        const int m = NextMinute(a, b, trend);
        Value(m);
        if (!valid) {
            return;
        }
        Walk(a, m);
        if (stopped || !valid) {
            return;
        }
        Step(m);
        if (!stopped) {
            Walk(m, b);
        }
    }

    const PairDeviation& deviation;
    const int32_t day;
    const double speed;
    const double bend;
    std::vector<double> values;
    std::vector<double> offsets;  // signed deviations of the computed minutes
    long evaluations = 0;
    double best = 10.0;
    int bestMinute = 0;
    bool stopped = false;
    bool valid = true;
};

}  // namespace

MinuteSearchResult FastMinuteSearch(const PairDeviation& deviation, int32_t day) {
    long evaluations = 0;
    const double bend =
        deviation.MostBendPerMinute(Instant(day, 0), Instant(day, kLastMinute), evaluations);
    const auto run = [&evaluations](auto search) {
        const std::optional<MinuteSearchResult> found = search.Run();
        evaluations += search.Evaluations();
        return found;
    };
    const std::optional<MinuteSearchResult> fast =
        bend > 0 ? run(BendSearch(deviation, day, bend)) : run(FastSearch(deviation, day));
    MinuteSearchResult result = fast ? *fast : LiteralMinuteSearch(deviation, day);
    result.evaluations = evaluations + (fast ? 0 : result.evaluations);
    return result;
}

}  // namespace zenthra
