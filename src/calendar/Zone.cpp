#include "calendar/Zone.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace zenthra {

struct Zone::Database {
    QTimeZone zone;
};

namespace {

constexpr size_t kLongestName = 64;
constexpr int64_t kHour = 3600;
// Every offset a zone ever had lies within this of Greenwich (local mean times included), so
// the instants of a local time lie within it of that local time read as UT.
constexpr int64_t kOffsetReach = 16 * kHour;
constexpr double kUnixEpochJulianDate = 2440587.5;

bool NameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '_' || c == '-' || c == '+';
}

// Only names that can lie under the zone folder reach the database: no dots, no root.
bool PlausibleName(std::string_view name) {
    return !name.empty() && name.size() <= kLongestName && name.front() != '/' &&
           name.back() != '/' && name.find("//") == std::string_view::npos &&
           std::all_of(name.begin(), name.end(), NameCharacter);
}

constexpr const char* kDatabaseText = "/usr/share/zoneinfo/tzdata.zi";

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The names the toolkit does not list: the zones outside the country table ("Etc/GMT-1",
// "EST5EDT") and the old names kept as links ("Asia/Calcutta", "US/Eastern"), each with the
// zone it names, keyed in lower case. From the database's own text form, whose lines "Z name"
// and "L zone name" declare them.
const std::map<std::string, std::string>& DatabaseNames() {
    static const std::map<std::string, std::string> names = [] {
        std::map<std::string, std::string> found;
        std::ifstream source(kDatabaseText);
        for (std::string line; std::getline(source, line);) {
            std::istringstream words(line);
            std::string kind, first, second;
            words >> kind >> first >> second;
            if (kind == "Z") {
                found[LowerCase(first)] = first;
            } else if (kind == "L") {
                found[LowerCase(second)] = first;
            }
        }
        return found;
    }();
    return names;
}

std::optional<QByteArray> KnownId(std::string_view name) {
    const QByteArray wanted(name.data(), static_cast<qsizetype>(name.size()));
    if (QTimeZone::isTimeZoneIdAvailable(wanted)) {
        return wanted;
    }
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        if (id.compare(wanted, Qt::CaseInsensitive) == 0) {
            return id;
        }
    }
    const auto declared = DatabaseNames().find(LowerCase(name));
    if (declared == DatabaseNames().end() || !PlausibleName(declared->second)) {
        return std::nullopt;
    }
    return QByteArray::fromStdString(declared->second);
}

QDateTime AtInstant(int64_t instant) {
    return QDateTime::fromSecsSinceEpoch(instant, Qt::UTC);
}

}  // namespace

Zone::Zone(std::string name, std::shared_ptr<const Database> database)
    : name(std::move(name)), database(std::move(database)) {}

std::optional<Zone> Zone::Find(std::string_view name) {
    if (!PlausibleName(name)) {
        return std::nullopt;
    }
    const std::optional<QByteArray> id = KnownId(name);
    if (!id) {
        return std::nullopt;
    }
    auto database = std::make_shared<Database>(Database{QTimeZone(*id)});
    if (!database->zone.isValid()) {
        return std::nullopt;
    }
    return Zone(id->toStdString(), std::move(database));
}

int Zone::OffsetSeconds(int64_t instant) const {
    return database->zone.offsetFromUtc(AtInstant(instant));
}

std::string Zone::Abbreviation(int64_t instant) const {
    return database->zone.abbreviation(AtInstant(instant)).toStdString();
}

std::optional<int64_t> Zone::InstantOf(int64_t local) const {
    // The offsets in force around the local time read as UT; each that puts the clock at the
    // local time is an answer. Changes lie days apart, so the reach's ends and middle find all.
    std::set<int> offsets;
    for (const int64_t probe : {local - kOffsetReach, local, local + kOffsetReach}) {
        offsets.insert(OffsetSeconds(probe));
    }
    std::optional<int64_t> earliest;
    for (const int offset : offsets) {
        const int64_t candidate = local - offset;
        if (OffsetSeconds(candidate) == offset && (!earliest || candidate < *earliest)) {
            earliest = candidate;
        }
    }
    return earliest;
}

int64_t Zone::DayStart(int64_t localDay) const {
    const int64_t midnight = localDay * kSecondsPerDay;
    if (const std::optional<int64_t> instant = InstantOf(midnight)) {
        return *instant;
    }
    // Midnight fell into a gap: the first instant whose clock reads midnight or later is the
    // change that ends the gap.
    int64_t before = midnight - kOffsetReach;  // its clock reads before midnight
    int64_t after = midnight + kOffsetReach;   // its clock reads midnight or later
    while (after - before > 1) {
        const int64_t middle = before + (after - before) / 2;
        if (middle + OffsetSeconds(middle) >= midnight) {
            after = middle;
        } else {
            before = middle;
        }
    }
    return after;
}

const std::vector<std::string>& ZoneNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
            if (PlausibleName(id.toStdString())) {
                all.push_back(id.toStdString());
            }
        }
        std::sort(all.begin(), all.end());
        return all;
    }();
    return names;
}

int64_t InstantOfJulianDate(double julianDate) {
    return std::llround((julianDate - kUnixEpochJulianDate) * kSecondsPerDay);
}

double JulianDateOfInstant(int64_t instant) {
    return kUnixEpochJulianDate + static_cast<double>(instant) / kSecondsPerDay;
}

double DayStartJulianDate(const Zone& zone, int32_t jdn) {
    return JulianDateOfInstant(zone.DayStart(jdn - kUnixEpochJdn));
}

ZoneLocalTime LocalTimeAt(const Zone& zone, double julianDate) {
    const int64_t instant = InstantOfJulianDate(julianDate);
    const int64_t local = instant + zone.OffsetSeconds(instant);
    // Floor division: local times before 1970 are negative.
    const int64_t day = local / kSecondsPerDay - (local % kSecondsPerDay < 0 ? 1 : 0);
    return {static_cast<int32_t>(day + kUnixEpochJdn),
            static_cast<int32_t>(local - day * kSecondsPerDay)};
}

std::string TzDatabaseVersion() {
    // The database's own text form starts with its version: "# version 2024a".
    std::ifstream source(kDatabaseText);
    std::string line;
    constexpr std::string_view kMark = "# version ";
    if (std::getline(source, line) && line.starts_with(kMark)) {
        return line.substr(kMark.size());
    }
    return {};
}

std::string TzDatabaseText() {
    const std::string version = TzDatabaseVersion();
    return version.empty() ? "" : "tz database " + version + "\n";
}

}  // namespace zenthra
