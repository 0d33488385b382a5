// HTML output of the window's runs: one file per run or per show-all sequence, replaced only
// when complete, and one message when it cannot be written.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/FileContents.h"
#include "ui/RunFixture.h"

namespace zenthra {
namespace {

namespace fs = std::filesystem;
using testing::Box;
using testing::ChooseWorld;

using zenthra::testing::ReadFile;

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class HtmlOutputTest : public testing::RunFixture {
  protected:
    void SetUp() override {
        RunFixture::SetUp();
        folder = fs::temp_directory_path() /
                 ("zenthra-html-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        ChooseWorld(w);
        SetPeriod("2026-1-1", "2026-1-31");
    }
    void TearDown() override { fs::remove_all(folder); }

    void HtmlTo(const fs::path& path) {
        w.chkOutputAsHTML.SetValue(1);
        w.outputFilePath = path.string();
    }

    fs::path folder;
};

TEST_F(HtmlOutputTest, AShowAllSequenceWritesEveryTableIntoOneFile) {
    const fs::path path = folder / "all.htm";
    std::ofstream(path) << "earlier";
    HtmlTo(path);
    w.cmdShowAll_Click(0);
    const std::vector<std::string> titles = Titles();
    ASSERT_EQ(titles.size(), 8u);
    const std::string html = ReadFile(path);
    EXPECT_EQ(Count(html, "<center>\r\n<table"), 8);
    EXPECT_EQ(Count(html, "</table></center><p>\r\n"), 8);
    size_t at = 0;
    for (const std::string& title : titles) {
        at = html.find("<b>\r\n" + title + "\r\n</b>", at);
        EXPECT_NE(at, std::string::npos) << title;
    }
    EXPECT_TRUE(html.ends_with("</table></center><p>\r\n"));
    EXPECT_TRUE(p.boxes.boxes.empty());
    EXPECT_FALSE(w.flags.runAborted);

    // A single run afterwards has its file to itself again.
    w.cmdStart_Click();
    EXPECT_EQ(Count(ReadFile(path), "<center>\r\n<table"), 1);
}

TEST_F(HtmlOutputTest, AFileThatCannotBeOpenedIsReportedOnceAndEndsAShowAll) {
    const std::string path = (folder / "missing" / "all.htm").string();
    HtmlTo(path);
    const Outcome run = w.cmdStart_Click();
    const std::string failure =
        "Error when opening file " + path + ":\r\nNo such file or directory";
    const std::vector<Box> once = {{failure, MsgIcon::Exclamation, "Write output to file"}};
    EXPECT_EQ(Shown(p), once);
    EXPECT_EQ(run.kind, OutcomeKind::Failed);
    EXPECT_EQ(run.message, failure);
    // The run itself went on to its end.
    EXPECT_FALSE(w.Pane().Text().ends_with("Stopped"));
    EXPECT_TRUE(w.flags.runAborted);

    p.boxes.boxes.clear();
    const Outcome sequence = w.cmdShowAll_Click(0);
    EXPECT_EQ(Shown(p), once);
    EXPECT_EQ(sequence.kind, OutcomeKind::Failed);
    EXPECT_EQ(sequence.message, failure);
    EXPECT_EQ(Titles().size(), 1u);
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

}  // namespace
}  // namespace zenthra
