// Whole-year runs compared byte for byte with reports that were checked by hand; see
// tests/data/golden/README.md. ZENTHRA_WRITE_GOLDEN=1 rewrites the reports instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/ScanHarness.h"

namespace zenthra {
namespace {

using testing::Jdn;
using testing::ReadFile;
using testing::ScanHarness;

struct GoldenRun {
    const char* name;
    void (*setUp)(ScanHarness&);
};

const GoldenRun kRuns[] = {
    {"world-mars-jupiter-2009",
     [](ScanHarness& h) { h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31)); }},
    // Born 13 August 1985 at 12:00 GMT, with the Sun at 20°40' Leo, one degree beyond the
    // point where Mars turned retrograde on 20 December 2009; results in GMT+5:30.
    {"personal-mars-sun-2009",
     [](ScanHarness& h) {
         const int32_t birth = Jdn(1985, 8, 13);
         const double natalSun =
             PlanetLongitude(kSun, birth - 0.5 + 12 * 60 / 1440.0, Zodiac::Tropical);
         h.Personal(kMars, kSun, natalSun, Jdn(2009, 7, 1), Jdn(2010, 6, 30));
         h.request.birthJdn = h.window.title.birthJdn = birth;
         h.window.title.hourText = "12";
         h.window.title.minuteText = "00";
         h.window.title.birthTimezoneText = "GMT";
         h.request.tzMinutes = 330;
         h.window.resultsTimezone = "GMT+5:30";
     }},
};

struct Report {
    std::string pane;
    std::string html;
};

Report Produce(const GoldenRun& run, bool literalMinuteSearch) {
    ScanHarness h;
    const auto html = h.UseHtmlFile(std::string("zenthra-") + run.name + ".html");
    run.setUp(h);
    h.scan.literalMinuteSearch = literalMinuteSearch;
    h.Run();
    EXPECT_GT(h.scan.minuteSearchStats.searches, 0) << run.name;
    return {h.Pane(), ReadFile(html)};
}

std::filesystem::path Golden(const GoldenRun& run, const char* extension) {
    return std::filesystem::path(ZENTHRA_TEST_DATA_DIR) / "golden" /
           (std::string(run.name) + extension);
}

TEST(GoldenRun, ReportsMatchTheCheckedOnes) {
    for (const GoldenRun& run : kRuns) {
        const Report report = Produce(run, false);
        if (std::getenv("ZENTHRA_WRITE_GOLDEN") != nullptr) {
            std::ofstream(Golden(run, ".txt"), std::ios::binary) << report.pane;
            std::ofstream(Golden(run, ".html"), std::ios::binary) << report.html;
            continue;
        }
        EXPECT_EQ(report.pane, ReadFile(Golden(run, ".txt"))) << run.name;
        EXPECT_EQ(report.html, ReadFile(Golden(run, ".html"))) << run.name;
    }
}

TEST(GoldenRun, LiteralMinuteSearchGivesTheSameReports) {
    for (const GoldenRun& run : kRuns) {
        const Report report = Produce(run, true);
        EXPECT_EQ(report.pane, ReadFile(Golden(run, ".txt"))) << run.name;
        EXPECT_EQ(report.html, ReadFile(Golden(run, ".html"))) << run.name;
    }
}

}  // namespace
}  // namespace zenthra
