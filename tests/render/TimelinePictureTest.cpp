#include <gtest/gtest.h>

#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QRawFont>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <map>
#include <memory>

#include "calendar/DatePr2.h"
#include "render/TimelineImage.h"
#include "render/TimelinePicture.h"

namespace zenthra {
namespace {

class TimelinePictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { rendering = std::make_unique<HeadlessRendering>(); }
    static void TearDownTestSuite() { rendering.reset(); }

    // Two lanes: Mars square Jupiter with three orbs, an exact minimum and a closest
    // approach; Sun trine Moon with its outer orb alone.
    static TimelineLayout Layout(int width = 900) {
        TimelineSource source;
        source.title = "Transits <2023> & more";
        source.firstDay = DateToJdn(2023, 1, 1).jdn;
        source.lastDay = source.firstDay + 364;
        source.orbDegrees = {10, 5, 2};
        const double day = source.firstDay + 60;
        TimelineTransit mars{kMars, kSquare, kJupiter, false, {}, {}};
        mars.orbs = {{{{day, day + 90}}, {{day + 20, day + 60}}, {{day + 30, day + 50}}}};
        mars.minima = {{day + 40.5, true, 0}, {day + 80, false, 0.02}};
        TimelineTransit sun{kSun, kTrine, kMoon, false, {}, {}};
        sun.orbs[kOuterOrb] = {{day + 100, day + 110}};
        source.transits = {mars, sun};
        source.retrograde[kMars] = {{day + 70, day + 85}};
        source.stations = {{kMars, day + 70.25, true}, {kMars, day + 85.5, false}};
        return LayOutTimeline(source, width);
    }

    static std::unique_ptr<HeadlessRendering> rendering;
};

std::unique_ptr<HeadlessRendering> TimelinePictures::rendering;

struct Element {
    QString name;
    QString cls;
    QString title;
};

// Every element with an id, by its id, with the title under it.
std::map<QString, Element> ElementsById(const std::string& svg, QString& error) {
    std::map<QString, Element> elements;
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    QString open;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.attributes().hasAttribute("id")) {
            open = xml.attributes().value("id").toString();
            elements[open] = {
                xml.name().toString(), xml.attributes().value("class").toString(), {}};
        } else if (xml.isStartElement() && xml.name() == QStringLiteral("title")) {
            elements[open].title = xml.readElementText();
        }
    }
    error = xml.hasError() ? xml.errorString() : QString();
    return elements;
}

TEST_F(TimelinePictures, SvgReadsBackWithItsLanesBandsAndMarkers) {
    const TimelineLayout layout = Layout();
    const std::string svg = TimelinePicture(layout, PictureFormat::Svg);
    QString error;
    const auto elements = ElementsById(svg, error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(elements.at("lane-0").cls, "lane aspect-3");
    EXPECT_EQ(elements.at("lane-1").cls, "lane aspect-4");
    EXPECT_EQ(elements.count("lane-2"), 0u);
    EXPECT_EQ(elements.at("lane-0-band-0").cls, "band orb-outer");
    EXPECT_EQ(elements.at("lane-0-band-1").cls, "band orb-middle");
    EXPECT_EQ(elements.at("lane-0-band-2").cls, "band orb-inner");
    EXPECT_EQ(elements.at("lane-0-band-2").name, "rect");
    EXPECT_EQ(elements.at("lane-0-band-2").title.toStdString(), layout.lanes[0].bands[2].detail);
    EXPECT_EQ(elements.at("lane-1-band-0").cls, "band orb-outer");
    EXPECT_EQ(elements.count("lane-1-band-1"), 0u);
    EXPECT_EQ(elements.at("lane-0-marker-0").cls, "marker exact");
    EXPECT_EQ(elements.at("lane-0-marker-0").name, "circle");
    EXPECT_EQ(elements.at("lane-0-marker-1").cls, "marker closest");
    EXPECT_EQ(elements.at("lane-0-marker-1").title.toStdString(),
              layout.lanes[0].markers[1].detail);
    EXPECT_EQ(elements.at("lane-0-station-0").cls, "station retrograde");
    EXPECT_EQ(elements.at("lane-0-station-0").name, "circle");
    EXPECT_EQ(elements.at("lane-0-station-0").title.toStdString(),
              layout.lanes[0].stations[0].detail);
    EXPECT_EQ(elements.at("lane-0-station-1").cls, "station direct");
    EXPECT_EQ(elements.count("lane-1-station-0"), 0u);
    EXPECT_EQ(elements.at("legend-aspect-5").cls, "legend-swatch");
    EXPECT_EQ(elements.at("title").name, "text");
    EXPECT_NE(svg.find("Transits &lt;2023&gt; &amp; more"), std::string::npos);
    EXPECT_NE(svg.find("class=\"retrograde\""), std::string::npos);
    EXPECT_NE(svg.find("font-family=\"DejaVu Sans, Symbola\""), std::string::npos);

    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.defaultSize(), QSize(layout.width, layout.height));
}

TEST_F(TimelinePictures, PngOfTheLayoutsSizeWithTheInnerBandInItsAspectsColour) {
    const TimelineLayout layout = Layout(1000);
    const std::string png = TimelinePicture(layout, PictureFormat::Png);
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(png.substr(1, 3), "PNG");
    const QImage image = QImage::fromData(QByteArray::fromStdString(png), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1000, layout.height));
    const TimelineBand& inner = layout.lanes[0].bands[2];
    const QColor middle = image.pixelColor(static_cast<int>((inner.x0 + inner.x1) / 2 + 8),
                                           static_cast<int>(inner.y + inner.height / 2));
    EXPECT_EQ(middle.name().toStdString(), AspectColour(kSquare));
}

// Pixels that are not white in a rectangle of the image.
int Inked(const QImage& image, double left, double top, double right, double bottom) {
    int inked = 0;
    for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y) {
        for (int x = static_cast<int>(left); x < static_cast<int>(right); ++x) {
            inked += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
        }
    }
    return inked;
}

TEST_F(TimelinePictures, PaintedImageOfTheLayoutsSizeInkedInItsLanes) {
    const TimelineLayout layout = Layout(1000);
    const QImage image = TimelineImage(layout);
    ASSERT_EQ(image.size(), QSize(1000, layout.height));
    // The second lane is not shaded: its glyphs, name and band are what is painted there.
    const TimelineLane& sun = layout.lanes.at(1);
    const double bottom = sun.top + kLaneHeight;
    EXPECT_GT(Inked(image, 0, sun.top, layout.plotLeft, bottom), 50);
    const TimelineBand& band = sun.bands.at(0);
    // Inked throughout, give or take its edges' partial pixels.
    EXPECT_GE(Inked(image, band.x0 + 1, band.y + 1, band.x1 - 1, band.y + band.height - 1),
              static_cast<int>((band.x1 - band.x0 - 2)) * static_cast<int>(band.height - 2));
    const TimelineStationMarker& station = layout.lanes[0].stations.at(0);
    EXPECT_EQ(image.pixelColor(static_cast<int>(station.x), static_cast<int>(station.y)),
              QColor(Qt::black));
}

TEST_F(TimelinePictures, NoStationsWhenTheRunListedNone) {
    TimelineLayout layout = Layout();
    for (TimelineLane& lane : layout.lanes) {
        lane.stations.clear();
    }
    const std::string svg = TimelineSvg(layout);
    EXPECT_EQ(svg.find("station"), std::string::npos);
    EXPECT_NE(svg.find("class=\"retrograde\""), std::string::npos);
}

TEST(PictureFormats, ByTheExtensionInAnyCase) {
    EXPECT_EQ(PictureFormatOf("map.svg"), PictureFormat::Svg);
    EXPECT_EQ(PictureFormatOf("/tmp/Map.PNG"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatOf("map.jpg"), std::nullopt);
    EXPECT_EQ(PictureFormatOf("map.svg.txt"), std::nullopt);
    EXPECT_EQ(PictureFormatOf("svg"), std::nullopt);
    EXPECT_EQ(PictureFormatOf(".png"), std::nullopt);
    EXPECT_EQ(PictureFormatOf("/tmp/.svg"), std::nullopt);
    EXPECT_EQ(PictureFormatOf(""), std::nullopt);
}

TEST_F(TimelinePictures, TheFontsHaveEveryGlyph) {
    const QStringList families = QFontDatabase::families();
    ASSERT_TRUE(families.contains("DejaVu Sans"));
    ASSERT_TRUE(families.contains("Symbola"));
    // The fonts themselves, without the fallbacks a QFont would take.
    const QRawFont dejaVu = QRawFont::fromFont(QFont("DejaVu Sans"));
    const QRawFont symbola = QRawFont::fromFont(QFont("Symbola"));
    ASSERT_EQ(dejaVu.familyName(), "DejaVu Sans");
    ASSERT_EQ(symbola.familyName(), "Symbola");
    EXPECT_FALSE(dejaVu.supportsCharacter(char32_t{0x26B9}));  // why Symbola is there
    for (const char32_t glyph : U"☉☿♀♂♃♄♅♆♇☽☌☍□△⚹") {
        if (glyph != 0) {
            EXPECT_TRUE(dejaVu.supportsCharacter(glyph) || symbola.supportsCharacter(glyph))
                << static_cast<int>(glyph);
        }
    }
}

}  // namespace
}  // namespace zenthra
