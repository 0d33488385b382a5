// A run's transits flattened for the exports: one row per closest approach with the days of
// the orb passages around it, and the instants of exact minima in UTC and in the run's zone as
// the pane shows them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/ExportedRuns.h"
#include "report/EventTable.h"
#include "report/TransitCells.h"

namespace zenthra {

// A minute, in UTC and as local time in the run's zone.
struct ExportInstant {
    int64_t utcMinutes = 0;  // since 1970-01-01 00:00 UTC
    int32_t localDay = 0;    // JDN
    std::string localTime;   // "14:32"
    std::string zone;        // "GMT+1"
    int offsetMinutes = 0;   // local time less UTC
};

// "2009-12-20T09:02:00Z".
std::string UtcIsoText(int64_t utcMinutes);
// "2009-12-20T14:32:00+05:30".
std::string LocalIsoText(const ExportInstant& instant);
// "20091220T0902Z", "20091220": compact forms for identifiers.
std::string UtcStampText(int64_t utcMinutes);
std::string CompactDateText(int32_t day);

// The minutes since 1970 of a Julian date in UT, to the nearest minute.
int64_t UtcMinutes(double julianDate);

ExportInstant ExactInstant(const TransitRun& run, const ExactMinimum& minimum);
// Where an all-transits transit began or ended, as its report shows it; the edge of the period
// (24:00 of its day) as 00:00 of the next day.
ExportInstant AllTransitsInstant(const AllTransitsEnd& end, const ReportZone& zone);

struct OrbDays {
    std::optional<MarkedDay> entry;
    std::optional<MarkedDay> exit;
};

// A closest approach. Retrograde flags are those the pane shows (none where it shows no marks).
struct MinimumRow {
    const ExportedTable* table = nullptr;
    const Transit* transit = nullptr;
    std::array<OrbDays, 3> orbs;  // outer, middle, inner: the passage around the minimum
    MarkedDay day;                // local day of the minimum
    std::optional<ExportInstant> exact;
    double deviationDegrees = 0;  // of a closest approach that is not exact
    MinimumCells cells;           // the pane's Minimum at and Minimum cells
};

std::vector<MinimumRow> MinimumRows(const ExportedTable& table);

// A station or ingress of a run that listed them, at its minute as the pane's events table
// shows it.
struct EventRow {
    const BodyEvent* event = nullptr;
    ExportInstant instant;
    EventCells cells;          // the pane's Date, Time, Event and Longitude cells
    std::string kind;          // "station" or "ingress"
    std::string sign;          // where the body stations, or the sign entered
    double degreesInSign = 0;  // of the longitude, from the sign's start
    bool retrograde = false;   // the body moves backwards from this minute on
};

std::vector<EventRow> EventRows(const ExportedTable& table);

// The first and last day of a transit's outer-orb passage, the period's edge where it lies
// outside the period.
struct OuterDays {
    int32_t first = 0;
    int32_t last = 0;
};
OuterDays OuterSpan(const ExportedTable& table, const Transit& transit);

// "world" or "personal".
std::string RunKindName(const RunSettings& settings);
// The aspect as the vocabulary names it, in lower case for English: "square", "Quadrat".
std::string AspectWord(AspectCode aspect);
// "Mars square natal Sun", "Jupiter conjunction Saturn".
std::string PairText(const RunSettings& settings, AspectCode aspect);
// Decimal degrees with four places: "0.2000".
std::string DegreesText(double degrees);

}  // namespace zenthra
