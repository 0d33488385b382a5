// What an export is made from: the tables of one press of a run button (a run, every table of
// a show-all sequence, or a search) with the settings of each, or the transits of the
// all-transits mode per orb.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "alltransits/AllTransitsRecord.h"
#include "alltransits/ReportZone.h"
#include "engine/Transit.h"

namespace zenthra {

enum class ExportFormat { Text, Csv, ICalendar, Json };

// "text", "csv", "ics" or "json"; none for any other name.
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
// "csv", "ics", "json" ("txt" for the pane's text).
std::string ExportExtension(ExportFormat format);

// The birth of a personal run as the window shows it.
struct BirthSettings {
    int32_t day = 0;   // JDN
    std::string time;  // "14:30", local
    std::string zone;  // the birth timezone's text
};

struct RunSettings {
    bool world = false;
    BodyCode firstBody = kSun;
    BodyCode secondBody = kSun;
    int32_t startJdn = 0;  // the period scanned, after any move of its start
    int32_t endJdn = 0;
    std::array<int16_t, 3> orbDegrees{};  // outer, middle, inner
    bool sidereal = false;
    std::optional<BirthSettings> birth;  // personal runs
    std::string title;                   // the table's title line
};

struct ExportedTable {
    RunSettings settings;
    TransitRun transits;
};

// The command whose tables these are: "run", "show-all" or "search".
struct ExportedRuns {
    std::string command = "run";
    std::vector<ExportedTable> tables;

    // Transits, or stations and ingresses, in any table.
    bool HasResults() const;
};

struct AllTransitsOrb {
    int16_t orb = 0;
    std::vector<AllTransitsTransit> transits;
};

// The all-transits mode's transits; their local instants are in the results' zone.
struct ExportedAllTransits {
    int32_t startJdn = 0;
    int32_t endJdn = 0;
    BirthSettings birth;
    ReportZone zone;  // of the results
    std::vector<AllTransitsOrb> orbs;
};

}  // namespace zenthra
