#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "calendar/CalendarLibrary.h"
#include "ephemeris/PlanetLongitude.h"
#include "support/ScratchFiles.h"

namespace zenthra {
namespace {

constexpr double kAyanamsa2000 = 0.416314;

int32_t Jdn(int32_t year, int32_t month, int32_t day) {
    CalendarDate date{year, month, day, kGregorianCalendar, 0, 0};
    return EuroDateToJdn(date);
}

// 0h UT of a day.
double Midnight(int32_t jdn) {
    return jdn - 0.5;
}

class PlanetLongitudeTest : public ::testing::Test {
  protected:
    void TearDown() override { SetDatafilesFolder(ZENTHRA_DATA_DIR); }
};

TEST_F(PlanetLongitudeTest, BodiesReachTheEphemerisUnderItsOwnNumbers) {
    const double t = 2460000.25;
    const int32_t libraryCode[] = {0, 3, 1, 2, 4, 5, 6, 7, 8};
    for (BodyCode body = kSun; body <= kNeptune; ++body) {
        double unused = 0;
        EXPECT_EQ(PlanetLongitude(body, t, Zodiac::Tropical),
                  GcAppLongRvPlanet(libraryCode[body], t, 2023, &unused))
            << "body " << body;
    }
    EXPECT_EQ(PlanetLongitude(kMoon, t, Zodiac::Tropical), MoonPos(t - 2451545));
}

TEST_F(PlanetLongitudeTest, MoonAnswersOnlyFrom1600To2099) {
    const int32_t first = Jdn(1600, 1, 1);
    const int32_t last = Jdn(2099, 12, 31);
    ASSERT_EQ(first, kMoonFirstJdn);
    ASSERT_EQ(last, kMoonLastJdn);

    EXPECT_EQ(PlanetLongitude(kMoon, first - 0.5 - 1e-6, Zodiac::Tropical), kBeforeRange);
    EXPECT_GE(PlanetLongitude(kMoon, first - 0.5, Zodiac::Tropical), 0);
    EXPECT_GE(PlanetLongitude(kMoon, last + 0.4999, Zodiac::Tropical), 0);
    EXPECT_EQ(PlanetLongitude(kMoon, last + 0.5, Zodiac::Tropical), kAfterRange);
}

TEST_F(PlanetLongitudeTest, PlanetsAnswerFromYearZeroTo2999) {
    ASSERT_EQ(Jdn(0, 1, 1), kEphemerisFirstJdn);
    ASSERT_EQ(Jdn(2999, 12, 31), kEphemerisLastJdn);
    for (BodyCode body = kSun; body <= kNeptune; ++body) {
        EXPECT_EQ(PlanetLongitude(body, Midnight(kEphemerisFirstJdn) - 0.001, Zodiac::Tropical),
                  kBeforeRange);
        const double first = PlanetLongitude(body, Midnight(kEphemerisFirstJdn), Zodiac::Tropical);
        const double last =
            PlanetLongitude(body, Midnight(kEphemerisLastJdn) + 0.999, Zodiac::Tropical);
        EXPECT_TRUE(first >= 0 && first < kFullTurn) << "body " << body << ": " << first;
        EXPECT_TRUE(last >= 0 && last < kFullTurn) << "body " << body << ": " << last;
        EXPECT_EQ(PlanetLongitude(body, Midnight(kEphemerisLastJdn + 1), Zodiac::Tropical),
                  kAfterRange);
    }
    EXPECT_EQ(PlanetLongitude(0, 2451545, Zodiac::Tropical), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(11, 2451545, Zodiac::Tropical), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kMars, std::nan(""), Zodiac::Tropical), kBeforeRange);
}

TEST_F(PlanetLongitudeTest, SiderealSubtractsAYearlyGrowingAyanamsa) {
    // 2000-03-26: the Sun stands below the ayanamsa, so the sidereal value wraps round.
    const double t2000 = Midnight(Jdn(2000, 3, 26));
    const double tropical = PlanetLongitude(kSun, t2000, Zodiac::Tropical);
    ASSERT_LT(tropical, kAyanamsa2000);
    EXPECT_NEAR(PlanetLongitude(kSun, t2000, Zodiac::Sidereal),
                tropical - kAyanamsa2000 + kFullTurn, 1e-12);

    // A century earlier the ayanamsa is 100 years of 243.8 microradians smaller; the Moon
    // is corrected as well.
    const double t1900 = Midnight(Jdn(1900, 7, 1));
    const double moon = PlanetLongitude(kMoon, t1900, Zodiac::Tropical);
    EXPECT_NEAR(PlanetLongitude(kMoon, t1900, Zodiac::Sidereal),
                NormaliseAngle(moon - (kAyanamsa2000 - 100 * 243.8e-6)), 1e-12);

    EXPECT_EQ(PlanetLongitude(kMoon, Midnight(kMoonFirstJdn - 1), Zodiac::Tropical), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kMars, Midnight(kEphemerisLastJdn + 1), Zodiac::Tropical),
              kAfterRange);
}

TEST(NormaliseAngle, BringsAnyAngleIntoOneTurn) {
    EXPECT_DOUBLE_EQ(NormaliseAngle(-0.5), 5.78318530717959);
    EXPECT_EQ(NormaliseAngle(6.28318530717959), 0);
    EXPECT_EQ(NormaliseAngle(0), 0);
    EXPECT_DOUBLE_EQ(NormaliseAngle(3 * 6.28318530717959 + 1), 1);
    EXPECT_EQ(NormaliseAngle(-1e-20), 0);
    const double huge = NormaliseAngle(1e300);
    EXPECT_TRUE(huge >= 0 && huge < kFullTurn);
    EXPECT_TRUE(std::isnan(NormaliseAngle(std::nan(""))));
}

TEST(YearOfInstant, IsTheCalendarYearOfTheUtDay) {
    EXPECT_EQ(YearOfInstant(2451544.5), 2000);
    EXPECT_EQ(YearOfInstant(2451544.4999), 1999);
    EXPECT_EQ(YearOfInstant(Midnight(Jdn(-500, 3, 1))), -500);
}

TEST_F(PlanetLongitudeTest, MissingDataFilesNeverGiveALessAccuratePosition) {
    SetEphemerisSearchPath("/nonexistent-ephemeris-folder");
    EXPECT_EQ(PlanetLongitude(kMars, Midnight(Jdn(1950, 1, 1)), Zodiac::Tropical), kBeforeRange);
    EXPECT_EQ(PlanetLongitude(kMars, Midnight(Jdn(2050, 1, 1)), Zodiac::Tropical), kAfterRange);
    EXPECT_EQ(PlanetLongitude(kMoon, Midnight(Jdn(2050, 1, 1)), Zodiac::Tropical), kAfterRange);
    EXPECT_EQ(EphemerisFault(), "The file sepl_18.se1 is missing.");
    EXPECT_EQ(ProbeEphemerisData(), "The file sepl_18.se1 is missing.");
    EXPECT_EQ(EphemerisDataMessage(),
              "The ephemeris data files cannot be read.\r\n"
              "The file sepl_18.se1 is missing.\r\n"
              "Folders searched: /nonexistent-ephemeris-folder\r\n"
              "Install the package swe-standard-data, and remove any damaged copy of its files "
              "from these folders.");

    SetDatafilesFolder(ZENTHRA_DATA_DIR);
    EXPECT_GE(PlanetLongitude(kMars, Midnight(Jdn(2050, 1, 1)), Zodiac::Tropical), 0);
    EXPECT_EQ(ProbeEphemerisData(), "");
}

// Data files beside the program, damaged in the ways found in the field, with the system's
// own files searched after them.
class DamagedDataTest : public PlanetLongitudeTest {
  protected:
    // Links to the system's data files, so that the folder holds every file but those made
    // otherwise.
    void LinkSystemFiles(const std::string& prefix) {
        for (const auto& entry : std::filesystem::directory_iterator(ZENTHRA_SYSTEM_EPHE_DIR)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(prefix) && name.ends_with(".se1") &&
                !std::filesystem::exists(scratch.path / name)) {
                std::filesystem::create_symlink(entry.path(), scratch.path / name);
            }
        }
    }

    std::string Damaged(const std::string& name) const {
        return "The file " + scratch.path.string() + "/" + name + " is damaged.";
    }

    testing::ScratchFolder scratch{"ephe"};
};

std::string SystemFileStart(const std::string& name, size_t length) {
    std::ifstream in(std::string(ZENTHRA_SYSTEM_EPHE_DIR) + "/" + name, std::ios::binary);
    std::string bytes(length, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(length));
    return bytes;
}

std::string Garbage(size_t length) {
    std::mt19937 random(18);
    std::string bytes;
    for (size_t i = 0; i < length; ++i) {
        bytes.push_back(static_cast<char>(random()));
    }
    return bytes;
}

TEST_F(DamagedDataTest, AnEmptyGarbledOrCutPlanetFileBesideTheProgramIsNamed) {
    const double t2026 = Midnight(Jdn(2026, 1, 1));
    for (const std::string& bytes :
         {std::string(), Garbage(5000), SystemFileStart("sepl_18.se1", 200000)}) {
        scratch.Write("sepl_18.se1", bytes);
        SetDatafilesFolder(scratch.Slashed());
        EXPECT_EQ(PlanetLongitude(kMars, t2026, Zodiac::Tropical), kAfterRange);
        EXPECT_EQ(ProbeEphemerisData(), Damaged("sepl_18.se1")) << bytes.size() << " bytes";
        EXPECT_EQ(EphemerisDataMessage(),
                  "The ephemeris data files cannot be read.\r\n" + Damaged("sepl_18.se1") +
                      "\r\nFolders searched: " + scratch.Slashed() + ", " +
                      ZENTHRA_SYSTEM_EPHE_DIR +
                      "\r\nInstall the package swe-standard-data, and remove any damaged copy "
                      "of its files from these folders.");
    }
}

TEST_F(DamagedDataTest, AFolderWithBlanksInItsNameIsNamedWhole) {
    const std::filesystem::path spaced = scratch.path / "my programs";
    std::filesystem::create_directory(spaced);
    std::ofstream(spaced / "sepl_18.se1").put('x');
    SetDatafilesFolder(spaced.string() + "/");
    EXPECT_EQ(ProbeEphemerisData(),
              "The file " + (spaced / "sepl_18.se1").string() + " is damaged.");
}

// The library keeps its flag without the Moon file and only says in its text that it used a
// coarser Moon, which every position of the Sun and the planets also needs.
TEST_F(DamagedDataTest, AMissingMoonFileIsFoundLikeAPlanetFile) {
    LinkSystemFiles("sepl");
    SetEphemerisSearchPath(scratch.path.string());
    const double t2026 = Midnight(Jdn(2026, 1, 1));
    EXPECT_EQ(PlanetLongitude(kMoon, t2026, Zodiac::Tropical), kAfterRange);
    EXPECT_EQ(PlanetLongitude(kSun, t2026, Zodiac::Tropical), kAfterRange);
    EXPECT_EQ(ProbeEphemerisData(), "The file semo_18.se1 is missing.");

    LinkSystemFiles("semo");
    SetEphemerisSearchPath(scratch.path.string());
    EXPECT_EQ(ProbeEphemerisData(), "");
    EXPECT_GE(PlanetLongitude(kMoon, t2026, Zodiac::Tropical), 0);
}

TEST_F(DamagedDataTest, APeriodIsProbedInEveryDataFileItSpans) {
    scratch.Write("sepl_12.se1", Garbage(5000));
    LinkSystemFiles("se");
    SetEphemerisSearchPath(scratch.path.string());
    const double year1000 = Midnight(Jdn(1000, 1, 1));
    const double year2500 = Midnight(Jdn(2500, 1, 1));
    EXPECT_GE(PlanetLongitude(kMars, year1000, Zodiac::Tropical), 0);
    EXPECT_GE(PlanetLongitude(kMars, year2500, Zodiac::Tropical), 0);
    EXPECT_EQ(ProbeEphemerisPeriod(year1000, year2500), Damaged("sepl_12.se1"));
    EXPECT_EQ(ProbeEphemerisPeriod(Midnight(Jdn(1810, 1, 1)), year2500), "");
    // Outside the declared range only its ends are asked.
    EXPECT_EQ(ProbeEphemerisPeriod(Midnight(Jdn(-900, 1, 1)), Midnight(Jdn(3500, 1, 1))),
              Damaged("sepl_12.se1"));
    EXPECT_EQ(ProbeEphemerisPeriod(std::nan(""), year2500), "");
}

TEST_F(DamagedDataTest, AFolderOrAPipeInPlaceOfADataFileIsRefusedByName) {
    std::filesystem::create_directory(scratch.path / "sepl_18.se1");
    SetDatafilesFolder(scratch.Slashed());
    const std::string notRegular =
        "The file " + (scratch.path / "sepl_18.se1").string() + " is not a regular file.";
    EXPECT_EQ(ProbeEphemerisData(), notRegular);
    std::filesystem::remove(scratch.path / "sepl_18.se1");
    {
        testing::ReleasedFifo pipe(scratch.path / "semo_18.se1");
        SetDatafilesFolder(scratch.Slashed());
        EXPECT_EQ(PlanetLongitude(kSun, Midnight(Jdn(2026, 1, 1)), Zodiac::Tropical), kAfterRange);
        EXPECT_EQ(ProbeEphemerisData(), "The file " + (scratch.path / "semo_18.se1").string() +
                                            " is not a regular file.");
    }
    {
        testing::ReleasedFifo pipe(scratch.path / "sepl_18.se1");
        SetDatafilesFolder(scratch.Slashed());
        EXPECT_EQ(ProbeEphemerisData(), notRegular);
    }
    SetDatafilesFolder(scratch.Slashed());
    EXPECT_EQ(ProbeEphemerisData(), "");
}

}  // namespace
}  // namespace zenthra
