// An IANA time zone of the system's tz database: the offset and the abbreviation in force at an
// instant, the instant of a local time and the first instant of a local day. Instants are whole
// seconds since 1970-01-01 00:00 UT; local times are whole seconds since 1970-01-01 00:00 on
// the zone's clock.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenthra {

inline constexpr int64_t kSecondsPerDay = 86400;

class Zone {
  public:
    // The zone of that name; none when the database has no such zone or the name is not one a
    // zone can have. A name differing from a zone's only in letter case finds that zone.
    static std::optional<Zone> Find(std::string_view name);

    const std::string& Name() const { return name; }

    int OffsetSeconds(int64_t instant) const;  // east of Greenwich
    std::string Abbreviation(int64_t instant) const;

    // The instant a local time was shown; of two, the earlier. None when the clocks skipped it.
    std::optional<int64_t> InstantOf(int64_t local) const;

    // The first instant of a local day (days since 1970-01-01): its midnight or, when the
    // clocks skipped midnight, the first local time after it that exists. A day skipped
    // entirely begins and ends at the change.
    int64_t DayStart(int64_t localDay) const;

  private:
    struct Database;
    Zone(std::string name, std::shared_ptr<const Database> database);

    std::string name;
    std::shared_ptr<const Database> database;
};

// The names of the database's zones that Find accepts, sorted.
const std::vector<std::string>& ZoneNames();

// Julian dates (UT) and instants; an instant within half a millisecond of a whole second is
// that second.
int64_t InstantOfJulianDate(double julianDate);
double JulianDateOfInstant(int64_t instant);

// Local days by their Julian day numbers: the first instant of one as a Julian date (UT), and
// the local day and the seconds of it gone by at a Julian date.
inline constexpr int32_t kUnixEpochJdn = 2440588;
double DayStartJulianDate(const Zone& zone, int32_t jdn);
struct ZoneLocalTime {
    int32_t jdn = 0;
    int32_t seconds = 0;
};
ZoneLocalTime LocalTimeAt(const Zone& zone, double julianDate);

// The version of the tz database the zones come from, such as "2024a"; empty when the system
// does not say.
std::string TzDatabaseVersion();
// The line that version texts give it: "tz database 2024a"; empty when it is not known.
std::string TzDatabaseText();

}  // namespace zenthra
