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

// The stations and ingresses the pane's events table lists, as their dates and times.
std::vector<PaneMinimum> PaneEvents(const std::string& pane) {
    std::vector<PaneMinimum> events;
    for (size_t at = 0; at < pane.size();) {
        const size_t end = std::min(pane.find("\r\n", at), pane.size());
        const std::string line = pane.substr(at, end - at);
        at = end + 2;
        const size_t time = line.find("| ");
        const size_t event = line.find("| ", time + 2);
        if (time == std::string::npos || event == std::string::npos ||
            line.find(" Mars ", event) == std::string::npos) {
            continue;
        }
        events.push_back({line.substr(0, 10), line.substr(time + 2, 14), true});
    }
    return events;
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

    // Mars enters Cancer on August 11: something to export without a transit.
    SetPeriod("2026-7-1", "2026-8-20");
    w.chkEvents.SetValue(1);
    w.cmdStart_Click();
    ASSERT_EQ(w.LastRunTransits().events.size(), 1u);
    EXPECT_TRUE(w.cmdExport.enabled);
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

// Mars turned retrograde on 2020-09-09 and direct on 2020-11-14.
TEST_F(ExportWindowTest, StationsAndIngressesOfTheOptionGoIntoEveryFormatAtThePanesMinutes) {
    SetPeriod("2020-1-1", "2020-12-31");
    w.chkEvents.SetValue(1);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    const auto pane = PaneEvents(w.Pane().Text());
    ASSERT_EQ(pane.size(), w.LastRunTransits().events.size());

    std::vector<int64_t> stations;
    for (const auto& event : testing::ParseICalendar(testing::ReadFile(Export("events.ics")))) {
        if (event.summary.starts_with("Mars turns ")) {
            stations.push_back(testing::UtcMinutesOf(event.start));
        }
    }
    std::vector<int64_t> paneStations;
    for (size_t i = 0; i < pane.size(); ++i) {
        if (w.LastRunTransits().events[i].kind != BodyEventKind::Ingress) {
            paneStations.push_back(UtcMinutesOfPane(pane[i]));
        }
    }
    ASSERT_EQ(paneStations.size(), 2u);
    EXPECT_EQ(stations, paneStations);

    const auto csv = testing::ParseCsv(testing::ReadFile(Export("events.csv")));
    std::vector<PaneMinimum> rows;
    for (size_t i = 1; i < csv.records.size(); ++i) {
        const std::string kind = testing::Column(csv, i, "kind");
        if (kind == "station" || kind == "ingress") {
            rows.push_back(
                {testing::Column(csv, i, "local_date"),
                 testing::Column(csv, i, "local_time") + " " + testing::Column(csv, i, "zone"),
                 true});
        }
    }
    ASSERT_EQ(rows.size(), pane.size());
    for (size_t i = 0; i < pane.size(); ++i) {
        EXPECT_EQ(rows[i].date, pane[i].date);
        EXPECT_EQ(rows[i].cell, pane[i].cell);
    }

    const std::string json = Export("events.json");
    EXPECT_EQ(nlohmann::json::parse(testing::ReadFile(json))["tables"][0]["events"].size(),
              pane.size());
    EXPECT_EQ(testing::RunCommand("python3 " ZENTHRA_JSON_VALIDATOR " " + json +
                                  " " ZENTHRA_EXPORT_SCHEMA)
                  .status,
              0);

    w.chkEvents.SetValue(0);
    ASSERT_TRUE(w.cmdStart_Click().IsDone());
    EXPECT_TRUE(PaneEvents(w.Pane().Text()).empty());
    EXPECT_EQ(testing::ReadFile(Export("plain.csv")).find("\r\nstation,"), std::string::npos);
    EXPECT_FALSE(
        nlohmann::json::parse(testing::ReadFile(Export("plain.json")))["tables"][0].contains(
            "events"));
    for (const auto& event : testing::ParseICalendar(testing::ReadFile(Export("plain.ics")))) {
        EXPECT_FALSE(event.summary.starts_with("Mars turns ")) << event.summary;
    }
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
