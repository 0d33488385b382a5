#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calendar/DatePr2.h"
#include "engine/AspectGeometry.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {
namespace {

int32_t Jdn(int32_t year, int32_t month, int32_t day) {
    return DateToJdn(year, month, day).jdn;
}

class AspectGeometryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InitVocabulary(ZENTHRA_DATA_DIR); }
};

TEST_F(AspectGeometryTest, SeparationIsTheShorterArcAndTellsWhichLongitudeLeads) {
    const auto check = [](double a, double b, double separation, int16_t direction) {
        int16_t d = 7;
        EXPECT_NEAR(Separation(a, b, d), separation, 1e-14) << a << " " << b;
        EXPECT_EQ(d, direction) << a << " " << b;
    };
    check(0.1, 6.2, 0.18318530717959, 1);
    check(6.2, 0.1, 0.18318530717959, -1);
    check(1.5, 1.0, 0.5, 1);
    check(2.5, 2.5, 0, -1);
    check(0, kHalfTurn, kHalfTurn, -1);
    // Without a position to compare the caller's value stays.
    int16_t d = 7;
    EXPECT_TRUE(std::isnan(Separation(std::numeric_limits<double>::quiet_NaN(), 1.0, d)));
    EXPECT_EQ(d, 7);
}

TEST_F(AspectGeometryTest, DeviationAndTheStrictOrb) {
    const double degree = kFullTurn / 360;
    EXPECT_DOUBLE_EQ(AspectDeviation(3.0, kOpposition), kHalfTurn - 3.0);
    EXPECT_NEAR(AspectDeviation(123 * degree, kTrine), 3 * degree, 1e-12);
    EXPECT_NEAR(AspectDeviation(57 * degree, kSextile), 3 * degree, 1e-12);
    EXPECT_TRUE(InOrb(std::nextafter(5 * degree, 0.0), 5 * degree));
    EXPECT_FALSE(InOrb(5 * degree, 5 * degree));
}

TEST_F(AspectGeometryTest, RetrogradeOnlyForAPlanetMovingBackwards) {
    // Mars stood still on 2009-12-20 and on 2010-03-10.
    EXPECT_FALSE(IsRetrograde(kMars, Jdn(2009, 11, 15), Zodiac::Tropical));
    EXPECT_TRUE(IsRetrograde(kMars, Jdn(2010, 1, 15), Zodiac::Tropical));
    EXPECT_FALSE(IsRetrograde(kMars, Jdn(2010, 4, 1), Zodiac::Tropical));
    for (double t : {2455214.3, 1000000.0}) {
        EXPECT_FALSE(IsRetrograde(kSun, t, Zodiac::Tropical));
        EXPECT_FALSE(IsRetrograde(kMoon, t, Zodiac::Tropical));
    }
    // Mars passing 0° of Aries in April 2009 wraps from a full turn to 0: forward motion.
    const double crossing = 2454944.06;
    ASSERT_GT(PlanetLongitude(kMars, crossing, Zodiac::Tropical), 6.28);
    ASSERT_LT(PlanetLongitude(kMars, crossing + 1.0 / 48, Zodiac::Tropical), 0.01);
    EXPECT_FALSE(IsRetrograde(kMars, crossing, Zodiac::Tropical));
}

TEST_F(AspectGeometryTest, RetrogradeAtTheLocalMidnightThatBeginsTheDay) {
    EXPECT_DOUBLE_EQ(LocalMidnight(2451545, 330), 2451545 - 0.5 - 330.0 / 1440);
    // Mars turned retrograde at about 13:12 UT on 2009-12-20. The midnight that begins
    // December 21 comes before that twelve hours east of Greenwich, after it in India.
    const int32_t dec21 = Jdn(2009, 12, 21);
    EXPECT_FALSE(IsRetrograde(kMars, LocalMidnight(dec21, 720), Zodiac::Tropical));
    EXPECT_TRUE(IsRetrograde(kMars, LocalMidnight(dec21, 330), Zodiac::Tropical));
    EXPECT_TRUE(IsRetrograde(kMars, LocalMidnight(dec21, -720), Zodiac::Tropical));
}

}  // namespace
}  // namespace zenthra
