// zenthra-cli beside data files it cannot use: a copy of the program in a folder of its own,
// with the real Pluto table and a planet file that is damaged or not a file at all. Every run
// and report is refused with the message and exit status 1, and no report is written.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/ScratchFiles.h"

namespace zenthra::testing {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    std::string errors;
    int status = -1;
};

class ProgramBesideDamagedData : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(ZENTHRA_CLI, scratch.path / "zenthra-cli");
        fs::create_symlink(std::string(ZENTHRA_DATA_DIR) + "pluto.slx", scratch.path / "pluto.slx");
    }

    // The copy run with the scratch folder as its home, where all-transits writes its reports.
    Outcome Run(const std::string& arguments) const {
        const fs::path errorsFile = scratch.path / "errors.txt";
        const std::string command = "HOME=" + scratch.path.string() + " " +
                                    (scratch.path / "zenthra-cli").string() + " " + arguments +
                                    " >/dev/null 2>" + errorsFile.string();
        const int status = std::system(command.c_str());
        std::ifstream in(errorsFile, std::ios::binary);
        std::stringstream errors;
        errors << in.rdbuf();
        return {errors.str(), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    }

    std::string Message(const std::string& fault) const {
        return "The ephemeris data files cannot be read.\n" + fault +
               "\nFolders searched: " + scratch.Slashed() + ", " + ZENTHRA_SYSTEM_EPHE_DIR +
               "\nInstall the package swe-standard-data, and remove any damaged copy of its "
               "files from these folders.\n";
    }

    ScratchFolder scratch{"cli-data"};
};

const std::string kAllTransits =
    "all-transits --birth 1990-06-15 --birth-time 12:00 --birth-tz GMT --start 2026-01-01 "
    "--end 2026-01-31";
const std::string kRun =
    "run --world --first Mars --second Jupiter --start 2026-01-01 --end 2026-12-31";

TEST_F(ProgramBesideDamagedData, AnEmptyPlanetFileRefusesRunsAndReports) {
    scratch.Write("sepl_18.se1", "");
    const std::string message =
        Message("The file " + scratch.Slashed() + "sepl_18.se1 is damaged.");
    for (const std::string& arguments : {kAllTransits, kRun}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 1) << arguments;
        EXPECT_EQ(outcome.errors, "Startup error: " + message + message) << arguments;
    }
    EXPECT_FALSE(fs::exists(scratch.path / "KVR"));
}

TEST_F(ProgramBesideDamagedData, APipeInPlaceOfAPlanetFileIsNeverWaitedOn) {
    ReleasedFifo pipe(scratch.path / "sepl_18.se1");
    const std::string message =
        Message("The file " + scratch.Slashed() + "sepl_18.se1 is not a regular file.");
    const Outcome outcome = Run(kAllTransits);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.errors, "Startup error: " + message + message);
    EXPECT_FALSE(fs::exists(scratch.path / "KVR"));
}

}  // namespace
}  // namespace zenthra::testing
