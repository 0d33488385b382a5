// A ten-year time map of the all-transits mode (orb 5°, born 1950-03-07 14:30 GMT+1,
// 2015-01-01 to 2024-12-31 in GMT+1, computed in periods the mode accepts): its layout, its
// SVG and its PNG, each from the transits, at 1600 pixels. The source, with the retrograde
// stretches of every planet, is built once; its lanes are counted.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "alltransits/AllTransits.h"
#include "calendar/DatePr2.h"
#include "ephemeris/Vocabulary.h"
#include "render/TimelineImage.h"
#include "render/TimelinePicture.h"

#include "QuietWindow.h"

namespace zenthra {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1600;
constexpr int kOrb = 5;
constexpr int kFirstYear = 2015;
constexpr int kYears = 10;
constexpr int kYearsPerComputation = 2;  // within the mode's longest period

AllTransitsRequest Years(int first, int last, const fs::path& folder) {
    AllTransitsRequest r;
    r.startYear = static_cast<int16_t>(first), r.startMonth = 1, r.startDay = 1;
    r.endYear = static_cast<int16_t>(last), r.endMonth = 12, r.endDay = 31;
    r.birthYear = 1950, r.birthMonth = 3, r.birthDay = 7;
    r.birthHour = 14, r.birthMinute = 30;
    r.birthTimezoneHours = 1;
    r.resultsTimezoneHours = 1;
    r.orb = kOrb;
    r.dateStyle = 2;
    r.filePath = (folder / ("timeline_" + std::to_string(first) + ".txt")).string();
    return r;
}

const TimelineSource& TenYears() {
    static const TimelineSource source = [] {
        InitDateVocabulary();
        InitVocabulary(ZENTHRA_DATA_DIR);
        const fs::path folder = fs::temp_directory_path() / "zenthra-bench-timeline";
        fs::create_directories(folder);
        QuietWindow window;
        std::vector<AllTransitsTransit> all;
        for (int year = kFirstYear; year < kFirstYear + kYears; year += kYearsPerComputation) {
            std::vector<AllTransitsTransit> part;
            AllTransitsOptions options;
            options.transits = &part;
            ComputeAllTransits(Years(year, year + kYearsPerComputation - 1, folder), window,
                               options);
            all.insert(all.end(), part.begin(), part.end());
        }
        fs::remove_all(folder);
        TimelineSource ten = AllTransitsSource(all, kOrb, DateToJdn(kFirstYear, 1, 1).jdn,
                                               DateToJdn(kFirstYear + kYears - 1, 12, 31).jdn, 60);
        AddRetrogradeStretches(ten, Zodiac::Tropical);
        return ten;
    }();
    return source;
}

void CountLanes(benchmark::State& state, const TimelineLayout& layout) {
    state.counters["lanes"] = static_cast<double>(layout.lanes.size());
    state.counters["height"] = layout.height;
}

void BM_TimelineLayout(benchmark::State& state) {
    const TimelineSource& source = TenYears();
    TimelineLayout layout;
    for (auto _ : state) {
        layout = LayOutTimeline(source, kWidth);
        benchmark::DoNotOptimize(layout.lanes.data());
    }
    CountLanes(state, layout);
}

void Picture(benchmark::State& state, PictureFormat format) {
    const TimelineSource& source = TenYears();
    const HeadlessRendering rendering;
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = TimelinePicture(LayOutTimeline(source, kWidth), format).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    CountLanes(state, LayOutTimeline(source, kWidth));
}

// Painted into an image as the window shows it, without encoding a file.
void BM_TimelineImage(benchmark::State& state) {
    const TimelineSource& source = TenYears();
    const HeadlessRendering rendering;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TimelineImage(LayOutTimeline(source, kWidth)).constBits());
    }
    CountLanes(state, LayOutTimeline(source, kWidth));
}

void BM_TimelineSvg(benchmark::State& state) {
    Picture(state, PictureFormat::Svg);
}

void BM_TimelinePng(benchmark::State& state) {
    Picture(state, PictureFormat::Png);
}

BENCHMARK(BM_TimelineLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimelineImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimelineSvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimelinePng)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zenthra

BENCHMARK_MAIN();
