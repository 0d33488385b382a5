// zenthra-cli run as a process, as a user or a script runs it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/FileContents.h"
#include "support/Process.h"

namespace {

using zenthra::testing::ReadFile;

zenthra::testing::ProcessResult RunCli(const std::string& arguments) {
    return zenthra::testing::RunCommand(std::string(ZENTHRA_CLI) + " " + arguments);
}

std::string Golden(const std::string& name) {
    return ReadFile(std::string(ZENTHRA_TEST_DATA_DIR) + "golden/" + name);
}

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("zenthra-cli-" + name + "-" + std::to_string(::getpid()));
}

// zenthra-cli started without a shell, its standard output on `out`, its standard error into
// `errorsFile`.
pid_t Start(const std::string& arguments, int out, const std::filesystem::path& errorsFile) {
    std::vector<std::string> words = {ZENTHRA_CLI};
    std::istringstream in(arguments);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorsFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadToEnd(int in) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(in, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

// Four centuries of Mercury and Venus: far longer than the moment the tests let it run.
constexpr const char* kLongWorldRun =
    "run --world --first Mercury --second Venus --start 1700-01-01 --end 2099-12-31 "
    "--orbs 10,5,3";

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

// The events follow the table that is printed without them; Pluto from the ephemeris says so
// in the title and runs past the end of its table.
TEST(Cli, EventsAndPrecisePlutoAreTheWindowsOptions) {
    auto world = RunCli(
        "run --world --first mars --second JUPITER --start 2009-01-01 "
        "--end 2009-12-31 --events");
    EXPECT_EQ(world.status, 0) << world.errors;
    const std::string golden = Golden("world-mars-jupiter-2009.txt");
    ASSERT_TRUE(world.out.starts_with(golden)) << world.out;
    EXPECT_TRUE(world.out.substr(golden.size())
                    .starts_with("\r\nStations and sign ingresses of Mars and Jupiter\r\n"))
        << world.out;
    EXPECT_NE(world.out.find("2009-12-20  | 13:26 GMT       | Mars stations retrograde"),
              std::string::npos);

    auto pluto = RunCli(
        "run --personal --first Pluto --second Venus --start 2150-01-01 --end 2150-12-31 "
        "--birth 1950-03-07 --birth-time 14:30 --birth-tz +1 --precise-pluto");
    EXPECT_EQ(pluto.status, 0) << pluto.errors;
    EXPECT_TRUE(pluto.out.starts_with(
        "Pluto transits of natal Venus, Jan. 1, 2150, to Dec. 31, 2150, birth at March 7, 1950, "
        "14:30 GMT+1:00 (tropical) (precise Pluto)\r\n"))
        << pluto.out;
    auto table = RunCli(
        "run --personal --first Pluto --second Venus --start 2150-01-01 --end 2150-12-31 "
        "--birth 1950-03-07 --birth-time 14:30 --birth-tz +1");
    EXPECT_EQ(table.status, 1);
    EXPECT_EQ(table.errors, "Start date is too late for Pluto.\n");
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
          "show-all --world --vary second --start 2000-01-01", "run --world --tz +5:60",
          "run --world --sidereal", "all-transits --sidereal", "all-transits --world",
          "run --personal --date-style 2"}) {
        auto usage = RunCli(arguments);
        EXPECT_EQ(usage.status, 2) << arguments;
        EXPECT_NE(usage.errors.find("Try 'zenthra-cli --help'."), std::string::npos) << arguments;
    }
    auto help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("zenthra-cli all-transits"), std::string::npos);
    EXPECT_TRUE(RunCli("--version").out.starts_with("zenthra-cli 2.38\n"));
}

TEST(Cli, IgnoredOptionsAndEnormousValuesAreUsageErrors) {
    auto ignored = RunCli("run --world --sidereal --start 2009-01-01 --end 2009-12-31");
    EXPECT_EQ(ignored.status, 2);
    EXPECT_EQ(ignored.errors,
              "zenthra-cli: --sidereal is not used by run --world\n"
              "Try 'zenthra-cli --help'.\n");
    EXPECT_EQ(ignored.out, "");

    auto enormous = RunCli("all-transits --birth " + std::string(30000, '1') + "-03-07");
    EXPECT_EQ(enormous.status, 2);
    EXPECT_EQ(enormous.errors, "zenthra-cli: bad value '" + std::string(40, '1') +
                                   "...' for --birth (YYYY-MM-DD)\n"
                                   "Try 'zenthra-cli --help'.\n");
}

TEST(Cli, AFullDiskForStandardOutputIsToldOnceAndFails) {
    if (!std::filesystem::is_character_file("/dev/full")) {
        GTEST_SKIP() << "/dev/full is not the device that fails every write";
    }
    const std::string run =
        "run --world --first Mars --second Jupiter --start 2009-01-01 "
        "--end 2009-12-31";
    auto full = RunCli(run + " >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.errors, "zenthra-cli: standard output could not be written\n");
    EXPECT_EQ(RunCli("--help >/dev/full").status, 1);
}

TEST(Cli, AClosedPipeEndsEvenALongRunAtOnceWithOneMessage) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ::close(pipeEnds[0]);
    const auto errorsFile = TempPath("pipe-errors");
    const pid_t pid = Start(kLongWorldRun, pipeEnds[1], errorsFile);
    ::close(pipeEnds[1]);
    EXPECT_EQ(WaitFor(pid), 1);
    EXPECT_EQ(ReadFile(errorsFile), "zenthra-cli: standard output could not be written\n");
    std::filesystem::remove(errorsFile);
}

TEST(Cli, ASignalStopsARunAsStopDoesAndItsHtmlFileIsComplete) {
    const auto html = TempPath("stopped.html");
    const auto errorsFile = TempPath("signal-errors");
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t pid =
        Start(std::string(kLongWorldRun) + " --html " + html.string(), pipeEnds[1], errorsFile);
    ::close(pipeEnds[1]);
    // The table's heading is printed when the run has begun.
    char first = 0;
    ASSERT_EQ(::read(pipeEnds[0], &first, 1), 1);
    ::kill(pid, SIGTERM);
    const std::string out = ReadToEnd(pipeEnds[0]);
    ::close(pipeEnds[0]);

    EXPECT_EQ(WaitFor(pid), 128 + SIGTERM);
    EXPECT_TRUE(out.ends_with("Stopped"))
        << out.substr(out.size() - std::min<size_t>(out.size(), 200));
    EXPECT_EQ(ReadFile(errorsFile), "");
    const std::string golden = Golden("world-mars-jupiter-2009.html");
    const std::string ending = golden.substr(golden.rfind("\r\n", golden.size() - 3) + 2);
    EXPECT_TRUE(ReadFile(html).ends_with(ending)) << ending;
    std::filesystem::remove(html);
    std::filesystem::remove(errorsFile);
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
        EXPECT_NE(ReadFile(path).find("1950-03-07 14:30 GMT+1"), std::string::npos) << path;
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
