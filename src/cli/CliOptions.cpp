#include "cli/CliOptions.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "calendar/Zone.h"
#include "engine/TransitRequest.h"
#include "ephemeris/Vocabulary.h"
#include "render/TimelinePicture.h"

namespace zenthra {

namespace {

const std::map<std::string, CliCommand> kCommands = {
    {"run", CliCommand::Run},       {"show-all", CliCommand::ShowAll},
    {"search", CliCommand::Search}, {"all-transits", CliCommand::AllTransits},
    {"places", CliCommand::Places}, {"timeline", CliCommand::Timeline}};
const std::map<std::string, CliCommand> kTimelineSources = {
    {"run", CliCommand::Run},
    {"show-all", CliCommand::ShowAll},
    {"all-transits", CliCommand::AllTransits}};
const std::vector<std::string> kTimelineOnly = {"--source", "--orb", "--width"};
// What the other commands give; a timeline gives its picture.
const std::vector<std::string> kNotForTimeline = {"--format", "--no-spans"};

// Options that take a value; the rest are flags.
const std::vector<std::string> kValued = {"--first",    "--second",      "--start", "--end",
                                          "--tz",       "--orbs",        "--birth", "--birth-time",
                                          "--birth-tz", "--birth-place", "--html",  "--vary",
                                          "--aspect",   "--date-style",  "--out",   "--source",
                                          "--orb",      "--output",      "--width", "--format"};
const std::vector<std::string> kFlags = {"--world",         "--personal", "--sidereal",
                                         "--precise-pluto", "--events",   "--no-spans"};

// What each command never reads, and what world runs do not read.
const std::map<CliCommand, std::vector<std::string>> kUnused = {
    {CliCommand::Run, {"--vary", "--aspect", "--date-style", "--out"}},
    {CliCommand::ShowAll, {"--aspect", "--date-style", "--out"}},
    {CliCommand::Search, {"--start", "--vary", "--date-style", "--out"}},
    {CliCommand::AllTransits,
     {"--world", "--sidereal", "--first", "--second", "--orbs", "--html", "--vary", "--aspect",
      "--events"}}};
const std::vector<std::string> kPersonalOnly = {"--sidereal", "--birth", "--birth-time",
                                                "--birth-tz", "--birth-place"};

constexpr const char* kZoneForms =
    " (GMT, GMT+5:30, EST/CDT, +5:30, -3 ... or an IANA zone such as Europe/Berlin)";

// A value as a message shows it: long ones cut, at a character's start.
std::string Shown(const std::string& value) {
    constexpr size_t kLongest = 40;
    if (value.size() <= kLongest) {
        return value;
    }
    size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return value.substr(0, cut) + "...";
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The parts of `text` between the separators.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t at = 0;
    for (size_t end; (end = text.find(separator, at)) != std::string_view::npos; at = end + 1) {
        parts.push_back(text.substr(at, end - at));
    }
    parts.push_back(text.substr(at));
    return parts;
}

// A number written with `fewest` to `most` digits and nothing else.
std::optional<int> Number(std::string_view text, size_t fewest, size_t most) {
    int number = 0;
    if (text.size() < fewest || text.size() > most ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// YYYY-MM-DD, with one to four digits of year and one or two of month and day; the window's
// checks judge the date itself.
std::optional<DateFields> ParseDate(std::string_view text) {
    const auto parts = Split(text, '-');
    if (parts.size() != 3 || !Number(parts[0], 1, 4) || !Number(parts[1], 1, 2) ||
        !Number(parts[2], 1, 2)) {
        return std::nullopt;
    }
    return DateFields{std::string(parts[0]), std::string(parts[1]), std::string(parts[2])};
}

// [+|-]H[H][:MM] as minutes east of Greenwich.
std::optional<int> ZoneMinutes(std::string_view text) {
    const bool west = text.starts_with('-');
    if (west || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    const auto parts = Split(text, ':');
    const auto hours = Number(parts[0], 1, 2);
    const auto minutes = parts.size() == 2 ? Number(parts[1], 2, 2) : std::optional<int>(0);
    if (parts.size() > 2 || !hours || !minutes || *minutes >= 60) {
        return std::nullopt;
    }
    const int total = *hours * 60 + *minutes;
    return west ? -total : total;
}

std::optional<std::string> Known(const std::string& text, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        if (LowerCase(name) == LowerCase(text)) {
            return name;
        }
    }
    return std::nullopt;
}

std::vector<std::string> BodyNames() {
    std::vector<std::string> names;
    for (BodyCode body = kSun; body <= kBodyCount; ++body) {
        names.push_back(BodyName(body));
    }
    return names;
}

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args) : args(args) {}

    CliParse Parse() {
        if (args.empty()) {
            return Fail("a command is needed");
        }
        if (args[0] == "--help" || args[0] == "-h") {
            return Done(CliCommand::Help);
        }
        if (args[0] == "--version") {
            return Done(CliCommand::Version);
        }
        const auto command = kCommands.find(args[0]);
        if (command == kCommands.end()) {
            return Fail("unknown command '" + Shown(args[0]) + "'");
        }
        result.options.command = command->second;
        if (result.options.command == CliCommand::Places) {
            return ParsePlaces();
        }
        for (size_t i = 1; i < args.size() && result.error.empty(); ++i) {
            const std::string& option = args[i];
            given.push_back(option);
            if (Contains(kFlags, option)) {
                Flag(option);
            } else if (!Contains(kValued, option)) {
                Fail("unknown option '" + Shown(option) + "'");
            } else if (i + 1 >= args.size()) {
                Fail(option + " needs a value");
            } else {
                Value(option, args[++i]);
            }
        }
        for (const auto& option : given) {
            if (const std::string command = IgnoredBy(option); !command.empty()) {
                Fail(option + " is not used by " + command);
            }
        }
        if (Contains(given, "--birth-place") && Contains(given, "--birth-tz")) {
            Fail("--birth-place and --birth-tz exclude each other");
        }
        CheckFormat();
        if (result.options.command == CliCommand::Timeline && !result.options.output) {
            Fail("timeline needs --output FILE.svg or FILE.png");
        }
        return result;
    }

  private:
    // The words of a place name, which need no quotes: "places Springfield, Illinois".
    CliParse ParsePlaces() {
        std::string& query = result.options.placeQuery;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i].starts_with("--")) {
                return Fail("unknown option '" + Shown(args[i]) + "'");
            }
            query += (i > 1 ? " " : "") + args[i];
        }
        return args.size() < 2 ? Fail("places needs a place name") : result;
    }

    CliParse Done(CliCommand command) {
        result.options.command = command;
        return result;
    }

    CliParse Fail(const std::string& error) {
        if (result.error.empty()) {
            result.error = error;
        }
        return result;
    }

    // iCalendar holds events at instants; the all-transits mode's transits are periods.
    void CheckFormat() {
        const CliOptions& o = result.options;
        if (o.command == CliCommand::AllTransits && o.format == ExportFormat::ICalendar) {
            Fail("all-transits cannot be exported as ics (text, csv or json)");
        }
        if (o.noSpans && o.format != ExportFormat::ICalendar) {
            Fail("--no-spans is only for --format ics");
        }
    }

    // The command, as a message names it, that would ignore `option`; empty when it reads it.
    // Ignored options are refused, so that nobody believes they took effect.
    std::string IgnoredBy(const std::string& option) const {
        const CliOptions& o = result.options;
        const bool world = o.world.value_or(false);
        const bool timeline = o.command == CliCommand::Timeline;
        // A timeline reads the options of the command it draws.
        const CliCommand reading = timeline ? o.source : o.command;
        const std::string name = timeline ? args[0] + " --source " + SourceName(o.source) : args[0];
        if ((Contains(kTimelineOnly, option) && !timeline) ||
            (Contains(kNotForTimeline, option) && timeline)) {
            return args[0];
        }
        if (Contains(kUnused.at(reading), option) ||
            (option == "--orb" && reading != CliCommand::AllTransits)) {
            return name;
        }
        if (world && Contains(kPersonalOnly, option)) {
            return name + " --world";
        }
        const bool walksFirst = world || !o.varySecond;
        if (reading == CliCommand::ShowAll && option == (walksFirst ? "--first" : "--second")) {
            return name + ", which walks the whole " + (walksFirst ? "first" : "second") +
                   " body list";
        }
        return "";
    }

    static std::string SourceName(CliCommand source) {
        for (const auto& [name, command] : kTimelineSources) {
            if (command == source) {
                return name;
            }
        }
        return "";
    }

    void TimelineValue(const std::string& option, const std::string& value,
                       const std::string& bad) {
        CliOptions& o = result.options;
        if (option == "--source") {
            const auto source = kTimelineSources.find(value);
            if (source == kTimelineSources.end()) {
                Fail(bad + " (run, show-all or all-transits)");
                return;
            }
            o.source = source->second;
        } else if (option == "--orb") {
            Set(o.orb,
                value == "1" || value == "3" || value == "5" ? Number(value, 1, 1) : std::nullopt,
                bad + " (1, 3 or 5)");
        } else if (option == "--width") {
            const auto width = Number(value, 1, 5);
            Set(o.width,
                width && *width >= kNarrowestTimeline && *width <= kWidestTimeline ? width
                                                                                   : std::nullopt,
                bad + " (pixels, " + std::to_string(kNarrowestTimeline) + " to " +
                    std::to_string(kWidestTimeline) + ")");
        } else {
            Set(o.output, PictureFormatOf(value) ? std::optional(value) : std::nullopt,
                bad + " (a file name ending in .svg or .png)");
        }
    }

    void Flag(const std::string& option) {
        CliOptions& o = result.options;
        if (option == "--sidereal") {
            o.sidereal = true;
        } else if (option == "--precise-pluto") {
            o.precisePluto = true;
        } else if (option == "--events") {
            o.events = true;
        } else if (option == "--no-spans") {
            o.noSpans = true;
        } else if (o.world && *o.world != (option == "--world")) {
            Fail("--world and --personal exclude each other");
        } else {
            o.world = option == "--world";
        }
    }

    template <typename T>
    void Set(std::optional<T>& field, std::optional<T> value, const std::string& what) {
        if (!value) {
            Fail(what);
        }
        field = std::move(value);
    }

    void Value(const std::string& option, const std::string& value) {
        CliOptions& o = result.options;
        const std::string bad = "bad value '" + Shown(value) + "' for " + option;
        if (option == "--first" || option == "--second") {
            Set(option == "--first" ? o.first : o.second, Known(value, BodyNames()),
                bad + " (a body such as Sun, Mars, Pluto, Moon)");
        } else if (option == "--start" || option == "--end" || option == "--birth") {
            auto& field = option == "--start" ? o.start : option == "--end" ? o.end : o.birth;
            Set(field, ParseDate(value), bad + " (YYYY-MM-DD)");
        } else if (option == "--tz" || option == "--birth-tz") {
            Set(option == "--tz" ? o.tz : o.birthTz, ParseZone(value), bad + kZoneForms);
        } else if (option == "--orbs") {
            Set(o.orbs, ParseOrbs(value), bad + " (OUTER,MIDDLE,INNER in degrees 1 to 15)");
        } else if (option == "--birth-time") {
            Set(o.birthTime, ParseTime(value),
                bad + " (HH:MM; the minute a multiple of 5, as the window offers)");
        } else if (option == "--birth-place") {
            o.birthPlace = value;
        } else if (option == "--html") {
            o.html = value;
        } else if (option == "--vary") {
            if (value != "first" && value != "second") {
                Fail(bad + " (first or second)");
            }
            o.varySecond = value == "second";
        } else if (option == "--aspect") {
            Set(o.aspect, AspectOf(value),
                bad + " (conjunction, opposition, square, trine, sextile)");
        } else if (option == "--date-style") {
            o.dateStyle = value;
        } else if (option == "--format") {
            const auto format = ExportFormatNamed(value);
            if (!format) {
                Fail(bad + " (text, csv, ics or json)");
            }
            o.format = format.value_or(ExportFormat::Text);
        } else if (option == "--output" && o.command != CliCommand::Timeline) {
            o.output = value;
        } else if (Contains(kTimelineOnly, option) || option == "--output") {
            TimelineValue(option, value, bad);
        } else {
            o.out = value;
        }
    }

    static std::optional<std::array<int, 3>> ParseOrbs(const std::string& text) {
        const auto parts = Split(text, ',');
        std::array<int, 3> orbs{};
        if (parts.size() != orbs.size()) {
            return std::nullopt;
        }
        for (size_t i = 0; i < orbs.size(); ++i) {
            const auto orb = Number(parts[i], 1, 2);
            if (!orb || *orb < 1 || *orb > 15) {
                return std::nullopt;
            }
            orbs[i] = *orb;
        }
        return orbs;
    }

    static std::optional<std::array<int, 2>> ParseTime(const std::string& text) {
        const auto parts = Split(text, ':');
        if (parts.size() != 2) {
            return std::nullopt;
        }
        const auto hour = Number(parts[0], 1, 2);
        const auto minute = Number(parts[1], 2, 2);
        if (!hour || !minute || *hour > 23 || *minute > 55 || *minute % 5 != 0) {
            return std::nullopt;
        }
        return std::array<int, 2>{*hour, *minute};
    }

    static std::optional<int> AspectOf(const std::string& text) {
        for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
            if (LowerCase(text) == LowerCase(AspectName(a))) {
                return a;
            }
        }
        return std::nullopt;
    }

    const std::vector<std::string>& args;
    std::vector<std::string> given;
    CliParse result;
};

}  // namespace

std::optional<ZoneChoice> ParseZone(const std::string& text) {
    for (bool abbreviations : {false, true}) {
        const auto texts = TimezoneListTexts(abbreviations);
        for (size_t i = 1; i < texts.size(); ++i) {
            if (LowerCase(texts[i]) == LowerCase(text)) {
                return ZoneChoice{static_cast<int>(i),
                                  abbreviations && texts[i].find('/') != std::string::npos, ""};
            }
        }
    }
    const auto minutes = ZoneMinutes(text);
    if (minutes && *minutes % 30 == 0 && std::abs(*minutes) <= 690) {
        return ZoneChoice{*minutes / 30 + kGreenwichIndex, false, ""};
    }
    if (const std::optional<Zone> zone = Zone::Find(text)) {
        return ZoneChoice{kGreenwichIndex, false, zone->Name()};
    }
    return std::nullopt;
}

CliParse ParseCommandLine(const std::vector<std::string>& args) {
    return Parser(args).Parse();
}

std::string UsageText() {
    return R"(Usage:
  zenthra-cli run          (--world | --personal) [--first BODY] [--second BODY]
                           --start YYYY-MM-DD --end YYYY-MM-DD [--tz ZONE]
                           [--orbs OUTER,MIDDLE,INNER]
                           [--birth YYYY-MM-DD --birth-time HH:MM --birth-tz ZONE]
                           [--sidereal] [--html FILE] [--precise-pluto] [--events]
                           [--format text|csv|ics|json [--no-spans]] [--output FILE]
  zenthra-cli show-all     the options of run, with --vary first|second (which body
                           list is walked whole; world runs walk the first)
  zenthra-cli search       the options of run but --start, with --aspect NAME; prints the
                           period found after --end as "Found: YYYY-MM-DD to YYYY-MM-DD"
  zenthra-cli all-transits --birth YYYY-MM-DD --birth-time HH:MM --birth-tz ZONE
                           --start YYYY-MM-DD --end YYYY-MM-DD [--tz ZONE]
                           [--date-style 0-3] [--out DIR] [--precise-pluto]
                           [--format text|csv|json] [--output FILE]
  zenthra-cli places       PLACE: the atlas's places of that name, the best match first,
                           with region, country, coordinates, IANA zone and population
  zenthra-cli timeline     --output FILE.svg|FILE.png [--width PIXELS]
                           [--source run|show-all|all-transits] [--orb 1|3|5]
                           and the options of the source's command
  zenthra-cli --help | --version

BODY: Sun, Moon, Mercury ... Pluto (any case). The defaults are the window's: Mars and
Jupiter, orbs 10,5,2, results in GMT.
ZONE: a timezone list text (GMT, GMT+5:30, GMT-3:00, EST/CDT ...), an offset (+5:30, -3, 0)
or an IANA zone (Europe/Berlin, America/New_York, Asia/Kathmandu); a list text wins. In an
IANA zone the birth time takes the offset then in force, daylight saving and local mean time
included, and results give local days and times with the abbreviation in force (CEST, CET).
NAME: conjunction, opposition, square, trine or sextile.
PLACE: a town's name, narrowed by region, country or country code after commas
("Springfield, Illinois", "Trento, Italy"); places of that very name come first, the most
populous first. --birth-place PLACE, in place of --birth-tz, takes the first match, sets the
birth zone to its IANA zone and names the place it took on standard error.
--format gives what run, show-all (every table) and search found as the pane's text (text,
the default), as CSV (one row per closest approach), as iCalendar (ics: a one-minute event
at each exact minimum, all-day events for the other closest approaches and, unless
--no-spans, for each transit's outer orb) or as JSON; all-transits gives text, csv or json.
It goes to standard output, or with --output FILE into that file, which is replaced only
once the whole export is written.
timeline draws the transits as a picture without a display: one lane per aspect and pair,
the three orbs as nested bands, exact minima filled, closest approaches hollow. --source is
run by default; --orb picks the all-transits orb to draw (1 by default), whose report files
are written as all-transits writes them. --width is 480 to 16000 pixels, 1200 by default.
--precise-pluto takes Pluto from the ephemeris like the other planets, to the minute, rather
than from its daily table. --events lists after each table the transiting bodies' stations
and sign ingresses within the period.
The birth options and --sidereal are for personal runs. An option that the command would
not use is a usage error.
SIGINT (Ctrl-C), SIGTERM and SIGHUP stop a run as the window's Stop button does: the
tables so far and "Stopped" are printed, an HTML file is completed.
Exit status: 0 done (also when no transit was found), 1 refused by a check of the window
(its message on standard error) or standard output could not be written, 2 usage error,
128 + the signal's number when a signal stopped it (130 for Ctrl-C, 143 for SIGTERM).
)";
}

}  // namespace zenthra
