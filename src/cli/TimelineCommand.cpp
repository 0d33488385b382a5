#include "cli/TimelineCommand.h"

#include <filesystem>
#include <utility>

#include "cli/ConsoleFrontEnd.h"
#include "render/PngModule.h"
#include "render/TimelinePicture.h"
#include "support/SafeFile.h"

namespace zenthra {

std::string TimelineOutputProblem(const std::string& path) {
    std::error_code unused;
    if (std::filesystem::is_directory(path, unused)) {
        return "--output names a folder: " + path;
    }
    return "";
}

int WriteTimelineFile(const TimelineSource& source, const std::string& path, int width,
                      std::ostream& out, std::ostream& errors) {
    const TimelineLayout layout = LayOutTimeline(source, width);
    std::string bytes;
    if (PictureFormatOf(path) == PictureFormat::Png) {
        LoadedPng png = TimelinePngFromModule(layout);
        if (!png.problem.empty()) {
            errors << "zenthra-cli: " << png.problem << "\n";
            return kExitRefused;
        }
        bytes = std::move(png.bytes);
    } else {
        bytes = TimelineSvg(layout);
    }
    const std::string failure =
        bytes.empty() ? "the picture could not be encoded" : WriteWholeFile(path, bytes);
    if (!failure.empty()) {
        errors << "zenthra-cli: Error writing to file " << path << ": " << failure << "\n";
        return kExitRefused;
    }
    out << "Timeline of " << layout.lanes.size() << (layout.lanes.size() == 1 ? " lane" : " lanes")
        << ", " << layout.width << " x " << layout.height << " pixels, written to " << path << "\n";
    return kExitDone;
}

}  // namespace zenthra
