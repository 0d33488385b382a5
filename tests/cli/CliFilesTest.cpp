// zenthra-cli's exit status when its HTML file fails, run in this process so that the disk can
// be made full.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/CliOptions.h"
#include "cli/ConsoleFrontEnd.h"
#include "support/FileContents.h"
#include "support/FullDisk.h"

namespace zenthra {
namespace {

namespace fs = std::filesystem;

using zenthra::testing::ReadFile;

class CliFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("zenthra-cli-files-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int Run(const std::string& line) {
        std::vector<std::string> words;
        std::istringstream in(line);
        for (std::string word; in >> word;) {
            words.push_back(word);
        }
        const CliParse parse = ParseCommandLine(words);
        EXPECT_EQ(parse.error, "");
        out.str("");
        errors.str("");
        return RunConsole(parse.options, out, errors);
    }

    fs::path folder;
    std::ostringstream out;
    std::ostringstream errors;
};

constexpr const char* kWorldRun =
    "run --world --first Mars --second Jupiter --start 2009-01-01 --end 2009-12-31 --html ";

TEST_F(CliFiles, AnHtmlFileThatCannotBeOpenedFailsWithOneMessage) {
    const std::string path = (folder / "missing" / "run.html").string();
    EXPECT_EQ(Run(kWorldRun + path), kExitRefused);
    EXPECT_EQ(errors.str(), "Write output to file: Error when opening file " + path +
                                ":\nNo such file or directory\n");
    // The run itself was printed whole.
    EXPECT_NE(out.str().find("Conjunction"), std::string::npos);
    EXPECT_EQ(out.str().find("Stopped"), std::string::npos);

    EXPECT_EQ(Run("show-all --world --second Jupiter --start 2009-01-01 "
                  "--end 2009-12-31 --html " +
                  path),
              kExitRefused);
    EXPECT_EQ(errors.str(), "Write output to file: Error when opening file " + path +
                                ":\nNo such file or directory\n");
}

// The search found its period, so it is printed; the listing of it failed, so the search did.
TEST_F(CliFiles, ASearchWhoseListingCannotBeWrittenFails) {
    const std::string path = (folder / "missing" / "search.html").string();
    EXPECT_EQ(Run("search --world --first mars --second jupiter --end 2008-12-31 --aspect "
                  "conjunction --html " +
                  path),
              kExitRefused);
    EXPECT_EQ(errors.str(), "Write output to file: Error when opening file " + path +
                                ":\nNo such file or directory\n");
    EXPECT_TRUE(out.str().ends_with("Found: 2009-01-30 to 2009-03-08\n")) << out.str();
}

TEST_F(CliFiles, AFullDiskKeepsTheEarlierHtmlFileAndFails) {
    const fs::path path = folder / "run.html";
    std::ofstream(path) << "earlier";
    for (const std::string& command :
         {std::string(kWorldRun), std::string("show-all --world --second Jupiter "
                                              "--start 2009-01-01 --end 2009-01-31 --html ")}) {
        testing::FullDisk full;
        EXPECT_EQ(Run(command + path.string()), kExitRefused) << command;
        EXPECT_EQ(errors.str(), "Write output to file: Error writing to file " + path.string() +
                                    "\nNo space left on device\n");
    }
    EXPECT_EQ(ReadFile(path), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    EXPECT_EQ(Run(kWorldRun + path.string()), kExitDone);
    EXPECT_TRUE(ReadFile(path).starts_with("<center>"));
}

}  // namespace
}  // namespace zenthra
