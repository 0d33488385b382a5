// zenthra-cli --format and --output: the command line's refusals, and what a run, a search
// and the all-transits mode give on standard output or into a file.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliOptions.h"
#include "export/ExportReading.h"
#include "support/FileContents.h"
#include "support/Process.h"
#include "support/ScratchFiles.h"

namespace zenthra {
namespace {

using testing::ParseCsv;
using testing::ReadFile;

const std::string kRun =
    "run --world --first Mars --second Jupiter --start 2009-01-01 --end 2009-12-31 --tz +5:30";
const std::string kAllTransits =
    "all-transits --birth 1950-03-07 --birth-time 14:30 --birth-tz +1 --tz +1 --start "
    "2023-01-01 --end 2023-01-31";

std::string ErrorOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return ParseCommandLine(words).error;
}

testing::ProcessResult RunCli(const std::string& arguments) {
    return testing::RunCommand(std::string(ZENTHRA_CLI) + " " + arguments);
}

TEST(ExportCommandLine, RefusesUnknownFormatsAndFormatsACommandCannotGive) {
    EXPECT_EQ(ErrorOf(kRun + " --format xml"),
              "bad value 'xml' for --format (text, csv, ics or json)");
    EXPECT_EQ(ErrorOf(kRun + " --format CSV"),
              "bad value 'CSV' for --format (text, csv, ics or json)");
    EXPECT_EQ(ErrorOf(kRun + " --format"), "--format needs a value");
    EXPECT_EQ(ErrorOf(kRun + " --output"), "--output needs a value");
    EXPECT_EQ(ErrorOf(kAllTransits + " --format ics"),
              "all-transits cannot be exported as ics (text, csv or json)");
    EXPECT_EQ(ErrorOf(kRun + " --no-spans"), "--no-spans is only for --format ics");
    EXPECT_EQ(ErrorOf(kRun + " --format csv --no-spans"), "--no-spans is only for --format ics");
    EXPECT_EQ(ErrorOf("timeline --world --output t.svg --format csv"),
              "--format is not used by timeline");

    for (const std::string& line :
         {kRun + " --format ics --no-spans --output x.ics", kRun + " --format text --output x",
          kAllTransits + " --format json --output x.json", kAllTransits + " --format csv"}) {
        EXPECT_EQ(ErrorOf(line), "") << line;
    }
}

TEST(ExportCommandLine, AFolderOrAPlaceThatCannotBeWrittenIsRefusedAndNothingIsLeft) {
    testing::ScratchFolder folder("export-cli");
    const auto toFolder = RunCli(kRun + " --format csv --output " + folder.Slashed());
    EXPECT_EQ(toFolder.status, 2);
    EXPECT_EQ(toFolder.out, "");
    EXPECT_EQ(toFolder.errors, "zenthra-cli: --output names a folder: " + folder.Slashed() +
                                   "\nTry 'zenthra-cli --help'.\n");

    const std::string missing = folder.Slashed() + "missing/transits.csv";
    const auto unwritable = RunCli(kRun + " --format csv --output " + missing);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.out, "");
    EXPECT_EQ(unwritable.errors,
              "zenthra-cli: Error writing to file " + missing + ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path / "missing"));
}

TEST(ExportCommandLine, StandardOutputAndTheOutputFileCarryTheSameExportAndNothingElse) {
    testing::ScratchFolder folder("export-cli");
    const auto printed = RunCli(kRun + " --format csv");
    ASSERT_EQ(printed.status, 0) << printed.errors;
    EXPECT_EQ(printed.errors, "");
    const auto csv = ParseCsv(printed.out);
    EXPECT_TRUE(csv.crLfOnly);
    ASSERT_GT(csv.records.size(), 1u);
    EXPECT_EQ(csv.records[0][0], "kind");

    const std::string path = folder.Slashed() + "transits.csv";
    const auto written = RunCli(kRun + " --format csv --output " + path);
    EXPECT_EQ(written.status, 0) << written.errors;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(ReadFile(path), printed.out);

    // Text is the pane, as without --format.
    const auto pane = RunCli(kRun);
    EXPECT_EQ(RunCli(kRun + " --format text").out, pane.out);
    const std::string textPath = folder.Slashed() + "transits.txt";
    EXPECT_EQ(RunCli(kRun + " --format text --output " + textPath).out, "");
    EXPECT_EQ(ReadFile(textPath), pane.out);
}

TEST(ExportCommandLine, ICalendarWithoutSpansHasOnlyTheMinima) {
    const auto with = testing::ParseICalendar(RunCli(kRun + " --format ics").out);
    const auto without = testing::ParseICalendar(RunCli(kRun + " --format ics --no-spans").out);
    const auto csv = ParseCsv(RunCli(kRun + " --format csv").out);
    ASSERT_FALSE(without.empty());
    EXPECT_EQ(without.size(), csv.records.size() - 1);
    EXPECT_GT(with.size(), without.size());
    for (const auto& event : without) {
        EXPECT_EQ(event.summary.find("° orb)"), std::string::npos) << event.summary;
    }
}

TEST(ExportCommandLine, ASearchPrintsOnlyItsExportAndAllTransitsItsOrbs) {
    const auto search = RunCli(
        "search --world --first Mars --second Jupiter --end 2009-01-01 --aspect conjunction "
        "--format json");
    ASSERT_EQ(search.status, 0) << search.errors;
    const auto found = nlohmann::json::parse(search.out);
    EXPECT_EQ(found["command"], "search");
    EXPECT_EQ(found["tables"][0]["transits"][0]["aspect"], "conjunction");

    testing::ScratchFolder folder("export-cli");
    const std::string path = folder.Slashed() + "all.json";
    const auto all =
        RunCli(kAllTransits + " --out " + folder.Slashed() + " --format json --output " + path);
    ASSERT_EQ(all.status, 0) << all.errors;
    const auto document = nlohmann::json::parse(ReadFile(path));
    EXPECT_EQ(document["command"], "all-transits");
    ASSERT_EQ(document["orbs"].size(), 3u);
    EXPECT_EQ(document["orbs"][2]["orb_degrees"], 5);
    EXPECT_FALSE(document["orbs"][2]["transits"].empty());
    EXPECT_EQ(testing::RunCommand("python3 " ZENTHRA_JSON_VALIDATOR " " + path +
                                  " " ZENTHRA_EXPORT_SCHEMA)
                  .status,
              0);
}

// A world run lists both bodies' stations and ingresses after its transits.
TEST(ExportCommandLine, EventsFollowTheTransitsOfAWorldRunInEveryFormat) {
    const std::string run =
        "run --world --first Mars --second Jupiter --start 2020-01-01 --end 2020-12-31 --tz +5:30";
    const auto plain = RunCli(run + " --format csv");
    const auto listed = RunCli(run + " --events --format csv");
    ASSERT_EQ(listed.status, 0) << listed.errors;
    ASSERT_TRUE(listed.out.starts_with(plain.out));
    EXPECT_EQ(plain.out.find("\r\nstation,"), std::string::npos);
    EXPECT_NE(listed.out.find("\r\nstation,Mars,Aries,retrograde,"), std::string::npos);
    EXPECT_NE(listed.out.find("\r\nstation,Jupiter,Capricorn,direct,"), std::string::npos);

    std::vector<std::string> summaries;
    for (const auto& event : testing::ParseICalendar(RunCli(run + " --events --format ics").out)) {
        summaries.push_back(event.summary);
    }
    for (const char* summary :
         {"Mars turns retrograde", "Mars turns direct", "Jupiter turns retrograde",
          "Jupiter turns direct", "Jupiter enters Aquarius"}) {
        EXPECT_NE(std::find(summaries.begin(), summaries.end(), summary), summaries.end())
            << summary;
    }

    testing::ScratchFolder folder("export-cli");
    const std::string path = folder.Slashed() + "events.json";
    ASSERT_EQ(RunCli(run + " --events --format json --output " + path).status, 0);
    EXPECT_FALSE(nlohmann::json::parse(ReadFile(path))["tables"][0]["events"].empty());
    EXPECT_EQ(testing::RunCommand("python3 " ZENTHRA_JSON_VALIDATOR " " + path +
                                  " " ZENTHRA_EXPORT_SCHEMA)
                  .status,
              0);
}

}  // namespace
}  // namespace zenthra
