// Pluto from the ephemeris: the library's own apparent longitude over the planets' whole range,
// kept apart from the table's values in the longitude cache, and the published positions held
// without the table's rounding.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <array>
#include <cmath>

#include "ephemeris/LongitudeCache.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "support/RecordingMessageBoxes.h"

namespace zenthra {
namespace {

constexpr LongitudeBasis kPrecise{Zodiac::Tropical, PlutoSource::Ephemeris};
constexpr double kInstant = 2460311.25;  // 2024-01-02 18:00 UT

// The table is rounded to the arcminute and interpolated between midnights.
constexpr double kTableArcsec = 30 + 4;

double Arcsec(double radians) {
    return std::abs(std::remainder(radians, kFullTurn)) / kFullTurn * 360 * 3600;
}

double SwissPluto(double instant) {
    std::array<double, 6> position{};
    std::array<char, AS_MAXCH> error{};
    swe_calc_ut(instant, SE_PLUTO, SEFLG_SWIEPH, position.data(), error.data());
    return position[0] / 360 * kFullTurn;
}

class PrecisePlutoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitVocabulary(ZENTHRA_DATA_DIR);
        ASSERT_TRUE(LoadPlutoTable(kPlutoFileName, boxes));
        ForgetLongitudes();
    }
    void TearDown() override { PlutoTable.clear(); }

    testing::RecordingMessageBoxes boxes;
};

TEST_F(PrecisePlutoTest, IsTheEphemerisApparentLongitudeAndTheTableOnlyNearIt) {
    for (const double instant : {2305448.3, 2451545.0, kInstant, 2488069.4}) {
        const double precise = PlanetLongitude(kPluto, instant, kPrecise);
        EXPECT_LT(Arcsec(precise - SwissPluto(instant)), 1e-6) << instant;
        const double table = PlanetLongitude(kPluto, instant, Zodiac::Tropical);
        EXPECT_LT(Arcsec(precise - table), kTableArcsec) << instant;
    }
    const double sidereal =
        PlanetLongitude(kPluto, kInstant, {Zodiac::Sidereal, PlutoSource::Ephemeris});
    EXPECT_DOUBLE_EQ(sidereal, NormaliseAngle(PlanetLongitude(kPluto, kInstant, kPrecise) -
                                              ((2024 - 2000) * 243.8 / 1000000 + 0.416314)));
}

// The table ends with 2099; the ephemeris serves Pluto as long as the other planets.
TEST_F(PrecisePlutoTest, CoversThePlanetsRangeWhereTheTableEnds) {
    const double in2300 = 2561118.5;
    const double before1600 = 2305447.5 - 365;
    EXPECT_EQ(PlanetLongitude(kPluto, in2300, Zodiac::Tropical), kAfterRange);
    EXPECT_EQ(PlanetLongitude(kPluto, before1600, Zodiac::Tropical), kBeforeRange);
    EXPECT_GE(PlanetLongitude(kPluto, in2300, kPrecise), 0);
    EXPECT_GE(PlanetLongitude(kPluto, before1600, kPrecise), 0);

    EXPECT_EQ(OutsideSource(kPluto, in2300, PlutoSource::Table), kAfterRange);
    EXPECT_EQ(OutsideSource(kPluto, in2300, PlutoSource::Ephemeris), std::nullopt);
    EXPECT_EQ(OutsideSource(kPluto, kEphemerisLastJdn + 1.0, PlutoSource::Ephemeris), kAfterRange);
    EXPECT_EQ(OutsideSource(kPluto, kEphemerisFirstJdn - 1.0, PlutoSource::Ephemeris),
              kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kPluto, kEphemerisLastJdn + 1.0, kPrecise), kAfterRange);
}

// Only the ephemeris's values are kept, so asking for either Pluto never returns the other.
TEST_F(PrecisePlutoTest, TheCacheNeverHandsOutOnePlutoForTheOther) {
    const double table = PlanetLongitude(kPluto, kInstant, Zodiac::Tropical);
    EXPECT_EQ(CachedLongitude(kPluto, kInstant), std::nullopt);
    const double precise = PlanetLongitude(kPluto, kInstant, kPrecise);
    EXPECT_EQ(CachedLongitude(kPluto, kInstant), precise);
    ASSERT_NE(table, precise);
    EXPECT_EQ(PlanetLongitude(kPluto, kInstant, Zodiac::Tropical), table);
    EXPECT_EQ(PlanetLongitude(kPluto, kInstant, kPrecise), precise);
    SetLongitudeCacheEnabled(false);
    EXPECT_EQ(PlanetLongitude(kPluto, kInstant, kPrecise), precise);
    SetLongitudeCacheEnabled(true);
}

}  // namespace
}  // namespace zenthra
