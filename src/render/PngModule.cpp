#include "render/PngModule.h"

#include <QLibrary>
#include <QString>
#include <filesystem>

namespace zenthra {

namespace {

std::filesystem::path ModulePath() {
    std::error_code unused;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", unused);
    return (program.parent_path() / ZENTHRA_PNG_MODULE).lexically_normal();
}

// Paints with the module at `path`; why it cannot, or the empty text.
std::string PaintWith(const std::filesystem::path& path, const TimelineLayout& layout,
                      std::string& bytes) {
    std::error_code unused;
    if (!std::filesystem::is_regular_file(path, unused)) {
        return "there is no such file";
    }
    QLibrary library(QString::fromStdString(path.string()));
    if (!library.load()) {
        return library.errorString().toStdString();
    }
    const auto entry =
        reinterpret_cast<decltype(&zenthra_timeline_png)>(library.resolve("zenthra_timeline_png"));
    if (entry == nullptr) {
        return "it has no entry zenthra_timeline_png";
    }
    entry(layout, bytes);
    return "";
}

}  // namespace

LoadedPng TimelinePngFromModule(const TimelineLayout& layout) {
    const std::filesystem::path path = ModulePath();
    LoadedPng result;
    if (const std::string reason = PaintWith(path, layout, result.bytes); !reason.empty()) {
        result.problem = "The PNG renderer " + path.string() + " cannot be loaded: " + reason + ".";
    }
    return result;
}

}  // namespace zenthra
