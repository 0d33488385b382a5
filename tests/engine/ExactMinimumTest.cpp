// The fast minute search against the literal one: the same minute and value on every case,
// with far fewer longitudes computed.
#include <gtest/gtest.h>

#include <random>

#include "engine/AspectGeometry.h"
#include "engine/ExactMinimum.h"
#include "engine/ScanHarness.h"

namespace zenthra {
namespace {

using testing::Jdn;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kCasesPerKind = 12;
constexpr int kYearsOfFastPairs = 3;
#else
constexpr int kCasesPerKind = 100;
constexpr int kYearsOfFastPairs = 20;
#endif

struct Totals {
    long fast = 0;
    long literal = 0;
};

void ExpectSameResult(const PairDeviation& pair, int32_t day, Totals& totals,
                      const std::string& what) {
    const MinuteSearchResult literal = LiteralMinuteSearch(pair, day);
    const MinuteSearchResult fast = FastMinuteSearch(pair, day);
    ASSERT_EQ(fast.best, literal.best) << what << " day " << day;
    ASSERT_EQ(fast.bestInstant, literal.bestInstant) << what << " day " << day;
    totals.fast += fast.evaluations;
    totals.literal += literal.evaluations;
}

// The aspect nearest to the pair's separation at an instant.
AspectCode NearestAspect(double separation) {
    AspectCode nearest = kConjunction;
    for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
        if (AspectDeviation(separation, a) < AspectDeviation(separation, nearest)) {
            nearest = a;
        }
    }
    return nearest;
}

class ExactMinimumTest : public ::testing::Test {
  protected:
    void TearDown() override {
        std::cout << "evaluations: fast " << totals.fast << ", literal " << totals.literal << "\n";
    }

    // A natal point that the transiting body reaches in aspect within the window of `day`,
    // a little off so that some cases are exact and some are not.
    void PersonalNearAspect(BodyCode body, int32_t day, double offset, AspectCode aspect,
                            Zodiac zodiac = Zodiac::Tropical) {
        const double passing = PlanetLongitude(body, day - 0.5 + random01(random) * 2 - 1, zodiac);
        const double natal = NormaliseAngle(passing - AspectAngle(aspect) + offset);
        ExpectSameResult(PairDeviation(body, kSun, false, natal, aspect, zodiac), day, totals,
                         BodyName(body));
    }

    testing::ScanHarness harness;  // loads the vocabulary and the Pluto table
    std::mt19937 random{1208};
    std::uniform_real_distribution<double> random01{0, 1};
    Totals totals;
};

TEST_F(ExactMinimumTest, PersonalPassesOfEveryBody) {
    std::uniform_int_distribution<int32_t> days(Jdn(1600, 1, 3), Jdn(2099, 12, 28));
    std::uniform_int_distribution<int> aspects(1, kAspectsInUse);
    std::uniform_real_distribution<double> offsets(-0.001, 0.001);
    for (int i = 0; i < kCasesPerKind; ++i) {
        for (BodyCode body = kSun; body <= kPluto; ++body) {
            PersonalNearAspect(body, days(random), offsets(random), aspects(random));
        }
    }
    EXPECT_LT(totals.fast * 5, totals.literal);
}

TEST_F(ExactMinimumTest, StationsAndRetrogradeLoops) {
    std::uniform_int_distribution<int32_t> days(Jdn(1700, 1, 1), Jdn(2090, 1, 1));
    for (BodyCode body : {kMercury, kVenus, kMars, kJupiter, kSaturn, kPluto}) {
        for (int found = 0; found < kCasesPerKind / 6;) {
            const int32_t day = days(random);
            if (IsRetrograde(body, day - 0.5, Zodiac::Tropical) ==
                IsRetrograde(body, day + 0.5, Zodiac::Tropical)) {
                continue;  // not a station
            }
            ++found;
            for (double offset : {0.0, 0.0001, -0.0003, 0.002}) {
                const double natal =
                    NormaliseAngle(PlanetLongitude(body, day, Zodiac::Tropical) + offset);
                ExpectSameResult(
                    PairDeviation(body, kSun, false, natal, kConjunction, Zodiac::Tropical), day,
                    totals, "station");
            }
        }
    }
}

TEST_F(ExactMinimumTest, WorldPairsNearTheirAspects) {
    std::uniform_int_distribution<int32_t> days(Jdn(1600, 1, 3), Jdn(2099, 12, 28));
    std::uniform_int_distribution<int> firsts(kSun, kNeptune);
    for (int i = 0; i < kCasesPerKind; ++i) {
        const BodyCode first = static_cast<BodyCode>(firsts(random));
        const BodyCode second =
            static_cast<BodyCode>(std::uniform_int_distribution<int>(first + 1, kPluto)(random));
        const int32_t day = days(random);
        const double t = day - 0.5;
        const AspectCode aspect =
            NearestAspect(Separation(PlanetLongitude(first, t, Zodiac::Tropical),
                                     PlanetLongitude(second, t, Zodiac::Tropical)));
        ExpectSameResult(PairDeviation(first, second, true, 0, aspect, Zodiac::Tropical), day,
                         totals, "world");
    }
}

TEST_F(ExactMinimumTest, FromEveryMidnightInsideTheInnerOrbOfFastPairs) {
    // A passage the scan leaves without a daily minimum is searched from its closest
    // midnight, around which the closest approach may lie anywhere in the window.
    const double innerOrb = 2 * kFullTurn / 360;
    for (const auto& [first, second] : {std::pair{kSun, kMercury}, std::pair{kMercury, kVenus}}) {
        const PairDeviation pair(first, second, true, 0, kConjunction, Zodiac::Tropical);
        for (int32_t day = Jdn(2000, 1, 1); day < Jdn(2000 + kYearsOfFastPairs, 1, 1); ++day) {
            if (*pair.At(day - 0.5) < innerOrb) {
                ExpectSameResult(pair, day, totals, "fast pair");
            }
        }
    }
}

TEST_F(ExactMinimumTest, SiderealNewYearAndTheEdgesOfTheRange) {
    for (int year = 1601; year < 2099; year += 13) {
        for (BodyCode body : {kSun, kMercury, kMars, kPluto}) {
            PersonalNearAspect(body, Jdn(year, 1, 1), 0.00005, kSquare, Zodiac::Sidereal);
        }
    }
    // Around the first and the last day of the Pluto table some minutes have no position.
    for (int32_t day : {Jdn(1600, 1, 1), Jdn(1600, 1, 2), Jdn(2099, 12, 31), Jdn(2100, 1, 1)}) {
        const double natal = std::max(0.0, PlanetLongitude(kPluto, day - 0.5, Zodiac::Tropical));
        ExpectSameResult(PairDeviation(kPluto, kSun, false, natal, kConjunction, Zodiac::Tropical),
                         day, totals, "edge");
    }
}

// The signed deviation that the bend bounds: as large as the deviation, changing sign where
// the aspect is exact.
TEST_F(ExactMinimumTest, SignedDeviationRunsThroughTheExactAspect) {
    const double at = Jdn(2021, 3, 1) - 0.5;
    const double natal =
        NormaliseAngle(PlanetLongitude(kMars, at, Zodiac::Tropical) - AspectAngle(kTrine));
    const PairDeviation pair(kMars, kSun, false, natal, kTrine, Zodiac::Tropical);
    const auto before = pair.OffsetAt(at - 0.5);
    const auto after = pair.OffsetAt(at + 0.5);
    ASSERT_TRUE(before && after);
    EXPECT_LT(before->signedDeviation, 0);
    EXPECT_GT(after->signedDeviation, 0);
    for (const auto& o : {*before, *after}) {
        EXPECT_NEAR(std::abs(o.signedDeviation), o.deviation, 1e-12);
    }
    EXPECT_EQ(before->deviation, *pair.At(at - 0.5));
}

// The bend is known only where it holds: not near the Sun, not across a sidereal new year,
// not for Pluto's table; a world pair's is the sum of both bodies'.
TEST_F(ExactMinimumTest, BendOnlyWhereItHolds) {
    const auto bend = [](BodyCode first, BodyCode second, bool world, double from,
                         Zodiac zodiac = Zodiac::Tropical) {
        long evaluations = 0;
        return PairDeviation(first, second, world, 1.0, kSquare, zodiac)
            .MostBendPerMinute(from, from + 2, evaluations);
    };
    const double quiet = Jdn(2021, 3, 1);
    const double marsBehindTheSun = Jdn(2021, 10, 7);
    EXPECT_GT(bend(kMars, kSun, false, quiet), 0);
    EXPECT_EQ(bend(kMars, kSun, false, marsBehindTheSun), 0);
    EXPECT_EQ(bend(kPluto, kSun, false, quiet), 0);
    EXPECT_GT(bend(kSun, kSun, false, Jdn(2023, 12, 31)), 0);
    EXPECT_EQ(bend(kSun, kSun, false, Jdn(2023, 12, 31), Zodiac::Sidereal), 0);
    EXPECT_GT(bend(kSun, kSun, false, quiet, Zodiac::Sidereal), 0);
    EXPECT_EQ(bend(kMars, kMars, false, quiet), bend(kMars, kSun, false, quiet));
    EXPECT_GT(bend(kMars, kJupiter, true, quiet), bend(kMars, kSun, false, quiet));
}

}  // namespace
}  // namespace zenthra
