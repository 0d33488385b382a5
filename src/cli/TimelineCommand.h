// zenthra-cli timeline: the transits of a run, a show-all sequence or one orb of the
// all-transits mode drawn into an SVG or PNG file, without a display.
#pragma once

#include <ostream>
#include <string>

#include "timeline/TimelineSource.h"

namespace zenthra {

inline constexpr int kDefaultTimelineWidth = 1200;

// A usage problem with the picture's file name; empty when there is none.
std::string TimelineOutputProblem(const std::string& path);

// Draws the source `width` pixels wide into `path` (.svg or .png) and tells how it went on
// `out` or `errors`; the console's exit status.
int WriteTimelineFile(const TimelineSource& source, const std::string& path, int width,
                      std::ostream& out, std::ostream& errors);

}  // namespace zenthra
