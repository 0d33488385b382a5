// Twips (1440 per logical inch) to the widgets' logical pixels and back, at the screen's
// logical resolution, so that a window laid out in twips scales with the screen.
#pragma once

#include <QRect>
#include <cmath>

#include "ui/Controls.h"

namespace zenthra {

inline constexpr double kTwipsPerInch = 1440;

class TwipScale {
  public:
    explicit TwipScale(double dotsPerInch) : dotsPerInch(dotsPerInch > 0 ? dotsPerInch : 96) {}

    int Px(int twips) const {
        return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
    }
    int Twips(int px) const {
        return static_cast<int>(std::lround(px * kTwipsPerInch / dotsPerInch));
    }

    // Edges are rounded rather than sizes, so that neighbours that touch in twips touch on
    // the screen too.
    QRect Rect(const Geometry& g) const {
        const int left = Px(g.left);
        const int top = Px(g.top);
        return {left, top, Px(g.left + g.width) - left, Px(g.top + g.height) - top};
    }

  private:
    double dotsPerInch;
};

}  // namespace zenthra
