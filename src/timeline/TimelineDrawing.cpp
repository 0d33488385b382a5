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
void Box(TimelineCanvas& canvas, const TimelineTag& tag, double x0, double y, double x1,
         double height, const TimelinePaint& paint) {
    canvas.Rect(tag, x0, y, std::max(x1 - x0, 0.5), height, paint);
}

void Axis(const TimelineLayout& layout, TimelineCanvas& canvas) {
    const double bottom = layout.lanesTop + static_cast<double>(layout.lanes.size()) * kLaneHeight;
    const TimelinePaint line{"", 1, kTickColour, 1};
    canvas.BeginGroup({"axis", "axis", ""});
    for (const TimelineTick& tick : layout.ticks) {
        canvas.Line({"", "tick", ""}, tick.x, layout.lanesTop - 6, tick.x, bottom, line);
        canvas.Text({"", "tick-label", ""}, tick.x + 2, layout.lanesTop - 10, kTickFont,
                    tick.label);
    }
    canvas.EndGroup();
}

void Marker(const TimelineMarker& marker, const std::string& id, TimelineCanvas& canvas) {
    canvas.Circle({id, marker.exact ? "marker exact" : "marker closest", marker.detail}, marker.x,
                  marker.y, kMarkerRadius, {marker.exact ? kBlack : kWhite, 1, kBlack, 1.5});
    if (marker.labelShown) {
        canvas.Text({"", "marker-label", ""}, marker.labelX, marker.labelY, kLabelFont,
                    marker.label);
    }
}

void Lane(const TimelineLayout& layout, size_t index, TimelineCanvas& canvas) {
    const TimelineLane& lane = layout.lanes[index];
    const std::string id = "lane-" + std::to_string(index);
    canvas.BeginGroup({id, "lane aspect-" + std::to_string(lane.aspect), ""});
    if (index % 2 == 0) {
        canvas.Rect({"", "lane-background", ""}, 0, lane.top, layout.width, kLaneHeight,
                    {kShade, 1, "", 0});
    }
    canvas.Text({"", "lane-glyphs", ""}, kTextLeft, lane.top + 22, kGlyphFont, lane.glyphs);
    canvas.Text({"", "lane-name", ""}, kNameLeft, lane.top + 21, kLaneFont, lane.name);
    for (size_t i = 0; i < lane.bands.size(); ++i) {
        const TimelineBand& band = lane.bands[i];
        Box(canvas,
            {id + "-band-" + std::to_string(i), "band " + kOrbClasses[band.orb], band.detail},
            band.x0, band.y, band.x1, band.height,
            {AspectColour(lane.aspect), OrbOpacity(band.orb), "", 0});
    }
    for (const TimelineStrip& strip : lane.retrograde) {
        Box(canvas, {"", "retrograde", ""}, strip.x0, strip.y, strip.x1, strip.height,
            {kRetrogradeColour, 1, "", 0});
    }
    for (size_t i = 0; i < lane.stations.size(); ++i) {
        const TimelineStationMarker& station = lane.stations[i];
        canvas.Circle(
            {id + "-station-" + std::to_string(i),
             station.retrograde ? "station retrograde" : "station direct", station.detail},
            station.x, station.y, kStationRadius,
            {station.retrograde ? kBlack : kWhite, 1, kBlack, 1});
    }
    for (size_t i = 0; i < lane.markers.size(); ++i) {
        Marker(lane.markers[i], id + "-marker-" + std::to_string(i), canvas);
    }
    canvas.EndGroup();
}

void Legend(const TimelineLayout& layout, TimelineCanvas& canvas) {
    canvas.BeginGroup({"legend", "legend", ""});
    for (const TimelineLegendItem& item : layout.legend) {
        canvas.Rect({item.id, "legend-swatch", ""}, item.x, item.y, kLegendSwatch, kLegendSwatch,
                    {item.colour, item.opacity, "", 0});
        canvas.Text({"", "legend-text", ""}, item.x + kLegendSwatch + 6, item.y + 10, kLaneFont,
                    item.text);
    }
    canvas.EndGroup();
}

}  // namespace

void DrawTimeline(const TimelineLayout& layout, TimelineCanvas& canvas) {
    canvas.Rect({"", "background", ""}, 0, 0, layout.width, layout.height, {kWhite, 1, "", 0});
    canvas.Text({"title", "title", ""}, kTextLeft, 17, kTitleFont, layout.title);
    Axis(layout, canvas);
    for (size_t i = 0; i < layout.lanes.size(); ++i) {
        Lane(layout, i, canvas);
    }
    Legend(layout, canvas);
}

}  // namespace zenthra
