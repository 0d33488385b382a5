// The longitudes kept for reuse: found only for the same body at the same instant, the same
// values as computed afresh, nothing kept across a change of the data files, and each thread
// with values of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <semaphore>
#include <thread>

#include "ephemeris/LongitudeCache.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {
namespace {

constexpr double kInstant = 2460311.25;  // 2024-01-02 18:00 UT

class LongitudeCacheTest : public ::testing::Test {
  protected:
    void SetUp() override { ForgetLongitudes(); }
    void TearDown() override {
        SetLongitudeCacheEnabled(true);
        SetDatafilesFolder(ZENTHRA_DATA_DIR);
    }
};

double Afresh(BodyCode body, double instant, Zodiac zodiac = Zodiac::Tropical) {
    SetLongitudeCacheEnabled(false);
    const double longitude = PlanetLongitude(body, instant, zodiac);
    SetLongitudeCacheEnabled(true);
    return longitude;
}

TEST_F(LongitudeCacheTest, OnlyTheSameBodyAtTheSameInstantIsFound) {
    const double mars = PlanetLongitude(kMars, kInstant, Zodiac::Tropical);
    EXPECT_EQ(CachedLongitude(kMars, kInstant), mars);
    EXPECT_EQ(CachedLongitude(kVenus, kInstant), std::nullopt);
    EXPECT_EQ(CachedLongitude(kMars, std::nextafter(kInstant, 0.0)), std::nullopt);
    EXPECT_EQ(CachedLongitude(kMars, kInstant + 1.0 / 1440), std::nullopt);
}

TEST_F(LongitudeCacheTest, AKeptValueIsTheOneComputedAfresh) {
    for (BodyCode body = kSun; body <= kMoon; ++body) {
        if (body == kPluto) {
            continue;  // from its table, never kept
        }
        for (double instant : {kInstant, std::nextafter(kInstant, 0.0), kInstant + 1.0 / 1440}) {
            const double first = PlanetLongitude(body, instant, Zodiac::Tropical);
            ASSERT_TRUE(CachedLongitude(body, instant)) << BodyName(body);
            EXPECT_EQ(PlanetLongitude(body, instant, Zodiac::Tropical), first) << BodyName(body);
            EXPECT_EQ(Afresh(body, instant), first) << BodyName(body);
        }
    }
}

TEST_F(LongitudeCacheTest, TheZodiacIsAppliedToTheKeptTropicalValue) {
    const double siderealMars = PlanetLongitude(kMars, kInstant, Zodiac::Sidereal);
    EXPECT_EQ(Afresh(kMars, kInstant, Zodiac::Sidereal), siderealMars);
    const double tropicalMars = PlanetLongitude(kMars, kInstant, Zodiac::Tropical);
    EXPECT_EQ(Afresh(kMars, kInstant, Zodiac::Tropical), tropicalMars);
    EXPECT_NE(tropicalMars, siderealMars);
}

TEST_F(LongitudeCacheTest, NothingIsKeptAcrossAChangeOfTheDataFiles) {
    ASSERT_GE(PlanetLongitude(kMars, kInstant, Zodiac::Tropical), 0);
    SetEphemerisSearchPath("/nonexistent-ephemeris-folder");
    EXPECT_EQ(PlanetLongitude(kMars, kInstant, Zodiac::Tropical), kAfterRange);
    EXPECT_EQ(EphemerisFault(), "The file sepl_18.se1 is missing.");
    // A failure is asked again, so the data files put back answer at once.
    EXPECT_EQ(CachedLongitude(kMars, kInstant), std::nullopt);
    SetDatafilesFolder(ZENTHRA_DATA_DIR);
    EXPECT_EQ(PlanetLongitude(kMars, kInstant, Zodiac::Tropical), Afresh(kMars, kInstant));
}

TEST_F(LongitudeCacheTest, EachThreadKeepsItsOwnValues) {
    const double here = PlanetLongitude(kMoon, kInstant, Zodiac::Tropical);
    std::optional<double> keptThere;
    double there = 0;
    std::thread([&] {
        keptThere = CachedLongitude(kMoon, kInstant);
        there = PlanetLongitude(kMoon, kInstant, Zodiac::Tropical);
    }).join();
    EXPECT_EQ(keptThere, std::nullopt);
    EXPECT_EQ(there, here);
}

TEST_F(LongitudeCacheTest, ForgettingReachesEveryThread) {
    std::binary_semaphore computed(0);
    std::binary_semaphore forgotten(0);
    std::optional<double> before;
    std::optional<double> after;
    std::thread other([&] {
        PlanetLongitude(kSun, kInstant, Zodiac::Tropical);
        before = CachedLongitude(kSun, kInstant);
        computed.release();
        forgotten.acquire();
        after = CachedLongitude(kSun, kInstant);
    });
    computed.acquire();
    SetDatafilesFolder(ZENTHRA_DATA_DIR);
    forgotten.release();
    other.join();
    EXPECT_TRUE(before);
    EXPECT_EQ(after, std::nullopt);
}

TEST_F(LongitudeCacheTest, SwitchedOffNothingIsKept) {
    SetLongitudeCacheEnabled(false);
    PlanetLongitude(kJupiter, kInstant, Zodiac::Tropical);
    EXPECT_FALSE(LongitudeCacheEnabled());
    SetLongitudeCacheEnabled(true);
    EXPECT_EQ(CachedLongitude(kJupiter, kInstant), std::nullopt);
}

}  // namespace
}  // namespace zenthra
