// Readers of the exports for the tests: CSV by RFC 4180, iCalendar through libical, and a
// made-up run with every kind of closest approach.
#pragma once

#include <libical/ical.h>

#include <string>
#include <vector>

#include "calendar/DatePr2.h"
#include "export/ExportedRuns.h"

namespace zenthra::testing {

// Records of fields; `crLfOnly` is cleared when a record ends other than with CR LF.
struct CsvDocument {
    std::vector<std::vector<std::string>> records;
    bool crLfOnly = true;
};

inline CsvDocument ParseCsv(const std::string& text) {
    CsvDocument document;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\r' || c == '\n') {
            document.crLfOnly =
                document.crLfOnly && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
            record.push_back(field);
            document.records.push_back(record);
            record.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return document;
}

// The value of a column named in the header row.
inline std::string Column(const CsvDocument& csv, size_t record, const std::string& name) {
    const auto& header = csv.records.at(0);
    for (size_t i = 0; i < header.size(); ++i) {
        if (header[i] == name) {
            return csv.records.at(record).at(i);
        }
    }
    ADD_FAILURE() << "no column " << name;
    return "";
}

struct CalendarEvent {
    std::string uid;
    std::string summary;
    std::string description;
    icaltimetype start{};
    icaltimetype end{};
};

inline std::vector<CalendarEvent> ParseICalendar(const std::string& text) {
    std::vector<CalendarEvent> events;
    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    if (calendar == nullptr) {
        ADD_FAILURE() << "libical could not parse the calendar";
        return events;
    }
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         e != nullptr; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        events.push_back({icalcomponent_get_uid(e), icalcomponent_get_summary(e),
                          icalcomponent_get_description(e), icalcomponent_get_dtstart(e),
                          icalcomponent_get_dtend(e)});
    }
    icalcomponent_free(calendar);
    return events;
}

// Minutes since 1970 of a UTC time that libical read.
inline int64_t UtcMinutesOf(const icaltimetype& time) {
    return static_cast<int64_t>(
               icaltime_as_timet_with_zone(time, icaltimezone_get_utc_timezone())) /
           60;
}

inline int32_t Jdn(int year, int month, int day) {
    return DateToJdn(year, month, day).jdn;
}

}  // namespace zenthra::testing
