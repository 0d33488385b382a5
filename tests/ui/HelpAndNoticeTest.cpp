// The help viewer and the timed notice.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "calendar/Utf8.h"
#include "support/ScratchFiles.h"
#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"
#include "ui/RunFixture.h"

namespace zenthra {
namespace {

using testing::Box;
using testing::FakePlatform;
using testing::Shown;

size_t Characters(const std::string& text) {
    return SplitCharacters(text).size();
}

class HelpViewerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() / ("zenthra-help-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        p.programFolder = folder.string();
        w.Form_Load();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void WriteHelp(const std::string& text) {
        std::ofstream(folder / "zta_help.txt", std::ios::binary) << text;
    }

    const Box kWorkingFolder{"/home/user/work", MsgIcon::None, ""};

    std::filesystem::path folder;
    FakePlatform p;
    FrmMain w{p};
    FrmView& view = w.frmView;
};

TEST_F(HelpViewerTest, HelpShowsTheFileOverTheMainWindowWithoutTheCopyButton) {
    WriteHelp("Zenthra lists transits.\n");
    w.geometry = {1000, 2000, 11800, 9000};
    w.cmdHelp.click();
    EXPECT_TRUE(view.visible && view.FileDisplayed());
    EXPECT_EQ(view.caption, "Help");
    EXPECT_EQ(view.strFilename, folder.string() + "/zta_help.txt");
    EXPECT_EQ(view.txbText1.text, "Zenthra lists transits.\n");
    EXPECT_TRUE(view.txbText1.locked);
    EXPECT_FALSE(view.cmdCopyToClipboard.visible);
    EXPECT_EQ(view.geometry.left, 1100);
    EXPECT_EQ(view.geometry.top, 2380);
    EXPECT_EQ(view.geometry.width, 11600);
    EXPECT_EQ(view.geometry.height, 8520);
    EXPECT_EQ(view.txbText1.geometry.width, 11150);
    EXPECT_EQ(view.cmdClose.geometry.top, view.txbText1.geometry.top + 7320 + 100);
    EXPECT_EQ(view.cmdClose.geometry.left + view.cmdClose.geometry.width,
              view.txbText1.geometry.left + 11150);
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(HelpViewerTest, TheProgramsOwnHelpFileIsShown) {
    p.programFolder = ZENTHRA_DATA_DIR;
    w.cmdHelp_Click();
    EXPECT_NE(view.txbText1.text.find("Save state"), std::string::npos);
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(HelpViewerTest, AFileOfUpTo65529CharactersIsShownWhole) {
    // "°" is one character of two bytes: the limit counts characters.
    const std::string whole = std::string(65528, 'a') + "°";
    WriteHelp(whole);
    w.cmdHelp_Click();
    EXPECT_EQ(view.txbText1.text, whole);
}

TEST_F(HelpViewerTest, ALongerFileIsShownShortenedBetweenANoteAndATrailer) {
    WriteHelp("°" + std::string(65529, 'b'));
    w.cmdHelp_Click();
    const std::string& shown = view.txbText1.text;
    EXPECT_EQ(Characters(shown), 65534u);
    EXPECT_TRUE(
        shown.starts_with("NOTE: This file is too large to display entirely in this textbox.\r\n"
                          "To view the entire contents of the file load it into NotePad,\r\n"
                          "WordPad or some other text editor.\r\n\r\n°bbb"));
    EXPECT_TRUE(
        shown.ends_with("bbb\r\n\r\nNOTE: Entire contents of file have not been displayed.\r\n"));
}

TEST_F(HelpViewerTest, HelpPressedAgainPlacesTheViewerWithoutReadingTheFileAgain) {
    WriteHelp("first");
    w.cmdHelp_Click();
    WriteHelp("second");
    w.geometry.top += 500;
    view.windowState = WindowState::Minimised;
    w.cmdHelp_Click();
    EXPECT_EQ(view.txbText1.text, "first");
    EXPECT_EQ(view.windowState, WindowState::Normal);
    EXPECT_EQ(view.geometry.top, w.geometry.top + 380);

    view.cmdClose_Click();
    EXPECT_FALSE(view.visible);
    w.cmdHelp_Click();
    EXPECT_EQ(view.txbText1.text, "first");

    view.Form_Unload();
    w.cmdHelp_Click();
    EXPECT_EQ(view.txbText1.text, "second");
}

TEST_F(HelpViewerTest, AMaximisedViewerKeepsItsPlace) {
    WriteHelp("text");
    view.windowState = WindowState::Maximised;
    view.geometry = {0, 0, 28800, 16200};
    w.cmdHelp_Click();
    EXPECT_EQ(view.geometry.width, 28800);
}

TEST_F(HelpViewerTest, AMissingFileIsReportedAndTriedAgainAtTheNextClick) {
    w.cmdHelp_Click();
    const Box error{"Error 2.  No such file or directory", MsgIcon::Exclamation,
                    "Error reading file"};
    EXPECT_EQ(Shown(p), (std::vector<Box>{kWorkingFolder, error}));
    EXPECT_FALSE(view.visible || view.FileDisplayed());

    WriteHelp("now here");
    w.cmdHelp_Click();
    EXPECT_EQ(view.txbText1.text, "now here");
    EXPECT_EQ(p.boxes.boxes.size(), 2u);
}

// A folder or a named pipe in place of the help file is refused by name; the pipe is never
// waited on.
TEST_F(HelpViewerTest, AnEmptyFileAFolderOrAPipeIsReported) {
    const std::filesystem::path help = folder / "zta_help.txt";
    WriteHelp("");
    w.cmdHelp_Click();
    std::filesystem::remove(help);
    std::filesystem::create_directory(help);
    w.cmdHelp_Click();
    std::filesystem::remove(help);
    {
        testing::ReleasedFifo pipe(help);
        w.cmdHelp_Click();
    }
    const Box notRegular{help.string() + " is not a regular file.", MsgIcon::Exclamation,
                         "Error reading file"};
    EXPECT_EQ(Shown(p), (std::vector<Box>{kWorkingFolder,
                                          {"The help file is empty.", MsgIcon::Exclamation, "Help"},
                                          notRegular,
                                          notRegular}));
    EXPECT_FALSE(view.visible);
}

TEST_F(HelpViewerTest, TheViewerKeepsAMinimumSize) {
    view.Move({0, 0, 3000, 1000});
    EXPECT_EQ(view.geometry.width, 8000);
    EXPECT_EQ(view.geometry.height, 2000);
    EXPECT_EQ(view.txbText1.geometry.height, 800);
}

// The timed notice.

class NoticeTest : public ::testing::Test {
  protected:
    FakePlatform p;
    Geometry mainWindow{2000, 1000, 11800, 6251};
    FrmPopUp notice{p, mainWindow};
};

TEST_F(NoticeTest, TheNoticeSitsRelativeToTheMainWindowAndClosesOnItsTimer) {
    notice.PopUp2("Done", 1200, 300, 2000, 2150, 5200);
    ASSERT_EQ(p.popUps.size(), 1u);
    EXPECT_EQ(p.popUps[0].message, "Done");
    EXPECT_EQ(p.popUps[0].intervalMs, 2000);
    EXPECT_TRUE(p.popUps[0].shownWithTimer);
    const Geometry where = p.popUps[0].where;
    EXPECT_EQ(where.left, 7200);
    EXPECT_EQ(where.top, 3150);
    EXPECT_EQ(where.width, 1200);
    EXPECT_EQ(where.height, 300);
    EXPECT_EQ(notice.lblMessage.geometry.width, 1200);
    EXPECT_EQ(notice.lblMessage.font.name, "Tahoma");
    EXPECT_FALSE(notice.visible || notice.Timer1.enabled);
}

TEST_F(NoticeTest, AClickClosesTheNoticeAtOnce) {
    p.clickPopUps = true;
    notice.PopUpInForm2({0, 0, 0, 0}, "Saved", 2000, 400, 100000, 10, 20);
    EXPECT_EQ(p.popUps[0].intervalMs, 100000);
    EXPECT_FALSE(notice.visible || notice.Timer1.enabled);
}

TEST_F(NoticeTest, ACentredNoticeRoundsHalvesToEven) {
    notice.PopUpCenter("a", 1200, 300, 500);  // (6251 - 300) / 2 = 2975.5
    mainWindow.height = 6253;                 // 2976.5
    notice.PopUpCenter("b", 1201, 300, 500);  // (11800 - 1201) / 2 = 5299.5
    EXPECT_EQ(p.popUps[0].where.top, 1000 + 2976);
    EXPECT_EQ(p.popUps[0].where.left, 2000 + 5300);
    EXPECT_EQ(p.popUps[1].where.top, 1000 + 2976);
    EXPECT_EQ(p.popUps[1].where.left, 2000 + 5300);
}

class DoneNoticeTest : public testing::RunFixture {};

TEST_F(DoneNoticeTest, ARunEndsWithTheDoneNoticeBesideTheStartButton) {
    SetPeriod("2026-1-1", "2026-3-31");
    w.cmdStart_Click();
    ASSERT_EQ(p.popUps.size(), 1u);
    EXPECT_EQ(p.popUps[0].message, "Done");
    EXPECT_EQ(p.popUps[0].where.left, w.geometry.left + 5200);
    EXPECT_EQ(p.popUps[0].where.top, w.geometry.top + 2150);
    EXPECT_FALSE(w.frmPopUp.visible);
}

}  // namespace
}  // namespace zenthra
