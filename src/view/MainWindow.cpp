#include "view/MainWindow.h"

#include <QCloseEvent>
#include <QPlainTextEdit>

#include "view/ViewerWindow.h"

namespace zenthra {

namespace {

// The date fields' handlers: which field (0 year, 1 month, 2 day) of which group a control
// is.
template <typename Action>
void ForDateField(FrmMain& m, const Control& c, Action action) {
    for (int g = 0; g < 3; ++g) {
        const std::array<const Control*, 3> fields = {&m.txbYear[g], &m.txbMonth[g], &m.txbDay[g]};
        for (int f = 0; f < 3; ++f) {
            if (&c == fields[f]) {
                action(f, g);
                return;
            }
        }
    }
}

ControlRenderer::Handlers MainHandlers(FrmMain& m, std::function<void()> refresh) {
    ControlRenderer::Handlers h;
    h.lostFocus = [&m](Control& c) {
        if (&c == &m.txbStopDate) {
            m.txbStopDate_LostFocus();
        }
        ForDateField(m, c, [&m](int field, int g) {
            if (field == 0) {
                m.txbYear_LostFocus(g);
            } else if (field == 1) {
                m.txbMonth_LostFocus(g);
            } else {
                m.txbDay_LostFocus(g);
            }
        });
    };
    h.keyUp = [&m](Control& c, int keyCode, int shift) {
        ForDateField(m, c, [&m, keyCode, shift](int field, int g) {
            if (field == 0) {
                m.txbYear_KeyUp(g, keyCode, shift);
            } else if (field == 1) {
                m.txbMonth_KeyUp(g, keyCode, shift);
            } else {
                m.txbDay_KeyUp(g, keyCode, shift);
            }
        });
    };
    h.chooseOption = [&m](Control& chosen, Control& other) { m.ChooseOption(chosen, other); };
    h.focusMoved = [&m](Control* c) { m.focus = c; };
    h.afterEvent = std::move(refresh);
    return h;
}

}  // namespace

MainWindow::MainWindow(FrmMain& model)
    : model(model),
      renderer(*this, MainHandlers(model, [this] { Refresh(); })),
      sync(
          *this,
          {model.caption, model.geometry, model.windowState, model.visible, &model.backColor},
          [&model] { model.Form_Resize(); }, [this] { Refresh(); }) {
    setObjectName(QStringLiteral("frmMain"));
    CreateWidgets();
    viewer = std::make_unique<ViewerWindow>(model.frmView, this, [this] { Refresh(); });
    timer1.setInterval(kTimer1IntervalMs);
    connect(&timer1, &QTimer::timeout, this, [this] { Tick(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateWidgets() {
    for (const FrmMain::Placed& placed : model.AllControls()) {
        if (placed.control == &model.txbOutput) {
            pane = renderer.AddTextArea(
                model.txbOutput, ControlRenderer::Caret::End,
                [this]() -> const std::string& { return model.Pane().Text(); }, placed.frame);
        } else {
            renderer.Add(*placed.control, placed.frame);
        }
    }
}

void MainWindow::Refresh() {
    if (refreshing) {
        return;
    }
    refreshing = true;
    const TwipScale scale = Scale();
    const bool hidden = !isVisible();
    renderer.Apply(scale);
    sync.Apply(scale);
    if (hidden && isVisible()) {
        // A window that appears is sized, and lays itself out.
        model.Form_Resize();
        renderer.Apply(scale);
        sync.Apply(scale);
    }
    renderer.ApplyFocus(model.focus);
    viewer->Refresh();
    refreshing = false;
    if (isVisible() && !timer1.isActive()) {
        timer1.start();
    }
}

void MainWindow::Tick() {
    model.Timer1_Timer();
    Refresh();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!refreshing) {
        sync.Resized();
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!refreshing) {
        sync.Moved();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !refreshing) {
        sync.StateChanged();
    }
}

// Closing with the title bar asks the model, which may keep the window open.
void MainWindow::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    model.Form_Unload(cancel);
    if (cancel) {
        event->ignore();
        Refresh();
        return;
    }
    // The window is gone, also for the refreshes that a run ending at its next day still makes.
    event->accept();
    model.visible = false;
    viewer->hide();
}

}  // namespace zenthra
