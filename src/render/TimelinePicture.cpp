#include "render/TimelinePicture.h"

#include <QString>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cctype>
#include <initializer_list>
#include <utility>

namespace zenthra {

namespace {

QString Number(double value) {
    return QString::number(value, 'f', 1);
}

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

class SvgSurface : public TimelineSurface {
  public:
    SvgSurface(const TimelineLayout& layout, QByteArray& bytes) : xml(&bytes) {
        xml.writeStartDocument();
        xml.writeStartElement("svg");
        xml.writeDefaultNamespace("http://www.w3.org/2000/svg");
        xml.writeAttribute("version", "1.2");
        xml.writeAttribute("baseProfile", "tiny");
        xml.writeAttribute("width", QString::number(layout.width));
        xml.writeAttribute("height", QString::number(layout.height));
        xml.writeAttribute("viewBox", QString("0 0 %1 %2").arg(layout.width).arg(layout.height));
        xml.writeAttribute("font-family", kTimelineFonts);
    }

    ~SvgSurface() override { xml.writeEndDocument(); }

    SvgSurface(const SvgSurface&) = delete;
    SvgSurface& operator=(const SvgSurface&) = delete;

    void BeginGroup(const TimelineTag& tag) override {
        xml.writeStartElement("g");
        Identify(tag);
    }

    void EndGroup() override { xml.writeEndElement(); }

    void Rect(const TimelineTag& tag, double x, double y, double width, double height,
              const TimelinePaint& paint) override {
        Shape("rect", tag, {{"x", x}, {"y", y}, {"width", width}, {"height", height}}, paint);
    }

    void Circle(const TimelineTag& tag, double cx, double cy, double r,
                const TimelinePaint& paint) override {
        Shape("circle", tag, {{"cx", cx}, {"cy", cy}, {"r", r}}, paint);
    }

    void Line(const TimelineTag& tag, double x1, double y1, double x2, double y2,
              const TimelinePaint& paint) override {
        Shape("line", tag, {{"x1", x1}, {"x2", x2}, {"y1", y1}, {"y2", y2}}, paint);
    }

    void Text(const TimelineTag& tag, double x, double y, double size,
              const std::string& text) override {
        xml.writeStartElement("text");
        Identify(tag);
        Attributes({{"x", x}, {"y", y}, {"font-size", size}});
        xml.writeCharacters(ToQString(text));
        xml.writeEndElement();
    }

  private:
    void Shape(const char* element, const TimelineTag& tag,
               std::initializer_list<std::pair<const char*, double>> values,
               const TimelinePaint& paint) {
        xml.writeStartElement(element);
        Identify(tag);
        Attributes(values);
        Close(tag, paint);
    }

    void Identify(const TimelineTag& tag) {
        if (!tag.id.empty()) {
            xml.writeAttribute("id", ToQString(tag.id));
        }
        xml.writeAttribute("class", ToQString(tag.cls));
    }

    void Attributes(std::initializer_list<std::pair<const char*, double>> values) {
        for (const auto& [name, value] : values) {
            xml.writeAttribute(name, Number(value));
        }
    }

    // The paint, then what a viewer shows on hovering over the element, which it closes.
    void Close(const TimelineTag& tag, const TimelinePaint& paint) {
        xml.writeAttribute("fill", paint.fill.empty() ? "none" : ToQString(paint.fill));
        if (paint.fillOpacity < 1) {
            xml.writeAttribute("fill-opacity", Number(paint.fillOpacity));
        }
        if (!paint.stroke.empty()) {
            xml.writeAttribute("stroke", ToQString(paint.stroke));
            xml.writeAttribute("stroke-width", Number(paint.strokeWidth));
        }
        if (!tag.title.empty()) {
            xml.writeTextElement("title", ToQString(tag.title));
        }
        xml.writeEndElement();
    }

    QXmlStreamWriter xml;
};

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.ends_with(".svg") && lower.size() > 4 && lower[lower.size() - 5] != '/') {
        return PictureFormat::Svg;
    }
    if (lower.ends_with(".png") && lower.size() > 4 && lower[lower.size() - 5] != '/') {
        return PictureFormat::Png;
    }
    return std::nullopt;
}

std::string TimelineSvg(const TimelineLayout& layout) {
    QByteArray bytes;
    {
        SvgSurface surface(layout, bytes);
        DrawTimeline(layout, surface);
    }
    return bytes.toStdString();
}

}  // namespace zenthra
