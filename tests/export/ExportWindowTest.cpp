// The window's Export button over real runs: the files it writes read back as the pane shows
// the run, and the Save dialog's choices and failures.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "export/ExportReading.h"
#include "support/FileContents.h"
#include "support/Process.h"
#include "support/SafeFile.h"
#include "support/ScratchFiles.h"
#include "ui/RunFixture.h"

namespace zenthra {
namespace {

using testing::Box;
using testing::Shown;

constexpr int kGmtPlus530Minutes = 330;
constexpr int32_t kJdnOf1970 = 2440588;
// The fixed-width pane: where the Minimum at and Minimum columns begin.
constexpr size_t kMinimumAtColumn = 52;
constexpr size_t kMinimumColumn = 104;

struct PaneMinimum {
    std::string date;
    std::string cell;  // "14:32 GMT+5:30" or "0°12'"
    bool exact = false;
};

// The closest approaches the pane lists, in order.
std::vector<PaneMinimum> PaneMinima(const std::string& pane) {
    std::vector<PaneMinimum> minima;
    for (size_t at = 0; at < pane.size();) {
        const size_t end = std::min(pane.find("\r\n", at), pane.size());
        const std::string line = pane.substr(at, end - at);
        at = end + 2;
        if (line.size() <= kMinimumColumn || line.compare(kMinimumAtColumn, 2, "20") != 0) {
            continue;
        }
        const std::string cell = line.substr(kMinimumAtColumn, 12);
        minima.push_back(
            {cell.substr(0, 10), line.substr(kMinimumColumn), cell.find('*') != std::string::npos});
    }
    return minima;
}

// Minutes since 1970 in UTC of a pane's "2026-03-14" and "14:32 GMT+5:30".
int64_t UtcMinutesOfPane(const PaneMinimum& m) {
    const int32_t day = testing::Jdn(std::stoi(m.date.substr(0, 4)), std::stoi(m.date.substr(5, 2)),
                                     std::stoi(m.date.substr(8, 2)));
    const int minutes = std::stoi(m.cell.substr(0, 2)) * 60 + std::stoi(m.cell.substr(3, 2));
    return (day - kJdnOf1970) * int64_t{1440} + minutes - kGmtPlus530Minutes;
}

class ExportWindowTest : public testing::RunFixture {
  protected:
    ExportWindowTest() : folder("export-window") {}

    void RunTheYear() {
        SetPeriod("2026-1-1", "2026-12-31");
        ASSERT_TRUE(w.cmdStart_Click().IsDone());
    }

    // Presses Export and answers the dialog with `name` in the scratch folder.
    std::string Export(const std::string& name) {
        const std::string path = folder.Slashed() + name;
        p.fileAnswers.push_back(path);
        p.boxes.boxes.clear();
        w.cmdExport_Click();
        return path;
    }

    testing::ScratchFolder folder;
};

TEST_F(ExportWindowTest, TheButtonSitsBetweenRestoreStateAndTheFileButtonAndWaitsForTransits) {
    EXPECT_EQ(w.cmdExport.caption, "Export…");
    EXPECT_FALSE(w.cmdExport.enabled);
    w.cmdExport_Click();
    EXPECT_TRUE(p.dialogs.empty());

    RunTheYear();
    EXPECT_TRUE(w.cmdExport.enabled);
    EXPECT_EQ(w.cmdExport.geometry.top, w.cmdRestoreState.geometry.top);
    EXPECT_GT(w.cmdExport.geometry.left,
              w.cmdRestoreState.geometry.left + w.cmdRestoreState.geometry.width);
    EXPECT_LT(w.cmdExport.geometry.left + w.cmdExport.geometry.width, w.cmdFile.geometry.left);

    // July lies between the sextile and the conjunction.
    SetPeriod("2026-7-1", "2026-7-31");
    w.cmdStart_Click();
    EXPECT_FALSE(w.cmdExport.enabled);
}

TEST_F(ExportWindowTest, TheDialogOffersTheThreeTypesAndTheEndingChoosesTheFormat) {
    RunTheYear();
    const std::string path = Export("transits");
    ASSERT_EQ(p.dialogs.size(), 1u);
    EXPECT_EQ(p.dialogs[0].title, "Export transits");
    EXPECT_EQ(p.dialogs[0].filter,
              "CSV files *.csv | *.csv | iCalendar files *.ics | *.ics | JSON files *.json | "
              "*.json");
    EXPECT_EQ(p.dialogs[0].defaultSuffix, "csv");
    EXPECT_EQ(Shown(p), (std::vector<Box>{{"Transits exported to file " + path + ".csv",
                                           MsgIcon::Information, "Done"}}));
    EXPECT_TRUE(testing::ParseCsv(testing::ReadFile(path + ".csv")).crLfOnly);

    const std::string text = Export("transits.txt");
    EXPECT_EQ(Shown(p),
              (std::vector<Box>{{"Exports are written as .csv, .ics or .json files, not as " + text,
                                 MsgIcon::Exclamation, "Export…"}}));
    EXPECT_FALSE(std::filesystem::exists(text));
}

TEST_F(ExportWindowTest, ICalendarHasATimedEventAtEachExactMinuteThePaneShows) {
    RunTheYear();
    const std::string path = Export("transits.ics");
    const auto events = testing::ParseICalendar(testing::ReadFile(path));
    std::vector<int64_t> timed;
    for (const auto& event : events) {
        if (!event.start.is_date) {
            timed.push_back(testing::UtcMinutesOf(event.start));
        }
    }
    std::vector<int64_t> pane;
    for (const PaneMinimum& m : PaneMinima(w.Pane().Text())) {
        if (m.exact) {
            pane.push_back(UtcMinutesOfPane(m));
        }
    }
    ASSERT_FALSE(pane.empty());
    EXPECT_EQ(timed, pane);
}

TEST_F(ExportWindowTest, CsvHasOneRowPerMinimumOnThePanesDays) {
    RunTheYear();
    const auto csv = testing::ParseCsv(testing::ReadFile(Export("transits.csv")));
    const auto pane = PaneMinima(w.Pane().Text());
    ASSERT_EQ(csv.records.size(), pane.size() + 1);
    for (size_t i = 0; i < pane.size(); ++i) {
        EXPECT_EQ(testing::Column(csv, i + 1, "minimum_date"), pane[i].date);
        EXPECT_EQ(testing::Column(csv, i + 1, "exact"), pane[i].exact ? "yes" : "no");
        if (pane[i].exact) {
            EXPECT_EQ(testing::Column(csv, i + 1, "local_time") + " " +
                          testing::Column(csv, i + 1, "zone"),
                      pane[i].cell);
        }
    }
}

TEST_F(ExportWindowTest, JsonOfAShowAllSequenceHoldsEveryTableAndValidates) {
    SetPeriod("2026-1-1", "2026-12-31");
    ASSERT_TRUE(w.cmdShowAll_Click(0).IsDone());
    const std::string path = Export("sequence.json");
    const auto document = nlohmann::json::parse(testing::ReadFile(path));
    EXPECT_EQ(document["command"], "show-all");
    EXPECT_EQ(document["tables"].size(), w.cboPlanet[0].list.size());
    EXPECT_EQ(testing::RunCommand("python3 " ZENTHRA_JSON_VALIDATOR " " + path +
                                  " " ZENTHRA_EXPORT_SCHEMA)
                  .status,
              0);

    // A run of its own starts a new export.
    RunTheYear();
    Export("run.json");
    const auto run = nlohmann::json::parse(testing::ReadFile(folder.Slashed() + "run.json"));
    EXPECT_EQ(run["command"], "run");
    EXPECT_EQ(run["tables"].size(), 1u);
}

TEST_F(ExportWindowTest, AFileThatExistsIsReplacedOnlyWhenTheUserSaysSo) {
    RunTheYear();
    const std::string path = folder.Slashed() + "kept.csv";
    folder.Write("kept.csv", "mine");
    p.replaceAnswers = {false};
    Export("kept.csv");
    EXPECT_EQ(p.replaceQuestions, (std::vector<std::string>{path}));
    EXPECT_EQ(testing::ReadFile(path), "mine");
    EXPECT_TRUE(Shown(p).empty());

    p.replaceAnswers = {true};
    Export("kept.csv");
    EXPECT_TRUE(testing::ReadFile(path).starts_with("kind,transiting,"));
}

TEST_F(ExportWindowTest, AFailedWriteIsToldAndLeavesNoFile) {
    RunTheYear();
    const std::string path = Export("missing/transits.csv");
    const std::string reason = WriteWholeFile(path, "");
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(Shown(p), (std::vector<Box>{{"Error writing to file " + path + "\r\n" + reason,
                                           MsgIcon::Exclamation, "Export…"}}));
}

}  // namespace
}  // namespace zenthra
