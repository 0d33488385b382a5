// The file button in text and HTML mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/FileContents.h"
#include "support/FullDisk.h"
#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"

namespace zenthra {
namespace {

using testing::FakePlatform;

using zenthra::testing::ReadFile;

class OutputToFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("zenthra-output-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        w.Form_Load();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    const std::vector<testing::RecordedBox>& Boxes() { return platform.boxes.boxes; }

    std::filesystem::path folder;
    FakePlatform platform;
    FrmMain w{platform};
};

TEST_F(OutputToFileTest, TextModeWritesTheTrimmedPane) {
    const std::string path = (folder / "out.txt").string();
    w.SetPaneText("   first line\r\nlast line  ");
    platform.fileAnswers.push_back(path);
    w.cmdFile_Click();
    EXPECT_EQ(w.Pane().Text(), "first line\r\nlast line");
    EXPECT_EQ(ReadFile(path), "first line\r\nlast line\r\n");
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].title, "Specify output file");
    EXPECT_EQ(platform.dialogs[0].filter, "Text files *.txt | *.txt");
    EXPECT_EQ(platform.dialogs[0].defaultSuffix, "txt");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Output written to file " + path);
    EXPECT_EQ(Boxes()[0].title, "Done");
    EXPECT_EQ(w.outputFilePath, path);

    w.chkOpenOutputFile.SetValue(1);
    platform.fileAnswers.push_back(path);
    platform.replaceAnswers.push_back(true);
    platform.openSucceeds = false;
    w.cmdFile_Click();
    EXPECT_EQ(platform.opened, std::vector<std::string>{path});
    EXPECT_EQ(Boxes().back().text,
              "Error opening file " + path + ".\r\nPerhaps the file extension is incorrect.");
    EXPECT_EQ(Boxes().back().title, "Error");
}

TEST_F(OutputToFileTest, NothingToWriteCancelAndFailures) {
    w.SetPaneText("     ");
    w.cmdFile_Click();
    EXPECT_TRUE(w.Pane().Empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Nothing to write.");
    EXPECT_EQ(Boxes()[0].title, "Write output to file");
    EXPECT_TRUE(platform.dialogs.empty());

    w.SetPaneText("text");
    w.outputFilePath = "kept";
    platform.fileAnswers.push_back(std::string());  // cancelled
    platform.fileAnswers.push_back(std::nullopt);   // the dialog failed
    w.cmdFile_Click();
    w.cmdFile_Click();
    EXPECT_EQ(w.outputFilePath, "kept");
    EXPECT_EQ(Boxes().size(), 1u);

    // A failed write leaves the file that was there as it was.
    const std::filesystem::path target = folder / "existing.txt";
    std::ofstream(target) << "old";
    platform.fileAnswers.push_back(target.string());
    platform.replaceAnswers.push_back(true);
    {
        testing::FullDisk full;
        w.cmdFile_Click();
    }
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(Boxes().back().text,
              "Error writing to file " + target.string() + "\r\nNo space left on device");
    EXPECT_EQ(Boxes().back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(w.outputFilePath, target.string());
}

// The save dialog adds the extension to a name typed without one and asks before an
// existing file is replaced; declining writes nothing.
TEST_F(OutputToFileTest, TheSaveDialogAddsTheExtensionAndAsksBeforeReplacing) {
    const std::filesystem::path typed = folder / "out";
    const std::string path = typed.string() + ".txt";
    w.SetPaneText("first");
    platform.fileAnswers.push_back(typed.string());
    w.cmdFile_Click();
    EXPECT_EQ(w.outputFilePath, path);
    EXPECT_EQ(ReadFile(path), "first\r\n");
    EXPECT_FALSE(std::filesystem::exists(typed));
    EXPECT_TRUE(platform.replaceQuestions.empty());

    w.SetPaneText("second");
    platform.fileAnswers.push_back(typed.string());
    platform.replaceAnswers.push_back(false);
    w.cmdFile_Click();
    EXPECT_EQ(platform.replaceQuestions, std::vector<std::string>{path});
    EXPECT_EQ(ReadFile(path), "first\r\n");
    EXPECT_EQ(Boxes().size(), 1u);

    platform.fileAnswers.push_back(typed.string());
    platform.replaceAnswers.push_back(true);
    w.cmdFile_Click();
    EXPECT_EQ(ReadFile(path), "second\r\n");
    EXPECT_EQ(Boxes().back().text, "Output written to file " + path);

    w.chkOutputAsHTML.SetValue(1);
    platform.fileAnswers.push_back(typed.string());
    w.cmdFile_Click();
    EXPECT_EQ(platform.dialogs.back().defaultSuffix, "html");
    EXPECT_EQ(w.outputFilePath, typed.string() + ".html");
}

TEST_F(OutputToFileTest, HtmlModeOnlyChoosesTheFile) {
    const std::string path = (folder / "out.html").string();
    w.chkOutputAsHTML.SetValue(1);
    platform.fileAnswers.push_back(path);
    w.cmdFile_Click();
    EXPECT_EQ(platform.dialogs[0].title, "Specify file for HTML");
    EXPECT_EQ(platform.dialogs[0].filter, "HTML files *.htm, *.html | *.htm;*.html");
    EXPECT_EQ(w.outputFilePath, path);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace zenthra
