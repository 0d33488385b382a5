// The PNG half of TimelinePicture.h, apart from the SVG writer because it needs Qt's GUI: the
// console reaches it only through the zenthra-png module.
#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <array>

#include "render/TimelineImage.h"
#include "render/TimelinePicture.h"

namespace zenthra {

namespace {

// Qt's quality 89 is zlib's level 1: the file comes out about a tenth larger than at the
// default level, in three quarters of the time.
constexpr int kPngQuality = 89;

std::string PngBytes(const TimelineLayout& layout) {
    const QImage image = TimelineImage(layout);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kPngQuality);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !writer.write(image)) {
        return "";
    }
    return bytes.toStdString();
}

}  // namespace

std::string TimelinePicture(const TimelineLayout& layout, PictureFormat format) {
    return format == PictureFormat::Svg ? TimelineSvg(layout) : PngBytes(layout);
}

struct HeadlessRendering::Application {
    int argc = 3;
    std::array<char*, 4> argv = {const_cast<char*>("zenthra"), const_cast<char*>("-platform"),
                                 const_cast<char*>("offscreen"), nullptr};
    QGuiApplication application{argc, argv.data()};
};

HeadlessRendering::HeadlessRendering()
    : application(QGuiApplication::instance() == nullptr ? std::make_unique<Application>()
                                                         : nullptr) {}

HeadlessRendering::~HeadlessRendering() = default;

}  // namespace zenthra
