#include "timeline/TimelineDrawing.h"

#include <algorithm>
#include <array>

namespace zenthra {

namespace {

const std::array<std::string, 3> kOrbClasses = {"orb-outer", "orb-middle", "orb-inner"};
constexpr double kTitleFont = 13;
constexpr double kTickFont = 10;
constexpr double kLabelFont = 9;
constexpr double kLaneFont = 11;
constexpr double kGlyphFont = 14;
constexpr double kTextLeft = 8;
constexpr double kNameLeft = 72;
const std::string kBlack = "#000000";
const std::string kWhite = "#ffffff";
const std::string kShade = "#f3f3f3";
const std::string kTickColour = "#c8c8c8";

// Zero-width passages stay visible.
void Box(TimelineSurface& surface, const TimelineTag& tag, double x0, double y, double x1,
         double height, const TimelinePaint& paint) {
    surface.Rect(tag, x0, y, std::max(x1 - x0, 0.5), height, paint);
}

void Axis(const TimelineLayout& layout, TimelineSurface& surface) {
    const double bottom = layout.lanesTop + static_cast<double>(layout.lanes.size()) * kLaneHeight;
    const TimelinePaint line{"", 1, kTickColour, 1};
    surface.BeginGroup({"axis", "axis", ""});
    for (const TimelineTick& tick : layout.ticks) {
        surface.Line({"", "tick", ""}, tick.x, layout.lanesTop - 6, tick.x, bottom, line);
        surface.Text({"", "tick-label", ""}, tick.x + 2, layout.lanesTop - 10, kTickFont,
                     tick.label);
    }
    surface.EndGroup();
}

void Marker(const TimelineMarker& marker, const std::string& id, TimelineSurface& surface) {
    surface.Circle({id, marker.exact ? "marker exact" : "marker closest", marker.detail}, marker.x,
                   marker.y, kMarkerRadius, {marker.exact ? kBlack : kWhite, 1, kBlack, 1.5});
    if (marker.labelShown) {
        surface.Text({"", "marker-label", ""}, marker.labelX, marker.labelY, kLabelFont,
                     marker.label);
    }
}

void Lane(const TimelineLayout& layout, size_t index, TimelineSurface& surface) {
    const TimelineLane& lane = layout.lanes[index];
    const std::string id = "lane-" + std::to_string(index);
    surface.BeginGroup({id, "lane aspect-" + std::to_string(lane.aspect), ""});
    if (index % 2 == 0) {
        surface.Rect({"", "lane-background", ""}, 0, lane.top, layout.width, kLaneHeight,
                     {kShade, 1, "", 0});
    }
    surface.Text({"", "lane-glyphs", ""}, kTextLeft, lane.top + 22, kGlyphFont, lane.glyphs);
    surface.Text({"", "lane-name", ""}, kNameLeft, lane.top + 21, kLaneFont, lane.name);
    for (size_t i = 0; i < lane.bands.size(); ++i) {
        const TimelineBand& band = lane.bands[i];
        Box(surface,
            {id + "-band-" + std::to_string(i), "band " + kOrbClasses[band.orb], band.detail},
            band.x0, band.y, band.x1, band.height,
            {AspectColour(lane.aspect), OrbOpacity(band.orb), "", 0});
    }
    for (const TimelineStrip& strip : lane.retrograde) {
        Box(surface, {"", "retrograde", ""}, strip.x0, strip.y, strip.x1, strip.height,
            {kRetrogradeColour, 1, "", 0});
    }
    for (size_t i = 0; i < lane.stations.size(); ++i) {
        const TimelineStationMarker& station = lane.stations[i];
        surface.Circle(
            {id + "-station-" + std::to_string(i),
             station.retrograde ? "station retrograde" : "station direct", station.detail},
            station.x, station.y, kStationRadius,
            {station.retrograde ? kBlack : kWhite, 1, kBlack, 1});
    }
    for (size_t i = 0; i < lane.markers.size(); ++i) {
        Marker(lane.markers[i], id + "-marker-" + std::to_string(i), surface);
    }
    surface.EndGroup();
}

void Legend(const TimelineLayout& layout, TimelineSurface& surface) {
    surface.BeginGroup({"legend", "legend", ""});
    for (const TimelineLegendItem& item : layout.legend) {
        surface.Rect({item.id, "legend-swatch", ""}, item.x, item.y, kLegendSwatch, kLegendSwatch,
                     {item.colour, item.opacity, "", 0});
        surface.Text({"", "legend-text", ""}, item.x + kLegendSwatch + 6, item.y + 10, kLaneFont,
                     item.text);
    }
    surface.EndGroup();
}

}  // namespace

void DrawTimeline(const TimelineLayout& layout, TimelineSurface& surface) {
    surface.Rect({"", "background", ""}, 0, 0, layout.width, layout.height, {kWhite, 1, "", 0});
    surface.Text({"title", "title", ""}, kTextLeft, 17, kTitleFont, layout.title);
    Axis(layout, surface);
    for (size_t i = 0; i < layout.lanes.size(); ++i) {
        Lane(layout, i, surface);
    }
    Legend(layout, surface);
}

}  // namespace zenthra
