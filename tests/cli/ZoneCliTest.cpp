// IANA zones on the console's command line: --tz and --birth-tz take them beside the list
// texts, which win; names the database lacks are usage errors.
#include <gtest/gtest.h>

#include "calendar/Zone.h"
#include "cli/CliOptions.h"
#include "support/Process.h"

namespace zenthra {
namespace {

zenthra::testing::ProcessResult RunCli(const std::string& arguments) {
    return zenthra::testing::RunCommand(std::string(ZENTHRA_CLI) + " " + arguments);
}

TEST(CliIanaZones, NamesOfTheDatabaseBesideTheListTexts) {
    EXPECT_EQ(ParseZone("Europe/Berlin")->zoneName, "Europe/Berlin");
    EXPECT_EQ(ParseZone("asia/kathmandu")->zoneName, "Asia/Kathmandu");
    // List texts and offsets keep their entries.
    EXPECT_EQ(ParseZone("GMT")->listIndex, kGreenwichIndex);
    EXPECT_EQ(ParseZone("GMT")->zoneName, "");
    EXPECT_EQ(ParseZone("EST/CDT")->zoneName, "");
    EXPECT_EQ(ParseZone("-3")->zoneName, "");
}

TEST(CliIanaZones, NamesTheDatabaseLacksAreUsageErrors) {
    for (const std::string& bad :
         {std::string("Not/AZone"), std::string("../etc/passwd"), std::string("Europe/Zürich"),
          std::string(5000, 'A'), std::string("Europe//Berlin")}) {
        EXPECT_FALSE(ParseZone(bad)) << bad;
    }
    EXPECT_EQ(ParseCommandLine({"run", "--personal", "--birth-tz", "Not/AZone"}).error,
              "bad value 'Not/AZone' for --birth-tz (GMT, GMT+5:30, EST/CDT, +5:30, -3 ... or "
              "an IANA zone such as Europe/Berlin)");
    auto usage = RunCli("run --world --start 2040-01-01 --end 2040-12-31 --tz ../etc/passwd");
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
}

TEST(CliIanaZones, ResultsPrintLocalTimesWithTheAbbreviationInForce) {
    auto run = RunCli(
        "run --world --first Sun --second Jupiter --start 2040-01-01 --end 2040-12-31 --tz "
        "Europe/Berlin");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.out.find(" CEST"), std::string::npos);
    EXPECT_NE(run.out.find(" CET"), std::string::npos);
    EXPECT_EQ(run.out.find("GMT"), std::string::npos);
}

TEST(CliIanaZones, BirthTimesTakeTheOffsetInForceAndSkippedOnesAreRefused) {
    const std::string period = "run --personal --start 2026-01-01 --end 2026-03-31 ";
    auto newYork = RunCli(period +
                          "--birth 1985-08-13 --birth-time 12:00 --birth-tz "
                          "America/New_York");
    EXPECT_EQ(newYork.status, 0) << newYork.errors;
    EXPECT_NE(newYork.out.find("birth at Aug. 13, 1985, 12:00 EDT (tropical)"), std::string::npos);
    auto skipped =
        RunCli(period + "--birth 2024-03-31 --birth-time 02:30 --birth-tz Europe/Berlin");
    EXPECT_EQ(skipped.status, 1);
    EXPECT_EQ(skipped.errors,
              "Show all personal transits by Mars of natal Jupiter: The birth time 02:30 does "
              "not exist in Europe/Berlin on that day: the clocks were put forward.\n");
}

TEST(CliIanaZones, TheVersionNamesTheTzDatabase) {
    ASSERT_FALSE(TzDatabaseText().empty());
    EXPECT_EQ(RunCli("--version").out, "zenthra-cli 2.38\n" + TzDatabaseText());
}

}  // namespace
}  // namespace zenthra
