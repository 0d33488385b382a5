#include "render/TimelinePicture.h"

#include <QString>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cctype>

namespace zenthra {

namespace {

const std::array<QString, 3> kOrbClasses = {"orb-outer", "orb-middle", "orb-inner"};
constexpr double kLabelFont = 9;
constexpr double kLaneFont = 11;
constexpr double kGlyphFont = 14;
constexpr double kSwatch = 12;

QString Number(double value) {
    return QString::number(value, 'f', 1);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

class SvgWriter {
  public:
    SvgWriter(const TimelineLayout& layout, QByteArray& bytes) : layout(layout), xml(&bytes) {}

    void Write() {
        xml.writeStartDocument();
        xml.writeStartElement("svg");
        xml.writeDefaultNamespace("http://www.w3.org/2000/svg");
        xml.writeAttribute("version", "1.2");
        xml.writeAttribute("baseProfile", "tiny");
        xml.writeAttribute("width", QString::number(layout.width));
        xml.writeAttribute("height", QString::number(layout.height));
        xml.writeAttribute("viewBox", QString("0 0 %1 %2").arg(layout.width).arg(layout.height));
        xml.writeAttribute("font-family", kTimelineFonts);
        Rect({}, "background", 0, 0, layout.width, layout.height, "#ffffff");
        xml.writeEndElement();
        TextAt("title", "title", 8, 17, 13, layout.title);
        Axis();
        for (size_t i = 0; i < layout.lanes.size(); ++i) {
            Lane(layout.lanes[i], "lane-" + QString::number(i), i % 2 == 0);
        }
        Legend();
        xml.writeEndDocument();
    }

  private:
    void Rect(const QString& id, const QString& cls, double x, double y, double w, double h,
              const std::string& fill, double opacity = 1) {
        xml.writeStartElement("rect");
        Identify(id, cls);
        xml.writeAttribute("x", Number(x));
        xml.writeAttribute("y", Number(y));
        xml.writeAttribute("width", Number(std::max(w, 0.5)));
        xml.writeAttribute("height", Number(h));
        xml.writeAttribute("fill", Text(fill));
        if (opacity < 1) {
            xml.writeAttribute("fill-opacity", Number(opacity));
        }
    }

    void TextAt(const QString& id, const QString& cls, double x, double y, double size,
                const std::string& text) {
        xml.writeStartElement("text");
        Identify(id, cls);
        xml.writeAttribute("x", Number(x));
        xml.writeAttribute("y", Number(y));
        xml.writeAttribute("font-size", Number(size));
        xml.writeCharacters(Text(text));
        xml.writeEndElement();
    }

    void Identify(const QString& id, const QString& cls) {
        if (!id.isEmpty()) {
            xml.writeAttribute("id", id);
        }
        xml.writeAttribute("class", cls);
    }

    // What a viewer shows on hovering over the element just opened.
    void Title(const std::string& detail) {
        xml.writeTextElement("title", Text(detail));
        xml.writeEndElement();
    }

    void Axis() {
        const double bottom = layout.lanesTop + layout.lanes.size() * kLaneHeight;
        xml.writeStartElement("g");
        Identify("axis", "axis");
        for (const TimelineTick& tick : layout.ticks) {
            xml.writeEmptyElement("line");
            xml.writeAttribute("class", "tick");
            xml.writeAttribute("x1", Number(tick.x));
            xml.writeAttribute("x2", Number(tick.x));
            xml.writeAttribute("y1", Number(layout.lanesTop - 6));
            xml.writeAttribute("y2", Number(bottom));
            xml.writeAttribute("stroke", "#c8c8c8");
            TextAt({}, "tick-label", tick.x + 2, layout.lanesTop - 10, 10, tick.label);
        }
        xml.writeEndElement();
    }

    void Lane(const TimelineLane& lane, const QString& id, bool shaded) {
        xml.writeStartElement("g");
        Identify(id, "lane aspect-" + QString::number(lane.aspect));
        if (shaded) {
            Rect({}, "lane-background", 0, lane.top, layout.width, kLaneHeight, "#f3f3f3");
            xml.writeEndElement();
        }
        TextAt({}, "lane-glyphs", 8, lane.top + 22, kGlyphFont, lane.glyphs);
        TextAt({}, "lane-name", 72, lane.top + 21, kLaneFont, lane.name);
        for (size_t i = 0; i < lane.bands.size(); ++i) {
            const TimelineBand& band = lane.bands[i];
            Rect(id + "-band-" + QString::number(i), "band " + kOrbClasses[band.orb], band.x0,
                 band.y, band.x1 - band.x0, band.height, AspectColour(lane.aspect),
                 OrbOpacity(band.orb));
            Title(band.detail);
        }
        for (const TimelineStrip& strip : lane.retrograde) {
            Rect({}, "retrograde", strip.x0, strip.y, strip.x1 - strip.x0, strip.height, "#606060");
            xml.writeEndElement();
        }
        for (size_t i = 0; i < lane.markers.size(); ++i) {
            Marker(lane.markers[i], id + "-marker-" + QString::number(i));
        }
        xml.writeEndElement();
    }

    void Marker(const TimelineMarker& marker, const QString& id) {
        xml.writeStartElement("circle");
        Identify(id, marker.exact ? "marker exact" : "marker closest");
        xml.writeAttribute("cx", Number(marker.x));
        xml.writeAttribute("cy", Number(marker.y));
        xml.writeAttribute("r", Number(kMarkerRadius));
        xml.writeAttribute("fill", marker.exact ? "#000000" : "#ffffff");
        xml.writeAttribute("stroke", "#000000");
        xml.writeAttribute("stroke-width", "1.5");
        Title(marker.detail);
        if (marker.labelShown) {
            TextAt({}, "marker-label", marker.labelX, marker.labelY, kLabelFont, marker.label);
        }
    }

    void Legend() {
        xml.writeStartElement("g");
        Identify("legend", "legend");
        for (const TimelineLegendItem& item : layout.legend) {
            Rect(Text(item.id), "legend-swatch", item.x, item.y, kSwatch, kSwatch, item.colour,
                 item.opacity);
            xml.writeEndElement();
            TextAt({}, "legend-text", item.x + kSwatch + 6, item.y + 10, kLaneFont, item.text);
        }
        xml.writeEndElement();
    }

    const TimelineLayout& layout;
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
    SvgWriter(layout, bytes).Write();
    return bytes.toStdString();
}

}  // namespace zenthra
