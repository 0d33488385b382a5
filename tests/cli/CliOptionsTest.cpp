// The console's command line: every value is read by plain scanning, so no length or shape of
// input can do more than give a usage error.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliOptions.h"

namespace zenthra {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string ErrorOf(const std::string& line) {
    return ParseCommandLine(Words(line)).error;
}

std::string ErrorOf(std::vector<std::string> words) {
    return ParseCommandLine(words).error;
}

TEST(CliDates, TakeOneToFourYearDigitsAndOneOrTwoForMonthAndDay) {
    const auto parse = ParseCommandLine(Words("run --world --start 0800-1-05 --end 2009-12-31"));
    ASSERT_EQ(parse.error, "");
    EXPECT_EQ(parse.options.start->year, "0800");
    EXPECT_EQ(parse.options.start->month, "1");
    EXPECT_EQ(parse.options.start->day, "05");
    for (const std::string date :
         {"12345-01-01", "2009-001-01", "2009-01-001", "2009-01", "2009-01-01-01", "-2009-01-01",
          "2009--01", "2009-01-", "2009-1a-01", "+2009-01-01", "2009/01/01", "", "--"}) {
        EXPECT_EQ(ErrorOf({"run", "--world", "--start", date}),
                  "bad value '" + date + "' for --start (YYYY-MM-DD)")
            << date;
    }
}

TEST(CliDates, AnEnormousYearIsAUsageErrorThatShowsItsStart) {
    const std::string year(30000, '7');
    EXPECT_EQ(ErrorOf({"all-transits", "--birth", year + "-01-01"}),
              "bad value '" + std::string(40, '7') + "...' for --birth (YYYY-MM-DD)");
    // A long value is cut at a character's start, not inside it.
    EXPECT_EQ(ErrorOf({"run", "--first", std::string(39, 'x') + "°°"}),
              "bad value '" + std::string(39, 'x') +
                  "...' for --first "
                  "(a body such as Sun, Mars, Pluto, Moon)");
}

TEST(CliZones, OffsetsHaveMinutesBelowSixty) {
    EXPECT_EQ(ParseZone("+5:30")->listIndex, 24 + 11);
    EXPECT_EQ(ParseZone("-3")->listIndex, 24 - 6);
    EXPECT_EQ(ParseZone("05:00")->listIndex, 24 + 10);
    EXPECT_EQ(ParseZone("0")->listIndex, 24);
    for (const std::string& zone :
         std::vector<std::string>{"+5:60", "+4:90", "+5:3", "+5:030", "+5:30:00", "+123", "+",
                                  "5:", ":30", "++5", "+-5", "5 ", std::string(30000, '1')}) {
        EXPECT_FALSE(ParseZone(zone)) << zone;
    }
    EXPECT_EQ(ErrorOf("run --world --tz +5:60"),
              "bad value '+5:60' for --tz (GMT, GMT+5:30, EST/CDT, +5:30, -3 ... or an IANA zone "
              "such as Europe/Berlin)");
}

TEST(CliOrbsAndTimes, AreNumbersInTheirRanges) {
    const auto parse = ParseCommandLine(
        Words("run --personal --orbs 15,5,1 --birth-time 9:05 --birth 1950-03-07"));
    ASSERT_EQ(parse.error, "");
    EXPECT_EQ(*parse.options.orbs, (std::array<int, 3>{15, 5, 1}));
    EXPECT_EQ(*parse.options.birthTime, (std::array<int, 2>{9, 5}));
    for (const std::string& orbs :
         std::vector<std::string>{"16,5,2", "0,5,2", "10,5", "10,5,2,1", "10,,2", "010,5,2",
                                  "10,5,2,", "a,b,c", std::string(30000, '1') + ",5,2"}) {
        EXPECT_NE(ErrorOf({"run", "--world", "--orbs", orbs}), "") << orbs;
    }
    for (const std::string time :
         {"12:07", "24:00", "12:60", "12:5", "12", "12:00:00", "123:00", ":00", "-1:00"}) {
        EXPECT_EQ(ErrorOf({"run", "--personal", "--birth-time", time}),
                  "bad value '" + time +
                      "' for --birth-time (HH:MM; the minute a multiple of 5, as the window "
                      "offers)")
            << time;
    }
}

TEST(CliIgnoredOptions, AreUsageErrorsThatNameOptionAndCommand) {
    EXPECT_EQ(ErrorOf("all-transits --sidereal"), "--sidereal is not used by all-transits");
    EXPECT_EQ(ErrorOf("all-transits --world"), "--world is not used by all-transits");
    EXPECT_EQ(ErrorOf("all-transits --orbs 10,5,2"), "--orbs is not used by all-transits");
    EXPECT_EQ(ErrorOf("all-transits --first Mars"), "--first is not used by all-transits");
    EXPECT_EQ(ErrorOf("all-transits --html x.html"), "--html is not used by all-transits");
    EXPECT_EQ(ErrorOf("run --world --sidereal"), "--sidereal is not used by run --world");
    EXPECT_EQ(ErrorOf("run --sidereal --world"), "--sidereal is not used by run --world");
    EXPECT_EQ(ErrorOf("search --world --birth-tz +1"), "--birth-tz is not used by search --world");
    EXPECT_EQ(ErrorOf("run --personal --date-style 2"), "--date-style is not used by run");
    EXPECT_EQ(ErrorOf("run --world --out /tmp"), "--out is not used by run");
    EXPECT_EQ(ErrorOf("run --world --vary first"), "--vary is not used by run");
    EXPECT_EQ(ErrorOf("show-all --world --aspect trine"), "--aspect is not used by show-all");
    EXPECT_EQ(ErrorOf("search --world --start 2009-01-01"), "--start is not used by search");
    EXPECT_EQ(ErrorOf("show-all --world --first Mars"),
              "--first is not used by show-all, which walks the whole first body list");
    EXPECT_EQ(ErrorOf("show-all --personal --first Mars"),
              "--first is not used by show-all, which walks the whole first body list");
    EXPECT_EQ(ErrorOf("show-all --personal --vary second --second Sun"),
              "--second is not used by show-all, which walks the whole second body list");

    // What each command does read.
    for (const std::string line :
         {"all-transits --personal --birth 1950-03-07 --birth-time 14:30 --birth-tz +1 --start "
          "2023-01-01 --end 2023-01-31 --tz +1 --date-style 2 --out /tmp",
          "run --personal --first Mars --second Sun --start 2009-01-01 --end 2009-12-31 --tz 0 "
          "--orbs 10,5,2 --birth 1950-03-07 --birth-time 14:30 --birth-tz +1 --sidereal "
          "--html x.html",
          "show-all --personal --vary second --first Mars --sidereal",
          "show-all --world --vary first --second Jupiter",
          "search --personal --first Mars --second Sun --end 2009-12-31 --aspect trine "
          "--birth 1950-03-07 --sidereal --orbs 10,5,2 --html x.html"}) {
        EXPECT_EQ(ErrorOf(line), "") << line;
    }
}

TEST(CliPlutoAndEvents, AreFlagsOfTheCommandsThatReadThem) {
    for (const std::string command : {"run --world", "show-all --world", "search --world"}) {
        const CliParse parse = ParseCommandLine(Words(command + " --precise-pluto --events"));
        EXPECT_EQ(parse.error, "") << command;
        EXPECT_TRUE(parse.options.precisePluto && parse.options.events) << command;
    }
    const CliParse all = ParseCommandLine(Words("all-transits --precise-pluto"));
    EXPECT_EQ(all.error, "");
    EXPECT_TRUE(all.options.precisePluto);
    EXPECT_FALSE(ParseCommandLine(Words("run --world")).options.precisePluto);
    EXPECT_FALSE(ParseCommandLine(Words("run --world")).options.events);

    EXPECT_EQ(ErrorOf("all-transits --events"), "--events is not used by all-transits");
    EXPECT_EQ(ErrorOf("run --world --precise-pluto=yes"), "unknown option '--precise-pluto=yes'");
    EXPECT_EQ(ErrorOf("run --world --event"), "unknown option '--event'");
}

}  // namespace
}  // namespace zenthra
