// The fast orb-crossing search against the minute-by-minute one: the same minute on every
// crossing of random births and periods, at stations, at the edges of the data, with far
// fewer longitudes computed.
#include <gtest/gtest.h>

#include <random>

#include "alltransits/AllTransitsHarness.h"
#include "alltransits/AllTransitsTables.h"
#include "alltransits/OrbCrossing.h"
#include "engine/AspectGeometry.h"
#include "engine/ExactMinimum.h"

namespace zenthra {
namespace {

using testing::Jdn;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRandomPeople = 3;
#else
constexpr int kRandomPeople = 12;
#endif
constexpr int kDaysPerPerson = 30;

// The search of a local day of a list zone.
OrbCrossingQuery Query(bool entry, int32_t day, BodyCode transiting, double natal,
                       AspectCode aspect, double orb, int16_t tzMinutes,
                       LongitudeBasis basis = {}) {
    return {entry, LocalDayToUt(day, tzMinutes), transiting, natal, aspect, orb, kMinutesInDay,
            basis};
}

class OrbCrossing : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::LoadVocabulary();
        testing::RecordingAllTransitsWindow silent;
        ASSERT_TRUE(LoadPlutoTable(kPlutoFileName, silent));
    }
    void TearDown() override {
        std::cout << searches << " searches, longitudes: fast " << fast.evaluations << ", literal "
                  << literal.evaluations << "\n";
    }

    void ExpectSameMinute(const OrbCrossingQuery& q) {
        const double expected = FindOrbCrossingMinuteLiteral(q, &literal);
        const double found = FindOrbCrossingMinute(q, &fast);
        ++searches;
        ASSERT_EQ(found, expected)
            << (q.wantEntry ? "entry" : "exit") << " day " << q.dayStart << " body " << q.transiting
            << " aspect " << q.aspect << " natal " << q.natalLongitude << " orb " << q.orb
            << " minutes " << q.dayMinutes;
    }

    // Every crossing that the day loop of a computation would search for over the days.
    void EveryCrossing(const BodyLongitudes& natal, double orb, int16_t tzMinutes, int32_t first,
                       int days) {
        BodyLongitudes today{};
        BodyLongitudes tomorrow{};
        FillLongitudes(LocalDayToUt(first, tzMinutes), tomorrow, false, PlutoSource::Table);
        for (int32_t day = first; day < first + days; ++day) {
            today = tomorrow;
            FillLongitudes(LocalDayToUt(day + 1, tzMinutes), tomorrow, false, PlutoSource::Table);
            for (BodyCode t = kSun; t <= kPluto; ++t) {
                for (BodyCode n = kSun; n <= kMoon; ++n) {
                    const AspectCode s0 = FirstAspectInOrb(today[t], natal[n], orb);
                    const AspectCode s1 = FirstAspectInOrb(tomorrow[t], natal[n], orb);
                    if ((s0 == 0) != (s1 == 0)) {
                        ExpectSameMinute(
                            Query(s0 == 0, day, t, natal[n], s0 == 0 ? s1 : s0, orb, tzMinutes));
                    }
                }
            }
        }
    }

    std::mt19937 random{20230101};
    OrbCrossingStats fast;
    OrbCrossingStats literal;
    long searches = 0;
};

TEST_F(OrbCrossing, FastEqualsLiteralOnRandomBirthsAndPeriods) {
    std::uniform_int_distribution<int32_t> births(Jdn(1600, 1, 2), Jdn(2090, 12, 31));
    std::uniform_int_distribution<int32_t> periods(0, 3000);
    std::uniform_int_distribution<int> orbs(1, 9);
    std::uniform_int_distribution<int> hours(-11, 11);
    std::uniform_real_distribution<double> times(0, 1);
    for (int person = 0; person < kRandomPeople; ++person) {
        const int32_t birth = births(random);
        BodyLongitudes natal{};
        FillLongitudes(birth - 0.5 + times(random), natal, true, PlutoSource::Table);
        const double orb = orbs(random) * kAllTransitsTurn / 360;
        const auto zone = static_cast<int16_t>(hours(random) * 60);
        const int32_t start = std::min(birth + periods(random), Jdn(2100, 12, 1));
        EveryCrossing(natal, orb, zone, start, kDaysPerPerson);
    }
    ASSERT_GT(searches, 10 * kRandomPeople);
    EXPECT_LT(fast.evaluations * 10, literal.evaluations);
}

// Where a body turns, the deviation can dip into the orb (or out of it) for a few minutes
// and turn back: the orb's edge is put just inside the extreme longitude of the day.
TEST_F(OrbCrossing, StationsDippingIntoTheOrbForMinutes) {
    std::uniform_int_distribution<int32_t> days(Jdn(1650, 1, 1), Jdn(2090, 1, 1));
    const double orb = 1 * kAllTransitsTurn / 360;
    for (BodyCode body : {kMercury, kVenus, kMars, kJupiter, kSaturn, kPluto}) {
        for (int found = 0; found < 2;) {
            const int32_t day = days(random);
            if (IsRetrograde(body, day - 0.5, Zodiac::Tropical) ==
                IsRetrograde(body, day + 0.5, Zodiac::Tropical)) {
                continue;
            }
            ++found;
            // The extreme longitude among the minutes the searches take (results in GMT).
            const bool turnsBack = !IsRetrograde(body, day - 0.5, Zodiac::Tropical);
            double extreme = turnsBack ? 0 : kAllTransitsTurn;
            for (int i = 0; i <= kMinutesInDay; ++i) {
                const double l =
                    PlanetLongitude(body, LocalDayToUt(day, 0) + i / 1440.0, Zodiac::Tropical);
                extreme = turnsBack ? std::max(extreme, l) : std::min(extreme, l);
            }
            for (double inside : {0.0, 1e-12, 1e-10, 1e-8, 1e-6}) {
                const double edge = turnsBack ? extreme - inside : extreme + inside;
                // Natal ahead of the turn: in orb only near it; behind: out of orb only there.
                for (double natal : {edge + orb, edge - orb}) {
                    for (bool entry : {true, false}) {
                        ExpectSameMinute(
                            Query(entry, day, body, NormaliseAngle(natal), kConjunction, orb, 0));
                    }
                }
            }
        }
    }
}

// Every skipped minute rests on this bound: no body moves farther in a minute than the search
// assumes, also around its conjunction with the Sun, where the bending of light by the Sun
// changes its apparent motion within hours.
TEST_F(OrbCrossing, NoBodyOutrunsTheSpeedBoundAtItsConjunctionWithTheSun) {
    const auto wrapped = [](double x) { return std::remainder(x, kAllTransitsTurn); };
    const auto elongation = [&wrapped](BodyCode body, double t) {
        return wrapped(PlanetLongitude(body, t, Zodiac::Tropical) -
                       PlanetLongitude(kSun, t, Zodiac::Tropical));
    };
    std::uniform_int_distribution<int32_t> days(Jdn(1600, 3, 1), Jdn(2098, 6, 1));
    double worst = 0;
    for (BodyCode body = kMercury; body <= kPluto; ++body) {
        const double bound = PairDeviation(body, kSun, false, 0, kConjunction, Zodiac::Tropical)
                                 .MostChangePerMinute();
        int32_t day = days(random);
        while ((elongation(body, day) > 0) == (elongation(body, day + 1) > 0) ||
               std::abs(elongation(body, day)) > 0.5) {
            ++day;
        }
        double previous = PlanetLongitude(body, day - 1.0, Zodiac::Tropical);
        for (int i = 1; i <= 3 * kMinutesInDay; ++i) {
            const double l = PlanetLongitude(body, day - 1.0 + i / 1440.0, Zodiac::Tropical);
            worst = std::max(worst, std::abs(wrapped(l - previous)) / bound);
            previous = l;
        }
    }
    std::cout << "fastest minute: " << worst << " of the bound\n";
    EXPECT_LT(worst, 1.0);
}

// Days on which no crossing happens, or more than one: the first one, or 1439 for none.
TEST_F(OrbCrossing, DaysWithoutOrWithSeveralCrossings) {
    const int32_t day = Jdn(2024, 4, 1);
    const double orb = 3 * kAllTransitsTurn / 360;
    for (BodyCode body = kSun; body <= kPluto; ++body) {
        const double at = PlanetLongitude(body, day, Zodiac::Tropical);
        for (AspectCode aspect = 1; aspect <= kAllTransitsAspects; ++aspect) {
            for (double natal : {at, NormaliseAngle(at + 1.0), NormaliseAngle(at - orb)}) {
                ExpectSameMinute(Query(true, day, body, natal, aspect, orb, 60));
                ExpectSameMinute(Query(false, day, body, natal, aspect, orb, 60));
            }
        }
    }
    // A whole day in orb: the exit search finds none and reports 23:59.
    const OrbCrossingQuery none = Query(
        false, day, kSaturn, PlanetLongitude(kSaturn, day, Zodiac::Tropical), kConjunction, orb, 0);
    EXPECT_EQ(FormatReportInstant(UtToLocalDay(FindOrbCrossingMinute(none, nullptr), 0), 2,
                                  ListZoneText(0), false),
              "2024-04-01 23:59 GMT23:59");
}

// Positions outside the data and the sidereal zodiac's yearly steps: the literal answer.
TEST_F(OrbCrossing, EdgesOfTheDataAndTheSiderealZodiac) {
    const double orb = 5 * kAllTransitsTurn / 360;
    const int32_t lastPlutoDay = Jdn(2099, 12, 31);
    const double pluto = PlanetLongitude(kPluto, lastPlutoDay, Zodiac::Tropical);
    for (int32_t day : {lastPlutoDay - 1, lastPlutoDay, lastPlutoDay + 1}) {
        for (int16_t zone : {-660, 0, 660}) {
            ExpectSameMinute(
                Query(false, day, kPluto, NormaliseAngle(pluto + 0.01), kConjunction, orb, zone));
            ExpectSameMinute(
                Query(true, day, kPluto, NormaliseAngle(pluto + 0.01), kConjunction, orb, zone));
        }
    }
    // A natal Moon outside its data.
    ExpectSameMinute(Query(true, Jdn(2100, 3, 1), kSun, kAfterRange, kConjunction, orb, 0));
    const int32_t newYear = Jdn(2024, 1, 1);
    ExpectSameMinute(Query(true, newYear, kSun,
                           NormaliseAngle(PlanetLongitude(kSun, newYear, Zodiac::Sidereal) + orb),
                           kConjunction, orb, 0, Zodiac::Sidereal));
}

}  // namespace
}  // namespace zenthra
