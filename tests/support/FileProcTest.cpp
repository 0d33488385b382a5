#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/FileProc.h"
#include "support/ScratchFiles.h"

namespace zenthra {
namespace {

class ReadTextLinesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = std::filesystem::temp_directory_path() /
               ("zenthra-lines-" + std::to_string(::getpid()) + ".txt");
    }
    void TearDown() override { std::filesystem::remove(path); }

    void Write(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

    std::filesystem::path path;
};

TEST_F(ReadTextLinesTest, TrimsAndSkipsAsAsked) {
    Write("  one \r\n\r\n   \r\ntwo\nthree  ");
    std::vector<std::string> lines{"old", "old", "old", "old", "old", "old"};

    auto result = ReadTextLines(path, lines, 2, true, true);
    EXPECT_EQ(result.errorText, "");
    EXPECT_EQ(result.lineCount, 3);
    EXPECT_EQ(lines, (std::vector<std::string>{"old", "old", "one", "two", "three"}));

    result = ReadTextLines(path, lines, 0, false, false);
    EXPECT_EQ(result.lineCount, 5);
    EXPECT_EQ(lines, (std::vector<std::string>{"  one ", "", "   ", "two", "three  "}));
}

TEST_F(ReadTextLinesTest, ReportsTheSystemsReasonForAFailure) {
    std::vector<std::string> lines;
    auto result = ReadTextLines(path, lines, 0, true, true);
    EXPECT_EQ(result.errorText, "No such file or directory");
    EXPECT_NE(result.errorNumber, 0);
}

// A folder or a named pipe in place of a file is refused by its kind, and the pipe is never
// waited on.
TEST_F(ReadTextLinesTest, RefusesAnythingButARegularFile) {
    testing::ScratchFolder scratch("lines");
    std::filesystem::create_directory(scratch.path / "folder.txt");
    testing::ReleasedFifo pipe(scratch.path / "pipe.txt");
    for (const char* name : {"folder.txt", "pipe.txt"}) {
        std::vector<std::string> lines{"kept"};
        const auto result = ReadTextLines(scratch.path / name, lines, 0, true, true);
        EXPECT_EQ(result.errorText, "Not a regular file") << name;
        EXPECT_EQ(result.lineCount, 0) << name;
        EXPECT_EQ(lines, std::vector<std::string>{"kept"}) << name;
        EXPECT_EQ(ReadRegularFile(scratch.path / name, 10).errorText, "Not a regular file");
    }
    ASSERT_EQ(::symlink("/dev/zero", (scratch.path / "device.txt").c_str()), 0);
    EXPECT_EQ(ReadRegularFile(scratch.path / "device.txt", 10).errorText, "Not a regular file");
}

TEST_F(ReadTextLinesTest, ReadsAFileStartUpToItsLimit) {
    Write("0123456789");
    EXPECT_EQ(ReadRegularFile(path, 4).bytes, "0123");
    EXPECT_EQ(ReadRegularFile(path, 100).bytes, "0123456789");
    EXPECT_EQ(ReadRegularFile(path, 100).errorText, "");
    EXPECT_EQ(ReadRegularFile(path.string() + "x", 100).errorText, "No such file or directory");
}

}  // namespace
}  // namespace zenthra
