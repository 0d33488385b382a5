// The timeline in a window of its own: resizable, the lanes scroll when they do not fit,
// hovering over a band or a marker shows its details, and the picture can be saved as PNG or
// SVG. Closing it changes nothing else.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "timeline/TimelineLayout.h"

class QScrollArea;

namespace zenthra {

class Platform;

// The picture at the width of its viewport.
class TimelineCanvas : public QWidget {
  public:
    explicit TimelineCanvas(TimelineSource source, QWidget* parent = nullptr);

    // Lays the timeline out again for a new width (pixels).
    void FitWidth(int width);
    const TimelineLayout& Layout() const { return layout; }
    // The detail under a point of the canvas; empty over anything else.
    std::string DetailAt(QPoint point) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    TimelineSource source;
    TimelineLayout layout;
    QImage image;
};

class TimelineWindow : public QWidget {
  public:
    TimelineWindow(TimelineSource source, Platform& platform, QWidget* parent = nullptr);

    TimelineCanvas& Canvas() { return *canvas; }

    // Writes the picture as it is shown, in the format the name's extension gives. A failure
    // is told in a box; true when the file was written.
    bool SaveTo(const std::string& path);

  protected:
    // The picture takes the width of the scroll area's viewport whenever that changes.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Save();

    Platform& platform;
    QScrollArea* scroll;
    TimelineCanvas* canvas;
};

}  // namespace zenthra
