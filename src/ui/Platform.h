// What only a real desktop (or the console) can do for the window model. Tests use a
// scripted stand-in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "support/MessageBoxes.h"
#include "ui/Controls.h"

namespace zenthra {

class Platform : public MessageBoxes {
  public:
    // The file chooser as an Open dialog. Empty when the dialog itself failed; the empty
    // text when the user cancelled. A name that does not exist yet is accepted.
    virtual std::optional<std::string> ShowOpen(const std::string& title,
                                                const std::string& filter) = 0;

    // Opens a file with the program associated with it; true when that worked.
    virtual bool OpenWithAssociatedProgram(const std::string& path) = 0;

    // The screen's width and height in twips.
    virtual Geometry ScreenSize() = 0;

    // A notice at a place of the screen (twips) that blocks until it closes, after
    // `intervalMs` or at a click on it.
    virtual void ShowPopUp(const std::string& message, const Geometry& where, int intervalMs) = 0;

    // Lets pending user events and timer ticks through.
    virtual void YieldToEventLoop() = 0;

    // The folder of the program's data files (pluto.slx, zta_help.txt), without a trailing
    // separator.
    virtual std::string ProgramFolder() = 0;

    // The current calendar year.
    virtual int CurrentYear() = 0;

    // The computer's standard-time offset from Greenwich in seconds, positive west.
    virtual int32_t ComputerTimezoneSecondsWest() = 0;
};

}  // namespace zenthra
