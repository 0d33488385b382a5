#include "ephemeris/PlutoTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "ephemeris/PlanetLongitude.h"
#include "support/FileProc.h"

namespace zenthra {

std::vector<std::string> PlutoTable;
bool plutoLoaded = false;

namespace {

// The file the table in use was read from.
std::string tableBytes;

// An entry's characters are offset by its index modulo 55, so that equal longitudes on
// different days are written differently.
constexpr int kUnitOffset = 58;
constexpr int kDegreeOffset = 59;
constexpr int kMinuteOffset = 60;
constexpr int kEntryCycle = 55;

// Pluto's longitude changes by at most about 2.5' a day, and entries rounded to the arcminute
// can differ by one more; the margin above that still catches any damaged degree or unit.
constexpr int kLargestDailyStep = 5;  // arcminutes
constexpr int kArcminutesInTurn = 21600;

struct EntryParts {
    int units;
    int degreesInUnit;
    int minutes;
};

EntryParts SplitEntry(const std::string& s, int32_t k) {
    const auto code = [&s](size_t i) { return static_cast<int>(static_cast<unsigned char>(s[i])); };
    return {(code(0) - kUnitOffset) - static_cast<int>(k % kEntryCycle), code(1) - kDegreeOffset,
            code(2) - kMinuteOffset};
}

int EntryArcminutes(const std::string& s, int32_t k) {
    const EntryParts p = SplitEntry(s, k);
    return (p.units * 60 + p.degreesInUnit) * 60 + p.minutes;
}

// Arcminutes between two neighbouring entries, across 0 degrees where the longitude wraps.
int DailyStep(const std::vector<std::string>& table, int32_t k) {
    const int step = std::abs(EntryArcminutes(table[k], k) - EntryArcminutes(table[k - 1], k - 1));
    return std::min(step, kArcminutesInTurn - step);
}

std::string EntryName(int32_t k) {
    return "Entry " + std::to_string(k + 1) + " (non-blank line " + std::to_string(k + 1) + ")";
}

bool IsValidEntry(const std::string& s, int32_t k) {
    if (s.size() < 3) {
        return false;
    }
    const EntryParts p = SplitEntry(s, k);
    return p.units >= 0 && p.units < 6 && p.degreesInUnit >= 0 && p.degreesInUnit < 60 &&
           p.minutes >= 0 && p.minutes < 60;
}

// What is wrong with a table that was read without error, if anything.
std::optional<std::string> TableFault(const std::vector<std::string>& table) {
    if (table.size() < static_cast<size_t>(kPlutoEntryCount)) {
        return "The file holds " + std::to_string(table.size()) + " entries; " +
               std::to_string(kPlutoEntryCount) + " are needed.";
    }
    for (int32_t k = 0; k < kPlutoEntryCount; ++k) {
        if (!IsValidEntry(table[k], k)) {
            return EntryName(k) + " is not a valid longitude.";
        }
    }
    for (int32_t k = 1; k < kPlutoEntryCount; ++k) {
        if (const int step = DailyStep(table, k); step > kLargestDailyStep) {
            return EntryName(k) + " is " + std::to_string(step) +
                   "' from the entry before it; Pluto never moves more than " +
                   std::to_string(kLargestDailyStep) + "' in a day.";
        }
    }
    return std::nullopt;
}

}  // namespace

bool EnsurePlutoTable(const std::string& secondBodyText, bool showAllMode, bool optPersonal,
                      MessageBoxes& boxes) {
    if (plutoLoaded) {
        return true;
    }
    if (secondBodyText != BodyName(kPluto) && !showAllMode && !optPersonal) {
        return true;
    }
    plutoLoaded = LoadPlutoTable(kPlutoFileName, boxes);
    if (!plutoLoaded) {
        boxes.MsgBox("Cannot read Pluto data", MsgIcon::Exclamation, "");
    }
    return plutoLoaded;
}

bool LoadPlutoTable(const std::string& name, MessageBoxes& boxes) {
    const std::string path = dataFolder + name;
    FileBytes file = ReadRegularFile(path, std::numeric_limits<size_t>::max());
    std::string error = file.errorText;
    // The all-transits mode loads the table for each orb: the same file again leaves the
    // table in use as it is, unchecked a second time.
    if (error.empty() && file.bytes == tableBytes &&
        PlutoTable.size() >= static_cast<size_t>(kPlutoEntryCount)) {
        return true;
    }
    std::vector<std::string> table;
    if (error.empty()) {
        SplitTextLines(file.bytes, table, true, true);
        error = TableFault(table).value_or("");
    }
    if (!error.empty()) {
        PlutoTable.clear();
        tableBytes.clear();
        boxes.MsgBox("Cannot read Pluto data at" + std::string(kCrLf) + path + kCrLf + error,
                     MsgIcon::Exclamation, "Startup error");
        return false;
    }
    PlutoTable = std::move(table);
    tableBytes = std::move(file.bytes);
    return true;
}

double DecodePlutoEntry(int32_t k) {
    const EntryParts p = SplitEntry(PlutoTable[k], k);
    return p.units * 60 + p.degreesInUnit + p.minutes / 60.0;
}

double PlutoLongitude(double instant) {
    if (const auto outside = OutsideDays(instant, kMoonFirstJdn, kMoonLastJdn)) {
        return *outside;
    }
    if (PlutoTable.size() < static_cast<size_t>(kPlutoEntryCount)) {
        return kBeforeRange;  // not loaded: callers load the table before any run
    }
    const double day = std::floor(instant + 0.5);
    const double f = (instant + 0.5) - day;
    const auto k = static_cast<int32_t>(day) - kMoonFirstJdn;
    double l0 = DecodePlutoEntry(k);
    double l1 = DecodePlutoEntry(k + 1);
    if (l1 - l0 > 355) {
        l0 += 360;
    } else if (l0 - l1 > 355) {
        l1 += 360;
    }
    double l = l0 + f * (l1 - l0);
    if (l >= 360) {
        l -= 360;
    }
    return l / 360 * kFullTurn;
}

std::string EncodePlutoEntry(int32_t k, int32_t arcminutes) {
    const int units = arcminutes / 3600;
    const int degreesInUnit = arcminutes / 60 % 60;
    const int minutes = arcminutes % 60;
    return {static_cast<char>(units + kUnitOffset + k % kEntryCycle),
            static_cast<char>(degreesInUnit + kDegreeOffset),
            static_cast<char>(minutes + kMinuteOffset)};
}

}  // namespace zenthra
