#include "export/ExportRows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "alltransits/AllTransitsTables.h"
#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "engine/BodyEvents.h"
#include "ephemeris/Angles.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

namespace {

constexpr int32_t kJdnOf1970 = 2440588;  // 1970-01-01
constexpr double kJulianDateOf1970 = 2440587.5;
constexpr int64_t kMinutesPerDay = 1440;
constexpr int16_t kGerman = 1;

int64_t FloorDivide(int64_t value, int64_t by) {
    return value / by - (value % by < 0 ? 1 : 0);
}

std::string TimeText(int64_t minuteOfDay, const char* separator) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d%s%02d", static_cast<int>(minuteOfDay / 60), separator,
                  static_cast<int>(minuteOfDay % 60));
    return text;
}

// The minutes of "14:32"; 0 for a text that is no time.
int MinutesOfTimeText(const std::string& text) {
    int hours = 0;
    int minutes = 0;
    return std::sscanf(text.c_str(), "%d:%d", &hours, &minutes) == 2 ? hours * 60 + minutes : 0;
}

ExportInstant MakeInstant(int64_t utc, int32_t localDay, std::string time, std::string zone) {
    const int64_t local = (localDay - kJdnOf1970) * kMinutesPerDay + MinutesOfTimeText(time);
    return {utc, localDay, std::move(time), std::move(zone), static_cast<int>(local - utc)};
}

std::optional<MarkedDay> Shown(const TransitRun& run, std::optional<MarkedDay> day) {
    if (day) {
        day->retrograde = day->retrograde && run.retrogradeMarked;
    }
    return day;
}

bool Around(const OrbPassage& passage, int32_t day) {
    return (!passage.entry || passage.entry->day <= day) &&
           (!passage.exit || passage.exit->day >= day);
}

OrbDays PassageAround(const TransitRun& run, const Transit& transit, int orb, int32_t day) {
    for (const OrbPassage& p : transit.passages) {
        if (p.orb == orb && Around(p, day)) {
            return {Shown(run, p.entry), Shown(run, p.exit)};
        }
    }
    return {};
}

MinimumRow RowOf(const ExportedTable& table, const ExactMinimum& m) {
    MinimumRow row;
    row.exact = ExactInstant(table.transits, m);
    row.day = {row.exact->localDay, m.retrograde && table.transits.retrogradeMarked};
    row.cells = RenderMinimum(table.transits, m);
    return row;
}

MinimumRow RowOf(const ExportedTable& table, const DailyMinimum& m) {
    MinimumRow row;
    row.day = {m.day, m.retrograde && table.transits.retrogradeMarked};
    row.deviationDegrees = m.deviation * 360 / kFullTurn;
    row.cells = RenderMinimum(table.transits, m);
    return row;
}

EventRow RowOf(const TransitRun& run, const BodyEvent& event) {
    const bool station = event.kind != BodyEventKind::Ingress;
    const double degrees = NormaliseAngle(event.longitude) * 360 / kFullTurn;
    return {&event,
            ExactInstant(run, ExactMinimum{event.instant, false}),
            RenderEvent(run, event),
            station ? "station" : "ingress",
            SignName(SignOf(event.longitude)),
            std::fmod(degrees, 30),
            event.kind == BodyEventKind::StationRetrograde || (!station && event.retrograde)};
}

}  // namespace

std::string UtcIsoText(int64_t utcMinutes) {
    const int64_t day = FloorDivide(utcMinutes, kMinutesPerDay);
    return IsoDateText(static_cast<int32_t>(day + kJdnOf1970)) + "T" +
           TimeText(utcMinutes - day * kMinutesPerDay, ":") + ":00Z";
}

std::string LocalIsoText(const ExportInstant& instant) {
    const int offset = std::abs(instant.offsetMinutes);
    return IsoDateText(instant.localDay) + "T" + instant.localTime + ":00" +
           (instant.offsetMinutes < 0 ? "-" : "+") + TimeText(offset, ":");
}

std::string UtcStampText(int64_t utcMinutes) {
    const int64_t day = FloorDivide(utcMinutes, kMinutesPerDay);
    return CompactDateText(static_cast<int32_t>(day + kJdnOf1970)) + "T" +
           TimeText(utcMinutes - day * kMinutesPerDay, "") + "Z";
}

std::string CompactDateText(int32_t day) {
    std::string text = IsoDateText(day);
    text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
    return text;
}

int64_t UtcMinutes(double julianDate) {
    return std::llround((julianDate - kJulianDateOf1970) * kMinutesPerDay);
}

ExportInstant ExactInstant(const TransitRun& run, const ExactMinimum& minimum) {
    LocalTimeText local = ExactLocalTime(run, minimum);
    return MakeInstant(UtcMinutes(minimum.instant), local.day, std::move(local.time),
                       std::move(local.zone));
}

ExportInstant AllTransitsInstant(const AllTransitsEnd& end, const ReportZone& zone) {
    // "2023-01-15 14:30 GMT+1" and the time once more.
    constexpr size_t kTimeAt = 11;
    constexpr size_t kZoneAt = 17;
    const double date = end.periodEdge ? zone.DayStart(end.day + 1) : end.julianDate;
    const double value = end.periodEdge ? zone.DayStartValue(end.day + 1) : end.instant;
    const std::string text =
        WithoutLast(FormatReportInstant(value, kReportYearMonthDay, zone.TextAt(date), false),
                    kInstantKeyLength);
    return MakeInstant(UtcMinutes(date), static_cast<int32_t>(std::floor(value)),
                       text.substr(kTimeAt, kInstantKeyLength),
                       text.size() > kZoneAt ? text.substr(kZoneAt) : "");
}

std::vector<MinimumRow> MinimumRows(const ExportedTable& table) {
    std::vector<MinimumRow> rows;
    for (const Transit& transit : table.transits.transits) {
        for (const TransitMinimum& m : transit.minima) {
            MinimumRow row =
                std::visit([&table](const auto& value) { return RowOf(table, value); }, m.value);
            row.table = &table;
            row.transit = &transit;
            for (int orb = kOuterOrb; orb <= kInnerOrb; ++orb) {
                row.orbs[orb] = PassageAround(table.transits, transit, orb, row.day.day);
            }
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::vector<EventRow> EventRows(const ExportedTable& table) {
    std::vector<EventRow> rows;
    for (const BodyEvent& event : table.transits.events) {
        rows.push_back(RowOf(table.transits, event));
    }
    return rows;
}

OuterDays OuterSpan(const ExportedTable& table, const Transit& transit) {
    std::optional<int32_t> first;
    std::optional<int32_t> last;
    for (const OrbPassage& p : transit.passages) {
        if (p.orb == kOuterOrb && p.entry) {
            first = std::min(first.value_or(p.entry->day), p.entry->day);
        }
        if (p.orb == kOuterOrb && p.exit) {
            last = std::max(last.value_or(p.exit->day), p.exit->day);
        }
    }
    return {first.value_or(table.settings.startJdn), last.value_or(table.settings.endJdn)};
}

std::string RunKindName(const RunSettings& settings) {
    return settings.world ? "world" : "personal";
}

std::string AspectWord(AspectCode aspect) {
    return languageSetting == kGerman ? AspectName(aspect) : LowerCase(AspectName(aspect));
}

std::string PairText(const RunSettings& settings, AspectCode aspect) {
    return BodyName(settings.firstBody) + " " + AspectWord(aspect) + " " +
           (settings.world ? "" : "natal ") + BodyName(settings.secondBody);
}

std::string DegreesText(double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", degrees);
    return text;
}

}  // namespace zenthra
