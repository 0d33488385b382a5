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

using KeyHandler = void (FrmMain::*)(int group, int keyCode, int shift);

// The key handlers of the date fields: those of the year, the month and the day field.
std::function<void(Control&, int, int)> DateFieldKeys(FrmMain& m,
                                                      std::array<KeyHandler, 3> handlers) {
    return [&m, handlers](Control& c, int keyCode, int shift) {
        ForDateField(m, c, [&m, &handlers, keyCode, shift](int field, int g) {
            (m.*handlers[field])(g, keyCode, shift);
        });
    };
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
    h.keyDown = DateFieldKeys(
        m, {&FrmMain::txbYear_KeyDown, &FrmMain::txbMonth_KeyDown, &FrmMain::txbDay_KeyDown});
    h.keyUp = DateFieldKeys(
        m, {&FrmMain::txbYear_KeyUp, &FrmMain::txbMonth_KeyUp, &FrmMain::txbDay_KeyUp});
    h.chooseOption = [&m](Control& chosen, Control& other) { m.ChooseOption(chosen, other); };
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
