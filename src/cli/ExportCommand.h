// zenthra-cli --format and --output: what a run, show-all, search or all-transits found, as
// the pane's text or an export, on standard output or in a file.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace zenthra {

// A usage problem with the file named by --output; empty when there is none.
std::string ExportOutputProblem(const std::string& path);

// Writes `text` to `out`, or through the safe writer into `output`, and tells a failure on
// `errors`; the console's exit status.
int WriteCommandOutput(const std::string& text, const std::optional<std::string>& output,
                       std::ostream& out, std::ostream& errors);

}  // namespace zenthra
