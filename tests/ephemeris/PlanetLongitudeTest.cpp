#include <gtest/gtest.h>

#include <cmath>

#include "calendar/CalendarLibrary.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {
namespace {

constexpr double kAyanamsa2000 = 0.416314;

int32_t Jdn(int32_t year, int32_t month, int32_t day) {
    CalendarDate date{year, month, day, kGregorianCalendar, 0, 0};
    return EuroDateToJdn(date);
}

// 0h UT of a day.
double Midnight(int32_t jdn) {
    return jdn - 0.5;
}

class PlanetLongitudeTest : public ::testing::Test {
  protected:
    void SetUp() override { sidereal = false; }
    void TearDown() override {
        sidereal = false;
        SetDatafilesFolder(ZENTHRA_DATA_DIR);
    }
};

TEST_F(PlanetLongitudeTest, BodiesReachTheEphemerisUnderItsOwnNumbers) {
    const double t = 2460000.25;
    const int32_t libraryCode[] = {0, 3, 1, 2, 4, 5, 6, 7, 8};
    for (BodyCode body = kSun; body <= kNeptune; ++body) {
        double unused = 0;
        EXPECT_EQ(PlanetLongitude(body, t), GcAppLongRvPlanet(libraryCode[body], t, 2023, &unused))
            << "body " << body;
    }
    EXPECT_EQ(PlanetLongitude(kMoon, t), MoonPos(t - 2451545));
}

TEST_F(PlanetLongitudeTest, MoonAnswersOnlyFrom1600To2099) {
    const int32_t first = Jdn(1600, 1, 1);
    const int32_t last = Jdn(2099, 12, 31);
    ASSERT_EQ(first, kMoonFirstJdn);
    ASSERT_EQ(last, kMoonLastJdn);

    EXPECT_EQ(PlanetLongitude(kMoon, first - 0.5 - 1e-6), kBeforeRange);
    EXPECT_GE(PlanetLongitude(kMoon, first - 0.5), 0);
    EXPECT_GE(PlanetLongitude(kMoon, last + 0.4999), 0);
    EXPECT_EQ(PlanetLongitude(kMoon, last + 0.5), kAfterRange);
}

TEST_F(PlanetLongitudeTest, PlanetsAnswerFromYearZeroTo2999) {
    ASSERT_EQ(Jdn(0, 1, 1), kEphemerisFirstJdn);
    ASSERT_EQ(Jdn(2999, 12, 31), kEphemerisLastJdn);
    for (BodyCode body = kSun; body <= kNeptune; ++body) {
        EXPECT_EQ(PlanetLongitude(body, Midnight(kEphemerisFirstJdn) - 0.001), kBeforeRange);
        const double first = PlanetLongitude(body, Midnight(kEphemerisFirstJdn));
        const double last = PlanetLongitude(body, Midnight(kEphemerisLastJdn) + 0.999);
        EXPECT_TRUE(first >= 0 && first < kFullTurn) << "body " << body << ": " << first;
        EXPECT_TRUE(last >= 0 && last < kFullTurn) << "body " << body << ": " << last;
        EXPECT_EQ(PlanetLongitude(body, Midnight(kEphemerisLastJdn + 1)), kAfterRange);
    }
    EXPECT_EQ(PlanetLongitude(0, 2451545), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(11, 2451545), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kMars, std::nan("")), kBeforeRange);
}

TEST_F(PlanetLongitudeTest, SiderealSubtractsAYearlyGrowingAyanamsa) {
    // 2000-03-26: the Sun stands below the ayanamsa, so the sidereal value wraps round.
    const double t2000 = Midnight(Jdn(2000, 3, 26));
    const double tropical = PlanetLongitude(kSun, t2000);
    ASSERT_LT(tropical, kAyanamsa2000);
    sidereal = true;
    EXPECT_NEAR(PlanetLongitude(kSun, t2000), tropical - kAyanamsa2000 + kFullTurn, 1e-12);

    // A century earlier the ayanamsa is 100 years of 243.8 microradians smaller; the Moon
    // is corrected as well.
    const double t1900 = Midnight(Jdn(1900, 7, 1));
    sidereal = false;
    const double moon = PlanetLongitude(kMoon, t1900);
    sidereal = true;
    EXPECT_NEAR(PlanetLongitude(kMoon, t1900),
                NormaliseAngle(moon - (kAyanamsa2000 - 100 * 243.8e-6)), 1e-12);

    EXPECT_EQ(PlanetLongitude(kMoon, Midnight(kMoonFirstJdn - 1)), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kMars, Midnight(kEphemerisLastJdn + 1)), kAfterRange);
}

TEST(NormaliseAngle, BringsAnyAngleIntoOneTurn) {
    EXPECT_DOUBLE_EQ(NormaliseAngle(-0.5), 5.78318530717959);
    EXPECT_EQ(NormaliseAngle(6.28318530717959), 0);
    EXPECT_EQ(NormaliseAngle(0), 0);
    EXPECT_DOUBLE_EQ(NormaliseAngle(3 * 6.28318530717959 + 1), 1);
    EXPECT_EQ(NormaliseAngle(-1e-20), 0);
    const double huge = NormaliseAngle(1e300);
    EXPECT_TRUE(huge >= 0 && huge < kFullTurn);
    EXPECT_TRUE(std::isnan(NormaliseAngle(std::nan(""))));
}

TEST(YearOfInstant, IsTheCalendarYearOfTheUtDay) {
    EXPECT_EQ(YearOfInstant(2451544.5), 2000);
    EXPECT_EQ(YearOfInstant(2451544.4999), 1999);
    EXPECT_EQ(YearOfInstant(Midnight(Jdn(-500, 3, 1))), -500);
}

TEST_F(PlanetLongitudeTest, MissingDataFilesNeverGiveALessAccuratePosition) {
    SetEphemerisSearchPath("/nonexistent-ephemeris-folder");
    EXPECT_EQ(PlanetLongitude(kMars, Midnight(Jdn(1950, 1, 1))), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kMars, Midnight(Jdn(2050, 1, 1))), kAfterRange);
    EXPECT_EQ(PlanetLongitude(kMoon, Midnight(Jdn(2050, 1, 1))), kAfterRange);
    EXPECT_NE(EphemerisFault(), "");
    EXPECT_NE(ProbeEphemerisData(), "");

    SetDatafilesFolder(ZENTHRA_DATA_DIR);
    EXPECT_GE(PlanetLongitude(kMars, Midnight(Jdn(2050, 1, 1))), 0);
    EXPECT_EQ(ProbeEphemerisData(), "");
}

}  // namespace
}  // namespace zenthra
