#include "cli/CliOptions.h"

#include <map>
#include <regex>

#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "engine/TransitRequest.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

namespace {

const std::map<std::string, CliCommand> kCommands = {{"run", CliCommand::Run},
                                                     {"show-all", CliCommand::ShowAll},
                                                     {"search", CliCommand::Search},
                                                     {"all-transits", CliCommand::AllTransits}};

// Options that take a value; the rest are flags.
const std::vector<std::string> kValued = {
    "--first",      "--second",   "--start", "--end",  "--tz",     "--orbs",       "--birth",
    "--birth-time", "--birth-tz", "--html",  "--vary", "--aspect", "--date-style", "--out"};
const std::vector<std::string> kFlags = {"--world", "--personal", "--sidereal"};

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::optional<DateFields> ParseDate(const std::string& text) {
    static const std::regex kDate(R"((\d+)-(\d{1,2})-(\d{1,2}))");
    std::smatch m;
    if (!std::regex_match(text, m, kDate)) {
        return std::nullopt;
    }
    return DateFields{m[1], m[2], m[3]};
}

std::optional<int> ZoneMinutes(const std::string& text) {
    static const std::regex kOffset(R"(([+-]?)(\d{1,2})(?::(\d{2}))?)");
    std::smatch m;
    if (!std::regex_match(text, m, kOffset)) {
        return std::nullopt;
    }
    const int minutes = std::stoi(m[2]) * 60 + (m[3].matched ? std::stoi(m[3]) : 0);
    return m[1] == "-" ? -minutes : minutes;
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
            return Fail("unknown command '" + args[0] + "'");
        }
        result.options.command = command->second;
        for (size_t i = 1; i < args.size() && result.error.empty(); ++i) {
            const std::string& option = args[i];
            if (Contains(kFlags, option)) {
                Flag(option);
            } else if (!Contains(kValued, option)) {
                Fail("unknown option '" + option + "'");
            } else if (i + 1 >= args.size()) {
                Fail(option + " needs a value");
            } else {
                Value(option, args[++i]);
            }
        }
        return result;
    }

  private:
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

    void Flag(const std::string& option) {
        CliOptions& o = result.options;
        if (option == "--sidereal") {
            o.sidereal = true;
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
        const std::string bad = "bad value '" + value + "' for " + option;
        if (option == "--first" || option == "--second") {
            Set(option == "--first" ? o.first : o.second, Known(value, BodyNames()),
                bad + " (a body such as Sun, Mars, Pluto, Moon)");
        } else if (option == "--start" || option == "--end" || option == "--birth") {
            auto& field = option == "--start" ? o.start : option == "--end" ? o.end : o.birth;
            Set(field, ParseDate(value), bad + " (YYYY-MM-DD)");
        } else if (option == "--tz" || option == "--birth-tz") {
            Set(option == "--tz" ? o.tz : o.birthTz, ParseZone(value),
                bad + " (GMT, GMT+5:30, EST/CDT, +5:30, -3 ...)");
        } else if (option == "--orbs") {
            Set(o.orbs, ParseOrbs(value), bad + " (OUTER,MIDDLE,INNER in degrees 1 to 15)");
        } else if (option == "--birth-time") {
            Set(o.birthTime, ParseTime(value),
                bad + " (HH:MM; the minute a multiple of 5, as the window offers)");
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
        } else {
            o.out = value;
        }
    }

    static std::optional<std::array<int, 3>> ParseOrbs(const std::string& text) {
        static const std::regex kOrbs(R"((\d{1,2}),(\d{1,2}),(\d{1,2}))");
        std::smatch m;
        if (!std::regex_match(text, m, kOrbs)) {
            return std::nullopt;
        }
        std::array<int, 3> orbs{};
        for (int i = 0; i < 3; ++i) {
            orbs[i] = std::stoi(m[i + 1]);
            if (orbs[i] < 1 || orbs[i] > 15) {
                return std::nullopt;
            }
        }
        return orbs;
    }

    static std::optional<std::array<int, 2>> ParseTime(const std::string& text) {
        static const std::regex kTime(R"((\d{1,2}):(\d{2}))");
        std::smatch m;
        if (!std::regex_match(text, m, kTime)) {
            return std::nullopt;
        }
        const int hour = std::stoi(m[1]);
        const int minute = std::stoi(m[2]);
        if (hour > 23 || minute > 55 || minute % 5 != 0) {
            return std::nullopt;
        }
        return std::array<int, 2>{hour, minute};
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
    CliParse result;
};

}  // namespace

std::optional<ZoneChoice> ParseZone(const std::string& text) {
    for (bool abbreviations : {false, true}) {
        const auto texts = TimezoneListTexts(abbreviations);
        for (size_t i = 1; i < texts.size(); ++i) {
            if (LowerCase(texts[i]) == LowerCase(text)) {
                return ZoneChoice{static_cast<int>(i),
                                  abbreviations && texts[i].find('/') != std::string::npos};
            }
        }
    }
    const auto minutes = ZoneMinutes(text);
    if (!minutes || *minutes % 30 != 0 || std::abs(*minutes) > 690) {
        return std::nullopt;
    }
    return ZoneChoice{*minutes / 30 + 24, false};
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
                           [--sidereal] [--html FILE]
  zenthra-cli show-all     the options of run, with --vary first|second
                           (which body list is walked; world runs walk the first)
  zenthra-cli search       the options of run, with --aspect NAME (no --start needed);
                           prints the period found as "Found: YYYY-MM-DD to YYYY-MM-DD"
  zenthra-cli all-transits --birth YYYY-MM-DD --birth-time HH:MM --birth-tz ZONE
                           --start YYYY-MM-DD --end YYYY-MM-DD [--tz ZONE]
                           [--date-style 0-3] [--out DIR]
  zenthra-cli --help | --version

BODY: Sun, Moon, Mercury ... Pluto (any case). The defaults are the window's: Mars and
Jupiter, orbs 10,5,2, results in GMT.
ZONE: a timezone list text (GMT, GMT+5:30, GMT-3:00, EST/CDT ...) or an offset (+5:30, -3, 0).
NAME: conjunction, opposition, square, trine or sextile.
Exit status: 0 done (also when no transit was found), 1 refused by a check of the window
(its message on standard error), 2 usage error.
)";
}

}  // namespace zenthra
