// The command line of zenthra-cli.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calendar/Timezones.h"
#include "export/ExportedRuns.h"

namespace zenthra {

enum class CliCommand { Run, ShowAll, Search, AllTransits, Places, Timeline, Help, Version };

// A date as the three texts of a group of date fields.
struct DateFields {
    std::string year;
    std::string month;
    std::string day;
};

// A timezone as a list index, and whether it was named by its North American abbreviation;
// or an IANA zone by its name.
struct ZoneChoice {
    int listIndex = kGreenwichIndex;
    bool abbreviation = false;
    std::string zoneName;
};

struct CliOptions {
    CliCommand command = CliCommand::Help;
    std::optional<bool> world;
    std::optional<std::string> first;
    std::optional<std::string> second;
    std::optional<DateFields> start;
    std::optional<DateFields> end;
    std::optional<ZoneChoice> tz;
    std::optional<std::array<int, 3>> orbs;
    std::optional<DateFields> birth;
    std::optional<std::array<int, 2>> birthTime;  // hour, minute
    std::optional<ZoneChoice> birthTz;
    std::optional<std::string> birthPlace;  // a name the atlas looks up for the birth zone
    std::string placeQuery;                 // the words after the places command
    bool sidereal = false;
    bool precisePluto = false;
    bool events = false;
    std::optional<std::string> html;
    bool varySecond = false;
    std::optional<int> aspect;  // code 1 to 5
    std::optional<std::string> dateStyle;
    std::optional<std::string> out;
    // What run, show-all, search and all-transits give (the pane's text or an export), where
    // (standard output when no file), and whether an iCalendar export leaves out the all-day
    // spans.
    ExportFormat format = ExportFormat::Text;
    std::optional<std::string> output;
    bool noSpans = false;
    // The timeline command: the command whose transits it draws, the orb of all-transits
    // (1, 3 or 5) and the picture's width in pixels; `output` names the picture's file.
    CliCommand source = CliCommand::Run;
    std::optional<int> orb;
    std::optional<int> width;
};

struct CliParse {
    CliOptions options;
    std::string error;  // a usage error, empty when the line is sound
};

CliParse ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();

// The list index of a timezone written as a list text ("GMT+5:30", "EST/CDT") or as an
// offset ("+5:30", "-3", "0"), else the IANA zone of that name; empty when it names neither.
std::optional<ZoneChoice> ParseZone(const std::string& text);

}  // namespace zenthra
