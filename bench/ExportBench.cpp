// Exports of a hundred-year world run, Mars and Jupiter from 2000 to 2099, in each format, and
// the run itself for comparison: an export is to add less than 100 ms to the run.
#include <benchmark/benchmark.h>

#include "engine/ScanHarness.h"
#include "export/Exports.h"

namespace zenthra {
namespace {

using testing::Jdn;

constexpr BodyCode kFirst = kMars;
constexpr BodyCode kSecond = kJupiter;

// The run, with a pane without a limit as the console has, so that the run is never cut.
void HundredYearRun(testing::ScanHarness& h) {
    h.pane = OutputPane(std::nullopt);
    h.World(kFirst, kSecond, Jdn(2000, 1, 1), Jdn(2099, 12, 31));
    h.Run();
}

const ExportedRuns& HundredYears() {
    static const ExportedRuns runs = [] {
        testing::ScanHarness h;
        HundredYearRun(h);
        const RunSettings settings{true,
                                   kFirst,
                                   kSecond,
                                   h.request.startJdn,
                                   h.request.endJdn,
                                   h.request.orbDegrees,
                                   false,
                                   {},
                                   "Mars and Jupiter, 2000 to 2099"};
        return ExportedRuns{"run", {{settings, h.scan.Transits()}}};
    }();
    return runs;
}

void BM_HundredYearWorldRun(benchmark::State& state) {
    for (auto _ : state) {
        testing::ScanHarness h;
        HundredYearRun(h);
        state.counters["transits"] = static_cast<double>(h.scan.Transits().transits.size());
    }
}
BENCHMARK(BM_HundredYearWorldRun)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Export(benchmark::State& state, ExportFormat format) {
    const ExportedRuns& runs = HundredYears();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = ExportText(runs, format, {true, 0}).value_or("");
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["transits"] = static_cast<double>(runs.tables[0].transits.transits.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_Export, csv, ExportFormat::Csv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, ics, ExportFormat::ICalendar)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, json, ExportFormat::Json)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zenthra

BENCHMARK_MAIN();
