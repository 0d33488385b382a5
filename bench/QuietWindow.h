// The all-transits mode's window for benchmarks: no pane, no event loop, and any message on
// standard error, where a run that went wrong shows it.
#pragma once

#include <iostream>
#include <string>
#include <string_view>

#include "alltransits/AllTransitsWindow.h"

namespace zenthra {

class QuietWindow : public AllTransitsWindow {
  public:
    MsgAnswer MsgBox(const std::string& text, MsgIcon, const std::string&, MsgButtons) override {
        std::cerr << "message: " << text << "\n";
        return MsgAnswer::Ok;
    }
    void AppendToPane(std::string_view) override {}
    void YieldToEventLoop() override {}
};

}  // namespace zenthra
