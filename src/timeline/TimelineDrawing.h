// The timeline's drawing, element by element, for any surface: the SVG writer and the painter
// receive the same shapes, colours, sizes and label positions from here, so they cannot drift.
#pragma once

#include <string>

#include "timeline/TimelineLayout.h"

namespace zenthra {

struct TimelinePaint {
    std::string fill;  // "#rrggbb"; empty for none
    double fillOpacity = 1;
    std::string stroke;  // empty for none
    double strokeWidth = 0;
};

// What an element is, for a file that keeps it: an id (may be empty), a class, and the
// detail a viewer shows on hovering over it (may be empty).
struct TimelineTag {
    std::string id;
    std::string cls;
    std::string title;
};

// Text is black, its baseline's start at (x, y), `size` pixels tall, in kTimelineFonts.
class TimelineSurface {
  public:
    virtual ~TimelineSurface() = default;
    virtual void BeginGroup(const TimelineTag& tag) = 0;
    virtual void EndGroup() = 0;
    virtual void Rect(const TimelineTag& tag, double x, double y, double width, double height,
                      const TimelinePaint& paint) = 0;
    virtual void Circle(const TimelineTag& tag, double cx, double cy, double r,
                        const TimelinePaint& paint) = 0;
    virtual void Line(const TimelineTag& tag, double x1, double y1, double x2, double y2,
                      const TimelinePaint& paint) = 0;
    virtual void Text(const TimelineTag& tag, double x, double y, double size,
                      const std::string& text) = 0;
};

// Fonts that have every glyph of the lanes and the legend between them: DejaVu Sans lacks
// the sextile, which Symbola has.
inline constexpr const char* kTimelineFonts = "DejaVu Sans, Symbola";

// Background, title, axis, lanes, legend, in drawing order.
void DrawTimeline(const TimelineLayout& layout, TimelineSurface& surface);

}  // namespace zenthra
