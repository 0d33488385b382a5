// IANA zones typed into the window's zone entries: the birth time converted with the offset in
// force, results in local days with the abbreviation in force, and names the database lacks.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include "calendar/DatePr2.h"
#include "calendar/Zone.h"
#include "engine/AspectGeometry.h"
#include "ui/MemorySettingsStore.h"
#include "ui/RunFixture.h"

namespace zenthra::testing {
namespace {

const std::string kPersonalCaption = "Show all personal transits by Mars of natal Jupiter";
const std::string kWorldCaption = "Show all world transits between Sun and Jupiter";

// The exact minima of the pane: each date with "*" and the zone text after its time.
struct ExactText {
    std::string date;
    std::string time;
    std::string zone;
};

class ZoneEntryTest : public RunFixture {
  protected:
    void SetBirth(const std::string& date, int hour, int minute, const std::string& zone) {
        SetDate(w, 2, date);
        w.txbYear_LostFocus(2);
        w.cboHour.SetListIndex(hour + 1);
        w.cboMinute.SetListIndex(minute / 5 + 1);
        w.txbBirthZone.text = zone;
    }

    // Sun and Jupiter meet in every aspect a few times a year.
    void ChooseSunAndJupiter() {
        ChooseWorld(w);
        w.optWorld_Click();
        w.cboPlanet[0].SetListIndex(0);
        w.cboPlanet[1].SetListIndex(3);
    }

    std::vector<ExactText> ExactTexts() const {
        static const std::regex exact(R"((\d{4}-\d\d-\d\d)\*r?\s.*\s(\d\d:\d\d) ([A-Z]+))");
        std::vector<ExactText> found;
        const std::string& text = w.Pane().Text();
        for (size_t at = 0; at < text.size();) {
            const size_t end = std::min(text.find("\r\n", at), text.size());
            std::smatch m;
            const std::string line = text.substr(at, end - at);
            if (std::regex_search(line, m, exact)) {
                found.push_back({m[1], m[2], m[3]});
            }
            at = end + 2;
        }
        return found;
    }

    // The pane without its title lines and zone texts.
    std::string TableWithoutZones(const std::string& zoneText) const {
        std::string text = w.Pane().Text();
        text = text.substr(text.find("\r\n"));
        for (size_t at; (at = text.find(" " + zoneText)) != std::string::npos;) {
            text.erase(at, zoneText.size() + 1);
        }
        return text;
    }
};

TEST_F(ZoneEntryTest, ABirthTimeTakesTheOffsetInForceThen) {
    SetPeriod("2026-1-1", "2026-3-31");
    SetBirth("1985-8-13", 12, 0, "America/New_York");
    w.cboTimezone[1].SetListIndex(0);  // the entry stands in for the list
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    EXPECT_TRUE(p.boxes.boxes.empty());
    ASSERT_EQ(Titles().size(), 1u);
    EXPECT_TRUE(Titles()[0].ends_with("birth at Aug. 13, 1985, 12:00 EDT (tropical)"))
        << Titles()[0];
    // The same birth at the list's GMT-4:00, the offset of EDT.
    const double natal = w.request.natalLongitude[kJupiter];
    w.txbBirthZone.text = "";
    w.cboTimezone[1].SetListIndex(16);
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    EXPECT_NEAR(w.request.natalLongitude[kJupiter], natal, 1e-9);
}

TEST_F(ZoneEntryTest, SkippedBirthTimesAreRefusedRepeatedOnesTakeTheEarlier) {
    SetPeriod("2026-1-1", "2026-3-31");
    SetBirth("2024-3-31", 2, 30, "Europe/Berlin");
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Refused);
    EXPECT_EQ(Shown(p),
              (std::vector<Box>{{"The birth time 02:30 does not exist in Europe/Berlin on "
                                 "that day: the clocks were put forward.",
                                 MsgIcon::None, kPersonalCaption}}));
    p.boxes.boxes.clear();
    SetBirth("2024-10-27", 2, 30, "Europe/Berlin");
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    EXPECT_TRUE(p.boxes.boxes.empty());
    EXPECT_TRUE(Titles()[0].ends_with("birth at Oct. 27, 2024, 02:30 CEST (tropical)"));
    EXPECT_EQ(w.birthInstant, 1729989000);  // 2024-10-27 00:30 UT
}

TEST_F(ZoneEntryTest, ResultsCarryTheAbbreviationInForceAtEachExactMinimum) {
    ChooseSunAndJupiter();
    SetPeriod("2040-1-1", "2040-12-31");
    w.txbResultZone.text = "Europe/Berlin";
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    const std::vector<ExactText> exact = ExactTexts();
    ASSERT_GE(exact.size(), 4u);
    int summer = 0;
    for (const ExactText& e : exact) {
        // Summer time runs from the last Sunday of March to the last Sunday of October.
        const bool inSummer = e.date > "2040-03-25" && e.date < "2040-10-28";
        EXPECT_EQ(e.zone, inSummer ? "CEST" : "CET") << e.date;
        summer += inSummer ? 1 : 0;
    }
    EXPECT_GT(summer, 0);
    EXPECT_LT(summer, static_cast<int>(exact.size()));
}

// The picture puts each exact minimum where the pane says it happened, summer time or not.
TEST_F(ZoneEntryTest, TheTimelinePlacesExactMinimaAtTheLocalTimesOfThePane) {
    ChooseSunAndJupiter();
    SetPeriod("2040-1-1", "2040-12-31");
    w.txbResultZone.text = "Europe/Berlin";
    ASSERT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    ASSERT_EQ(w.cmdTimeline_Click().kind, OutcomeKind::Done);
    ASSERT_EQ(p.timelines.size(), 1u);
    std::vector<double> shown;
    for (const TimelineTransit& transit : p.timelines[0].transits) {
        for (const TimelineMinimum& minimum : transit.minima) {
            if (minimum.exact) {
                shown.push_back(minimum.at);
            }
        }
    }
    std::vector<double> printed;
    for (const ExactText& e : ExactTexts()) {
        const int32_t day =
            DateToJdn(std::stoi(e.date.substr(0, 4)), std::stoi(e.date.substr(5, 2)),
                      std::stoi(e.date.substr(8, 2)))
                .jdn;
        const int minutes = std::stoi(e.time.substr(0, 2)) * 60 + std::stoi(e.time.substr(3, 2));
        printed.push_back(day + minutes / 1440.0);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(printed.begin(), printed.end());
    ASSERT_EQ(shown.size(), printed.size());
    ASSERT_GE(printed.size(), 4u);
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_NEAR(shown[i], printed[i], 1.0 / 1440) << i;
    }
}

// Within one season a zone's local days are those of its offset then, so the tables agree with
// a run in the list's entry of that offset, but for the zone's text.
TEST_F(ZoneEntryTest, WithinASeasonResultsMatchTheListEntryOfTheOffsetInForce) {
    ChooseSunAndJupiter();
    const struct {
        std::string start, end;
        int listIndex;
        std::string zoneText;
    } seasons[] = {{"2024-4-1", "2024-10-26", 28, "CEST"}, {"2024-10-28", "2025-3-29", 26, "CET"}};
    for (const auto& season : seasons) {
        SetPeriod(season.start, season.end);
        w.txbResultZone.text = "";
        w.cboTimezone[0].SetListIndex(season.listIndex);
        ASSERT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
        const std::string listed = TableWithoutZones(w.cboTimezone[0].SelectedText());
        w.txbResultZone.text = "Europe/Berlin";
        ASSERT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
        EXPECT_EQ(TableWithoutZones(season.zoneText), listed) << season.start;
        EXPECT_FALSE(ExactTexts().empty());
    }
}

TEST_F(ZoneEntryTest, DaysBeginWhereAZoneSkipsOrDoublesItsMidnight) {
    // Havana moves its clocks at midnight: 2024-03-10 begins at 01:00 CDT, 2024-11-03 at the
    // first of its two midnights.
    const std::optional<Zone> havana = Zone::Find("America/Havana");
    ASSERT_TRUE(havana);
    EXPECT_EQ(LocalMidnight(2460380, 0, havana), 2460379.5 + 5.0 / 24);
    EXPECT_EQ(LocalMidnight(2460618, 0, havana), 2460617.5 + 4.0 / 24);
    ChooseSunAndJupiter();
    SetPeriod("2024-1-1", "2024-12-31");
    w.txbResultZone.text = "America/Havana";
    EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Done);
    EXPECT_TRUE(p.boxes.boxes.empty());
    for (const ExactText& e : ExactTexts()) {
        const bool inSummer = e.date >= "2024-03-10" && e.date < "2024-11-03";
        EXPECT_EQ(e.zone, inSummer ? "CDT" : "CST") << e.date;
    }
}

TEST_F(ZoneEntryTest, NamesTheDatabaseLacksAreRefusedWithTheirRole) {
    SetPeriod("2026-1-1", "2026-3-31");
    const std::string advice =
        "\" is unknown: enter a name of the tz database such as Europe/Berlin, or leave the "
        "field empty to use the list.";
    const std::string longName(4000, 'A');
    for (const std::string& bad : {std::string("Not/AZone"), std::string("../etc/passwd"),
                                   std::string("Europe/Zürich"), longName}) {
        const std::string shown = bad == longName ? std::string(64, 'A') + "…" : bad;
        p.boxes.boxes.clear();
        w.txbBirthZone.text = bad;
        EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Refused);
        EXPECT_EQ(Shown(p),
                  (std::vector<Box>{{"The time zone of the birth time \"" + shown + advice,
                                     MsgIcon::None, kPersonalCaption}}));
        p.boxes.boxes.clear();
        w.txbBirthZone.text = " ";
        w.txbResultZone.text = bad;
        EXPECT_EQ(w.cmdStart_Click().kind, OutcomeKind::Refused);
        EXPECT_EQ(Shown(p), (std::vector<Box>{{"The time zone of the results \"" + shown + advice,
                                               MsgIcon::None, kPersonalCaption}}));
        p.boxes.boxes.clear();
        EXPECT_EQ(w.cmdSearch_Click().kind, OutcomeKind::Refused);
        EXPECT_EQ(Shown(p), (std::vector<Box>{{"The time zone of the results \"" + shown + advice,
                                               MsgIcon::None, "Search"}}));
        w.txbResultZone.text = "";
    }
}

TEST_F(ZoneEntryTest, TypingOffersTheZoneNamesThatContainTheText) {
    w.txbResultZone.text = "kathm";
    w.txbResultZone.change();
    EXPECT_EQ(w.txbResultZone.list, (std::vector<std::string>{"Asia/Kathmandu"}));
    w.txbResultZone.SetListIndex(0);
    EXPECT_EQ(w.txbResultZone.text, "Asia/Kathmandu");
    w.txbBirthZone.text = "/";
    w.txbBirthZone.change();
    EXPECT_TRUE(w.txbBirthZone.list.empty());
    w.txbBirthZone.text = "europe/";
    w.txbBirthZone.change();
    EXPECT_EQ(w.txbBirthZone.list.size(), 12u);
}

TEST_F(ZoneEntryTest, TheHelpNamesTheTzDatabaseVersionInUse) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zenthra-zone-help-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "zta_help.txt") << "tz database @TZDATA_VERSION@.\n";
    p.programFolder = folder.string();
    w.cmdHelp_Click();
    EXPECT_EQ(w.frmView.txbText1.text, "tz database " + TzDatabaseVersion() + ".\n");
    std::filesystem::remove_all(folder);
}

TEST_F(ZoneEntryTest, TheEntriesAreSavedAndRestored) {
    MemorySettingsStore store;
    FakePlatform platform;
    FrmMain saved(platform, OutputPane::kWindowCapacity, &store);
    saved.Form_Load();
    saved.txbBirthZone.text = "Asia/Kathmandu";
    saved.txbResultZone.text = "Europe/Berlin";
    saved.cmdSaveState_Click();
    FrmMain restored(platform, OutputPane::kWindowCapacity, &store);
    restored.Form_Load();
    EXPECT_EQ(restored.txbBirthZone.text, "Asia/Kathmandu");
    EXPECT_EQ(restored.txbResultZone.text, "Europe/Berlin");
    EXPECT_TRUE(restored.txbBirthZone.visible);
}

}  // namespace
}  // namespace zenthra::testing
