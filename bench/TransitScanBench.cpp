// Ten-year show-alls of personal transits: every transiting body against one natal body, and
// one transiting body walking the natal bodies. Each as a process runs it once, with
// longitudes kept for reuse (cached), computed afresh each time (uncached) and with the
// literal exact-minimum search: time, longitudes asked for by the minute searches, and a check
// that all print the same.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <deque>
#include <iostream>

#include "engine/ScanHarness.h"
#include "ephemeris/LongitudeCache.h"

namespace zenthra {
namespace {

using testing::Jdn;

struct ShowAllResult {
    std::string pane;
    MinuteSearchStats stats;
};

enum class Path { kCached, kUncached, kLiteral };

const char* Name(Path path) {
    return path == Path::kCached ? "cached" : path == Path::kUncached ? "uncached" : "literal";
}

// The runs of a sequence, over 2010 to 2019 for a birth on 1980-06-15 at noon UT. The
// harnesses are made first: each loads the vocabulary, which sets the data folder anew and so
// forgets the longitudes kept, as only the window's start-up does.
class Sequence {
  public:
    explicit Sequence(Path path) : path(path) {}

    void Add(BodyCode transiting, BodyCode natal) {
        const double birth = Jdn(1980, 6, 15) - 0.5 + 0.5;  // noon UT
        testing::ScanHarness& h = runs.emplace_back();
        h.Personal(transiting, natal, PlanetLongitude(natal, birth, Zodiac::Tropical),
                   Jdn(2010, 1, 1), Jdn(2019, 12, 31));
        h.request.showAllMode = true;
        h.scan.literalMinuteSearch = path == Path::kLiteral;
    }

    // Every sequence starts with nothing kept, as a new process does.
    ShowAllResult Run() {
        ForgetLongitudes();
        SetLongitudeCacheEnabled(path == Path::kCached);
        ShowAllResult result;
        for (testing::ScanHarness& h : runs) {
            h.Run();
            result.pane += h.Pane();
            result.stats.searches += h.scan.minuteSearchStats.searches;
            result.stats.evaluations += h.scan.minuteSearchStats.evaluations;
        }
        SetLongitudeCacheEnabled(true);
        return result;
    }

  private:
    Path path;
    std::deque<testing::ScanHarness> runs;
};

// The transiting bodies Sun to Pluto against one natal body.
ShowAllResult ShowAllOfNatal(Path path, BodyCode natal) {
    Sequence sequence(path);
    for (BodyCode body = kSun; body <= kPluto; ++body) {
        sequence.Add(body, natal);
    }
    return sequence.Run();
}

// One transiting body against the natal bodies Sun to Moon.
ShowAllResult ShowAllByTransiting(Path path, BodyCode transiting) {
    Sequence sequence(path);
    for (BodyCode body = kSun; body <= kMoon; ++body) {
        sequence.Add(transiting, body);
    }
    return sequence.Run();
}

template <typename Runs>
void CheckSameOutput(const char* what, Runs sequence) {
    const auto oracle = sequence(Path::kLiteral);
    for (Path path : {Path::kCached, Path::kUncached}) {
        const auto result = sequence(path);
        if (result.pane != oracle.pane) {
            std::cerr << what << ": the " << Name(path)
                      << " and the literal paths print different tables\n";
            std::abort();
        }
        std::cerr << what << ", " << Name(path) << ": " << result.stats.searches
                  << " exact-minimum searches, " << result.stats.evaluations
                  << " longitudes asked for (literal " << oracle.stats.evaluations << ")\n";
    }
}

void CheckShowAllOfNatal(const benchmark::State&) {
    static bool checked = false;
    if (!checked) {
        checked = true;
        for (BodyCode natal : {kSun, kMoon, kMars}) {
            CheckSameOutput(("natal " + BodyName(natal)).c_str(),
                            [natal](Path path) { return ShowAllOfNatal(path, natal); });
        }
    }
}

void CheckShowAllByTransiting(const benchmark::State&) {
    static bool checked = false;
    if (!checked) {
        checked = true;
        for (BodyCode transiting : {kMars, kSun, kJupiter}) {
            CheckSameOutput(
                ("transiting " + BodyName(transiting)).c_str(),
                [transiting](Path path) { return ShowAllByTransiting(path, transiting); });
        }
    }
}

template <typename Runs>
void Measure(benchmark::State& state, Runs sequence) {
    MinuteSearchStats stats;
    for (auto _ : state) {
        stats = sequence().stats;
    }
    state.counters["searches"] = static_cast<double>(stats.searches);
    state.counters["evaluations"] = static_cast<double>(stats.evaluations);
}

void ShowAllTenYears(benchmark::State& state, Path path) {
    Measure(state, [path] { return ShowAllOfNatal(path, kSun); });
}

void ShowAllNatalBodiesTenYears(benchmark::State& state, Path path) {
    Measure(state, [path] { return ShowAllByTransiting(path, kMars); });
}

BENCHMARK_CAPTURE(ShowAllTenYears, cached, Path::kCached)
    ->Setup(CheckShowAllOfNatal)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAllTenYears, uncached, Path::kUncached)
    ->Setup(CheckShowAllOfNatal)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAllTenYears, literal, Path::kLiteral)
    ->Setup(CheckShowAllOfNatal)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAllNatalBodiesTenYears, cached, Path::kCached)
    ->Setup(CheckShowAllByTransiting)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAllNatalBodiesTenYears, uncached, Path::kUncached)
    ->Setup(CheckShowAllByTransiting)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShowAllNatalBodiesTenYears, literal, Path::kLiteral)
    ->Setup(CheckShowAllByTransiting)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zenthra

BENCHMARK_MAIN();
