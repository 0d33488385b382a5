// What the all-transits mode needs of the window: its output pane, the event loop and the
// message box of the Pluto table. The window model implements it; tests use a recorder.
#pragma once

#include <string_view>

#include "support/MessageBoxes.h"

namespace zenthra {

class AllTransitsWindow : public MessageBoxes {
  public:
    // Appends to the output pane and repaints the pane at once.
    virtual void AppendToPane(std::string_view text) = 0;

    // Lets pending events through, so that the window repaints during a long computation.
    virtual void YieldToEventLoop() = 0;
};

}  // namespace zenthra
