// The entry of the zenthra-png module.
#include <exception>

#include "render/PngModule.h"
#include "render/TimelinePicture.h"

void zenthra_timeline_png(const zenthra::TimelineLayout& layout, std::string& bytes) noexcept {
    using namespace zenthra;
    try {
        const HeadlessRendering rendering;
        bytes = TimelinePicture(layout, PictureFormat::Png);
    } catch (const std::exception&) {
        bytes.clear();
    }
}
