#include "render/TimelineImage.h"

#include <QFont>
#include <QPainter>
#include <map>

#include "timeline/TimelineDrawing.h"

namespace zenthra {

namespace {

QColor Colour(const std::string& name, double opacity) {
    QColor colour(QString::fromStdString(name));
    colour.setAlphaF(static_cast<float>(opacity));
    return colour;
}

// Paints what the SVG file describes; ids, classes and titles are the file's alone.
class PainterSurface : public TimelineSurface {
  public:
    explicit PainterSurface(QImage& image) : painter(&image) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
    }

    void BeginGroup(const TimelineTag&) override {}
    void EndGroup() override {}

    void Rect(const TimelineTag&, double x, double y, double width, double height,
              const TimelinePaint& paint) override {
        Use(paint);
        painter.drawRect(QRectF(x, y, width, height));
    }

    void Circle(const TimelineTag&, double cx, double cy, double r,
                const TimelinePaint& paint) override {
        Use(paint);
        painter.drawEllipse(QPointF(cx, cy), r, r);
    }

    void Line(const TimelineTag&, double x1, double y1, double x2, double y2,
              const TimelinePaint& paint) override {
        Use(paint);
        painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    void Text(const TimelineTag&, double x, double y, double size,
              const std::string& text) override {
        painter.setPen(Qt::black);
        painter.setFont(FontOf(size));
        painter.drawText(QPointF(x, y), QString::fromStdString(text));
    }

  private:
    void Use(const TimelinePaint& paint) {
        painter.setBrush(paint.fill.empty() ? QBrush(Qt::NoBrush)
                                            : QBrush(Colour(paint.fill, paint.fillOpacity)));
        painter.setPen(paint.stroke.empty() ? QPen(Qt::NoPen)
                                            : QPen(Colour(paint.stroke, 1), paint.strokeWidth));
    }

    const QFont& FontOf(double size) {
        auto [at, added] = fonts.try_emplace(size);
        if (added) {
            at->second.setFamilies(QString(kTimelineFonts).split(", "));
            at->second.setPixelSize(qRound(size));
        }
        return at->second;
    }

    QPainter painter;
    std::map<double, QFont> fonts;
};

}  // namespace

QImage TimelineImage(const TimelineLayout& layout) {
    // Opaque, so a PNG file of it needs no alpha channel.
    QImage image(layout.width, layout.height, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    {
        PainterSurface surface(image);
        DrawTimeline(layout, surface);
    }
    return image;
}

}  // namespace zenthra
