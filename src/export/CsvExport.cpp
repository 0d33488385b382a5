#include "export/CsvExport.h"

#include <algorithm>

#include "calendar/DatePr2.h"
#include "export/ExportRows.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

// The largest degrees within a sign that four places can show.
constexpr double kLastInSign = 29.9999;

const std::vector<std::string> kTransitsHeader = {
    "kind",         "transiting",  "second",      "aspect",     "outer_entry",   "outer_exit",
    "middle_entry", "middle_exit", "inner_entry", "inner_exit", "minimum_date",  "exact",
    "exact_utc",    "local_date",  "local_time",  "zone",       "angle_degrees", "retrograde"};

const std::vector<std::string> kAllTransitsHeader = {
    "orb",       "transiting",       "aspect",           "natal",
    "start_utc", "start_local_date", "start_local_time", "start_period_edge",
    "end_utc",   "end_local_date",   "end_local_time",   "end_period_edge",
    "zone"};

// The names of the orb columns, outer to inner, entry before exit.
const std::array<std::array<std::string, 2>, 3> kOrbColumns = {{{"outer_entry", "outer_exit"},
                                                                {"middle_entry", "middle_exit"},
                                                                {"inner_entry", "inner_exit"}}};

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

std::string DayText(const std::optional<MarkedDay>& day) {
    return day ? IsoDateText(day->day) : "";
}

// The columns whose day the pane marks "r", separated by blanks.
std::string RetrogradeColumns(const MinimumRow& row) {
    std::string names;
    const auto add = [&names](bool marked, const std::string& name) {
        if (marked) {
            names += (names.empty() ? "" : " ") + name;
        }
    };
    for (int orb = kOuterOrb; orb <= kInnerOrb; ++orb) {
        add(row.orbs[orb].entry && row.orbs[orb].entry->retrograde, kOrbColumns[orb][0]);
        add(row.orbs[orb].exit && row.orbs[orb].exit->retrograde, kOrbColumns[orb][1]);
    }
    add(row.day.retrograde, "minimum_date");
    return names;
}

std::vector<std::string> TransitFields(const MinimumRow& row) {
    const RunSettings& settings = row.table->settings;
    std::vector<std::string> fields = {RunKindName(settings), BodyName(settings.firstBody),
                                       BodyName(settings.secondBody),
                                       AspectWord(row.transit->aspect)};
    for (const OrbDays& orb : row.orbs) {
        fields.push_back(DayText(orb.entry));
        fields.push_back(DayText(orb.exit));
    }
    const bool exact = row.exact.has_value();
    fields.push_back(IsoDateText(row.day.day));
    fields.push_back(YesNo(exact));
    fields.push_back(exact ? UtcIsoText(row.exact->utcMinutes) : "");
    fields.push_back(exact ? IsoDateText(row.exact->localDay) : "");
    fields.push_back(exact ? row.exact->localTime : "");
    fields.push_back(exact ? row.exact->zone : row.table->transits.timezoneText);
    fields.push_back(exact ? "" : DegreesText(row.deviationDegrees));
    fields.push_back(RetrogradeColumns(row));
    return fields;
}

// A station or ingress in the transit columns: the sign as the second body, the way a station
// turns as the aspect, the degrees within the sign as the angle; a re-entry just inside the
// sign never reads 30.
std::vector<std::string> EventFields(const EventRow& row) {
    const bool station = row.kind == "station";
    std::vector<std::string> fields = {row.kind, BodyName(row.event->body), row.sign,
                                       station ? (row.retrograde ? "retrograde" : "direct") : ""};
    fields.resize(fields.size() + 2 * kOrbColumns.size());
    for (const std::string& field :
         {IsoDateText(row.instant.localDay), YesNo(true), UtcIsoText(row.instant.utcMinutes),
          IsoDateText(row.instant.localDay), row.instant.localTime, row.instant.zone,
          DegreesText(std::min(row.degreesInSign, kLastInSign)),
          std::string(!station && row.retrograde ? "minimum_date" : "")}) {
        fields.push_back(field);
    }
    return fields;
}

void AddInstant(std::vector<std::string>& fields, const AllTransitsEnd& end,
                const ReportZone& zone) {
    const ExportInstant instant = AllTransitsInstant(end, zone);
    fields.push_back(UtcIsoText(instant.utcMinutes));
    fields.push_back(IsoDateText(instant.localDay));
    fields.push_back(instant.localTime);
    fields.push_back(YesNo(end.periodEdge));
}

}  // namespace

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            record += ',';
        }
        record += CsvField(fields[i]);
    }
    return record + kCrLf;
}

std::string TransitsCsv(const ExportedRuns& runs) {
    std::string text = CsvRecord(kTransitsHeader);
    for (const ExportedTable& table : runs.tables) {
        for (const MinimumRow& row : MinimumRows(table)) {
            text += CsvRecord(TransitFields(row));
        }
        for (const EventRow& row : EventRows(table)) {
            text += CsvRecord(EventFields(row));
        }
    }
    return text;
}

std::string AllTransitsCsv(const ExportedAllTransits& all) {
    std::string text = CsvRecord(kAllTransitsHeader);
    for (const AllTransitsOrb& orb : all.orbs) {
        for (const AllTransitsTransit& transit : orb.transits) {
            std::vector<std::string> fields = {std::to_string(orb.orb),
                                               BodyName(transit.transiting),
                                               AspectWord(transit.aspect), BodyName(transit.natal)};
            AddInstant(fields, transit.start, all.zone);
            AddInstant(fields, transit.end, all.zone);
            fields.push_back(AllTransitsInstant(transit.end, all.zone).zone);
            text += CsvRecord(fields);
        }
    }
    return text;
}

}  // namespace zenthra
