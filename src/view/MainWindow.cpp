#include "view/MainWindow.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include "view/ViewerWindow.h"

namespace zenthra {

namespace {

ControlRenderer::Handlers MainHandlers(FrmMain& m, std::function<void()> refresh) {
    ControlRenderer::Handlers h;
    h.focusMoved = [&m](Control* c) { m.focus = c; };
    h.afterEvent = std::move(refresh);
    return h;
}

}  // namespace

MainWindow::MainWindow(FrmMain& model)
    : model(model),
      scroller(new QScrollArea(this)),
      page(new QWidget),
      renderer(*page, MainHandlers(model, [this] { Refresh(); })),
      sync(
          *this,
          {model.caption, model.geometry, model.windowState, model.visible, &model.backColor},
          [&model] { model.Form_Resize(); }, [this] { Refresh(); }) {
    setObjectName(QStringLiteral("frmMain"));
    // The page and the scroller show the window's own background.
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setAlignment(Qt::AlignCenter);
    scroller->viewport()->setAutoFillBackground(false);
    scroller->setWidget(page);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(scroller);
    CreateWidgets();
    CreateShortcuts();
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

// F1, Escape and Ctrl+Q act wherever the focus is in the window; the model says what they do.
void MainWindow::CreateShortcuts() {
    const struct {
        QKeySequence keys;
        int keyCode;
        int shift;
    } keys[] = {{QKeySequence(Qt::Key_F1), kKeyF1, 0},
                {QKeySequence(Qt::Key_Escape), kKeyEscape, 0},
                {QKeySequence(Qt::CTRL | Qt::Key_Q), kKeyQ, kCtrlMask}};
    for (const auto& key : keys) {
        auto* shortcut = new QShortcut(key.keys, this);
        connect(shortcut, &QShortcut::activated, this,
                [this, code = key.keyCode, shift = key.shift] {
                    model.Form_KeyDown(code, shift);
                    Refresh();
                });
    }
}

// The page has the layout's width, and the window's height that the layout fills.
void MainWindow::SizePage(const TwipScale& scale) {
    if (model.windowState == WindowState::Minimised) {
        return;
    }
    const QSize size(scale.Px(model.fixedWidth - kFrameTwipsWide),
                     scale.Px(model.geometry.height - kFrameTwipsHigh));
    if (page->size() != size) {
        page->setFixedSize(size);
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
    SizePage(scale);
    renderer.ApplyTabOrder(model.TabOrder());
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
