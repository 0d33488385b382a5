// The read-only text viewer (the help window) on the desktop: renders the viewer model and
// forwards its button, its resizing and its closing to the model's handlers.
#pragma once

#include <QWidget>
#include <functional>

#include "ui/FrmView.h"
#include "view/ControlRenderer.h"
#include "view/TopLevelSync.h"

class QPlainTextEdit;

namespace zenthra {

class ViewerWindow : public QWidget {
  public:
    // `refreshAll` brings every window up to date after a handler.
    ViewerWindow(FrmView& model, QWidget* owner, std::function<void()> refreshAll);

    void Refresh();

    QWidget* WidgetOf(const Control& control) const { return renderer.WidgetOf(control); }
    QPlainTextEdit* Text() const { return text; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    TwipScale Scale() const;

    FrmView& model;
    std::function<void()> refreshAll;
    ControlRenderer renderer;
    TopLevelSync sync;
    QPlainTextEdit* text = nullptr;
};

}  // namespace zenthra
