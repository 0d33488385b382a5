// zenthra-cli run as a process, as a user or a script runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct Outcome {
    std::string out;
    std::string errors;
    int status = -1;
};

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

Outcome RunCli(const std::string& arguments) {
    const auto errorsFile = std::filesystem::temp_directory_path() /
                            ("zenthra-cli-errors-" + std::to_string(::getpid()));
    const std::string command =
        std::string(ZENTHRA_CLI) + " " + arguments + " 2>" + errorsFile.string();
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.errors = ReadAll(errorsFile);
    std::filesystem::remove(errorsFile);
    return outcome;
}

std::string Golden(const std::string& name) {
    return ReadAll(std::string(ZENTHRA_TEST_DATA_DIR) + "golden/" + name);
}

TEST(Cli, RunsPrintTheWindowsPane) {
    auto world = RunCli(
        "run --world --first mars --second JUPITER --start 2009-01-01 "
        "--end 2009-12-31");
    EXPECT_EQ(world.status, 0) << world.errors;
    EXPECT_EQ(world.out, Golden("world-mars-jupiter-2009.txt"));
    EXPECT_EQ(world.errors, "");

    auto personal = RunCli(
        "run --personal --first Mars --second Sun --start 2009-07-01 "
        "--end 2010-06-30 --tz +5:30 --orbs 10,5,2 --birth 1985-08-13 "
        "--birth-time 12:00 --birth-tz GMT");
    EXPECT_EQ(personal.status, 0) << personal.errors;
    EXPECT_EQ(personal.out, Golden("personal-mars-sun-2009.txt"));
}

TEST(Cli, ARefusedRunExitsWithTheWindowsMessage) {
    auto refused = RunCli(
        "run --personal --start 2009-07-01 --end 2010-06-30 "
        "--birth 2010-08-13 --birth-time 12:00 --birth-tz GMT");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.errors,
              "Show all personal transits by Mars of natal Jupiter: "
              "The birth date must not be later than the start date.\n");
    EXPECT_EQ(refused.out, "");

    auto noBody =
        RunCli("run --world --first Sun --second Sun --start 2009-07-01 --end 2010-06-30");
    EXPECT_EQ(noBody.status, 2);  // the Sun is not in the world list of second bodies
}

TEST(Cli, UsageErrorsExitWithAHint) {
    for (const std::string arguments :
         {"", "fly", "run --personal --bogus", "run --world --start 2009/01/01",
          "run --world --tz GMT+5:45", "run --personal --birth-time 12:07",
          "run --world --orbs 10,5", "search --world --aspect quincunx", "run --world --personal",
          "show-all --world --vary second --start 2000-01-01"}) {
        auto usage = RunCli(arguments);
        EXPECT_EQ(usage.status, 2) << arguments;
        EXPECT_NE(usage.errors.find("Try 'zenthra-cli --help'."), std::string::npos) << arguments;
    }
    auto help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("zenthra-cli all-transits"), std::string::npos);
    EXPECT_EQ(RunCli("--version").out, "zenthra-cli 2.38\n");
}

TEST(Cli, SearchPrintsThePeriodItFound) {
    auto search = RunCli(
        "search --world --first mars --second jupiter --end 2008-12-31 "
        "--aspect Conjunction");
    EXPECT_EQ(search.status, 0) << search.errors;
    const std::string found = "Found: 2009-01-30 to 2009-03-08\n";
    ASSERT_GE(search.out.size(), found.size());
    EXPECT_EQ(search.out.substr(search.out.size() - found.size()), found);
    EXPECT_NE(search.out.find("Conjunction | 2009-01-30"), std::string::npos);
}

TEST(Cli, AllTransitsWritesItsFourFiles) {
    const auto root =
        std::filesystem::temp_directory_path() / ("zenthra-cli-kvr-" + std::to_string(::getpid()));
    const std::string common =
        "all-transits --birth 1950-03-07 --birth-time 14:30 --birth-tz +1 "
        "--tz GMT+1:00 --start 2023-01-01 --out " +
        root.string();
    auto done = RunCli(common + " --end 2023-01-31 --date-style 2");
    EXPECT_EQ(done.status, 0) << done.errors;
    const auto folder = root / "1950-03-07_2023-01-01_31d";
    EXPECT_EQ(done.errors, "ZTA: All files successfully written to " + folder.string() + "\n");
    for (const char* file : {"_1orb.txt", "_1orb_days.txt", "_3orb.txt", "_5orb.txt"}) {
        const auto path = folder / (std::string("1950-03-07_2023-01-01_31d") + file);
        EXPECT_NE(ReadAll(path).find("1950-03-07 14:30 GMT+1"), std::string::npos) << path;
    }

    auto tooShort = RunCli(common + " --end 2023-01-05");
    EXPECT_EQ(tooShort.status, 1);
    EXPECT_EQ(tooShort.errors, "Error: Orb =  1, Error code = 14\n");
    std::filesystem::remove_all(root);
}

TEST(Cli, ALongRunIsPrintedWhole) {
    auto longRun = RunCli(
        "run --world --first Mercury --second Jupiter --start 1950-01-01 "
        "--end 1999-12-31 --orbs 15,10,5");
    EXPECT_EQ(longRun.status, 0) << longRun.errors;
    EXPECT_GT(longRun.out.size(), 64000u);
    EXPECT_EQ(longRun.out.find("Textbox is full"), std::string::npos);
    EXPECT_EQ(longRun.out.rfind("\r\n"), longRun.out.size() - 2);
}

}  // namespace
