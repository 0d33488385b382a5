#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/FileProc.h"

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

    result = ReadTextLines(std::filesystem::temp_directory_path(), lines, 0, true, true);
    EXPECT_EQ(result.errorText, "Is a directory");
}

}  // namespace
}  // namespace zenthra
