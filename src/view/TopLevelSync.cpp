#include "view/TopLevelSync.h"

#include <QWidget>

#include "view/ControlRenderer.h"

namespace zenthra {

namespace {

WindowState StateOf(Qt::WindowStates states) {
    if (states.testFlag(Qt::WindowMinimized)) {
        return WindowState::Minimised;
    }
    return states.testFlag(Qt::WindowMaximized) || states.testFlag(Qt::WindowFullScreen)
               ? WindowState::Maximised
               : WindowState::Normal;
}

Qt::WindowStates QtStates(WindowState state) {
    switch (state) {
        case WindowState::Minimised:
            return Qt::WindowMinimized;
        case WindowState::Maximised:
            return Qt::WindowMaximized;
        case WindowState::Normal:
            break;
    }
    return Qt::WindowNoState;
}

TwipScale ScaleOf(const QWidget& window) {
    return TwipScale(window.logicalDpiX());
}

}  // namespace

TopLevelSync::TopLevelSync(QWidget& window, WindowProperties model,
                           std::function<void()> formResize, std::function<void()> afterChange)
    : window(window),
      model(model),
      formResize(std::move(formResize)),
      afterChange(std::move(afterChange)) {}

void TopLevelSync::Apply(const TwipScale& scale) {
    ApplyScope scope(applying);
    const QString title = QString::fromStdString(model.caption);
    if (window.windowTitle() != title) {
        window.setWindowTitle(title);
    }
    if (model.backColor != nullptr) {
        const QColor back(model.backColor->red, model.backColor->green, model.backColor->blue);
        if (!window.autoFillBackground() || window.palette().color(QPalette::Window) != back) {
            QPalette colors = window.palette();
            colors.setColor(QPalette::Window, back);
            window.setPalette(colors);
            window.setAutoFillBackground(true);
        }
    }
    const Geometry& g = model.geometry;
    if (g.left != placedLeft || g.top != placedTop) {
        window.move(scale.Px(g.left), scale.Px(g.top));
        placedLeft = g.left;
        placedTop = g.top;
    }
    if (StateOf(window.windowState()) != model.windowState) {
        window.setWindowState(QtStates(model.windowState));
    }
    if (model.windowState == WindowState::Normal) {
        const QSize wanted(scale.Px(g.width - kFrameTwipsWide),
                           scale.Px(g.height - kFrameTwipsHigh));
        if (wanted != requestedSize) {
            window.resize(wanted);
            requestedSize = wanted;
        }
    }
    if (window.isVisible() != model.visible) {
        window.setVisible(model.visible);
        if (model.visible) {
            window.raise();
            window.activateWindow();
        }
    }
}

// What the user did to the window goes into the model, which lays itself out; the window
// then takes the model's layout (which may undo part of what the user did).
void TopLevelSync::TakeGeometry() {
    const TwipScale scale = ScaleOf(window);
    model.windowState = StateOf(window.windowState());
    if (model.windowState != WindowState::Minimised) {
        model.geometry.width = scale.Twips(window.width()) + kFrameTwipsWide;
        model.geometry.height = scale.Twips(window.height()) + kFrameTwipsHigh;
    }
    requestedSize = window.size();
    formResize();
    afterChange();
}

void TopLevelSync::Resized() {
    if (!Applying() && model.visible) {
        TakeGeometry();
    }
}

void TopLevelSync::StateChanged() {
    if (!Applying() && model.visible) {
        TakeGeometry();
    }
}

void TopLevelSync::Moved() {
    if (Applying() || !model.visible || window.isMinimized()) {
        return;
    }
    const TwipScale scale = ScaleOf(window);
    model.geometry.left = placedLeft = scale.Twips(window.x());
    model.geometry.top = placedTop = scale.Twips(window.y());
}

}  // namespace zenthra
