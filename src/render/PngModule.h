// The PNG painter as a module of its own, loaded only when a PNG is asked for, so that a
// program writing text and SVG starts without Qt's GUI libraries.
#pragma once

#include <string>

#include "timeline/TimelineLayout.h"

// The module's one entry: the layout painted as PNG into `bytes`, left empty when encoding
// failed. It throws nothing.
extern "C" void zenthra_timeline_png(const zenthra::TimelineLayout& layout,
                                     std::string& bytes) noexcept;

namespace zenthra {

struct LoadedPng {
    std::string bytes;
    // Why the module could not be loaded; empty when it was.
    std::string problem;
};

// The layout painted by the module, which lies where it is installed relative to the running
// program (the build tree keeps that layout).
LoadedPng TimelinePngFromModule(const TimelineLayout& layout);

}  // namespace zenthra
