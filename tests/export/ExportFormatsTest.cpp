#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "alltransits/AllTransitsTables.h"
#include "ephemeris/Angles.h"
#include "export/CsvExport.h"
#include "export/ExportReading.h"
#include "export/Exports.h"
#include "export/JsonExport.h"
#include "support/Process.h"
#include "support/ScratchFiles.h"

namespace zenthra {
namespace {

using testing::Column;
using testing::Jdn;
using testing::ParseCsv;
using testing::ParseICalendar;
using testing::UtcMinutesOf;

constexpr int16_t kGmtPlus530 = 330;
const std::string kTitle =
    "World transits for Mars and Jupiter from January 1, 2009, to December "
    "31, 2009 ('r' = Mars retrograde)";

// 2009-04-15 09:02 UTC, 14:32 in GMT+5:30.
double ExactInstantUt() {
    return Jdn(2009, 4, 15) - 0.5 + (9 * 60 + 2) / 1440.0;
}
int64_t ExactUtcMinutes() {
    constexpr int32_t kJdnOf1970 = 2440588;
    return (Jdn(2009, 4, 15) - kJdnOf1970) * int64_t{1440} + 9 * 60 + 2;
}

// Mars square Jupiter: an exact minimum inside all three orbs, then a closest approach of
// 0°12' while Mars is retrograde, outside the inner orb.
ExportedTable WorldTable(const std::string& zone = "GMT+5:30") {
    ExportedTable table;
    table.settings = {true,       kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31),
                      {10, 5, 2}, false, {},       kTitle};
    table.transits.tzMinutes = kGmtPlus530;
    table.transits.timezoneText = zone;
    Transit transit;
    transit.aspect = kSquare;
    transit.firstBody = kMars;
    transit.secondBody = kJupiter;
    transit.passages = {
        {kOuterOrb, 0, MarkedDay{Jdn(2009, 3, 1), false}, MarkedDay{Jdn(2009, 6, 1), true}},
        {kMiddleOrb, 0, MarkedDay{Jdn(2009, 3, 20), false}, MarkedDay{Jdn(2009, 5, 10), true}},
        {kInnerOrb, 1, MarkedDay{Jdn(2009, 4, 10), false}, MarkedDay{Jdn(2009, 4, 20), false}}};
    transit.minima = {{1, ExactMinimum{ExactInstantUt(), false}},
                      {2, DailyMinimum{Jdn(2009, 5, 1), 0.2 * kFullTurn / 360, true}}};
    table.transits.transits = {transit};
    return table;
}

ExportedRuns WorldRuns(const std::string& zone = "GMT+5:30") {
    return {"run", {WorldTable(zone)}};
}

ExportedTable PersonalTable(int32_t birthDay) {
    ExportedTable table = WorldTable();
    table.settings.world = false;
    table.settings.secondBody = kSun;
    table.settings.birth = BirthSettings{birthDay, "14:30", "GMT"};
    return table;
}

// Jupiter square natal Sun from a period's start (24:00 of the day before) to 09:12 local.
ExportedAllTransits AllTransits() {
    AllTransitsTransit transit{kJupiter,
                               kSquare,
                               kSun,
                               {Jdn(2022, 12, 31), 0, true},
                               {Jdn(2023, 2, 20), Jdn(2023, 2, 20) + 9.2 / 24, false,
                                LocalDayToUt(Jdn(2023, 2, 20) + 9.2 / 24, 60)}};
    return {Jdn(2023, 1, 1),
            Jdn(2023, 12, 31),
            {Jdn(1950, 3, 7), "14:30", "GMT+1"},
            60,
            {{1, {}}, {3, {transit}}}};
}

// 2009-12-20 09:02 UTC, shifted by whole minutes.
double EventInstant(int minutes) {
    return ExactInstantUt() + (Jdn(2009, 12, 20) - Jdn(2009, 4, 15)) + minutes / 1440.0;
}

// The run above with Mars turning retrograde at 10°35' Leo, then backing into Cancer.
ExportedRuns RunsWithEvents() {
    ExportedRuns runs = WorldRuns();
    runs.tables[0].transits.events = {
        {BodyEventKind::StationRetrograde, kMars, EventInstant(0), (120 + 10.59) * kFullTurn / 360},
        {BodyEventKind::Ingress, kMars, EventInstant(90 * 1440), (119.99999) * kFullTurn / 360,
         true}};
    return runs;
}

std::string ExportOf(const ExportedRuns& runs, ExportFormat format, bool spans = true,
                     int64_t stamp = 1'700'000'000) {
    return ExportText(runs, format, {spans, stamp}).value_or("");
}

class GermanVocabulary : public ::testing::Test {
  protected:
    void SetUp() override { Load(1); }
    void TearDown() override { Load(0); }
    static void Load(int16_t language) {
        languageSetting = language;
        InitVocabulary(ZENTHRA_DATA_DIR);
    }
};

TEST(ExportFormatNames, ConsoleNamesAndFileEndingsChooseTheFormat) {
    EXPECT_EQ(ExportFormatNamed("text"), ExportFormat::Text);
    EXPECT_EQ(ExportFormatNamed("csv"), ExportFormat::Csv);
    EXPECT_EQ(ExportFormatNamed("ics"), ExportFormat::ICalendar);
    EXPECT_EQ(ExportFormatNamed("json"), ExportFormat::Json);
    EXPECT_EQ(ExportFormatNamed("CSV"), std::nullopt);
    EXPECT_EQ(ExportFormatNamed("xml"), std::nullopt);

    EXPECT_EQ(ExportFormatOfPath("/tmp/a.csv"), ExportFormat::Csv);
    EXPECT_EQ(ExportFormatOfPath("/tmp/Transits.ICS"), ExportFormat::ICalendar);
    EXPECT_EQ(ExportFormatOfPath("b.json"), ExportFormat::Json);
    EXPECT_EQ(ExportFormatOfPath("a.txt"), std::nullopt);
    EXPECT_EQ(ExportFormatOfPath("a.text"), std::nullopt);
    EXPECT_EQ(ExportFormatOfPath("csv"), std::nullopt);
    EXPECT_EQ(ExportFormatOfPath(""), std::nullopt);

    EXPECT_EQ(ExportText(AllTransits(), ExportFormat::ICalendar), std::nullopt);
    EXPECT_EQ(ExportText(WorldRuns(), ExportFormat::Text, {}), std::nullopt);
}

TEST(CsvExport, FieldsWithCommasQuotesOrLineBreaksAreQuotedAndOthersLeftAsTheyAre) {
    EXPECT_EQ(CsvField("Mars"), "Mars");
    EXPECT_EQ(CsvField("Zürich"), "Zürich");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"r\""), "\"say \"\"r\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(CsvRecord({"a", "b,c", ""}), "a,\"b,c\",\r\n");
}

TEST(CsvExport, OneRecordPerMinimumWithTheOrbDaysAroundItAndTheExactInstant) {
    const std::string text = ExportOf(WorldRuns(), ExportFormat::Csv);
    const auto csv = ParseCsv(text);
    EXPECT_TRUE(csv.crLfOnly);
    ASSERT_EQ(csv.records.size(), 3u);
    EXPECT_EQ(csv.records[0], (std::vector<std::string>{
                                  "kind", "transiting", "second", "aspect", "outer_entry",
                                  "outer_exit", "middle_entry", "middle_exit", "inner_entry",
                                  "inner_exit", "minimum_date", "exact", "exact_utc", "local_date",
                                  "local_time", "zone", "angle_degrees", "retrograde"}));
    EXPECT_EQ(csv.records[1], (std::vector<std::string>{
                                  "world", "Mars", "Jupiter", "square", "2009-03-01", "2009-06-01",
                                  "2009-03-20", "2009-05-10", "2009-04-10", "2009-04-20",
                                  "2009-04-15", "yes", "2009-04-15T09:02:00Z", "2009-04-15",
                                  "14:32", "GMT+5:30", "", "outer_exit middle_exit"}));
    EXPECT_EQ(csv.records[2],
              (std::vector<std::string>{"world", "Mars", "Jupiter", "square", "2009-03-01",
                                        "2009-06-01", "2009-03-20", "2009-05-10", "", "",
                                        "2009-05-01", "no", "", "", "", "GMT+5:30", "0.2000",
                                        "outer_exit middle_exit minimum_date"}));
}

TEST(CsvExport, WithoutRetrogradeMarksInThePaneNoneAreExported) {
    ExportedRuns runs = WorldRuns();
    runs.tables[0].transits.retrogradeMarked = false;
    const auto csv = ParseCsv(ExportOf(runs, ExportFormat::Csv));
    EXPECT_EQ(Column(csv, 1, "retrograde"), "");
    EXPECT_EQ(Column(csv, 2, "retrograde"), "");
}

TEST_F(GermanVocabulary, CsvKeepsGermanNamesAndQuotesANonAsciiZoneWithCommaAndQuotes) {
    const std::string zone = "Zürich, \"MEZ\"";
    const std::string text = ExportOf(WorldRuns(zone), ExportFormat::Csv);
    EXPECT_NE(text.find(",\"Zürich, \"\"MEZ\"\"\","), std::string::npos);
    const auto csv = ParseCsv(text);
    ASSERT_EQ(csv.records.size(), 3u);
    EXPECT_EQ(Column(csv, 1, "transiting"), "Mars");
    EXPECT_EQ(Column(csv, 1, "aspect"), "Quadrat");
    EXPECT_EQ(Column(csv, 1, "zone"), zone);
    EXPECT_EQ(Column(csv, 2, "zone"), zone);
    EXPECT_EQ(csv.records[1].size(), csv.records[0].size());
}

TEST(CsvExport, AllTransitsRowsCarryTheMinutesTheOrbWasEnteredAndLeft) {
    const auto csv = ParseCsv(ExportText(AllTransits(), ExportFormat::Csv).value_or(""));
    ASSERT_EQ(csv.records.size(), 2u);
    EXPECT_EQ(csv.records[1],
              (std::vector<std::string>{"3", "Jupiter", "square", "Sun", "2022-12-31T23:00:00Z",
                                        "2023-01-01", "00:00", "yes", "2023-02-20T08:12:00Z",
                                        "2023-02-20", "09:12", "no", "GMT+1"}));
}

TEST(ICalendarExport, TimedEventsAtExactMinimaAllDayEventsForClosestApproachesAndSpans) {
    const auto events = ParseICalendar(ExportOf(WorldRuns(), ExportFormat::ICalendar));
    ASSERT_EQ(events.size(), 3u);

    const auto& span = events[0];
    EXPECT_EQ(span.summary, "Mars square Jupiter (10° orb)");
    EXPECT_TRUE(span.start.is_date);
    EXPECT_EQ(std::make_tuple(span.start.year, span.start.month, span.start.day),
              std::make_tuple(2009, 3, 1));
    EXPECT_EQ(std::make_tuple(span.end.year, span.end.month, span.end.day),
              std::make_tuple(2009, 6, 2));

    const auto& exact = events[1];
    EXPECT_EQ(exact.summary, "Mars square Jupiter (exact)");
    EXPECT_FALSE(exact.start.is_date);
    EXPECT_EQ(UtcMinutesOf(exact.start), ExactUtcMinutes());
    EXPECT_EQ(UtcMinutesOf(exact.end), ExactUtcMinutes() + 1);

    const auto& closest = events[2];
    EXPECT_EQ(closest.summary, "Mars square Jupiter (closest 0°12')");
    EXPECT_TRUE(closest.start.is_date);
    EXPECT_EQ(std::make_tuple(closest.start.year, closest.start.month, closest.start.day),
              std::make_tuple(2009, 5, 1));
    EXPECT_EQ(closest.end.day, 2);

    EXPECT_EQ(exact.description,
              kTitle +
                  "\nEnters 10° orb: 2009-03-01\nLeaves 10° orb: 2009-06-01r"
                  "\nEnters 5° orb: 2009-03-20\nLeaves 5° orb: 2009-05-10r"
                  "\nEnters 2° orb: 2009-04-10\nLeaves 2° orb: 2009-04-20"
                  "\nMinimum at 2009-04-15*: 14:32 GMT+5:30\nMinimum at 2009-05-01r: 0°12'"
                  "\nr = Mars retrograde");
    EXPECT_EQ(span.description, exact.description);
}

TEST(ICalendarExport, AllDaySpansCanBeLeftOut) {
    const auto events = ParseICalendar(ExportOf(WorldRuns(), ExportFormat::ICalendar, false));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].summary, "Mars square Jupiter (exact)");
    EXPECT_EQ(events[1].summary, "Mars square Jupiter (closest 0°12')");
}

TEST(ICalendarExport, IdentifiersStayTheSameAcrossExportsAndDifferBetweenPeopleAndEvents) {
    const auto first = ParseICalendar(ExportOf(WorldRuns(), ExportFormat::ICalendar, true, 1));
    const auto second = ParseICalendar(ExportOf(WorldRuns(), ExportFormat::ICalendar, true, 2));
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(first[0].uid, "zenthra-world-4-3-5-span-20090301@zenthra");
    EXPECT_EQ(first[1].uid, "zenthra-world-4-3-5-exact-20090415T0902Z@zenthra");
    EXPECT_EQ(first[2].uid, "zenthra-world-4-3-5-closest-20090501@zenthra");
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].uid, second[i].uid);
    }

    const auto one = ParseICalendar(
        ExportOf({"run", {PersonalTable(Jdn(1960, 6, 5))}}, ExportFormat::ICalendar));
    const auto other = ParseICalendar(
        ExportOf({"run", {PersonalTable(Jdn(1961, 6, 5))}}, ExportFormat::ICalendar));
    ASSERT_EQ(one.size(), 3u);
    EXPECT_EQ(one[1].uid,
              "zenthra-personal-tropical-19600605T1430-4-3-1-exact-20090415T0902Z@zenthra");
    EXPECT_EQ(one[1].summary, "Mars square natal Sun (exact)");
    EXPECT_NE(one[1].uid, other[1].uid);
}

TEST_F(GermanVocabulary, ICalendarSummariesUseTheVocabulary) {
    const auto events = ParseICalendar(ExportOf(WorldRuns(), ExportFormat::ICalendar));
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].summary, "Mars Quadrat Jupiter (exact)");
    EXPECT_EQ(events[1].uid, "zenthra-world-4-3-5-exact-20090415T0902Z@zenthra");
}

TEST(JsonExport, SettingsAndTransitsAsValuesWithInstantsInUtcAndWithTheOffset) {
    const auto document = nlohmann::json::parse(ExportOf(WorldRuns(), ExportFormat::Json));
    EXPECT_EQ(document["format_version"], 1);
    EXPECT_EQ(document["command"], "run");
    const auto& table = document["tables"][0];
    EXPECT_EQ(table["settings"]["kind"], "world");
    EXPECT_EQ(table["settings"]["period"]["start"], "2009-01-01");
    EXPECT_EQ(table["settings"]["orbs"]["middle"], 5);
    EXPECT_FALSE(table["settings"].contains("birth"));
    const auto& transit = table["transits"][0];
    EXPECT_EQ(transit["aspect"], "square");
    EXPECT_EQ(transit["passages"].size(), 3u);
    EXPECT_EQ(transit["passages"][0]["exit"]["retrograde"], true);
    const auto& exact = transit["minima"][0];
    EXPECT_EQ(exact["instant"]["utc"], "2009-04-15T09:02:00Z");
    EXPECT_EQ(exact["instant"]["local"], "2009-04-15T14:32:00+05:30");
    const auto& closest = transit["minima"][1];
    EXPECT_EQ(closest["exact"], false);
    EXPECT_DOUBLE_EQ(closest["angle_degrees"].get<double>(), 0.2);
    EXPECT_TRUE(closest["orbs"][2]["entry"].is_null());

    const auto personal = nlohmann::json::parse(
        ExportOf({"run", {PersonalTable(Jdn(1960, 6, 5))}}, ExportFormat::Json));
    EXPECT_EQ(personal["tables"][0]["settings"]["birth"],
              (nlohmann::json{{"date", "1960-06-05"}, {"time", "14:30"}, {"zone", "GMT"}}));
}

TEST(JsonExport, AllTransitsCarryBothEndsWithThePeriodEdgeMarked) {
    const auto document =
        nlohmann::json::parse(ExportText(AllTransits(), ExportFormat::Json).value());
    EXPECT_EQ(document["command"], "all-transits");
    EXPECT_EQ(document["orbs"][0]["transits"].size(), 0u);
    const auto& transit = document["orbs"][1]["transits"][0];
    EXPECT_EQ(transit["start"]["utc"], "2022-12-31T23:00:00Z");
    EXPECT_EQ(transit["start"]["period_edge"], true);
    EXPECT_EQ(transit["end"]["local"], "2023-02-20T09:12:00+01:00");
    EXPECT_EQ(transit["end"]["period_edge"], false);
}

// In a named zone each end carries the offset and abbreviation in force at it.
ExportedAllTransits AllTransitsInBerlin() {
    ExportedAllTransits all = AllTransits();
    all.zone = ReportZone(Zone::Find("Europe/Berlin").value());
    const int32_t july = Jdn(2023, 7, 1);
    all.orbs[1].transits[0].end = {july, july + 9.2 / 24, false, july - 0.5 + 7.2 / 24};
    return all;
}

TEST(JsonExport, AllTransitsInANamedZoneCarryTheOffsetsInForce) {
    const auto document =
        nlohmann::json::parse(ExportText(AllTransitsInBerlin(), ExportFormat::Json).value());
    EXPECT_TRUE(document["settings"]["zone_offset_minutes"].is_null());
    EXPECT_EQ(document["settings"]["zone"], "Europe/Berlin");
    const auto& transit = document["orbs"][1]["transits"][0];
    EXPECT_EQ(transit["start"]["utc"], "2022-12-31T23:00:00Z");
    EXPECT_EQ(transit["start"]["local"], "2023-01-01T00:00:00+01:00");
    EXPECT_EQ(transit["start"]["zone"], "CET");
    EXPECT_EQ(transit["end"]["utc"], "2023-07-01T07:12:00Z");
    EXPECT_EQ(transit["end"]["local"], "2023-07-01T09:12:00+02:00");
    EXPECT_EQ(transit["end"]["zone"], "CEST");
    const auto csv = ParseCsv(ExportText(AllTransitsInBerlin(), ExportFormat::Csv).value());
    ASSERT_EQ(csv.records.size(), 2u);
    EXPECT_EQ(csv.records[1].back(), "CEST");
}

// The exports of every kind validate against the schema shipped with them, and a document that
// breaks it does not.
TEST(JsonExport, DocumentsValidateAgainstTheSchema) {
    testing::ScratchFolder folder("export-schema");
    const auto validates = [&folder](const std::string& name, const std::string& json) {
        folder.Write(name, json);
        return testing::RunCommand("python3 " ZENTHRA_JSON_VALIDATOR " " + folder.Slashed() + name +
                                   " " ZENTHRA_EXPORT_SCHEMA)
                   .status == 0;
    };
    ExportedRuns personal{"show-all", {PersonalTable(Jdn(1960, 6, 5)), WorldTable()}};
    EXPECT_TRUE(validates("run.json", ExportOf(WorldRuns(), ExportFormat::Json)));
    EXPECT_TRUE(validates("show-all.json", ExportOf(personal, ExportFormat::Json)));
    EXPECT_TRUE(validates("all.json", ExportText(AllTransits(), ExportFormat::Json).value()));
    EXPECT_TRUE(
        validates("berlin.json", ExportText(AllTransitsInBerlin(), ExportFormat::Json).value()));
    EXPECT_FALSE(validates("broken.json", R"({"format_version": 1, "command": "run"})"));
}

TEST(EventExports, WithoutListedEventsTheExportsHoldNone) {
    EXPECT_EQ(ParseCsv(ExportOf(WorldRuns(), ExportFormat::Csv)).records.size(), 3u);
    EXPECT_EQ(ParseICalendar(ExportOf(WorldRuns(), ExportFormat::ICalendar)).size(), 3u);
    const auto document = nlohmann::json::parse(ExportOf(WorldRuns(), ExportFormat::Json));
    EXPECT_FALSE(document["tables"][0].contains("events"));
}

TEST(EventExports, CsvAppendsARowPerEventAfterTheTransitsLeavingThoseAsTheyWere) {
    const std::string plain = ExportOf(WorldRuns(), ExportFormat::Csv);
    const std::string text = ExportOf(RunsWithEvents(), ExportFormat::Csv);
    ASSERT_TRUE(text.starts_with(plain));
    const auto csv = ParseCsv(text);
    ASSERT_EQ(csv.records.size(), 5u);
    EXPECT_EQ(csv.records[3],
              (std::vector<std::string>{"station", "Mars", "Leo", "retrograde", "", "", "", "", "",
                                        "", "2009-12-20", "yes", "2009-12-20T09:02:00Z",
                                        "2009-12-20", "14:32", "GMT+5:30", "10.5900", ""}));
    EXPECT_EQ(csv.records[4],
              (std::vector<std::string>{"ingress", "Mars", "Cancer", "", "", "", "", "", "", "",
                                        "2010-03-20", "yes", "2010-03-20T09:02:00Z", "2010-03-20",
                                        "14:32", "GMT+5:30", "29.9999", "minimum_date"}));
}

TEST(EventExports, ICalendarHasAMinuteAtEachEventWithOneIdentifierPerEvent) {
    ExportedRuns runs = RunsWithEvents();
    runs.tables.push_back(runs.tables[0]);
    const auto events = ParseICalendar(ExportOf(runs, ExportFormat::ICalendar, false));
    // Two transit events per table, and each station or ingress once.
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[2].summary, "Mars turns retrograde");
    EXPECT_EQ(events[2].uid, "zenthra-4-station-retrograde-20091220T0902Z@zenthra");
    EXPECT_EQ(UtcMinutesOf(events[2].start),
              ExactUtcMinutes() + (Jdn(2009, 12, 20) - Jdn(2009, 4, 15)) * 1440);
    EXPECT_EQ(UtcMinutesOf(events[2].end), UtcMinutesOf(events[2].start) + 1);
    EXPECT_EQ(events[2].description,
              kTitle + "\n2009-12-20 14:32 GMT+5:30: Mars stations retrograde, 10°35' Leo");
    EXPECT_EQ(events[3].summary, "Mars re-enters Cancer");
    EXPECT_EQ(events[3].uid, "zenthra-4-ingress-20100320T0902Z@zenthra");
    EXPECT_EQ(events[4].summary, "Mars square Jupiter (exact)");
}

TEST(EventExports, JsonListsTheEventsOfTheTableAndValidates) {
    const std::string text = ExportOf(RunsWithEvents(), ExportFormat::Json);
    const auto document = nlohmann::json::parse(text);
    EXPECT_EQ(document["format_version"], 1);
    const auto& events = document["tables"][0]["events"];
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["kind"], "station");
    EXPECT_EQ(events[0]["body"], "Mars");
    EXPECT_EQ(events[0]["sign"], "Leo");
    EXPECT_NEAR(events[0]["degrees_in_sign"].get<double>(), 10.59, 1e-9);
    EXPECT_EQ(events[0]["retrograde"], true);
    EXPECT_EQ(events[0]["instant"]["local"], "2009-12-20T14:32:00+05:30");
    EXPECT_EQ(events[1]["kind"], "ingress");
    EXPECT_EQ(events[1]["sign"], "Cancer");
    EXPECT_EQ(events[1]["retrograde"], true);

    testing::ScratchFolder folder("export-events-schema");
    folder.Write("events.json", text);
    EXPECT_EQ(testing::RunCommand("python3 " ZENTHRA_JSON_VALIDATOR " " + folder.Slashed() +
                                  "events.json " ZENTHRA_EXPORT_SCHEMA)
                  .status,
              0);
    nlohmann::json broken = document;
    broken["tables"][0]["events"][0]["kind"] = "eclipse";
    folder.Write("broken.json", broken.dump());
    EXPECT_NE(testing::RunCommand("python3 " ZENTHRA_JSON_VALIDATOR " " + folder.Slashed() +
                                  "broken.json " ZENTHRA_EXPORT_SCHEMA)
                  .status,
              0);
}

}  // namespace
}  // namespace zenthra
