// Keeps a top-level widget and the window model it renders in step: caption, background,
// position, size and window state go from the model to the widget; the user's moving,
// sizing, maximising and minimising go back into the model, which then lays itself out.
#pragma once

#include <QSize>
#include <functional>
#include <string>

#include "ui/Controls.h"
#include "view/Twips.h"

class QWidget;

namespace zenthra {

// A window model's sizes include a title bar and borders; a widget's are those of its inside.
// A nominal frame links the two, so that the layout does not depend on the decorations of a
// window manager.
inline constexpr int kFrameTwipsWide = 120;
inline constexpr int kFrameTwipsHigh = 450;

// The window properties of a model.
struct WindowProperties {
    std::string& caption;
    Geometry& geometry;
    WindowState& windowState;
    bool& visible;
    const Rgb* backColor = nullptr;  // none: the style's own
};

class TopLevelSync {
  public:
    TopLevelSync(QWidget& window, WindowProperties model, std::function<void()> formResize,
                 std::function<void()> afterChange);

    void Apply(const TwipScale& scale);

    // From the widget's event handlers.
    void Resized();
    void Moved();
    void StateChanged();

    bool Applying() const { return applying > 0; }

  private:
    void TakeGeometry();

    QWidget& window;
    WindowProperties model;
    std::function<void()> formResize;
    std::function<void()> afterChange;
    int applying = 0;
    QSize requestedSize;
    int placedLeft = -1;
    int placedTop = -1;
};

}  // namespace zenthra
