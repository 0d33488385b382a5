// The report and day file layouts from hand-made records, the three sort orders, and the
// token, duration and file helpers they rest on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <tuple>

#include "alltransits/AllTransitsHarness.h"
#include "alltransits/AllTransitsRecord.h"
#include "alltransits/AllTransitsReport.h"
#include "alltransits/DaysFile.h"
#include "alltransits/QuickSort.h"
#include "alltransits/ReportFiles.h"
#include "support/FullDisk.h"

namespace zenthra {
namespace {

using testing::Jdn;
using testing::Lines;
using testing::ReadFile;

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A record from its parts: instants as local day values, the day before the period or its last
// day at an edge.
std::string Record(BodyCode t, AspectCode a, BodyCode n, double start, bool fromEdge, double end,
                   bool toEdge) {
    const auto day = [](double value) { return static_cast<int32_t>(std::floor(value)); };
    return TransitRecordText({t, a, n, {day(start), start, fromEdge}, {day(end), end, toEdge}}, 2,
                             60);
}

double At(int32_t day, int hours, int minutes) {
    return day + (hours * 60 + minutes) / 1440.0;
}

class ReportLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::LoadVocabulary();
        in.path = folder.File("report_1orb.txt");
        in.style = 2;
        in.birthText = "1950-03-07 14:30 GMT+1";
        in.startJdn = start;
        in.endJdn = end;
        in.zone = ReportZone(60);
        in.orb = 1;
    }

    // The report written and moved into place.
    int16_t Write(std::vector<std::string>& records, DaysTable* days) {
        ReportFileSet files;
        const int16_t code = WriteAllTransitsReport(in, records, days, window, files);
        return code == 0 && !files.CommitAll() ? 1 : code;
    }

    // Four transits of 2023-01-01 to 2023-01-10 in GMT+1: two already in effect at the start
    // (one of them until the end), one that starts later but ends before them.
    std::vector<std::string> FourTransits() {
        const int32_t before = start - 1;
        std::vector<std::string> records = {
            Record(kSun, kConjunction, kMars, At(start + 2, 4, 12), false, At(start + 4, 6, 40),
                   false),
            Record(kPluto, kSquare, kMoon, before, true, end, true),
            Record(kMercury, kTrine, kSun, At(start + 1, 10, 0), false, At(start + 3, 8, 0), false),
            Record(kJupiter, kSquare, kSun, before, true, At(start + 4, 6, 40), false),
        };
        in.transitingCounts[kSun] = in.transitingCounts[kMercury] = 1;
        in.transitingCounts[kJupiter] = in.transitingCounts[kPluto] = 1;
        in.natalCounts[kSun] = 2;
        in.natalCounts[kMars] = in.natalCounts[kMoon] = 1;
        return records;
    }

    testing::TestFolder folder;
    testing::RecordingAllTransitsWindow window;
    const int32_t start = Jdn(2023, 1, 1);
    const int32_t end = Jdn(2023, 1, 10);
    AllTransitsReportInputs in;
};

TEST_F(ReportLayout, HeaderCountsAndTheThreeSections) {
    std::vector<std::string> records = FourTransits();
    DaysTable days(start, end);
    ASSERT_EQ(Write(records, &days), 0);
    const std::string rule(65, '=');
    EXPECT_EQ(
        ReadFile(in.path),
        Joined({"", rule, "PERSONAL TRANSITS FOR A PERSON BORN 1950-03-07 14:30 GMT+1",
                "FOR THE PERIOD 2022-12-31 24:00 GMT+1 TO 2023-01-10 24:00 GMT+1",
                "WITH ORB = 1 DEGREE", rule, "",
                "With this orb value there are a total of 4 transits in this period.",
                "Transits by transiting planet: Sun 1, Mercury 1, ", "     Jupiter 1, Pluto 1",
                "Transits of natal planet: Sun 2, Mars 1, ", "     Moon 1", "",
                "Transits ordered by start date", std::string(30, '-'),
                "--  Transits already in effect at start of period:",
                "Jupiter square Sun, 2022-12-31 24:00 GMT+1*, 2023-01-05 06:40 GMT+1",
                "Pluto square Moon, 2022-12-31 24:00 GMT+1*, 2023-01-10 24:00 GMT+1*",
                "--- Transits beginning after start of period:",
                "Mercury trine Sun, 2023-01-02 10:00 GMT+1, 2023-01-04 08:00 GMT+1 (1d 22h 0m)",
                "Sun conjunct Mars, 2023-01-03 04:12 GMT+1, 2023-01-05 06:40 GMT+1 (2d 2h 28m)", "",
                "Transits ordered by transiting planet", std::string(37, '-'),
                "Sun conjunct Mars, 2023-01-03 04:12 GMT+1, 2023-01-05 06:40 GMT+1",
                "Mercury trine Sun, 2023-01-02 10:00 GMT+1, 2023-01-04 08:00 GMT+1",
                "Jupiter square Sun, 2022-12-31 24:00 GMT+1*, 2023-01-05 06:40 GMT+1",
                "Pluto square Moon, 2022-12-31 24:00 GMT+1*, 2023-01-10 24:00 GMT+1*", "",
                "Transits ordered by natal planet", std::string(32, '-'),
                // Natal Sun: Mercury ends first although Jupiter began first.
                "Mercury trine Sun, 2023-01-02 10:00 GMT+1, 2023-01-04 08:00 GMT+1",
                "Jupiter square Sun, 2022-12-31 24:00 GMT+1*, 2023-01-05 06:40 GMT+1",
                "Sun conjunct Mars, 2023-01-03 04:12 GMT+1, 2023-01-05 06:40 GMT+1",
                "Pluto square Moon, 2022-12-31 24:00 GMT+1*, 2023-01-10 24:00 GMT+1*"}));
    // One pause per record and section; the records keep only their natal key and text.
    EXPECT_EQ(window.yields, 12);
    EXPECT_EQ(records.back().substr(0, 2), "10");
}

TEST_F(ReportLayout, TheDayFileKeepsContinuingTransitsInTheirColumns) {
    std::vector<std::string> records = FourTransits();
    DaysTable days(start, end);
    ASSERT_EQ(Write(records, &days), 0);
    EXPECT_EQ(
        ReadFile(folder.File("report_1orb_days.txt")),
        Joined({"Personal planetary transits (relative to a 1-degree orb)",
                "in effect for a person born 1950-03-07 14:30 GMT+1",
                "for the period 2023-01-01 through 2023-01-10 are as follows:", "",
                // In effect at the start: listed from the first day.
                "2023-01-01: Ju.sqr.Su Pl.sqr.Mo", "2023-01-02: Ju.sqr.Su Pl.sqr.Mo Me.tri.Su",
                "2023-01-03: Ju.sqr.Su Pl.sqr.Mo Me.tri.Su Su.con.Ma",
                // Mercury's last day is listed.
                "2023-01-04: Ju.sqr.Su Pl.sqr.Mo Me.tri.Su Su.con.Ma",
                "2023-01-05: Ju.sqr.Su Pl.sqr.Mo Su.con.Ma", "2023-01-06: Pl.sqr.Mo",
                "2023-01-07: Pl.sqr.Mo", "2023-01-08: Pl.sqr.Mo", "2023-01-09: Pl.sqr.Mo",
                "2023-01-10: Pl.sqr.Mo"}));
}

TEST_F(ReportLayout, WithoutTransitsTheListsAreEmptyAndNoSubHeadings) {
    std::vector<std::string> none;
    in.orb = 5;
    ASSERT_EQ(Write(none, nullptr), 0);
    const std::vector<std::string> lines = Lines(ReadFile(in.path));
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[4], "WITH ORB = 5 DEGREES");
    EXPECT_EQ(lines[7], "With this orb value there are a total of 0 transits in this period.");
    EXPECT_EQ(lines[8], "Transits by transiting planet: ");
    EXPECT_EQ(lines[9], "   ");
    EXPECT_EQ(lines[10], "Transits of natal planet: ");
    EXPECT_EQ(lines[11], "   ");
    EXPECT_EQ(lines[13], "Transits ordered by start date");
    EXPECT_EQ(lines[15], "");
    EXPECT_EQ(lines[18], "");
    EXPECT_EQ(lines[19], "Transits ordered by natal planet");
    EXPECT_FALSE(std::filesystem::exists(folder.File("report_1orb_days.txt")));
}

TEST_F(ReportLayout, UpperCaseHeaderInTheMonthNameStyleWhileTheDayFileUsesStyleTwo) {
    std::vector<std::string> records = FourTransits();
    DaysTable days(start, end);
    in.style = 3;
    in.birthText = "Mar 7 1950 14:30 GMT+1";
    ASSERT_EQ(Write(records, &days), 0);
    const std::vector<std::string> report = Lines(ReadFile(in.path));
    EXPECT_EQ(report[2], "PERSONAL TRANSITS FOR A PERSON BORN MAR 7 1950 14:30 GMT+1");
    EXPECT_EQ(report[3], "FOR THE PERIOD DEC 31 2022 24:00 GMT+1 TO JAN 10 2023 24:00 GMT+1");
    const std::vector<std::string> dayFile = Lines(ReadFile(folder.File("report_1orb_days.txt")));
    EXPECT_EQ(dayFile[1], "in effect for a person born Mar 7 1950 14:30 GMT+1");
    EXPECT_EQ(dayFile[2], "for the period 2023-01-01 through 2023-01-10 are as follows:");
    EXPECT_EQ(dayFile[4], "2023-01-01: Ju.sqr.Su Pl.sqr.Mo");
}

TEST_F(ReportLayout, AFullDiskLeavesTheEarlierReportAndDayFile) {
    std::ofstream(in.path) << "earlier report";
    std::ofstream(folder.File("report_1orb_days.txt")) << "earlier days";
    std::vector<std::string> records = FourTransits();
    DaysTable days(start, end);
    {
        testing::FullDisk full;
        ReportFileSet files;
        EXPECT_EQ(WriteAllTransitsReport(in, records, &days, window, files), 1);
        EXPECT_EQ(files.FailureText(), in.path + "\r\nNo space left on device");
    }
    EXPECT_EQ(ReadFile(in.path), "earlier report");
    EXPECT_EQ(ReadFile(folder.File("report_1orb_days.txt")), "earlier days");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path),
                            std::filesystem::directory_iterator()),
              2);

    // Written but never moved into place: the same.
    {
        records = FourTransits();
        ReportFileSet files;
        EXPECT_EQ(WriteAllTransitsReport(in, records, &days, window, files), 0);
    }
    EXPECT_EQ(ReadFile(in.path), "earlier report");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path),
                            std::filesystem::directory_iterator()),
              2);
}

// Links planted at the files' names and at the names of the old fixed temporaries: what they
// point at is never written.
TEST_F(ReportLayout, PlantedLinksAreReplacedNotFollowed) {
    const std::string elsewhere = folder.File("elsewhere.txt");
    std::ofstream(elsewhere) << "not ours";
    for (const std::string name : {"report_1orb.txt", "report_1orb_days.txt",
                                   "report_1orb.txt.part", "report_1orb_days.txt.part"}) {
        std::filesystem::create_symlink(elsewhere, folder.File(name));
    }
    std::vector<std::string> records = FourTransits();
    DaysTable days(start, end);
    ASSERT_EQ(Write(records, &days), 0);
    EXPECT_EQ(ReadFile(elsewhere), "not ours");
    EXPECT_FALSE(std::filesystem::is_symlink(in.path));
    EXPECT_FALSE(std::filesystem::is_symlink(folder.File("report_1orb_days.txt")));
    EXPECT_TRUE(ReadFile(in.path).starts_with("\r\n====="));
    EXPECT_TRUE(ReadFile(folder.File("report_1orb_days.txt")).starts_with("Personal planetary"));
}

// Records with random key fields, all different.
std::vector<std::string> RandomRecords(int count, std::mt19937& random) {
    std::uniform_int_distribution<int32_t> days(2459940, 2459960);
    std::uniform_int_distribution<int> minutes(0, 1439);
    std::uniform_int_distribution<int> bodies(1, 9);
    std::uniform_int_distribution<int> natals(1, 10);
    std::uniform_int_distribution<int> aspects(1, 5);
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
        const double start = days(random) + minutes(random) / 1440.0;
        const double end = start + days(random) % 7 + minutes(random) / 1440.0;
        records.push_back(Record(static_cast<BodyCode>(bodies(random)),
                                 static_cast<AspectCode>(aspects(random)),
                                 static_cast<BodyCode>(natals(random)), start, false, end, false) +
                          std::to_string(i));
    }
    return records;
}

// The key fields of a record as numbers, for orders stated independently of the texts.
struct Keys {
    int32_t startDay, startMinute, t, a, n, endDay, endMinute;
    std::string description;
};

Keys KeysOf(const std::string& r) {
    const auto minute = [&r](int at) {
        return RecordNumber(r, at, 2) * 60 + RecordNumber(r, at + 3, 2);
    };
    return {RecordNumber(r, 1, 7),  minute(kRecordStartTime),        RecordNumber(r, 13, 1),
            RecordNumber(r, 14, 1), RecordNumber(r, 15, 2),          RecordNumber(r, 17, 7),
            minute(kRecordEndTime), r.substr(kRecordDescription - 1)};
}

TEST(SortRecords, GivesTheThreeOrdersOfTheReport) {
    std::mt19937 random(4021);
    std::vector<std::string> records = RandomRecords(300, random);
    std::vector<Keys> keys;
    for (const std::string& r : records) {
        keys.push_back(KeysOf(r));
    }
    const auto byStart = [](const Keys& k) {
        return std::tie(k.startDay, k.startMinute, k.t, k.a, k.n, k.endDay, k.endMinute,
                        k.description);
    };
    const auto byTransiting = [](const Keys& k) {
        return std::tie(k.t, k.a, k.n, k.endDay, k.endMinute, k.description);
    };
    const auto byNatal = [](const Keys& k) {
        return std::tie(k.n, k.endDay, k.endMinute, k.description);
    };
    const auto expectOrder = [&](const auto& order, const char* what) {
        std::vector<Keys> expected = keys;
        std::sort(expected.begin(), expected.end(),
                  [&](const Keys& x, const Keys& y) { return order(x) < order(y); });
        for (size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(records[i].substr(records[i].size() - expected[i].description.size()),
                      expected[i].description)
                << what << " entry " << i;
        }
    };
    const int last = static_cast<int>(records.size()) - 1;
    SortRecords(records, 0, last, 1);
    expectOrder(byStart, "by start");
    for (std::string& r : records) {
        r.erase(0, 12);
    }
    SortRecords(records, 0, last, 1);
    expectOrder(byTransiting, "by transiting body");
    for (std::string& r : records) {
        r.erase(0, 2);
    }
    SortRecords(records, 0, last, 1);
    expectOrder(byNatal, "by natal body");
}

TEST(SortRecords, DescendingQuicksortThenReversalDecidesAmongEqualKeys) {
    // Traced by hand: the partition exchanges the outer pairs, the halves are exchanged in
    // turn, and the reversal leaves this order.
    std::vector<std::string> list = {"a1", "b1", "c1", "d1"};
    SortRecords(list, 0, 3, 2);
    EXPECT_EQ(list, (std::vector<std::string>{"b1", "a1", "d1", "c1"}));

    list = {"x", "c", "a", "b", "a", "z"};
    SortRecords(list, 1, 4, 1);  // only entries 1 to 4
    EXPECT_EQ(list, (std::vector<std::string>{"x", "a", "a", "b", "c", "z"}));
    list = {"b", "a"};
    SortRecords(list, 0, 0, 1);
    SortRecords(list, 0, 5, 1);  // a range beyond the list is left alone
    EXPECT_EQ(list, (std::vector<std::string>{"b", "a"}));
    // Character codes, not a locale's order.
    list = {"b", "B", "a", "\xc2\xb0"};
    SortRecords(list, 0, 3, 1);
    EXPECT_EQ(list, (std::vector<std::string>{"B", "a", "b", "\xc2\xb0"}));
}

TEST(SplitTokens, EdgeCases) {
    std::vector<std::string> tokens{"stale"};
    EXPECT_EQ(SplitTokens("", " ", tokens, 5), 0);
    EXPECT_TRUE(tokens.empty());
    EXPECT_EQ(SplitTokens("a b", "", tokens, 5), 1);
    EXPECT_EQ(tokens, (std::vector<std::string>{"a b"}));
    EXPECT_EQ(SplitTokens("   ", " ", tokens, 5), 0);
    EXPECT_EQ(SplitTokens("  one   two ", " ", tokens, 5), 2);
    EXPECT_EQ(tokens, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(SplitTokens("a,b;;c", ",;", tokens, 3), 3);
    EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitTokens("a b c", " ", tokens, 2), -1);
    EXPECT_EQ(SplitTokens("a b c ", " ", tokens, 3), 3);
    EXPECT_EQ(SplitTokens("x", "", tokens, 0), -1);
    // Delimiters are characters, not bytes.
    EXPECT_EQ(SplitTokens("10\xc2\xb0"
                          "5",
                          "\xc2\xb0", tokens, 5),
              2);
    EXPECT_EQ(tokens, (std::vector<std::string>{"10", "5"}));
}

TEST(FormatDuration, DaysOnlyFromAWholeDay) {
    EXPECT_EQ(FormatDuration(3088), "2d 3h 28m");
    EXPECT_EQ(FormatDuration(45), "0h 45m");
    EXPECT_EQ(FormatDuration(1440), "1d 0h 0m");
    EXPECT_EQ(FormatDuration(1439), "23h 59m");
    EXPECT_EQ(FormatDuration(0), "0h 0m");
    EXPECT_EQ(FormatDuration(1240 * 1440 + 61), "1240d 1h 1m");
}

TEST(DayLineAlignment, ContinuingTransitsKeepTheirColumns) {
    EXPECT_EQ(AlignDayLine("2023-01-02: Su.tri.Mo Ma.con.Ve Ju.sqr.Su",
                           "2023-01-01: Ma.con.Ve Ju.sqr.Su"),
              "2023-01-02: Ma.con.Ve Ju.sqr.Su Su.tri.Mo");
    // A new transit takes the column freed by one that ended.
    EXPECT_EQ(AlignDayLine("d: Ma.con.Ve Sa.sqr.Mo Me.tri.Su", "d: Ma.con.Ve Ju.sqr.Su Sa.sqr.Mo"),
              "d: Ma.con.Ve Me.tri.Su Sa.sqr.Mo");
    // A column beyond the end of the shorter line stays empty.
    EXPECT_EQ(AlignDayLine("d: Me.tri.Su Ju.sqr.Su", "d: Ma.con.Ve Ve.opp.Su Ju.sqr.Su"),
              "d: Me.tri.Su Ju.sqr.Su");
    EXPECT_EQ(AlignDayLine("d:", "d: Ma.con.Ve"), "d:");
}

TEST(DayLineAlignment, MoreThanTenTransitsStayAsBuilt) {
    std::string ten = "d:";
    std::string previous = "d:";
    for (const char* body : {"Su", "Me", "Ve", "Ma", "Ju", "Sa", "Ur", "Ne", "Pl", "Mo"}) {
        ten += std::string(" Ma.con.") + body;
        previous = "d: Ma.con." + std::string(body) + previous.substr(2);
    }
    // Ten transits are aligned (here: reversed into the previous order), eleven are not.
    EXPECT_EQ(AlignDayLine(ten, previous), previous);
    const std::string eleven = ten + " Su.opp.Su";
    EXPECT_EQ(AlignDayLine(eleven, previous + " Su.opp.Su"), eleven);
}

TEST(ReportFolders, MadeLevelByLevel) {
    testing::TestFolder folder;
    const std::string deep = folder.File("KVR/1950-03-07_2023-01-01_365d");
    EXPECT_FALSE(FolderExists(deep));
    EXPECT_TRUE(CreateFolderPath(deep));
    EXPECT_TRUE(FolderExists(deep));
    EXPECT_TRUE(FolderExists("  " + deep + " "));
    EXPECT_TRUE(CreateFolderPath(deep + "//again/"));
    EXPECT_TRUE(FolderExists(deep + "/again"));
    // A file where a folder should be.
    std::ofstream(folder.File("plain")) << "a file";
    EXPECT_FALSE(FolderExists(folder.File("plain")));
    EXPECT_FALSE(CreateFolderPath(folder.File("plain/below")));
}

}  // namespace
}  // namespace zenthra
