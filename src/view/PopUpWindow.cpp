#include "view/PopUpWindow.h"

#include <QLabel>
#include <QMouseEvent>

namespace zenthra {

namespace {

QColor Color(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

}  // namespace

PopUpWindow::PopUpWindow(FrmPopUp& notice, const TwipScale& scale, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      notice(notice),
      message(new QLabel(this)) {
    setObjectName(QStringLiteral("frmPopUp"));
    setModal(true);
    const Control& label = notice.lblMessage;
    message->setObjectName(QString::fromStdString(label.name));
    message->setTextFormat(Qt::PlainText);
    message->setAlignment(Qt::AlignCenter);
    message->setText(QString::fromStdString(label.caption));
    QFont font(QString::fromStdString(label.font.name));
    font.setPointSizeF(label.font.points);
    font.setBold(label.font.bold);
    message->setFont(font);
    // A thin border sets the frameless notice off from the window below it.
    message->setFrameShape(QFrame::Box);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Color(label.backColor));
    colors.setColor(QPalette::WindowText, Color(label.foreColor));
    setPalette(colors);
    setAutoFillBackground(true);

    const QRect where = scale.Rect(notice.geometry);
    setFixedSize(where.size());
    move(where.topLeft());
    message->setGeometry(0, 0, scale.Px(label.geometry.width), where.height());

    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, [this] {
        this->notice.Timer1_Timer();
        CloseWhenHidden();
    });
}

void PopUpWindow::Run() {
    if (!notice.visible) {
        return;
    }
    if (notice.Timer1.enabled) {
        timer.start(std::max(0, static_cast<int>(notice.Timer1.interval)));
    }
    exec();
}

void PopUpWindow::mouseReleaseEvent(QMouseEvent* event) {
    QDialog::mouseReleaseEvent(event);
    notice.lblMessage_MouseUp();
    CloseWhenHidden();
}

void PopUpWindow::CloseWhenHidden() {
    if (!notice.visible) {
        timer.stop();
        accept();
    } else if (notice.Timer1.enabled && !timer.isActive()) {
        timer.start(std::max(0, static_cast<int>(notice.Timer1.interval)));
    }
}

}  // namespace zenthra
