#include "view/ViewerWindow.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>

namespace zenthra {

ViewerWindow::ViewerWindow(FrmView& model, QWidget* owner, std::function<void()> refreshAll)
    : QWidget(owner, Qt::Window),
      model(model),
      refreshAll(std::move(refreshAll)),
      renderer(*this, {.afterEvent = [this] { this->refreshAll(); }}),
      sync(
          *this, {model.caption, model.geometry, model.windowState, model.visible},
          [&model] { model.Form_Resize(); }, [this] { this->refreshAll(); }) {
    setObjectName(QStringLiteral("frmView"));
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        this->model.Form_KeyDown(kKeyEscape, 0);
        this->refreshAll();
    });
    for (Control* control : model.AllControls()) {
        if (control == &model.txbText1) {
            text = renderer.AddTextArea(model.txbText1, ControlRenderer::Caret::Start);
        } else {
            renderer.Add(*control);
        }
    }
}

TwipScale ViewerWindow::Scale() const {
    return TwipScale(logicalDpiX());
}

void ViewerWindow::Refresh() {
    const TwipScale scale = Scale();
    renderer.Apply(scale);
    sync.Apply(scale);
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sync.Resized();
}

void ViewerWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    sync.Moved();
}

void ViewerWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        sync.StateChanged();
    }
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    model.Form_Unload();
    event->accept();
    refreshAll();
}

}  // namespace zenthra
