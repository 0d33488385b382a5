// The exports of a run's tables or of the all-transits mode in a chosen format.
#pragma once

#include <optional>
#include <string>

#include "export/ExportedRuns.h"
#include "export/ICalendarExport.h"

namespace zenthra {

// The format of an export file by its extension (.csv, .ics, .json in any case); none for
// every other file.
std::optional<ExportFormat> ExportFormatOfPath(const std::string& path);

// None for the pane's text, which is not made here.
std::optional<std::string> ExportText(const ExportedRuns& runs, ExportFormat format,
                                      const ICalendarOptions& options);
// None also for iCalendar: the all-transits mode's transits are periods with no minimum.
std::optional<std::string> ExportText(const ExportedAllTransits& all, ExportFormat format);

}  // namespace zenthra
