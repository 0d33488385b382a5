#include "export/ICalendarExport.h"

#include <libical/ical.h>

#include <memory>
#include <set>
#include <vector>

#include "calendar/DatePr2.h"
#include "export/ExportRows.h"
#include "report/TransitCells.h"

namespace zenthra {

namespace {

using Component = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

constexpr const char* kProductId = "-//Zenthra//Zenthra transits//EN";

icaltimetype UtcTime(int64_t seconds) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0,
                                         icaltimezone_get_utc_timezone());
}

icaltimetype DateValue(int32_t day) {
    const GregorianDate date = JdnToDate(day);
    icaltimetype value = icaltime_null_date();
    value.year = date.year;
    value.month = date.month;
    value.day = date.day;
    return value;
}

// The run as far as it decides which transits exist: world, or the person and the zodiac.
std::string RunKey(const RunSettings& settings) {
    if (settings.world || !settings.birth) {
        return RunKindName(settings);
    }
    std::string time = settings.birth->time;
    std::erase(time, ':');
    return RunKindName(settings) + "-" + (settings.sidereal ? "sidereal" : "tropical") + "-" +
           CompactDateText(settings.birth->day) + "T" + time;
}

std::string Uid(const RunSettings& settings, AspectCode aspect, const std::string& event) {
    return "zenthra-" + RunKey(settings) + "-" + std::to_string(settings.firstBody) + "-" +
           std::to_string(aspect) + "-" + std::to_string(settings.secondBody) + "-" + event +
           "@zenthra";
}

// The days of every orb passage and every minimum, as the pane shows them.
std::string Description(const ExportedTable& table, const Transit& transit,
                        const std::vector<MinimumRow>& rows) {
    const TransitRun& run = table.transits;
    std::string text = table.settings.title;
    for (int orb = kOuterOrb; orb <= kInnerOrb; ++orb) {
        const std::string orbText = std::to_string(table.settings.orbDegrees[orb]) + "\u00B0 orb";
        for (const OrbPassage& p : transit.passages) {
            if (p.orb == orb && p.entry) {
                text += "\nEnters " + orbText + ": " + MarkedDayText(run, *p.entry);
            }
            if (p.orb == orb && p.exit) {
                text += "\nLeaves " + orbText + ": " + MarkedDayText(run, *p.exit);
            }
        }
    }
    for (const MinimumRow& row : rows) {
        text += "\nMinimum at " + row.cells.at + ": " + row.cells.minimum;
    }
    if (run.retrogradeMarked && table.settings.firstBody != kSun) {
        text += "\nr = " + BodyName(table.settings.firstBody) + " retrograde";
    }
    return text;
}

// "Mars turns retrograde", "Mars enters Taurus", "Mars re-enters Aries".
std::string EventSummary(const EventRow& row) {
    const std::string& body = BodyName(row.event->body);
    if (row.kind == "station") {
        return body + (row.retrograde ? " turns retrograde" : " turns direct");
    }
    return body + (row.retrograde ? " re-enters " : " enters ") + row.sign;
}

// The same station or ingress in several tables, or in another export, keeps one identifier.
std::string EventUid(const EventRow& row) {
    const std::string kind = row.kind == "station"
                                 ? (row.retrograde ? "station-retrograde" : "station-direct")
                                 : "ingress";
    return "zenthra-" + std::to_string(row.event->body) + "-" + kind + "-" +
           UtcStampText(row.instant.utcMinutes) + "@zenthra";
}

class Calendar {
  public:
    explicit Calendar(const ICalendarOptions& options)
        : calendar(icalcomponent_new_vcalendar(), icalcomponent_free), options(options) {
        icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
        icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
        icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    }

    void AddTable(const ExportedTable& table) {
        const std::vector<MinimumRow> rows = MinimumRows(table);
        for (const Transit& transit : table.transits.transits) {
            std::vector<MinimumRow> own;
            for (const MinimumRow& row : rows) {
                if (row.transit == &transit) {
                    own.push_back(row);
                }
            }
            AddTransit(table, transit, own);
        }
        for (const EventRow& row : EventRows(table)) {
            AddBodyEvent(table, row);
        }
    }

    std::string Text() const {
        char* text = icalcomponent_as_ical_string_r(calendar.get());
        std::string result = text != nullptr ? text : "";
        icalmemory_free_buffer(text);
        return result;
    }

  private:
    void AddTransit(const ExportedTable& table, const Transit& transit,
                    const std::vector<MinimumRow>& rows) {
        const RunSettings& settings = table.settings;
        const std::string description = Description(table, transit, rows);
        const std::string pair = PairText(settings, transit.aspect);
        if (options.allDaySpans) {
            const OuterDays span = OuterSpan(table, transit);
            AddEvent(Uid(settings, transit.aspect, "span-" + CompactDateText(span.first)),
                     pair + " (" + std::to_string(settings.orbDegrees[kOuterOrb]) + "\u00B0 orb)",
                     description, DateValue(span.first), DateValue(span.last + 1));
        }
        for (const MinimumRow& row : rows) {
            if (row.exact) {
                const int64_t minutes = row.exact->utcMinutes;
                AddEvent(Uid(settings, transit.aspect, "exact-" + UtcStampText(minutes)),
                         pair + " (exact)", description, UtcTime(minutes * 60),
                         UtcTime((minutes + 1) * 60));
            } else {
                AddEvent(Uid(settings, transit.aspect, "closest-" + CompactDateText(row.day.day)),
                         pair + " (closest " + row.cells.minimum + ")", description,
                         DateValue(row.day.day), DateValue(row.day.day + 1));
            }
        }
    }

    void AddBodyEvent(const ExportedTable& table, const EventRow& row) {
        const std::string uid = EventUid(row);
        if (!bodyEventUids.insert(uid).second) {
            return;
        }
        const int64_t minutes = row.instant.utcMinutes;
        AddEvent(uid, EventSummary(row),
                 table.settings.title + "\n" + row.cells.date + " " + row.cells.time + ": " +
                     row.cells.event + ", " + row.cells.longitude,
                 UtcTime(minutes * 60), UtcTime((minutes + 1) * 60));
    }

    void AddEvent(const std::string& uid, const std::string& summary,
                  const std::string& description, icaltimetype start, icaltimetype end) {
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(UtcTime(options.stampSeconds)));
        icalcomponent_add_property(event, icalproperty_new_dtstart(start));
        icalcomponent_add_property(event, icalproperty_new_dtend(end));
        icalcomponent_add_property(event, icalproperty_new_summary(summary.c_str()));
        icalcomponent_add_property(event, icalproperty_new_description(description.c_str()));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        icalcomponent_add_component(calendar.get(), event);
    }

    Component calendar;
    const ICalendarOptions& options;
    std::set<std::string> bodyEventUids;
};

}  // namespace

std::string TransitsICalendar(const ExportedRuns& runs, const ICalendarOptions& options) {
    Calendar calendar(options);
    for (const ExportedTable& table : runs.tables) {
        calendar.AddTable(table);
    }
    return calendar.Text();
}

}  // namespace zenthra
