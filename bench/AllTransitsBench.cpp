// The whole all-transits mode over the longest period (1240 days, orbs 1, 3 and 5, reports
// and day file) as a process runs it once, with longitudes kept for reuse (cached), computed
// afresh each time (uncached) and with the literal crossing search: time, longitudes computed
// by the crossing searches, and a check that all three write the same files byte for byte.
// Also the cached path with the birth and the results in Europe/Berlin.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>

#include "alltransits/AllTransits.h"
#include "alltransits/AllTransitsReport.h"
#include "calendar/DatePr2.h"
#include "calendar/Zone.h"
#include "ephemeris/LongitudeCache.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

#include "QuietWindow.h"

namespace zenthra {
namespace {

namespace fs = std::filesystem;

constexpr int kOrbs[] = {1, 3, 5};

// Born 1950-03-07 14:30 GMT+1; 2023-01-01 to 2026-05-25 (1241 days) in GMT+1.
AllTransitsRequest LongestPeriod(int orb, const fs::path& folder) {
    AllTransitsRequest r;
    r.startYear = 2023, r.startMonth = 1, r.startDay = 1;
    r.endYear = 2026, r.endMonth = 5, r.endDay = 25;
    r.birthYear = 1950, r.birthMonth = 3, r.birthDay = 7;
    r.birthHour = 14, r.birthMinute = 30;
    r.birthTimezoneHours = 1;
    r.resultsTimezoneHours = 1;
    r.orb = static_cast<int16_t>(orb);
    r.dateStyle = 2;
    r.filePath = (folder / ("report_" + std::to_string(orb) + "orb.txt")).string();
    return r;
}

enum class Path { kCached, kUncached, kLiteral, kNamedZone };

const char* Name(Path path) {
    switch (path) {
        case Path::kCached:
            return "cached";
        case Path::kUncached:
            return "uncached";
        case Path::kLiteral:
            return "literal";
        case Path::kNamedZone:
            return "named-zone";
    }
    return "";
}

fs::path Folder(Path path) {
    const fs::path folder =
        fs::temp_directory_path() / ("zenthra-bench-" + std::string(Name(path)));
    fs::create_directories(folder);
    return folder;
}

// Every run starts with nothing kept, as a new process does.
OrbCrossingStats WholeMode(Path path) {
    static bool initialised = false;
    if (!initialised) {
        InitDateVocabulary();
        InitVocabulary(ZENTHRA_DATA_DIR);
        initialised = true;
    }
    ForgetLongitudes();
    SetLongitudeCacheEnabled(path == Path::kCached || path == Path::kNamedZone);
    QuietWindow window;
    OrbCrossingStats stats;
    const AllTransitsOptions options{path == Path::kLiteral, &stats};
    for (int orb : kOrbs) {
        AllTransitsRequest request = LongestPeriod(orb, Folder(path));
        if (path == Path::kNamedZone) {
            // Looked up for each computation, after the ephemeris is in use, as the window does.
            request.birthZone = request.resultsZone = Zone::Find("Europe/Berlin");
        }
        if (ComputeAllTransits(request, window, options) != 0) {
            std::cerr << "the computation of orb " << orb << " failed\n";
            std::abort();
        }
    }
    SetLongitudeCacheEnabled(true);
    return stats;
}

std::map<std::string, std::string> FilesOf(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
    }
    return files;
}

// The path without kept longitudes, as before they were kept, is the oracle of the others.
void CheckSameFiles(Path path) {
    static const OrbCrossingStats uncached = WholeMode(Path::kUncached);
    static const auto uncachedFiles = FilesOf(Folder(Path::kUncached));
    const OrbCrossingStats stats = WholeMode(path);
    if (uncachedFiles.size() != 4 || FilesOf(Folder(path)) != uncachedFiles) {
        std::cerr << Name(path) << " and uncached paths write different files\n";
        std::abort();
    }
    std::cerr << Name(path) << ": " << stats.searches << " crossing searches, " << stats.evaluations
              << " longitudes asked for (uncached: " << uncached.evaluations << "); "
              << uncachedFiles.size() << " identical files\n";
}

void AllTransitsLongestPeriod(benchmark::State& state, Path path) {
    OrbCrossingStats stats;
    for (auto _ : state) {
        stats = WholeMode(path);
    }
    state.counters["searches"] = static_cast<double>(stats.searches);
    state.counters["evaluations"] = static_cast<double>(stats.evaluations);
}

BENCHMARK_CAPTURE(AllTransitsLongestPeriod, cached, Path::kCached)
    ->Setup([](const benchmark::State&) { CheckSameFiles(Path::kCached); })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(AllTransitsLongestPeriod, uncached, Path::kUncached)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(AllTransitsLongestPeriod, named_zone, Path::kNamedZone)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(AllTransitsLongestPeriod, literal, Path::kLiteral)
    ->Setup([](const benchmark::State&) { CheckSameFiles(Path::kLiteral); })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace zenthra

BENCHMARK_MAIN();
