// The timeline painted into an image, for the window and for PNG files.
#pragma once

#include <QImage>

#include "timeline/TimelineLayout.h"

namespace zenthra {

// An image of the layout's size, or a null image when it could not be painted.
QImage TimelineImage(const TimelineLayout& layout);

}  // namespace zenthra
