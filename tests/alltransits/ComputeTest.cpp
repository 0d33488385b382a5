// Whole computations: every error code and what each leaves behind, the reports of a short
// period compared with files checked by hand, the date styles, and the literal search giving
// the same files. ZENTHRA_WRITE_GOLDEN=1 rewrites the checked files instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "alltransits/AllTransits.h"
#include "alltransits/AllTransitsHarness.h"
#include "alltransits/AllTransitsRecord.h"
#include "ephemeris/LongitudeCache.h"
#include "support/FullDisk.h"

namespace zenthra {
namespace {

namespace fs = std::filesystem;
using testing::Jdn;
using testing::Lines;
using testing::ReadFile;

class Compute : public ::testing::Test {
  protected:
    void SetUp() override { testing::LoadVocabulary(); }
    void TearDown() override { dataFolder = ZENTHRA_DATA_DIR; }

    // 2023-01-16 to 2023-01-29.
    AllTransitsRequest TwoWeeks(int16_t orb, const std::string& name = "report.txt") {
        return testing::PersonRequest(Jdn(2023, 1, 16), Jdn(2023, 1, 29), orb, folder.File(name));
    }

    int16_t Run(const AllTransitsRequest& r, const AllTransitsOptions& options = {}) {
        return ComputeAllTransits(r, window, options);
    }

    testing::TestFolder folder;
    testing::RecordingAllTransitsWindow window;
};

struct Refusal {
    const char* what;
    std::function<void(AllTransitsRequest&)> change;
    int16_t code;
};

TEST_F(Compute, EveryRefusalBeforeTheReportFileLeavesNoFile) {
    const std::vector<Refusal> refusals = {
        {"birth hour 24", [](auto& r) { r.birthHour = 24; }, kBirthTimeInvalid},
        {"birth minute -1", [](auto& r) { r.birthMinute = -1; }, kBirthTimeInvalid},
        {"birth minute 60 before a bad year", [](auto& r) { r.birthMinute = 60, r.startYear = 1; },
         kBirthTimeInvalid},
        {"start 1599", [](auto& r) { r.startYear = 1599; }, kStartYearTooEarly},
        {"start 2101", [](auto& r) { r.startYear = 2101; }, kStartYearTooLate},
        {"end 1599", [](auto& r) { r.endYear = 1599; }, kEndYearTooEarly},
        {"end 2101", [](auto& r) { r.endYear = 2101; }, kEndYearTooLate},
        {"birth 1599", [](auto& r) { r.birthYear = 1599; }, kBirthYearTooEarly},
        {"birth 2101", [](auto& r) { r.birthYear = 2101; }, kBirthYearTooLate},
        {"birth zone +12", [](auto& r) { r.birthTimezoneHours = 12; }, kBirthTimezoneInvalid},
        {"birth zone -12", [](auto& r) { r.birthTimezoneHours = -12; }, kBirthTimezoneInvalid},
        {"results zone -12", [](auto& r) { r.resultsTimezoneHours = -12; },
         kResultsTimezoneInvalid},
        {"orb -1", [](auto& r) { r.orb = -1; }, kOrbInvalid},
        {"orb 10", [](auto& r) { r.orb = 10; }, kOrbInvalid},
        {"start 2023-02-30", [](auto& r) { r.startMonth = 2, r.startDay = 30; }, kStartDateInvalid},
        {"end 2023-13-01", [](auto& r) { r.endMonth = 13; }, kEndDateInvalid},
        {"birth 1950-02-29", [](auto& r) { r.birthMonth = 2, r.birthDay = 29; }, kBirthDateInvalid},
        {"birth after start",
         [](auto& r) { r.birthYear = 2023, r.birthMonth = 1, r.birthDay = 17; }, kBirthAfterStart},
        {"6 days", [](auto& r) { r.endDay = 22; }, kPeriodTooShort},
        {"1241 days", [](auto& r) { r.endYear = 2026, r.endMonth = 6, r.endDay = 10; },
         kPeriodTooLong},
        {"missing folder", [this](auto& r) { r.filePath = folder.File("missing/report.txt"); },
         kReportFileFailed},
    };
    for (const Refusal& refusal : refusals) {
        AllTransitsRequest r = TwoWeeks(1);
        refusal.change(r);
        window.pane.clear();
        EXPECT_EQ(Run(r), refusal.code) << refusal.what;
        EXPECT_FALSE(fs::exists(r.filePath)) << refusal.what;
        EXPECT_EQ(window.pane, "\r\nOutput file: " + r.filePath + "\r\n") << refusal.what;
    }
    EXPECT_TRUE(window.boxes.boxes.empty());
    EXPECT_TRUE(fs::is_empty(folder.path));
}

TEST_F(Compute, TheLimitsThemselvesPass) {
    AllTransitsRequest r = TwoWeeks(0);
    r.endDay = 23;  // seven days after the start
    r.birthYear = 1600, r.birthMonth = r.birthDay = 1;
    r.birthHour = 0, r.birthMinute = 59;
    r.birthTimezoneHours = -11;
    r.resultsTimezoneHours = 11;
    EXPECT_EQ(Run(r), kAllTransitsDone);
    r.orb = 9;
    r.birthYear = 2023, r.birthMonth = 1, r.birthDay = 16;  // born on the first day
    r.birthHour = 23;
    EXPECT_EQ(Run(r), kAllTransitsDone);
    r.orb = 0;                                       // no transit: only the days are walked
    r.endYear = 2026, r.endMonth = 6, r.endDay = 9;  // 1240 days after the start
    EXPECT_EQ(Run(r), kAllTransitsDone);
}

TEST_F(Compute, AnUnreadablePlutoTableIsCodeEighteenWithItsOwnMessage) {
    dataFolder = folder.File("") + "/";
    const AllTransitsRequest r = TwoWeeks(3);
    EXPECT_EQ(Run(r), kPlutoTableUnreadable);
    ASSERT_EQ(window.boxes.boxes.size(), 1u);
    EXPECT_EQ(window.boxes.boxes[0].title, "Startup error");
    EXPECT_FALSE(fs::exists(r.filePath));
}

// A computation that fails leaves the reports of an earlier one as they were.
TEST_F(Compute, AFailedComputationLeavesTheEarlierReportAndDayFile) {
    const AllTransitsRequest r = TwoWeeks(1, "report_1orb.txt");
    std::ofstream(r.filePath) << "earlier report";
    std::ofstream(folder.File("report_1orb_days.txt")) << "earlier days";
    AllTransitsOptions fewer;
    fewer.transitLimit = 3;
    EXPECT_EQ(Run(r, fewer), kTooManyTransits);
    {
        testing::FullDisk full;
        EXPECT_EQ(Run(r), kReportFileFailed);
    }
    EXPECT_EQ(ReadFile(r.filePath), "earlier report");
    EXPECT_EQ(ReadFile(folder.File("report_1orb_days.txt")), "earlier days");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2);

    ASSERT_EQ(Run(r), kAllTransitsDone);
    EXPECT_TRUE(ReadFile(folder.File("report_1orb_days.txt")).starts_with("Personal planetary"));
}

TEST_F(Compute, TwoLinesInThePaneAndOnePausePerDayAndRecord) {
    const AllTransitsRequest r = TwoWeeks(1, "report_1orb.txt");
    ASSERT_EQ(Run(r), kAllTransitsDone);
    EXPECT_EQ(window.pane, "\r\nOutput file: " + r.filePath +
                               "\r\nNow calculating transits for orb of 1 degree ...\r\n");
    const std::vector<std::string> report = Lines(ReadFile(r.filePath));
    const int records = std::stoi(report[7].substr(41));
    EXPECT_EQ(window.yields, 14 + 3 * records);

    window.pane.clear();
    ASSERT_EQ(Run(TwoWeeks(3)), kAllTransitsDone);
    EXPECT_NE(window.pane.find("for orb of 3 degrees ..."), std::string::npos);
}

// The checked reports of a short period; see tests/data/golden/README.md.
fs::path Golden(const std::string& name) {
    return fs::path(ZENTHRA_TEST_DATA_DIR) / "golden" / name;
}

const std::vector<std::string> kGoldenFiles = {"alltransits-2023-01-16_1orb.txt",
                                               "alltransits-2023-01-16_1orb_days.txt",
                                               "alltransits-2023-01-16_5orb.txt"};

void ProduceGoldenPeriod(const testing::TestFolder& folder, bool literal) {
    for (int16_t orb : {1, 5}) {
        AllTransitsRequest r = testing::PersonRequest(
            Jdn(2023, 1, 16), Jdn(2023, 1, 29), orb,
            folder.File("alltransits-2023-01-16_" + std::to_string(orb) + "orb.txt"));
        testing::RecordingAllTransitsWindow window;
        AllTransitsOptions options;
        options.literalCrossingSearch = literal;
        ASSERT_EQ(ComputeAllTransits(r, window, options), kAllTransitsDone) << orb;
    }
}

TEST_F(Compute, ReportsOfAShortPeriodMatchTheCheckedOnes) {
    ProduceGoldenPeriod(folder, false);
    for (const std::string& name : kGoldenFiles) {
        if (std::getenv("ZENTHRA_WRITE_GOLDEN") != nullptr) {
            fs::copy_file(folder.File(name), Golden(name), fs::copy_options::overwrite_existing);
            continue;
        }
        EXPECT_EQ(ReadFile(folder.File(name)), ReadFile(Golden(name))) << name;
    }
}

TEST_F(Compute, TheLiteralSearchWritesTheSameFiles) {
    ProduceGoldenPeriod(folder, true);
    for (const std::string& name : kGoldenFiles) {
        EXPECT_EQ(ReadFile(folder.File(name)), ReadFile(Golden(name))) << name;
    }
}

// Each orb takes the longitudes the orb before it computed; asked afresh they write the same.
TEST_F(Compute, LongitudesComputedAfreshWriteTheSameFiles) {
    ForgetLongitudes();
    SetLongitudeCacheEnabled(false);
    ProduceGoldenPeriod(folder, false);
    SetLongitudeCacheEnabled(true);
    for (const std::string& name : kGoldenFiles) {
        EXPECT_EQ(ReadFile(folder.File(name)), ReadFile(Golden(name))) << name;
    }
}

// A moment of a transit's end as a local day value; an edge is the midnight that ends its day.
double Moment(const AllTransitsEnd& end) {
    return end.periodEdge ? end.day + 1.0 : end.instant;
}

TEST_F(Compute, TransitsAsValuesLieInThePeriodNestAndRenderTheReportsLines) {
    std::map<int16_t, std::vector<AllTransitsTransit>> found;
    for (const int16_t orb : {1, 5}) {
        AllTransitsOptions options;
        options.transits = &found[orb];
        const AllTransitsRequest r = TwoWeeks(orb, std::to_string(orb) + ".txt");
        ASSERT_EQ(Run(r, options), kAllTransitsDone);
        const std::string report = ReadFile(r.filePath);
        ASSERT_FALSE(found[orb].empty());
        for (const AllTransitsTransit& t : found[orb]) {
            const std::string record = TransitRecordText(t, r.dateStyle, 60);
            SCOPED_TRACE(record);
            EXPECT_NE(report.find(record.substr(kRecordDescription - 1)), std::string::npos);
            EXPECT_EQ(t.start.periodEdge, t.start.day == Jdn(2023, 1, 15));
            if (t.end.periodEdge) {
                EXPECT_EQ(t.end.day, Jdn(2023, 1, 29));
            }
            for (const AllTransitsEnd& end : {t.start, t.end}) {
                EXPECT_GE(Moment(end), Jdn(2023, 1, 16));
                EXPECT_LE(Moment(end), Jdn(2023, 1, 30));
                if (!end.periodEdge) {
                    EXPECT_EQ(end.day, static_cast<int32_t>(std::floor(end.instant + 1e-9)));
                }
            }
            EXPECT_LT(Moment(t.start), Moment(t.end));
        }
    }
    // Each transit of the 1° orb lies within one of the 5° orb of its pair and aspect.
    for (const AllTransitsTransit& narrow : found[1]) {
        const bool nested =
            std::any_of(found[5].begin(), found[5].end(), [&](const AllTransitsTransit& wide) {
                return wide.transiting == narrow.transiting && wide.aspect == narrow.aspect &&
                       wide.natal == narrow.natal && Moment(wide.start) <= Moment(narrow.start) &&
                       Moment(narrow.end) <= Moment(wide.end);
            });
        EXPECT_TRUE(nested) << TransitRecordText(narrow, 2, 60);
    }

    // A computation that fails hands out nothing.
    std::vector<AllTransitsTransit> none;
    AllTransitsOptions fewer;
    fewer.transitLimit = 1;
    fewer.transits = &none;
    EXPECT_EQ(Run(TwoWeeks(5, "limited.txt"), fewer), kTooManyTransits);
    EXPECT_TRUE(none.empty());
}

TEST_F(Compute, DateStylesOfTheReportsAndTheDayFile) {
    struct Expected {
        int16_t style;
        const char* born;         // header line, upper case
        const char* description;  // start of the first transit in effect at the start
        const char* firstDay;     // day file
    };
    const Expected styles[] = {
        {0, "PERSONAL TRANSITS FOR A PERSON BORN 3/7/1950 14:30 GMT+1",
         ", 1/15/2023 24:00 GMT+1*, ", "01/16/2023:"},
        {1, "PERSONAL TRANSITS FOR A PERSON BORN 7.3.1950 14:30 GMT+1",
         ", 15.1.2023 24:00 GMT+1*, ", "16.01.2023:"},
        {2, "PERSONAL TRANSITS FOR A PERSON BORN 1950-03-07 14:30 GMT+1",
         ", 2023-01-15 24:00 GMT+1*, ", "2023-01-16:"},
        {3, "PERSONAL TRANSITS FOR A PERSON BORN MAR 7 1950 14:30 GMT+1",
         ", Jan 15 2023 24:00 GMT+1*, ", "2023-01-16:"},
    };
    for (const Expected& e : styles) {
        AllTransitsRequest r = TwoWeeks(1, "style" + std::to_string(e.style) + "_1orb.txt");
        r.dateStyle = e.style;
        ASSERT_EQ(Run(r), kAllTransitsDone);
        const std::vector<std::string> report = Lines(ReadFile(r.filePath));
        EXPECT_EQ(report[2], e.born);
        EXPECT_NE(report[16].find(e.description), std::string::npos) << report[16];
        const std::vector<std::string> days =
            Lines(ReadFile(folder.File("style" + std::to_string(e.style) + "_1orb_days.txt")));
        EXPECT_TRUE(days[4].starts_with(e.firstDay)) << days[4];
    }
}

}  // namespace
}  // namespace zenthra
