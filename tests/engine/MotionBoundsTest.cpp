// The bounds of the bodies' motion on which the fast searches rest, against the ephemeris:
// sampled over the years they hold for, at the greatest values a dense scan found, and
// where a body passes the Sun.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <random>

#include "engine/ExactMinimum.h"
#include "engine/ScanHarness.h"

namespace zenthra {
namespace {

using testing::Jdn;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRandomInstants = 60;
#else
constexpr int kRandomInstants = 400;
#endif

// Second differences over this step follow the acceleration within a few hours, and the
// rounding of the longitudes stays far below the smallest bound.
constexpr double kStep = 1.0 / 72;

double Wrapped(double x) {
    return std::remainder(x, kFullTurn);
}

double Elongation(BodyCode body, double t) {
    return std::abs(Wrapped(PlanetLongitude(body, t, Zodiac::Tropical) -
                            PlanetLongitude(kSun, t, Zodiac::Tropical)));
}

class MotionBounds : public ::testing::Test {
  protected:
    void TearDown() override {
        std::cout << "greatest acceleration seen: " << worst << " of the bound\n";
    }

    // The change of daily motion around t as a share of the bound, where the bound holds.
    void Check(BodyCode body, double t) {
        if (body != kSun && Elongation(body, t) < kClearOfTheSun) {
            return;
        }
        const std::optional<double> bound = GreatestAcceleration(body, t - kStep, t + kStep);
        ASSERT_TRUE(bound) << body << " at " << t;
        const double before = PlanetLongitude(body, t - kStep, Zodiac::Tropical);
        const double at = PlanetLongitude(body, t, Zodiac::Tropical);
        const double after = PlanetLongitude(body, t + kStep, Zodiac::Tropical);
        const double acceleration =
            std::abs(Wrapped(after - at) - Wrapped(at - before)) / (kStep * kStep);
        worst = std::max(worst, acceleration / *bound);
        ASSERT_LT(acceleration, *bound) << "body " << body << " at " << t;
    }

    testing::ScanHarness harness;  // loads the vocabulary
    std::mt19937 random{1600};
    double worst = 0;
};

TEST_F(MotionBounds, HoldAtRandomInstantsFrom1600To2099) {
    std::uniform_real_distribution<double> instants(Jdn(1600, 1, 2), Jdn(2099, 12, 30));
    for (BodyCode body = kSun; body <= kNeptune; ++body) {
        for (int i = 0; i < kRandomInstants; ++i) {
            Check(body, instants(random));
        }
    }
}

// Around the greatest second differences that a scan at three-hour steps over the whole
// period found for each body.
TEST_F(MotionBounds, HoldAtTheGreatestValuesFound) {
    const std::array<double, kNeptune + 1> peaks = {0,       2332196, 2318226, 2341619, 2407634,
                                                    2481846, 2334348, 2440595, 2404799};
    for (BodyCode body = kSun; body <= kNeptune; ++body) {
        for (double t = peaks[body] - 1; t <= peaks[body] + 1; t += 1.0 / 96) {
            Check(body, t);
        }
    }
}

// Near the Sun the bending of light changes a body's apparent motion within hours; the
// bound holds from kClearOfTheSun on, over the days around a conjunction.
TEST_F(MotionBounds, HoldUpToTheirDistanceFromTheSun) {
    std::uniform_int_distribution<int32_t> days(Jdn(1600, 3, 1), Jdn(2098, 6, 1));
    for (BodyCode body = kMercury; body <= kNeptune; ++body) {
        int32_t day = days(random);
        const auto signedElongation = [body](double t) {
            return Wrapped(PlanetLongitude(body, t, Zodiac::Tropical) -
                           PlanetLongitude(kSun, t, Zodiac::Tropical));
        };
        while ((signedElongation(day) > 0) == (signedElongation(day + 1) > 0) ||
               std::abs(signedElongation(day)) > 0.5) {
            ++day;
        }
        for (double t = day - 3; t <= day + 4; t += 1.0 / 72) {
            Check(body, t);
        }
    }
}

TEST_F(MotionBounds, NoBoundWhereNoneWasMeasured) {
    const double inside = Jdn(2000, 1, 1);
    EXPECT_TRUE(GreatestAcceleration(kSun, inside, inside + 1));
    EXPECT_TRUE(GreatestAcceleration(kNeptune, inside, inside + 1));
    EXPECT_FALSE(GreatestAcceleration(kPluto, inside, inside + 1));
    EXPECT_FALSE(GreatestAcceleration(kMoon, inside, inside + 1));
    EXPECT_FALSE(GreatestAcceleration(kMars, Jdn(1599, 12, 31), inside));
    EXPECT_FALSE(GreatestAcceleration(kMars, inside, Jdn(2100, 1, 1)));
}

}  // namespace
}  // namespace zenthra
