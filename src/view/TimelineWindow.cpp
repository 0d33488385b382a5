#include "view/TimelineWindow.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>

#include "render/TimelineImage.h"
#include "render/TimelinePicture.h"
#include "support/SafeFile.h"
#include "ui/Platform.h"

namespace zenthra {

namespace {

const std::string kTitle = "Timeline";
const std::string kFilter = "PNG image *.png | *.png | SVG image *.svg | *.svg";
constexpr int kFirstWidth = 1200;
constexpr int kFirstHeight = 640;

}  // namespace

TimelineCanvas::TimelineCanvas(TimelineSource source, QWidget* parent)
    : QWidget(parent), source(std::move(source)) {
    setMouseTracking(true);
    FitWidth(kFirstWidth);
}

void TimelineCanvas::FitWidth(int width) {
    layout = LayOutTimeline(source, width);
    image = TimelineImage(layout);
    setFixedSize(layout.width, layout.height);
    update();
}

std::string TimelineCanvas::DetailAt(QPoint point) const {
    return TimelineDetailAt(layout, point.x(), point.y());
}

void TimelineCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void TimelineCanvas::mouseMoveEvent(QMouseEvent* event) {
    const std::string detail = DetailAt(event->position().toPoint());
    if (detail.empty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(event->globalPosition().toPoint(), QString::fromStdString(detail), this);
    }
}

TimelineWindow::TimelineWindow(TimelineSource source, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window),
      platform(platform),
      scroll(new QScrollArea(this)),
      canvas(new TimelineCanvas(std::move(source))) {
    setObjectName(QStringLiteral("frmTimeline"));
    setWindowTitle(QString::fromStdString(kTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    scroll->setWidget(canvas);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->viewport()->installEventFilter(this);
    auto* save = new QPushButton(QStringLiteral("Save…"), this);
    save->setObjectName(QStringLiteral("cmdSaveTimeline"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdCloseTimeline"));
    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(scroll);
    column->addLayout(buttons);
    resize(kFirstWidth, kFirstHeight);
}

bool TimelineWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll->viewport() && event->type() == QEvent::Resize) {
        const int width = scroll->viewport()->width();
        if (width != canvas->Layout().width) {
            canvas->FitWidth(width);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TimelineWindow::Save() {
    const auto path = platform.ShowSave("Save timeline", kFilter, "png");
    if (path && !path->empty()) {
        SaveTo(*path);
    }
}

bool TimelineWindow::SaveTo(const std::string& path) {
    const auto format = PictureFormatOf(path);
    if (!format) {
        platform.MsgBox("A timeline is saved as .png or .svg: " + path, MsgIcon::Exclamation,
                        kTitle);
        return false;
    }
    const std::string bytes = TimelinePicture(canvas->Layout(), *format);
    const std::string failure =
        bytes.empty() ? "the picture could not be encoded" : WriteWholeFile(path, bytes);
    if (!failure.empty()) {
        platform.MsgBox("Error writing to file " + path + ": " + failure, MsgIcon::Exclamation,
                        kTitle);
        return false;
    }
    return true;
}

}  // namespace zenthra
