// The timeline as a picture file: SVG written from the layout, PNG painted from it.
// Both front ends use these; nothing here needs a display.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "timeline/TimelineDrawing.h"
#include "timeline/TimelineLayout.h"

namespace zenthra {

enum class PictureFormat { Svg, Png };

// The format a file name asks for by its extension (.svg or .png, any case); empty for any
// other.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

std::string TimelineSvg(const TimelineLayout& layout);

// The picture's bytes in `format`; empty when encoding failed. PNG needs a Qt GUI
// application: the window's, or a HeadlessRendering.
std::string TimelinePicture(const TimelineLayout& layout, PictureFormat format);

// A Qt GUI application on the offscreen platform, while it lives, for a program that has
// none; does nothing where one runs already.
class HeadlessRendering {
  public:
    HeadlessRendering();
    ~HeadlessRendering();
    HeadlessRendering(const HeadlessRendering&) = delete;
    HeadlessRendering& operator=(const HeadlessRendering&) = delete;

  private:
    struct Application;
    std::unique_ptr<Application> application;
};

}  // namespace zenthra
