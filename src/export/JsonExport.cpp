#include "export/JsonExport.h"

#include <nlohmann/json.hpp>

#include "calendar/DatePr2.h"
#include "export/ExportRows.h"

namespace zenthra {

namespace {

using json = nlohmann::ordered_json;

constexpr int kIndent = 2;

json DayValue(const std::optional<MarkedDay>& day) {
    if (!day) {
        return nullptr;
    }
    return {{"date", IsoDateText(day->day)}, {"retrograde", day->retrograde}};
}

json InstantValue(const ExportInstant& instant) {
    return {{"utc", UtcIsoText(instant.utcMinutes)},
            {"local", LocalIsoText(instant)},
            {"zone", instant.zone}};
}

json BirthValue(const BirthSettings& birth) {
    return {{"date", IsoDateText(birth.day)}, {"time", birth.time}, {"zone", birth.zone}};
}

json Settings(const ExportedTable& table) {
    const RunSettings& s = table.settings;
    json settings = {
        {"kind", RunKindName(s)},
        {"title", s.title},
        {"first_body", BodyName(s.firstBody)},
        {"second_body", BodyName(s.secondBody)},
        {"period", {{"start", IsoDateText(s.startJdn)}, {"end", IsoDateText(s.endJdn)}}},
        {"orbs",
         {{"outer", s.orbDegrees[kOuterOrb]},
          {"middle", s.orbDegrees[kMiddleOrb]},
          {"inner", s.orbDegrees[kInnerOrb]}}},
        {"zodiac", s.sidereal ? "sidereal" : "tropical"},
        {"zone", table.transits.timezoneText},
        {"retrograde_marked", table.transits.retrogradeMarked}};
    if (s.birth) {
        settings["birth"] = BirthValue(*s.birth);
    }
    return settings;
}

json MinimumValue(const MinimumRow& row) {
    json minimum = {{"date", IsoDateText(row.day.day)},
                    {"retrograde", row.day.retrograde},
                    {"exact", row.exact.has_value()}};
    if (row.exact) {
        minimum["instant"] = InstantValue(*row.exact);
    } else {
        minimum["angle_degrees"] = row.deviationDegrees;
    }
    json orbs = json::array();
    for (const OrbDays& orb : row.orbs) {
        orbs.push_back({{"entry", DayValue(orb.entry)}, {"exit", DayValue(orb.exit)}});
    }
    minimum["orbs"] = orbs;
    return minimum;
}

json TransitValue(const ExportedTable& table, const Transit& transit,
                  const std::vector<MinimumRow>& rows) {
    json passages = json::array();
    for (const OrbPassage& p : transit.passages) {
        passages.push_back({{"orb_degrees", table.settings.orbDegrees[p.orb]},
                            {"entry", DayValue(p.entry)},
                            {"exit", DayValue(p.exit)}});
    }
    json minima = json::array();
    for (const MinimumRow& row : rows) {
        if (row.transit == &transit) {
            minima.push_back(MinimumValue(row));
        }
    }
    return {{"aspect", AspectWord(transit.aspect)},
            {"first_body", BodyName(table.settings.firstBody)},
            {"second_body", BodyName(table.settings.secondBody)},
            {"passages", passages},
            {"minima", minima}};
}

json EventValue(const EventRow& row) {
    return {{"kind", row.kind},
            {"body", BodyName(row.event->body)},
            {"sign", row.sign},
            {"degrees_in_sign", row.degreesInSign},
            {"retrograde", row.retrograde},
            {"instant", InstantValue(row.instant)}};
}

json TableValue(const ExportedTable& table) {
    const std::vector<MinimumRow> rows = MinimumRows(table);
    json transits = json::array();
    for (const Transit& transit : table.transits.transits) {
        transits.push_back(TransitValue(table, transit, rows));
    }
    json value = {{"settings", Settings(table)}, {"transits", transits}};
    // Only a run that listed stations and ingresses, and found some, carries them.
    for (const EventRow& row : EventRows(table)) {
        value["events"].push_back(EventValue(row));
    }
    return value;
}

json EndValue(const AllTransitsEnd& end, const ReportZone& zone) {
    json value = InstantValue(AllTransitsInstant(end, zone));
    value["period_edge"] = end.periodEdge;
    return value;
}

std::string Text(const json& document) {
    return document.dump(kIndent) + "\n";
}

}  // namespace

std::string TransitsJson(const ExportedRuns& runs) {
    json tables = json::array();
    for (const ExportedTable& table : runs.tables) {
        tables.push_back(TableValue(table));
    }
    return Text(
        {{"format_version", kExportFormatVersion}, {"command", runs.command}, {"tables", tables}});
}

std::string AllTransitsJson(const ExportedAllTransits& all) {
    json orbs = json::array();
    for (const AllTransitsOrb& orb : all.orbs) {
        json transits = json::array();
        for (const AllTransitsTransit& t : orb.transits) {
            transits.push_back({{"transiting", BodyName(t.transiting)},
                                {"aspect", AspectWord(t.aspect)},
                                {"natal", BodyName(t.natal)},
                                {"start", EndValue(t.start, all.zone)},
                                {"end", EndValue(t.end, all.zone)}});
        }
        orbs.push_back({{"orb_degrees", orb.orb}, {"transits", transits}});
    }
    json settings = {
        {"kind", "personal"},
        {"period", {{"start", IsoDateText(all.startJdn)}, {"end", IsoDateText(all.endJdn)}}},
        {"zodiac", "tropical"},
        {"zone_offset_minutes", all.zone.ListMinutes()},
        {"birth", BirthValue(all.birth)}};
    // A named zone has no one offset: each instant carries its own.
    if (const std::optional<Zone>& named = all.zone.Named()) {
        settings["zone_offset_minutes"] = nullptr;
        settings["zone"] = named->Name();
    }
    return Text({{"format_version", kExportFormatVersion},
                 {"command", "all-transits"},
                 {"settings", settings},
                 {"orbs", orbs}});
}

}  // namespace zenthra
