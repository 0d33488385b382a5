// A ten-year show-all of personal transits (every transiting body against one natal body),
// with the fast and with the literal exact-minimum search: time, longitudes computed by the
// minute searches, and a check that both print the same.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

#include "engine/ScanHarness.h"

namespace zenthra {
namespace {

using testing::Jdn;

struct ShowAllResult {
    std::string pane;
    MinuteSearchStats stats;
};

ShowAllResult ShowAllPersonal(bool literal, BodyCode natalBody) {
    ShowAllResult result;
    const double birth = Jdn(1980, 6, 15) - 0.5 + 0.5;  // noon UT
    for (BodyCode body = kSun; body <= kPluto; ++body) {
        testing::ScanHarness h;
        h.Personal(body, natalBody, PlanetLongitude(natalBody, birth), Jdn(2010, 1, 1),
                   Jdn(2019, 12, 31));
        h.request.showAllMode = true;
        h.scan.literalMinuteSearch = literal;
        h.Run();
        result.pane += h.Pane();
        result.stats.searches += h.scan.minuteSearchStats.searches;
        result.stats.evaluations += h.scan.minuteSearchStats.evaluations;
    }
    return result;
}

void CheckSameOutput(const benchmark::State&) {
    static bool checked = false;
    if (checked) {
        return;
    }
    checked = true;
    for (BodyCode natal : {kSun, kMoon, kMars}) {
        const auto fast = ShowAllPersonal(false, natal);
        const auto literal = ShowAllPersonal(true, natal);
        if (fast.pane != literal.pane) {
            std::cerr << "fast and literal searches print different tables\n";
            std::abort();
        }
        std::cerr << "natal " << BodyName(natal) << ": " << fast.stats.searches
                  << " exact-minimum searches, " << fast.stats.evaluations
                  << " longitudes (fast) vs " << literal.stats.evaluations << " (literal), "
                  << static_cast<double>(literal.stats.evaluations) / fast.stats.evaluations
                  << "x fewer\n";
    }
}

void ShowAllTenYears(benchmark::State& state, bool literal) {
    MinuteSearchStats stats;
    for (auto _ : state) {
        stats = ShowAllPersonal(literal, kSun).stats;
    }
    state.counters["searches"] = static_cast<double>(stats.searches);
    state.counters["evaluations"] = static_cast<double>(stats.evaluations);
}

BENCHMARK_CAPTURE(ShowAllTenYears, fast, false)
    ->Setup(CheckSameOutput)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAllTenYears, literal, true)
    ->Setup(CheckSameOutput)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zenthra

BENCHMARK_MAIN();
