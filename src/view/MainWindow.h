// The main window on the desktop: renders the window model frmMain, and the help viewer it
// owns, and forwards the user's actions to their handlers. Every rule of the window stays in
// the model; after each handler, at every yield of a run and at every tick of Timer1 the
// windows read the model again.
#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "ui/FrmMain.h"
#include "view/ControlRenderer.h"
#include "view/TopLevelSync.h"

class QPlainTextEdit;
class QScrollArea;

namespace zenthra {

class ViewerWindow;

inline constexpr int kTimer1IntervalMs = 500;

class MainWindow : public QWidget {
  public:
    explicit MainWindow(FrmMain& model);
    ~MainWindow() override;

    // Model to widgets, for this window and the viewer.
    void Refresh();

    // Timer1 runs from the moment the window is first shown.
    QTimer& Timer1() { return timer1; }

    TwipScale Scale() const { return TwipScale(logicalDpiX()); }
    QWidget* WidgetOf(const Control& control) const { return renderer.WidgetOf(control); }
    QPlainTextEdit* OutputPane() const { return pane; }
    // The controls sit on a page of the layout's size inside the window: where the screen is
    // too small for the page it scrolls, where the window is larger it stays in the middle.
    QScrollArea* Scroller() const { return scroller; }
    QWidget* Page() const { return page; }
    ViewerWindow& Viewer() { return *viewer; }
    FrmMain& Model() { return model; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateWidgets();
    void CreateShortcuts();
    void SizePage(const TwipScale& scale);
    void Tick();

    FrmMain& model;
    QScrollArea* scroller;
    QWidget* page;
    ControlRenderer renderer;
    TopLevelSync sync;
    QPlainTextEdit* pane = nullptr;
    std::unique_ptr<ViewerWindow> viewer;
    QTimer timer1;
    bool refreshing = false;
};

}  // namespace zenthra
