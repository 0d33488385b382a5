// iCalendar (RFC 5545), made with libical: a one-minute event at each exact minimum, an
// all-day event for each closest approach that is not exact, and an all-day span for each
// transit's outer-orb passage, and a one-minute event at each station and ingress the run
// listed. Identifiers are derived from the run and the transit, so that
// a calendar importing a new export of the same run updates its events.
#pragma once

#include <cstdint>
#include <string>

#include "export/ExportedRuns.h"

namespace zenthra {

struct ICalendarOptions {
    bool allDaySpans = true;
    int64_t stampSeconds = 0;  // DTSTAMP: when the export was made, seconds since 1970 UTC
};

std::string TransitsICalendar(const ExportedRuns& runs, const ICalendarOptions& options);

}  // namespace zenthra
