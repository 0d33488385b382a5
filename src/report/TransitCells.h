// The table's cells of a transit, rendered from its values: dates in the short form with "r"
// for a retrograde transiting body, an exact minimum as its day with "*" and its time with the
// timezone, any other minimum as its day and the angle of the closest approach.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Transit.h"
#include "report/TableLayout.h"

namespace zenthra {

// "2009-12-20r".
std::string MarkedDayText(const TransitRun& run, const MarkedDay& day);

// The Minimum at and Minimum cells of a closest approach.
struct MinimumCells {
    std::string at;
    std::string minimum;
};
MinimumCells RenderMinimum(const TransitRun& run, const ExactMinimum& minimum);
// The local day, time of day ("14:32") and zone text of an exact minimum as the pane shows
// them; exports take their local times from here too.
struct LocalTimeText {
    int32_t day = 0;
    std::string time;
    std::string zone;
};
LocalTimeText ExactLocalTime(const TransitRun& run, const ExactMinimum& minimum);
MinimumCells RenderMinimum(const TransitRun& run, const DailyMinimum& minimum);

// The rows of a transit's block, one per line up to its last filled one. Without
// `aspectNameShown` the aspect cell stays empty.
std::vector<TableRow> TransitBlockRows(const TransitRun& run, const Transit& transit,
                                       bool aspectNameShown);

}  // namespace zenthra
