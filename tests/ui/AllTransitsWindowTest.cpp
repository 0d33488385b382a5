// The all-transits button: its restriction and checks, the date style box, the folder and the
// files it writes, the error codes the window's inputs can lead to, and the whole hours of a
// half-hour timezone.
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "alltransits/AllTransits.h"
#include "support/FileContents.h"
#include "support/FullDisk.h"
#include "ui/RunFixture.h"

namespace zenthra::testing {
namespace {

namespace fs = std::filesystem;
using enum MsgIcon;

constexpr int kGmtPlus530 = 35;
constexpr int kGmtMinus330 = 17;

using zenthra::testing::ReadFile;

// Born 1990-06-15 12:00 GMT; results in the computer's GMT+5:30; 2023-01-16 to 2023-01-29.
class AllTransitsButton : public RunFixture {
  protected:
    void SetUp() override {
        RunFixture::SetUp();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() /
               ("zenthra-kvr-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(root);
        p.reportsRoot = (root / "KVR").string();
        SetPeriod("2023-1-16", "2023-1-29");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path Folder(const std::string& name = "1990-06-15_2023-01-16_14d") const {
        return root / "KVR" / name;
    }

    std::vector<std::string> FilesIn(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root;
};

TEST_F(AllTransitsButton, TheDateStyleBoxStartsAtOneAndTheButtonRunsTheHandler) {
    FakePlatform fresh;
    FrmMain window(fresh);
    EXPECT_EQ(window.txbAllTransitsDateFormat.text, "1");
    ASSERT_TRUE(w.cmdShowAllTransits.click);
    w.cmdShowAllTransits.click();
    EXPECT_TRUE(fs::exists(Folder()));
}

// Named zones reach the reports, and the exports and the timeline keep the results' zone.
TEST_F(AllTransitsButton, NamedZonesReachTheReports) {
    w.txbBirthZone.text = "America/New_York";
    w.txbResultZone.text = "Europe/Berlin";
    w.txbAllTransitsDateFormat.text = "2";
    EXPECT_EQ(w.cmdShowAllTransits_Click().kind, OutcomeKind::Done);
    const std::string report = ReadFile((Folder() / "1990-06-15_2023-01-16_14d_5orb.txt").string());
    EXPECT_NE(report.find("BORN 1990-06-15 12:00 EDT\r\n"), std::string::npos);
    EXPECT_NE(report.find("FOR THE PERIOD 2023-01-15 24:00 CET TO 2023-01-29 24:00 CET"),
              std::string::npos);
    EXPECT_EQ(report.find("GMT"), std::string::npos);
    const ExportedAllTransits kept = w.LastAllTransitsExport();
    ASSERT_TRUE(kept.zone.Named());
    EXPECT_EQ(kept.zone.Named()->Name(), "Europe/Berlin");
    EXPECT_EQ(kept.birth.zone, "EDT");
    ASSERT_TRUE(w.TimelineOfAllTransits(5));
    EXPECT_EQ(w.TimelineOfAllTransits(5)->timezoneText, "Europe/Berlin");
}

TEST_F(AllTransitsButton, WritesTheThreeReportsAndTheDayFile) {
    w.SetPaneText("an earlier run");
    EXPECT_EQ(w.cmdShowAllTransits_Click().kind, OutcomeKind::Done);
    const std::string folder = Folder().string();
    EXPECT_EQ(Shown(p),
              (std::vector<Box>{{"All files successfully written to " + folder, None, "ZTA"}}));
    EXPECT_EQ(FilesIn(Folder()),
              (std::vector<std::string>{
                  "1990-06-15_2023-01-16_14d_1orb.txt", "1990-06-15_2023-01-16_14d_1orb_days.txt",
                  "1990-06-15_2023-01-16_14d_3orb.txt", "1990-06-15_2023-01-16_14d_5orb.txt"}));
    std::string pane;
    for (int orb : {1, 3, 5}) {
        pane += "\r\nOutput file: " + folder + "/1990-06-15_2023-01-16_14d_" + std::to_string(orb) +
                "orb.txt\r\nNow calculating transits for orb of " + std::to_string(orb) +
                " degree" + (orb == 1 ? "" : "s") + " ...\r\n";
    }
    EXPECT_EQ(w.Pane().Text(), pane);
    const std::string report = ReadFile(Folder() / "1990-06-15_2023-01-16_14d_1orb.txt");
    // Style 1 from the box's initial text.
    EXPECT_NE(report.find("BORN 15.6.1990 12:00 GMT\r\n"), std::string::npos);
    EXPECT_NE(report.find("FOR THE PERIOD 15.1.2023 24:00 GMT+5 TO 29.1.2023 24:00 GMT+5"),
              std::string::npos);
}

TEST_F(AllTransitsButton, AHalfHourTimezoneCountsAsItsWholeHours) {
    w.cboTimezone[1].SetListIndex(kGmtMinus330);
    ASSERT_EQ(w.cboTimezone[0].ListIndex(), kGmtPlus530);
    w.txbAllTransitsDateFormat.text = "2";
    w.cmdShowAllTransits_Click();
    ASSERT_EQ(Shown(p).size(), 1u);

    // The same computation asked for in whole hours directly.
    struct Direct : AllTransitsWindow {
        MsgAnswer MsgBox(const std::string&, MsgIcon, const std::string&, MsgButtons) override {
            return MsgAnswer::Ok;
        }
        void AppendToPane(std::string_view) override {}
        void YieldToEventLoop() override {}
    } direct;
    AllTransitsRequest r;
    r.startYear = 2023, r.startMonth = 1, r.startDay = 16;
    r.endYear = 2023, r.endMonth = 1, r.endDay = 29;
    r.birthYear = 1990, r.birthMonth = 6, r.birthDay = 15;
    r.birthHour = 12, r.birthMinute = 0;
    r.birthTimezoneHours = -3;
    r.resultsTimezoneHours = 5;
    r.orb = 3;
    r.dateStyle = 2;
    r.filePath = (root / "direct.txt").string();
    ASSERT_EQ(ComputeAllTransits(r, direct), kAllTransitsDone);

    const std::string report = ReadFile(Folder() / "1990-06-15_2023-01-16_14d_3orb.txt");
    EXPECT_EQ(report, ReadFile(r.filePath));
    EXPECT_NE(report.find("BORN 1990-06-15 12:00 GMT-3\r\n"), std::string::npos);
    EXPECT_NE(report.find(" GMT+5, "), std::string::npos);
    EXPECT_EQ(report.find("GMT+5:"), std::string::npos);
}

TEST_F(AllTransitsButton, OnlyPersonalTransitsInTheTropicalZodiac) {
    const Box restriction{
        "'All transits' can at present be calculated\r\nonly for personal transits and Tropical "
        "Zodiac.",
        None, "Restriction"};
    w.ChooseOption(w.optSidereal, w.optTropical);
    EXPECT_EQ(w.cmdShowAllTransits_Click().kind, OutcomeKind::Refused);
    w.ChooseOption(w.optTropical, w.optSidereal);
    ChooseWorld(w);
    EXPECT_EQ(w.cmdShowAllTransits_Click().kind, OutcomeKind::Refused);
    EXPECT_EQ(Shown(p), (std::vector<Box>{restriction, restriction}));
    EXPECT_FALSE(fs::exists(root));
}

TEST_F(AllTransitsButton, TheRunChecksComeFirst) {
    w.cboHour.SetListIndex(0);
    EXPECT_EQ(w.cmdShowAllTransits_Click().kind, OutcomeKind::Refused);
    ASSERT_EQ(Shown(p).size(), 1u);
    EXPECT_EQ(Shown(p)[0].text, "Please specify the birth time, or use 12:00 if not known.");
    EXPECT_FALSE(w.validateOnly);
    EXPECT_FALSE(fs::exists(root));

    p.boxes.boxes.clear();
    SetPeriod("2023-1-16", "2023-1-18");
    w.cmdShowAllTransits_Click();
    EXPECT_EQ(Shown(p)[0].text, "The start date must be at least 3 days prior to the end date.");
    EXPECT_FALSE(fs::exists(root));
}

TEST_F(AllTransitsButton, TheDateStyleBox) {
    const Box notSpecified{"Date format not specified", Exclamation, "All transits"};
    const Box invalid{"Invalid date format", Exclamation, "All transits"};
    for (const char* text : {"", "4", "-1", "3.5", "99"}) {
        p.boxes.boxes.clear();
        w.txbAllTransitsDateFormat.text = text;
        EXPECT_EQ(w.cmdShowAllTransits_Click().kind, OutcomeKind::Refused) << text;
        EXPECT_EQ(Shown(p), std::vector<Box>{*text == '\0' ? notSpecified : invalid}) << text;
    }
    EXPECT_FALSE(fs::exists(root));
    // Halves go to the even neighbour; a text without a number is style 0.
    const std::pair<const char*, const char*> styles[] = {{"2.5", "BORN 1990-06-15 12:00 GMT\r\n"},
                                                          {" 0.5", "BORN 6/15/1990 12:00 GMT\r\n"},
                                                          {"abc", "BORN 6/15/1990 12:00 GMT\r\n"},
                                                          {"3 ", "BORN JUN 15 1990 12:00 GMT\r\n"}};
    for (const auto& [text, born] : styles) {
        w.txbAllTransitsDateFormat.text = text;
        w.cmdShowAllTransits_Click();
        const std::string report = ReadFile(Folder() / "1990-06-15_2023-01-16_14d_5orb.txt");
        EXPECT_NE(report.find(born), std::string::npos) << text;
    }
}

TEST_F(AllTransitsButton, AShortPeriodEndsWithCodeFourteenAndNoFiles) {
    for (const char* end : {"2023-1-19", "2023-1-22"}) {
        p.boxes.boxes.clear();
        SetPeriod("2023-1-16", end);
        const Outcome outcome = w.cmdShowAllTransits_Click();
        EXPECT_EQ(Shown(p), (std::vector<Box>{{"Orb =  1, Error code = 14", Exclamation, "Error"}}))
            << end;
        EXPECT_EQ(outcome.kind, OutcomeKind::Failed);
        EXPECT_EQ(outcome.message, "Orb =  1, Error code = 14");
    }
    // The folders are made, but no report of any orb.
    EXPECT_TRUE(FilesIn(Folder("1990-06-15_2023-01-16_4d")).empty());
    EXPECT_TRUE(FilesIn(Folder("1990-06-15_2023-01-16_7d")).empty());
    EXPECT_EQ(w.Pane().Text(), "\r\nOutput file: " + Folder("1990-06-15_2023-01-16_7d").string() +
                                   "/1990-06-15_2023-01-16_7d_1orb.txt\r\n");
}

TEST_F(AllTransitsButton, AFolderThatCannotBeMade) {
    fs::create_directories(root);
    std::ofstream(root / "KVR") << "a file";
    const Outcome outcome = w.cmdShowAllTransits_Click();
    const std::string failure = "Unable to create folder " + Folder().string();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{failure, Exclamation, "ZTA"}}));
    EXPECT_EQ(outcome.kind, OutcomeKind::Failed);
    EXPECT_EQ(outcome.message, failure);
}

// Earlier reports of 12:00, then a run for a birth at 06:00 into the same folder.
class AllTransitsRerun : public AllTransitsButton {
  protected:
    void SetUp() override {
        AllTransitsButton::SetUp();
        w.cmdShowAllTransits_Click();
        ASSERT_EQ(FilesIn(Folder()).size(), 4u);
        for (const std::string& name : FilesIn(Folder())) {
            earlier[name] = ReadFile(Folder() / name);
        }
        p.boxes.boxes.clear();
        w.SetPaneText("");
        w.cboHour.SetListIndex(kNoon - 6);
    }

    bool Computing(int orb) const {
        return w.Pane().Text().find("orb of " + std::to_string(orb) + " degree") !=
               std::string::npos;
    }

    void ExpectEarlierReports() {
        for (const auto& [name, text] : earlier) {
            EXPECT_EQ(ReadFile(Folder() / name), text) << name;
        }
    }

    std::map<std::string, std::string> earlier;
};

TEST_F(AllTransitsRerun, AnInterruptedRunLeavesTheEarlierReports) {
    // The process ends while the second orb is computed, as by a signal or a crash.
    p.onYield = [this](int) {
        if (Computing(3)) {
            std::_Exit(3);
        }
    };
    EXPECT_EXIT(w.cmdShowAllTransits_Click(), ::testing::ExitedWithCode(3), "");
    ExpectEarlierReports();
}

TEST_F(AllTransitsRerun, AFailedRunLeavesTheEarlierReports) {
    std::optional<FullDisk> full;
    p.onYield = [&](int) {
        if (Computing(5) && !full) {
            full.emplace();
        }
    };
    w.cmdShowAllTransits_Click();
    full.reset();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{"Orb =  5, Error code = 1", Exclamation, "Error"}}));
    ExpectEarlierReports();
    EXPECT_EQ(FilesIn(Folder()).size(), 4u);

    // A folder in a report's place is found before that orb is computed.
    const fs::path taken = Folder() / "1990-06-15_2023-01-16_14d_3orb.txt";
    fs::remove(taken);
    fs::create_directory(taken);
    earlier.erase(taken.filename().string());
    p.onYield = nullptr;
    p.boxes.boxes.clear();
    w.cmdShowAllTransits_Click();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{"Orb =  3, Error code = 1", Exclamation, "Error"}}));
    ExpectEarlierReports();
    EXPECT_EQ(FilesIn(Folder()).size(), 4u);
}

// A file that cannot take its place once all are written is told, and no success.
TEST_F(AllTransitsRerun, AReportThatCannotBeMovedIntoPlaceIsTold) {
    const fs::path taken = Folder() / "1990-06-15_2023-01-16_14d_1orb.txt";
    p.onYield = [&](int) {
        if (Computing(5) && fs::is_regular_file(taken)) {
            fs::remove(taken);
            fs::create_directory(taken);
        }
    };
    const Outcome outcome = w.cmdShowAllTransits_Click();
    const std::string failure = "Error writing to file " + taken.string() + "\r\nIs a directory";
    EXPECT_EQ(Shown(p), (std::vector<Box>{{failure, Exclamation, "Error"}}));
    EXPECT_EQ(outcome.kind, OutcomeKind::Failed);
    EXPECT_EQ(outcome.message, failure);
    EXPECT_TRUE(fs::is_empty(taken));
}

// A second run into the folder, in a thread of its own, runs whole while the first waits in
// the middle of its computation. Each reports success and the folder holds one whole set.
TEST_F(AllTransitsRerun, TwoRunsIntoOneFolderNeverMixTheirReports) {
    FakePlatform otherPlatform;
    otherPlatform.reportsRoot = p.reportsRoot;
    FrmMain other(otherPlatform);
    LoadWithPersonalRun(other, otherPlatform);
    SetDate(other, 0, "2023-1-16");
    SetDate(other, 1, "2023-1-29");

    std::mutex mutex;
    std::condition_variable turn;
    bool firstWaits = false;
    bool otherDone = false;
    std::thread second([&] {
        std::unique_lock lock(mutex);
        turn.wait(lock, [&] { return firstWaits; });
        other.cmdShowAllTransits_Click();
        otherDone = true;
        turn.notify_all();
    });
    p.onYield = [&](int) {
        if (Computing(3) && !firstWaits) {
            std::unique_lock lock(mutex);
            firstWaits = true;
            turn.notify_all();
            turn.wait(lock, [&] { return otherDone; });
        }
    };
    w.cmdShowAllTransits_Click();
    second.join();

    const Box written{"All files successfully written to " + Folder().string(), None, "ZTA"};
    EXPECT_EQ(Shown(p), std::vector<Box>{written});
    EXPECT_EQ(Shown(otherPlatform), std::vector<Box>{written});
    // The first run ended last: all four files are its own, 06:00.
    ASSERT_EQ(FilesIn(Folder()).size(), 4u);
    for (const std::string& name : FilesIn(Folder())) {
        const std::string text = ReadFile(Folder() / name);
        const bool days = name.ends_with("_days.txt");
        EXPECT_NE(text.find(days ? "born 15.6.1990 06:00 GMT" : "BORN 15.6.1990 06:00 GMT"),
                  std::string::npos)
            << name;
    }
}

TEST_F(AllTransitsButton, AnEmptyPaneGivesTheWindowItsRunHeight) {
    ASSERT_TRUE(w.Pane().Empty());
    w.cmdShowAllTransits_Click();
    EXPECT_EQ(w.geometry.height, w.runHeight);
    EXPECT_GE(p.yields, 1);
}

}  // namespace
}  // namespace zenthra::testing
