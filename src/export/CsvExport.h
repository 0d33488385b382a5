// Comma-separated values (RFC 4180): UTF-8, a header row, records ended by CR LF, a field
// quoted when it holds a comma, a quote or a line break, its quotes doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "export/ExportedRuns.h"

namespace zenthra {

std::string CsvField(std::string_view text);
std::string CsvRecord(const std::vector<std::string>& fields);

// One row per closest approach of every table, then one per station or ingress it listed.
std::string TransitsCsv(const ExportedRuns& runs);

// One row per transit of every orb, with the minutes it entered and left the orb.
std::string AllTransitsCsv(const ExportedAllTransits& all);

}  // namespace zenthra
