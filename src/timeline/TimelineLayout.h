// The timeline as a picture's geometry, in pixels: one lane per aspect and pair, ordered by
// the first day it shows; three nested bands per orb passage; exact minima and closest
// approaches as markers; the transiting body's retrograde stretches as a strip under the bar;
// ticks chosen by the period's length; a legend. The painter only draws what this decides.
#pragma once

#include <string>
#include <vector>

#include "timeline/TimelineSource.h"

namespace zenthra {

inline constexpr int kNarrowestTimeline = 480;
inline constexpr int kWidestTimeline = 16000;

inline constexpr double kLaneHeight = 32;
inline constexpr double kMarkerRadius = 4;
inline constexpr double kStationRadius = 2.5;
inline constexpr double kLegendSwatch = 12;
inline const std::string kRetrogradeColour = "#606060";

enum class TickUnit { Day, Month, Year };

struct TimelineTick {
    double x = 0;
    std::string label;
};

struct TimelineBand {
    int orb = kOuterOrb;
    DaySpan days;
    double x0 = 0, x1 = 0, y = 0, height = 0;
    std::string detail;
};

struct TimelineMarker {
    bool exact = false;
    double at = 0;  // local day value
    double x = 0, y = 0;
    std::string label;  // the date and time, or the angle
    bool labelShown = false;
    double labelX = 0, labelY = 0;
    std::string detail;
};

// The strip sits under the bar, tall enough to carry station markers on it as well.
struct TimelineStrip {
    DaySpan days;
    double x0 = 0, x1 = 0, y = 0, height = 0;
};

// A station of the transiting body, on its retrograde strip.
struct TimelineStationMarker {
    bool retrograde = false;  // turning retrograde; direct otherwise
    double at = 0;            // local day value
    double x = 0, y = 0;
    std::string detail;
};

struct TimelineLane {
    BodyCode transiting = kSun;
    AspectCode aspect = kConjunction;
    BodyCode other = kSun;
    double firstDay = 0;  // the earliest day value the lane shows
    double top = 0;
    std::string glyphs;               // "♂ □ ♃"
    std::string name;                 // "Mars Square Jupiter"
    std::vector<TimelineBand> bands;  // outer orbs first, so inner ones are drawn on top
    std::vector<TimelineMarker> markers;
    std::vector<TimelineStrip> retrograde;
    std::vector<TimelineStationMarker> stations;
};

struct TimelineLegendItem {
    std::string id;
    std::string colour;  // "#rrggbb"
    double opacity = 1;
    std::string text;
    double x = 0, y = 0;  // the swatch's top left
};

struct TimelineLayout {
    int width = 0;
    int height = 0;
    std::string title;
    double plotLeft = 0, plotRight = 0, lanesTop = 0;
    double firstDay = 0, endDay = 0;  // the axis, in local day values
    TickUnit tickUnit = TickUnit::Day;
    std::vector<TimelineTick> ticks;
    std::vector<TimelineLane> lanes;
    std::vector<TimelineLegendItem> legend;
};

// `width` is brought into kNarrowestTimeline to kWidestTimeline.
TimelineLayout LayOutTimeline(const TimelineSource& source, int width);

// The colour of an aspect's bands; each has its own grey level as well.
const std::string& AspectColour(AspectCode aspect);
// The opacity of an orb's band: the outer the lightest.
double OrbOpacity(int orb);

const std::string& BodyGlyph(BodyCode body);
const std::string& AspectGlyph(AspectCode aspect);

// The detail of the marker, station or band at a point of the picture; empty over anything else.
std::string TimelineDetailAt(const TimelineLayout& layout, double x, double y);

}  // namespace zenthra
