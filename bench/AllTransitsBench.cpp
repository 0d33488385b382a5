// The whole all-transits mode over the longest period (1240 days, orbs 1, 3 and 5, reports
// and day file) with the fast and with the literal crossing search: time, longitudes computed
// by the crossing searches, and a check that both write the same files byte for byte.
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
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {
namespace {

namespace fs = std::filesystem;

class QuietWindow : public AllTransitsWindow {
  public:
    MsgAnswer MsgBox(const std::string& text, MsgIcon, const std::string&, MsgButtons) override {
        std::cerr << "message: " << text << "\n";
        return MsgAnswer::Ok;
    }
    void AppendToPane(std::string_view) override {}
    void YieldToEventLoop() override {}
};

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

fs::path Folder(bool literal) {
    const fs::path folder =
        fs::temp_directory_path() / (literal ? "zenthra-bench-literal" : "zenthra-bench-fast");
    fs::create_directories(folder);
    return folder;
}

OrbCrossingStats WholeMode(bool literal) {
    static bool initialised = false;
    if (!initialised) {
        InitDateVocabulary();
        InitVocabulary(ZENTHRA_DATA_DIR);
        initialised = true;
    }
    QuietWindow window;
    OrbCrossingStats stats;
    const AllTransitsOptions options{literal, &stats};
    for (int orb : kOrbs) {
        if (ComputeAllTransits(LongestPeriod(orb, Folder(literal)), window, options) != 0) {
            std::cerr << "the computation of orb " << orb << " failed\n";
            std::abort();
        }
    }
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

void CheckSameFiles(const benchmark::State&) {
    static bool checked = false;
    if (checked) {
        return;
    }
    checked = true;
    const OrbCrossingStats fast = WholeMode(false);
    const OrbCrossingStats literal = WholeMode(true);
    const auto fastFiles = FilesOf(Folder(false));
    if (fastFiles.size() != 4 || fastFiles != FilesOf(Folder(true))) {
        std::cerr << "fast and literal searches write different files\n";
        std::abort();
    }
    std::cerr << fast.searches << " crossing searches: " << fast.evaluations
              << " longitudes (fast) vs " << literal.evaluations << " (literal), "
              << static_cast<double>(literal.evaluations) / fast.evaluations << "x fewer; "
              << fastFiles.size() << " identical files\n";
}

void AllTransitsLongestPeriod(benchmark::State& state, bool literal) {
    OrbCrossingStats stats;
    for (auto _ : state) {
        stats = WholeMode(literal);
    }
    state.counters["searches"] = static_cast<double>(stats.searches);
    state.counters["evaluations"] = static_cast<double>(stats.evaluations);
}

BENCHMARK_CAPTURE(AllTransitsLongestPeriod, fast, false)
    ->Setup(CheckSameFiles)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(AllTransitsLongestPeriod, literal, true)
    ->Setup(CheckSameFiles)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace zenthra

BENCHMARK_MAIN();
