#include "render/TimelineImage.h"

#include <QPainter>
#include <QSvgRenderer>

#include "render/TimelinePicture.h"

namespace zenthra {

QImage TimelineImage(const TimelineLayout& layout) {
    QSvgRenderer renderer(QByteArray::fromStdString(TimelineSvg(layout)));
    QImage image(layout.width, layout.height, QImage::Format_ARGB32_Premultiplied);
    if (!renderer.isValid() || image.isNull()) {
        return {};
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, layout.width, layout.height));
    return image;
}

}  // namespace zenthra
