// Longitudes kept for reuse change nothing: a show-all walking the natal bodies prints the same
// whether each run asks the ephemeris afresh or takes what the runs before it computed.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "engine/ScanHarness.h"
#include "ephemeris/LongitudeCache.h"

namespace zenthra {
namespace {

using testing::Jdn;

std::string WalkNatalBodies(BodyCode transiting, int years, bool siderealZodiac, bool keep) {
    // Made first: each harness loads the vocabulary, which sets the data folder anew.
    std::deque<testing::ScanHarness> runs;
    const double birth = Jdn(1975, 11, 3) - 0.5 + 0.3;
    for (BodyCode natal = kSun; natal <= kMoon; ++natal) {
        testing::ScanHarness& h = runs.emplace_back();
        h.Personal(transiting, natal, PlanetLongitude(natal, birth, Zodiac::Tropical),
                   Jdn(2015, 1, 1), Jdn(2015 + years - 1, 12, 31));
        h.request.showAllMode = true;
        h.request.sidereal = siderealZodiac;
        h.request.tzMinutes = 330;
    }
    ForgetLongitudes();
    SetLongitudeCacheEnabled(keep);
    std::string panes;
    for (testing::ScanHarness& h : runs) {
        h.Run();
        panes += h.Pane();
    }
    SetLongitudeCacheEnabled(true);
    return panes;
}

TEST(LongitudeReuse, AShowAllWalkingTheNatalBodiesPrintsTheSameAsOneComputedAfresh) {
    struct Case {
        BodyCode transiting;
        int years;
    };
    for (const Case c : {Case{kSun, 4}, Case{kMercury, 4}, Case{kMars, 4}, Case{kMoon, 1}}) {
        for (bool siderealZodiac : {false, true}) {
            const std::string kept = WalkNatalBodies(c.transiting, c.years, siderealZodiac, true);
            EXPECT_EQ(kept, WalkNatalBodies(c.transiting, c.years, siderealZodiac, false))
                << BodyName(c.transiting) << (siderealZodiac ? " sidereal" : " tropical");
            EXPECT_GT(std::count(kept.begin(), kept.end(), '\n'), 100) << BodyName(c.transiting);
        }
    }
}

}  // namespace
}  // namespace zenthra
