#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "support/FileProc.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScratchFiles.h"

namespace zenthra {
namespace {

using testing::RecordingMessageBoxes;

double Degrees(double radians) {
    return radians / kFullTurn * 360;
}

// A table of kPlutoEntryCount entries, all at `arcminutes` unless overridden.
std::vector<std::string> UniformEntries(int32_t arcminutes) {
    std::vector<std::string> lines;
    for (int32_t k = 0; k < kPlutoEntryCount; ++k) {
        lines.push_back(EncodePlutoEntry(k, arcminutes));
    }
    return lines;
}

class PlutoTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("zenthra-pluto-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        dataFolder = folder.string() + "/";
        PlutoTable.clear();
        plutoLoaded = false;
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        PlutoTable.clear();
        plutoLoaded = false;
    }

    void WriteFile(const std::vector<std::string>& lines, const std::string& separator = "\r\n") {
        std::ofstream out(folder / kPlutoFileName, std::ios::binary);
        for (const auto& line : lines) {
            out << line << separator;
        }
    }

    bool Load() { return LoadPlutoTable(kPlutoFileName, boxes); }

    std::filesystem::path folder;
    RecordingMessageBoxes boxes;
};

TEST_F(PlutoTableTest, BlanksAroundEntriesAndBlankLinesChangeNothing) {
    std::vector<std::string> padded;
    for (const auto& entry : UniformEntries(12345)) {
        padded.push_back("  " + entry + "\t ");
        padded.push_back("   ");
    }
    WriteFile(padded, "\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(PlutoTable.size(), static_cast<size_t>(kPlutoEntryCount));
    EXPECT_EQ(PlutoTable[7], EncodePlutoEntry(7, 12345));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PlutoTableTest, EntriesDecodeToTheirArcminuteWhateverTheirIndex) {
    WriteFile(UniformEntries(0));
    ASSERT_TRUE(Load());
    for (int32_t k : {0, 1, 54, 55, 56, 182622}) {
        for (int32_t arcminutes : {0, 59, 60, 3599, 3600, 21599}) {
            PlutoTable[k] = EncodePlutoEntry(k, arcminutes);
            EXPECT_DOUBLE_EQ(DecodePlutoEntry(k), arcminutes / 60.0) << k << " " << arcminutes;
        }
    }
}

TEST_F(PlutoTableTest, InterpolatesBetweenMidnightsAndThroughZeroDegrees) {
    WriteFile(UniformEntries(0));
    ASSERT_TRUE(Load());
    const int32_t day = kMoonFirstJdn + 1000;
    const int32_t k = day - kMoonFirstJdn;
    PlutoTable[k] = EncodePlutoEntry(k, 120 * 60 + 10);
    PlutoTable[k + 1] = EncodePlutoEntry(k + 1, 120 * 60 + 20);
    EXPECT_NEAR(Degrees(PlutoLongitude(day - 0.5)), 120 + 10 / 60.0, 1e-9);
    EXPECT_NEAR(Degrees(PlutoLongitude(day)), 120 + 15 / 60.0, 1e-9);

    PlutoTable[k] = EncodePlutoEntry(k, 359 * 60 + 30);
    PlutoTable[k + 1] = EncodePlutoEntry(k + 1, 18);
    EXPECT_NEAR(Degrees(PlutoLongitude(day - 0.25)), 359.7, 1e-9);

    PlutoTable[k] = EncodePlutoEntry(k, 18);
    PlutoTable[k + 1] = EncodePlutoEntry(k + 1, 359 * 60 + 30);
    EXPECT_NEAR(Degrees(PlutoLongitude(day - 0.25)), 0.1, 1e-9);
}

TEST_F(PlutoTableTest, AnswersFrom1600To2099AndReadsTheLastEntryOnTheLastDay) {
    WriteFile(UniformEntries(600));
    ASSERT_TRUE(Load());
    PlutoTable[kPlutoEntryCount - 1] = EncodePlutoEntry(kPlutoEntryCount - 1, 660);
    EXPECT_NEAR(Degrees(PlutoLongitude(kMoonLastJdn)), 10.5, 1e-9);
    EXPECT_EQ(PlutoLongitude(kMoonLastJdn + 0.5), kAfterRange);
    EXPECT_EQ(PlutoLongitude(kMoonFirstJdn - 0.5 - 1e-9), kBeforeRange);
    EXPECT_NEAR(Degrees(PlutoLongitude(kMoonFirstJdn - 0.5)), 10, 1e-9);

    EXPECT_EQ(PlanetLongitude(kPluto, kMoonLastJdn + 0.5, Zodiac::Sidereal), kAfterRange);
    EXPECT_NEAR(PlanetLongitude(kPluto, kMoonFirstJdn - 0.5, Zodiac::Sidereal),
                NormaliseAngle(10.0 / 360 * kFullTurn - (0.416314 - 400 * 243.8e-6)), 1e-12);
}

// The all-transits mode loads the table for each orb; only a file that changed is read anew.
TEST_F(PlutoTableTest, ALoadReadsAChangedFileAndKeepsTheTableOfTheSameOne) {
    WriteFile(UniformEntries(100));
    ASSERT_TRUE(Load());
    ASSERT_TRUE(Load());
    EXPECT_DOUBLE_EQ(DecodePlutoEntry(500), 100 / 60.0);

    WriteFile(UniformEntries(200));
    ASSERT_TRUE(Load());
    EXPECT_DOUBLE_EQ(DecodePlutoEntry(500), 200 / 60.0);

    auto damaged = UniformEntries(200);
    damaged[9] = "ab";
    WriteFile(damaged);
    EXPECT_FALSE(Load());
    EXPECT_TRUE(PlutoTable.empty());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              "Cannot read Pluto data at\r\n" + dataFolder + kPlutoFileName +
                  "\r\nEntry 10 (non-blank line 10) is not a valid longitude.");

    WriteFile(UniformEntries(200));
    EXPECT_TRUE(Load());
    EXPECT_DOUBLE_EQ(DecodePlutoEntry(500), 200 / 60.0);
}

TEST_F(PlutoTableTest, RefusesFilesThatWouldBeReadPast) {
    struct Case {
        std::string what;
        std::vector<std::string> lines;
        std::string reason;
    };
    auto shortEntry = UniformEntries(0);
    shortEntry[41] = "ab";
    auto badUnits = UniformEntries(0);
    badUnits[99] = std::string(1, static_cast<char>(58 + 6 + 99 % 55)) + "PM";
    auto badMinutes = UniformEntries(0);
    badMinutes[kPlutoEntryCount - 1] = badMinutes[kPlutoEntryCount - 1].substr(0, 2) + "x";
    auto tooFew = UniformEntries(0);
    tooFew.pop_back();
    const std::vector<Case> cases = {
        {"short entry", shortEntry, "Entry 42 (non-blank line 42) is not a valid longitude."},
        {"units", badUnits, "Entry 100 (non-blank line 100) is not a valid longitude."},
        {"minutes", badMinutes, "Entry 182623 (non-blank line 182623) is not a valid longitude."},
        {"too few", tooFew, "The file holds 182622 entries; 182623 are needed."},
    };
    const std::string path = dataFolder + kPlutoFileName;
    for (const auto& c : cases) {
        boxes.boxes.clear();
        WriteFile(c.lines);
        EXPECT_FALSE(Load()) << c.what;
        EXPECT_TRUE(PlutoTable.empty()) << c.what;
        ASSERT_EQ(boxes.boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes.boxes[0].text, "Cannot read Pluto data at\r\n" + path + "\r\n" + c.reason);
        EXPECT_EQ(boxes.boxes[0].title, "Startup error");
        EXPECT_EQ(boxes.boxes[0].icon, MsgIcon::Exclamation);
    }
}

// Entries that advance by `step` arcminutes a day, round and round the zodiac.
std::vector<std::string> SteadyEntries(int32_t step) {
    std::vector<std::string> lines;
    for (int32_t k = 0; k < kPlutoEntryCount; ++k) {
        lines.push_back(EncodePlutoEntry(k, (k * step) % 21600));
    }
    return lines;
}

TEST_F(PlutoTableTest, RefusesAStepBetweenNeighboursThatPlutoCannotMakeInADay) {
    // 5' a day is the most a table may step, across 0 degrees too.
    WriteFile(SteadyEntries(5));
    EXPECT_TRUE(Load());
    EXPECT_TRUE(boxes.boxes.empty());

    auto minute = SteadyEntries(5);
    minute[1000] = EncodePlutoEntry(1000, 1000 * 5 + 1);  // 6' after entry 1000, 4' before 1002
    auto degree = UniformEntries(7200);
    degree[kPlutoEntryCount - 1] = EncodePlutoEntry(kPlutoEntryCount - 1, 7260);
    auto wrapped = UniformEntries(21598);
    wrapped[55] = EncodePlutoEntry(55, 4);
    const std::string path = dataFolder + kPlutoFileName;
    for (const auto& [lines, reason] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {minute,
              "Entry 1001 (non-blank line 1001) is 6' from the entry before it; Pluto "
              "never moves more than 5' in a day."},
             {degree,
              "Entry 182623 (non-blank line 182623) is 60' from the entry before it; "
              "Pluto never moves more than 5' in a day."},
             {wrapped,
              "Entry 56 (non-blank line 56) is 6' from the entry before it; Pluto never "
              "moves more than 5' in a day."}}) {
        boxes.boxes.clear();
        WriteFile(lines);
        EXPECT_FALSE(Load()) << reason;
        EXPECT_TRUE(PlutoTable.empty());
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "Cannot read Pluto data at\r\n" + path + "\r\n" + reason);
    }
}

// Any change of a degree or unit character of the real table is a jump of a degree or more.
TEST_F(PlutoTableTest, RefusesTheGeneratedTableWithOneCharacterChanged) {
    std::vector<std::string> lines;
    ASSERT_EQ(ReadTextLines(std::string(ZENTHRA_DATA_DIR) + kPlutoFileName, lines, 0, true, true)
                  .errorText,
              "");
    WriteFile(lines);
    ASSERT_TRUE(Load());
    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> entries(0, kPlutoEntryCount - 1);
    for (int i = 0; i < 6; ++i) {
        auto changed = lines;
        const int32_t k = entries(random);
        changed[k][i % 2] = static_cast<char>(changed[k][i % 2] + (i < 2 ? 1 : -1));
        WriteFile(changed);
        EXPECT_FALSE(Load()) << "entry " << k + 1 << " character " << i % 2;
    }
}

TEST_F(PlutoTableTest, AFolderOrAPipeInPlaceOfTheTableIsRefusedByName) {
    const std::string path = dataFolder + kPlutoFileName;
    std::filesystem::create_directory(path);
    EXPECT_FALSE(Load());
    std::filesystem::remove(path);
    {
        testing::ReleasedFifo pipe(path);
        EXPECT_FALSE(Load());
    }
    ASSERT_EQ(boxes.boxes.size(), 2u);
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.text, "Cannot read Pluto data at\r\n" + path + "\r\nNot a regular file");
    }
}

TEST_F(PlutoTableTest, EnsureLoadsOnlyWhenARunNeedsPlutoAndOnlyOnce) {
    EXPECT_TRUE(EnsurePlutoTable("Mars", false, false, boxes));
    EXPECT_FALSE(plutoLoaded);
    EXPECT_TRUE(boxes.boxes.empty());

    // No file yet: the reader's error, then the run's own message.
    EXPECT_FALSE(EnsurePlutoTable("Pluto", false, false, boxes));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, "Cannot read Pluto data at\r\n" + dataFolder + kPlutoFileName +
                                       "\r\nNo such file or directory");
    EXPECT_EQ(boxes.boxes[1].text, "Cannot read Pluto data");
    EXPECT_EQ(boxes.boxes[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.boxes[1].title, "");
    EXPECT_FALSE(plutoLoaded);

    WriteFile(UniformEntries(0));
    for (const auto& [text, showAll, personal] :
         {std::tuple{"Pluto", false, false}, {"Mars", true, false}, {"Mars", false, true}}) {
        plutoLoaded = false;
        EXPECT_TRUE(EnsurePlutoTable(text, showAll, personal, boxes));
        EXPECT_TRUE(plutoLoaded);
    }

    std::filesystem::remove(folder / kPlutoFileName);
    EXPECT_TRUE(EnsurePlutoTable("Pluto", false, false, boxes));
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

// The generated table agrees with Swiss Ephemeris's own Pluto: at midnight within the half
// arcminute of rounding, between midnights within that plus the curvature of one day's path.
TEST(GeneratedPlutoTable, MatchesTheEphemeris) {
    constexpr double kMidnightToleranceDegrees = 0.5 / 60 + 1e-9;
    constexpr double kInterpolationToleranceDegrees = 0.5 / 60 + 0.001;
    RecordingMessageBoxes boxes;
    dataFolder = ZENTHRA_DATA_DIR;
    ASSERT_TRUE(LoadPlutoTable(kPlutoFileName, boxes));

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int32_t> days(kMoonFirstJdn, kMoonLastJdn);
    std::uniform_real_distribution<double> fraction(0, 1);
    double worst = 0;
    for (int i = 0; i < 2000; ++i) {
        const int32_t day = days(random);
        const double f = i % 2 == 0 ? 0 : fraction(random);
        const double t = day - 0.5 + f;
        const double table = Degrees(PlutoLongitude(t));
        const double swiss = Degrees(*SwissApparentLongitude(SE_PLUTO, t));
        const double error = std::abs(std::remainder(table - swiss, 360));
        worst = std::max(worst, error);
        ASSERT_LE(error, f == 0 ? kMidnightToleranceDegrees : kInterpolationToleranceDegrees)
            << "day " << day << " fraction " << f;
    }
    std::cout << "worst Pluto table error: " << worst * 3600 << " arcseconds\n";
    PlutoTable.clear();
}

}  // namespace
}  // namespace zenthra
