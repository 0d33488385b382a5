#include "timeline/TimelineLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

#include "calendar/DatePr2.h"
#include "calendar/Utf8.h"
#include "engine/AngleText.h"

namespace zenthra {

namespace {

constexpr double kMargin = 8;
constexpr double kLabelColumn = 240;
constexpr double kAxisRow = 40;  // title and tick labels above the lanes
constexpr double kLanesTop = 48;
constexpr double kLabelBaseline = 10;  // marker labels, from the lane's top
constexpr double kBarTop = 13;
constexpr double kBarHeight = 14;
constexpr double kStripGap = 2;
constexpr double kStripHeight = 3;
constexpr double kLegendRow = 22;
// Rough advance of a character of the small label font, to judge whether a label has room.
constexpr double kLabelCharWidth = 5.6;
constexpr double kLegendCharWidth = 6.6;

const std::array<std::string, kBodyCount + 1> kBodyGlyphs = {"",  "☉", "☿", "♀", "♂", "♃",
                                                             "♄", "♅", "♆", "♇", "☽"};
const std::array<std::string, kAspectsInUse + 1> kAspectGlyphs = {"", "☌", "☍", "□", "△", "⚹"};
// Grey levels (0.299 R + 0.587 G + 0.114 B) of about 39, 80, 121, 155 and 196.
const std::array<std::string, kAspectsInUse + 1> kAspectColours = {"#808080", "#20205a", "#c41e1e",
                                                                   "#f08c00", "#30a848", "#e0d040"};
constexpr std::array<double, 3> kOrbOpacities = {0.3, 0.6, 1.0};
const std::array<std::string, 3> kOrbWords = {"outer", "middle", "inner"};
constexpr std::array<double, 3> kBandHeights = {kBarHeight, 9, 4};
const std::string kNoText;

struct LaneKey {
    BodyCode transiting;
    AspectCode aspect;
    BodyCode other;
    auto operator<=>(const LaneKey&) const = default;
};

class Axis {
  public:
    Axis(double firstDay, double endDay, double left, double right)
        : firstDay(firstDay),
          left(left),
          right(right),
          perDay((right - left) / (endDay - firstDay)) {}
    double X(double day) const { return std::clamp(left + (day - firstDay) * perDay, left, right); }
    double PixelsPerDay() const { return perDay; }

  private:
    double firstDay, left, right, perDay;
};

double Characters(const std::string& text) {
    return static_cast<double>(SplitCharacters(text).size());
}

// "2023-01-15", with " 14:30" when the value is not a midnight.
std::string DayValueText(double value) {
    const auto day = static_cast<int32_t>(std::floor(value));
    const std::string time = FormatTimeOfDay(value - day, true, ":");
    return time == "00:00" || time.empty() ? IsoDateText(day) : IsoDateText(day) + " " + time;
}

std::string OrbText(const TimelineSource& source, int orb) {
    const std::string degrees = std::to_string(source.orbDegrees[orb]) + "°";
    return source.orbDegrees[kMiddleOrb] == 0 ? "orb " + degrees
                                              : kOrbWords[orb] + " orb " + degrees;
}

int32_t Jdn(int year, int month) {
    return DateToJdn(year, month, 1).jdn;
}

TickUnit UnitFor(double days) {
    if (days <= 62) {
        return TickUnit::Day;
    }
    return days <= 3 * 366 ? TickUnit::Month : TickUnit::Year;
}

// The smallest of `steps` (in `unitDays`) whose ticks stand `room` pixels apart.
int StepFor(const std::vector<int>& steps, double unitDays, double room, const Axis& axis) {
    for (const int step : steps) {
        if (step * unitDays * axis.PixelsPerDay() >= room) {
            return step;
        }
    }
    return steps.back();
}

std::vector<TimelineTick> Ticks(TickUnit unit, int32_t first, int32_t end, const Axis& axis) {
    std::vector<TimelineTick> ticks;
    if (unit == TickUnit::Day) {
        const int step = StepFor({1, 2, 7, 14}, 1, 44, axis);
        for (int32_t day = first; day < end; day += step) {
            const std::string date = IsoDateText(day);
            ticks.push_back({axis.X(day), date.substr(date.size() - 5)});
        }
        return ticks;
    }
    const GregorianDate from = JdnToDate(first);
    const GregorianDate to = JdnToDate(end);
    if (unit == TickUnit::Month) {
        const int step = StepFor({1, 2, 3, 6}, 30.44, 56, axis);
        for (int m = from.year * 12 + from.month - 1; m <= to.year * 12 + to.month - 1; ++m) {
            const int32_t day = Jdn(m / 12, m % 12 + 1);
            if (m % step == 0 && day >= first && day < end) {
                const std::string date = IsoDateText(day);
                ticks.push_back({axis.X(day), date.substr(0, date.size() - 3)});
            }
        }
        return ticks;
    }
    const int step = StepFor({1, 2, 5, 10, 20, 50, 100}, 365.25, 40, axis);
    for (int year = from.year; year <= to.year; ++year) {
        const int32_t day = Jdn(year, 1);
        if (year % step == 0 && day >= first && day < end) {
            ticks.push_back({axis.X(day), std::to_string(year)});
        }
    }
    return ticks;
}

double FirstValue(const TimelineTransit& transit) {
    double first = HUGE_VAL;
    for (const auto& spans : transit.orbs) {
        for (const DaySpan& span : spans) {
            first = std::min(first, span.from);
        }
    }
    for (const TimelineMinimum& minimum : transit.minima) {
        first = std::min(first, minimum.at);
    }
    return first;
}

double LastValue(const TimelineLane& lane) {
    double last = lane.firstDay;
    for (const TimelineBand& band : lane.bands) {
        last = std::max(last, band.days.to);
    }
    for (const TimelineMarker& marker : lane.markers) {
        last = std::max(last, marker.at);
    }
    return last;
}

class LaneBuilder {
  public:
    LaneBuilder(const TimelineSource& source, const Axis& axis, double right)
        : source(source), axis(axis), right(right) {}

    TimelineLane Begin(const TimelineTransit& transit) const {
        TimelineLane lane;
        lane.transiting = transit.transiting;
        lane.aspect = transit.aspect;
        lane.other = transit.other;
        lane.firstDay = FirstValue(transit);
        lane.glyphs = BodyGlyph(transit.transiting) + " " + AspectGlyph(transit.aspect) + " " +
                      BodyGlyph(transit.other);
        lane.name = BodyName(transit.transiting) + " " + AspectName(transit.aspect) + " " +
                    BodyName(transit.other);
        return lane;
    }

    void Add(TimelineLane& lane, const TimelineTransit& transit) const {
        for (int orb = 0; orb < 3; ++orb) {
            for (const DaySpan& span : transit.orbs[orb]) {
                lane.bands.push_back({orb, span, 0, 0, 0, 0,
                                      lane.name + ", " + OrbText(source, orb) + ": " +
                                          DayValueText(span.from) + " to " +
                                          DayValueText(span.to)});
            }
        }
        for (const TimelineMinimum& minimum : transit.minima) {
            TimelineMarker marker;
            marker.exact = minimum.exact;
            marker.at = minimum.at;
            marker.label = minimum.exact ? DayValueText(minimum.at)
                                         : FormatAngle(minimum.deviation, false, false);
            marker.detail = minimum.exact ? lane.name + " exact: " + marker.label + Zone()
                                          : lane.name + " closest: " + marker.label + " on " +
                                                DayValueText(minimum.at);
            lane.markers.push_back(std::move(marker));
        }
    }

    void Place(TimelineLane& lane, double top) const {
        lane.top = top;
        std::stable_sort(lane.bands.begin(), lane.bands.end(),
                         [](const auto& a, const auto& b) { return a.orb < b.orb; });
        const double barMiddle = top + kBarTop + kBarHeight / 2;
        for (TimelineBand& band : lane.bands) {
            band.x0 = axis.X(band.days.from);
            band.x1 = axis.X(band.days.to);
            band.height = kBandHeights[band.orb];
            band.y = barMiddle - band.height / 2;
        }
        std::sort(lane.markers.begin(), lane.markers.end(),
                  [](const auto& a, const auto& b) { return a.at < b.at; });
        double labelsEnd = -HUGE_VAL;
        for (TimelineMarker& marker : lane.markers) {
            marker.x = axis.X(marker.at);
            marker.y = barMiddle;
            marker.labelX = marker.x - kMarkerRadius;
            marker.labelY = top + kLabelBaseline;
            const double end = marker.labelX + Characters(marker.label) * kLabelCharWidth;
            marker.labelShown = marker.labelX >= labelsEnd + kMargin && end <= right;
            if (marker.labelShown) {
                labelsEnd = end;
            }
        }
        const double last = LastValue(lane);
        PlaceRetrograde(lane, last);
        PlaceStations(lane, last);
    }

  private:
    std::string Zone() const {
        return source.timezoneText.empty() ? "" : " " + source.timezoneText;
    }

    static double StripTop(const TimelineLane& lane) {
        return lane.top + kBarTop + kBarHeight + kStripGap;
    }

    void PlaceRetrograde(TimelineLane& lane, double last) const {
        const auto stretches = source.retrograde.find(lane.transiting);
        if (stretches == source.retrograde.end()) {
            return;
        }
        for (const DaySpan& span : stretches->second) {
            if (span.to > lane.firstDay && span.from < last) {
                const DaySpan days{std::max(span.from, lane.firstDay), std::min(span.to, last)};
                lane.retrograde.push_back(
                    {days, axis.X(days.from), axis.X(days.to), StripTop(lane), kStripHeight});
            }
        }
    }

    // Within the days the lane shows, like its strip.
    void PlaceStations(TimelineLane& lane, double last) const {
        for (const TimelineStation& station : source.stations) {
            if (station.body == lane.transiting && station.at >= lane.firstDay &&
                station.at <= last) {
                const std::string turn = station.retrograde ? "retrograde" : "direct";
                lane.stations.push_back({station.retrograde, station.at, axis.X(station.at),
                                         StripTop(lane) + kStripHeight / 2,
                                         BodyName(station.body) + " stations " + turn + ": " +
                                             DayValueText(station.at) + Zone()});
            }
        }
    }

    const TimelineSource& source;
    const Axis& axis;
    double right;
};

std::vector<TimelineLane> Lanes(const TimelineSource& source, const Axis& axis, double right) {
    const LaneBuilder builder(source, axis, right);
    std::vector<TimelineLane> lanes;
    std::map<LaneKey, size_t> index;
    for (const TimelineTransit& transit : source.transits) {
        const LaneKey key{transit.transiting, transit.aspect, transit.other};
        auto [at, added] = index.try_emplace(key, lanes.size());
        if (added) {
            lanes.push_back(builder.Begin(transit));
        }
        TimelineLane& lane = lanes[at->second];
        lane.firstDay = std::min(lane.firstDay, FirstValue(transit));
        builder.Add(lane, transit);
    }
    std::stable_sort(lanes.begin(), lanes.end(),
                     [](const auto& a, const auto& b) { return a.firstDay < b.firstDay; });
    for (size_t i = 0; i < lanes.size(); ++i) {
        builder.Place(lanes[i], kLanesTop + static_cast<double>(i) * kLaneHeight);
    }
    return lanes;
}

// Aspects, then the orbs' shades, then the retrograde strip; wrapped to the width.
std::vector<TimelineLegendItem> Legend(const TimelineSource& source, double top, double right) {
    std::vector<TimelineLegendItem> items;
    for (AspectCode aspect = 1; aspect <= kAspectsInUse; ++aspect) {
        items.push_back({"legend-aspect-" + std::to_string(aspect), AspectColour(aspect), 1,
                         AspectGlyph(aspect) + " " + AspectName(aspect)});
    }
    for (int orb = 0; orb < 3; ++orb) {
        if (source.orbDegrees[orb] != 0) {
            items.push_back({"legend-orb-" + std::to_string(orb), kAspectColours[0],
                             OrbOpacity(orb), OrbText(source, orb)});
        }
    }
    items.push_back({"legend-retrograde", kRetrogradeColour, 1, "retrograde"});
    double x = kMargin;
    double y = top;
    for (TimelineLegendItem& item : items) {
        const double width = kLegendSwatch + 6 + Characters(item.text) * kLegendCharWidth + 18;
        if (x > kMargin && x + width > right) {
            x = kMargin;
            y += kLegendRow;
        }
        item.x = x;
        item.y = y;
        x += width;
    }
    return items;
}

}  // namespace

const std::string& AspectColour(AspectCode aspect) {
    return aspect >= 1 && aspect <= kAspectsInUse ? kAspectColours[aspect] : kAspectColours[0];
}

double OrbOpacity(int orb) {
    return kOrbOpacities[std::clamp(orb, 0, 2)];
}

const std::string& BodyGlyph(BodyCode body) {
    return body >= 1 && body <= kBodyCount ? kBodyGlyphs[body] : kNoText;
}

const std::string& AspectGlyph(AspectCode aspect) {
    return aspect >= 1 && aspect <= kAspectsInUse ? kAspectGlyphs[aspect] : kNoText;
}

TimelineLayout LayOutTimeline(const TimelineSource& source, int width) {
    TimelineLayout layout;
    layout.width = std::clamp(width, kNarrowestTimeline, kWidestTimeline);
    layout.title = source.title;
    layout.plotLeft = kLabelColumn;
    layout.plotRight = layout.width - kMargin;
    layout.lanesTop = kLanesTop;
    layout.firstDay = source.firstDay;
    layout.endDay = std::max(source.lastDay, source.firstDay) + 1.0;
    const Axis axis(layout.firstDay, layout.endDay, layout.plotLeft, layout.plotRight);
    layout.tickUnit = UnitFor(layout.endDay - layout.firstDay);
    layout.ticks =
        Ticks(layout.tickUnit, source.firstDay, static_cast<int32_t>(layout.endDay), axis);
    layout.lanes = Lanes(source, axis, layout.width - kMargin);
    const double lanesEnd = kLanesTop + static_cast<double>(layout.lanes.size()) * kLaneHeight;
    layout.legend = Legend(source, lanesEnd + kMargin, layout.width - kMargin);
    layout.height = static_cast<int>(std::ceil(
        (layout.legend.empty() ? lanesEnd : layout.legend.back().y + kLegendRow) + kMargin));
    return layout;
}

std::string TimelineDetailAt(const TimelineLayout& layout, double x, double y) {
    const double row = std::floor((y - layout.lanesTop) / kLaneHeight);
    if (row < 0 || row >= static_cast<double>(layout.lanes.size())) {
        return "";
    }
    const TimelineLane& lane = layout.lanes[static_cast<size_t>(row)];
    for (const TimelineMarker& marker : lane.markers) {
        if (std::hypot(marker.x - x, marker.y - y) <= kMarkerRadius + 2) {
            return marker.detail;
        }
    }
    for (const TimelineStationMarker& station : lane.stations) {
        if (std::hypot(station.x - x, station.y - y) <= kStationRadius + 2) {
            return station.detail;
        }
    }
    // The innermost band at the point is the one drawn on top.
    for (auto band = lane.bands.rbegin(); band != lane.bands.rend(); ++band) {
        if (x >= band->x0 && x <= band->x1 && y >= band->y && y <= band->y + band->height) {
            return band->detail;
        }
    }
    return "";
}

}  // namespace zenthra
