// JSON, made with nlohmann/json: a format version, the settings of each table and its
// transits as values, with the stations and ingresses of a run that listed them.
// docs/zenthra-export.schema.json describes it.
#pragma once

#include <string>

#include "export/ExportedRuns.h"

namespace zenthra {

inline constexpr int kExportFormatVersion = 1;

std::string TransitsJson(const ExportedRuns& runs);
std::string AllTransitsJson(const ExportedAllTransits& all);

}  // namespace zenthra
