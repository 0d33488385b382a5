// The first-transit search over the ephemeris: the period it brackets, what it passes over,
// and where it gives up.
#include <gtest/gtest.h>

#include <vector>

#include "calendar/DatePr2.h"
#include "engine/AspectGeometry.h"
#include "engine/FirstTransitSearch.h"
#include "ephemeris/Angles.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {
namespace {

int32_t Jdn(int32_t year, int32_t month, int32_t day) {
    return DateToJdn(year, month, day).jdn;
}

constexpr double kTenDegrees = kFullTurn / 36;

class FirstTransitSearchTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InitVocabulary(ZENTHRA_DATA_DIR); }

    FirstTransitResult Find(const FirstTransitQuery& query) {
        return FindFirstTransit(query, {[this](RangeFault fault) { faults.push_back(fault); },
                                        [this](int32_t day) { stepped.push_back(day); }});
    }

    static bool InOrbOn(const FirstTransitQuery& query, int32_t day) {
        RangeFault fault = RangeFault::None;
        const bool inOrb = AspectInOrbAt(query, LocalMidnight(day, query.tzMinutes), fault);
        EXPECT_EQ(fault, RangeFault::None) << day;
        return inOrb;
    }

    // Out of orb on the first and last day of the period, in orb on every day between.
    static void ExpectOnePassage(const FirstTransitQuery& query, const FirstTransitResult& found) {
        ASSERT_EQ(found.fault, RangeFault::None);
        EXPECT_GT(found.startJdn, query.afterDay);
        EXPECT_FALSE(InOrbOn(query, found.startJdn));
        for (int32_t d = found.startJdn + 1; d < found.endJdn; ++d) {
            ASSERT_TRUE(InOrbOn(query, d)) << d;
        }
        EXPECT_FALSE(InOrbOn(query, found.endJdn));
    }

    std::vector<RangeFault> faults;
    std::vector<int32_t> stepped;
};

TEST_F(FirstTransitSearchTest, BracketsTheNextPassageAndStepsThroughEachDayOnce) {
    const FirstTransitQuery query{kMars, kJupiter, kConjunction,     kTenDegrees, true,
                                  -1,    0,        Jdn(2008, 12, 31)};
    const FirstTransitResult found = Find(query);
    ExpectOnePassage(query, found);
    EXPECT_EQ(found.startJdn, Jdn(2009, 1, 30));
    EXPECT_EQ(found.endJdn, Jdn(2009, 3, 8));
    EXPECT_TRUE(faults.empty());
    ASSERT_FALSE(stepped.empty());
    EXPECT_EQ(stepped.front(), query.afterDay + 2);
    EXPECT_EQ(stepped.back(), found.endJdn);
    for (size_t i = 1; i < stepped.size(); ++i) {
        ASSERT_EQ(stepped[i], stepped[i - 1] + 1) << i;
    }
}

TEST_F(FirstTransitSearchTest, PassesOverAPassageInEffectOnTheFirstDay) {
    const FirstTransitQuery query{kMars, kJupiter, kConjunction,    kTenDegrees, true,
                                  -1,    0,        Jdn(2009, 2, 10)};
    const FirstTransitResult found = Find(query);
    ExpectOnePassage(query, found);
    EXPECT_GT(found.startJdn, Jdn(2009, 3, 8));
}

TEST_F(FirstTransitSearchTest, APersonalSearchHoldsTheNatalLongitudeAndTheLocalDays) {
    // The Sun comes to 0° Aries each March; results in GMT-5.
    const FirstTransitQuery query{kSun,  kMoon, kConjunction, kTenDegrees / 2,
                                  false, 0.0,   -300,         Jdn(2020, 1, 1)};
    const FirstTransitResult found = Find(query);
    ExpectOnePassage(query, found);
    EXPECT_GE(found.startJdn, Jdn(2020, 3, 10));
    EXPECT_LE(found.endJdn, Jdn(2020, 3, 31));
}

TEST_F(FirstTransitSearchTest, GivesUpWhereABodyLeavesItsSource) {
    const FirstTransitQuery query{kMoon, kSun, kConjunction,     kTenDegrees, true,
                                  -1,    0,    Jdn(2099, 12, 30)};
    const FirstTransitResult found = Find(query);
    EXPECT_EQ(found.fault, RangeFault::FirstBeyond);
    EXPECT_LT(PlanetLongitude(kMoon, LocalMidnight(found.reached, 0), Zodiac::Tropical), 0);
    EXPECT_GE(PlanetLongitude(kMoon, LocalMidnight(found.reached - 1, 0), Zodiac::Tropical), 0);
}

TEST_F(FirstTransitSearchTest, AFirstDayOutsideTheSourceIsToldBeforeTheSearchGivesUp) {
    const FirstTransitQuery query{kSun, kMoon, kSquare, kTenDegrees, true, -1, 0, Jdn(2100, 1, 5)};
    const FirstTransitResult found = Find(query);
    EXPECT_EQ(faults, std::vector<RangeFault>{RangeFault::SecondBeyond});
    EXPECT_EQ(found.fault, RangeFault::SecondBeyond);
    EXPECT_EQ(found.reached, query.afterDay + 1);
    EXPECT_TRUE(stepped.empty());
}

}  // namespace
}  // namespace zenthra
