// The window over data that cannot serve a run: a damaged planet file beside the program, and a
// Pluto table that ends before the period does. Every such run or report is refused before
// anything is computed or written, with a message that names the cause.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ephemeris/PlanetLongitude.h"
#include "support/ScratchFiles.h"
#include "ui/RunFixture.h"

namespace zenthra::testing {
namespace {

namespace fs = std::filesystem;
using enum MsgIcon;

constexpr int kWorldJupiter = 4;  // first world list: Sun to Neptune
constexpr int kWorldPluto = 7;    // second world list: Mercury to Pluto
constexpr int kPersonalPluto = 8;

// An empty planet file beside the program, in front of the system's files, and the real
// Pluto table.
class DamagedDataWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch.Write("sepl_18.se1", "");
        fs::create_symlink(std::string(ZENTHRA_DATA_DIR) + "pluto.slx", scratch.path / "pluto.slx");
        p.programFolder = scratch.path.string();
        p.reportsRoot = (scratch.path / "KVR").string();
    }
    void TearDown() override { InitVocabulary(ZENTHRA_DATA_DIR); }

    std::string Message() const {
        return "The ephemeris data files cannot be read.\r\nThe file " + scratch.Slashed() +
               "sepl_18.se1 is damaged.\r\nFolders searched: " + scratch.Slashed() + ", " +
               ZENTHRA_SYSTEM_EPHE_DIR +
               "\r\nInstall the package swe-standard-data, and remove any damaged copy of its "
               "files from these folders.";
    }

    ScratchFolder scratch{"data"};
    FakePlatform p;
    FrmMain w{p};
};

TEST_F(DamagedDataWindow, StartUpNamesTheFileTheFoldersAndTheRemedy) {
    w.Form_Load();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{Message(), Exclamation, "Startup error"}}));
}

TEST_F(DamagedDataWindow, RunsAreRefusedWithTheSameMessageNotAsOutOfRange) {
    LoadWithPersonalRun(w, p);
    w.cmdStart_Click();
    ChooseWorld(w);
    w.cmdStart_Click();
    EXPECT_EQ(Shown(p),
              (std::vector<Box>{{Message(), Exclamation, ""}, {Message(), Exclamation, ""}}));
    EXPECT_TRUE(w.flags.runAborted);
    EXPECT_TRUE(w.Pane().Empty());
}

TEST_F(DamagedDataWindow, AllTransitsIsRefusedBeforeAnyFolderOrFileIsTouched) {
    LoadWithPersonalRun(w, p);
    SetDate(w, 0, "2026-1-1");
    SetDate(w, 1, "2026-1-31");
    const fs::path earlier = scratch.path / "KVR" / "1990-06-15_2026-01-01_31d";
    fs::create_directories(earlier);
    std::ofstream(earlier / "1990-06-15_2026-01-01_31d_1orb.txt") << "an earlier report";
    w.cmdShowAllTransits_Click();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{Message(), Exclamation, ""}}));
    std::ifstream in(earlier / "1990-06-15_2026-01-01_31d_1orb.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "an earlier report");
    EXPECT_EQ(std::distance(fs::directory_iterator(earlier), fs::directory_iterator()), 1);
    EXPECT_TRUE(w.Pane().Empty());
}

// The last day's samples reach the local midnight after it, and the minute search 0h UT of
// that day: the table's last day, 2099-12-31, can be no run's last day.
class PlutoTableEnd : public RunFixture {
  protected:
    void ChooseWorldJupiterPluto() {
        ChooseWorld(w);
        w.cboPlanet[0].SetListIndex(kWorldJupiter);
        w.cboPlanet[1].SetListIndex(kWorldPluto);
    }
};

TEST_F(PlutoTableEnd, ARunThatNeedsPlutoAfterTheTableIsRefused) {
    ChooseWorldJupiterPluto();
    w.cboTimezone[0].SetListIndex(kGmt);
    SetPeriod("2099-6-1", "2099-12-31");
    w.cmdStart_Click();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{"End date is too late for Pluto.", None, ""}}));
    EXPECT_TRUE(w.Pane().Empty());

    p.boxes.boxes.clear();
    SetPeriod("2099-6-1", "2099-12-30");
    w.cmdStart_Click();
    EXPECT_FALSE(w.flags.runAborted);
    EXPECT_TRUE(std::none_of(p.boxes.boxes.begin(), p.boxes.boxes.end(),
                             [](const auto& box) { return box.text.ends_with("for Pluto."); }));
}

// East of Greenwich the first local midnight of 1600-01-01 lies in 1599.
TEST_F(PlutoTableEnd, ARunThatNeedsPlutoBeforeTheTableIsRefused) {
    w.cboPlanet[0].SetListIndex(kPersonalPluto);
    SetDate(w, 2, "1600-1-1");
    SetPeriod("1600-1-1", "1600-12-31");
    w.cmdStart_Click();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{"Start date is too early for Pluto.", None, ""}}));

    p.boxes.boxes.clear();
    w.cboTimezone[0].SetListIndex(kGmt);
    w.cmdStart_Click();
    EXPECT_FALSE(w.flags.runAborted);
}

TEST_F(PlutoTableEnd, AllTransitsThatNeedsPlutoAfterTheTableIsRefused) {
    const fs::path root =
        fs::temp_directory_path() / ("zenthra-kvr-table-" + std::to_string(::getpid()));
    p.reportsRoot = root.string();
    SetPeriod("2099-12-1", "2100-1-31");
    w.cmdShowAllTransits_Click();
    EXPECT_EQ(Shown(p), (std::vector<Box>{{"End date is too late for Pluto.", None, ""}}));
    EXPECT_FALSE(fs::exists(root));
}

}  // namespace
}  // namespace zenthra::testing
