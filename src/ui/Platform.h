// What only a real desktop (or the console) can do for the window model. Tests use a
// scripted stand-in.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "support/MessageBoxes.h"
#include "timeline/TimelineSource.h"
#include "ui/Controls.h"

namespace zenthra {

class FrmPopUp;

class Platform : public MessageBoxes {
  public:
    // The file chooser as a Save dialog: a name typed without an extension gets
    // `defaultSuffix` ("txt"), and choosing a file that exists asks before replacing it. Empty
    // when the dialog itself failed; the empty text when the user cancelled.
    virtual std::optional<std::string> ShowSave(const std::string& title, const std::string& filter,
                                                const std::string& defaultSuffix) = 0;

    // Opens a file with the program associated with it; true when that worked.
    virtual bool OpenWithAssociatedProgram(const std::string& path) = 0;

    // The screen's width and height in twips.
    virtual Geometry ScreenSize() = 0;

    // Shows the notice model modally at its geometry (screen twips) and returns once it is
    // hidden: the platform runs the notice's Timer1 (calling Timer1_Timer when its interval
    // has passed) and forwards a click on its text to lblMessage_MouseUp.
    virtual void ShowPopUp(FrmPopUp& notice) = 0;

    // Lets pending user events and timer ticks through.
    virtual void YieldToEventLoop() = 0;

    // Shows the timeline in a window of its own, which the user closes; the main window goes
    // on meanwhile.
    virtual void ShowTimeline(const TimelineSource& source) = 0;

    // The folder of the program's data files (pluto.slx, zta_help.txt), without a trailing
    // separator.
    virtual std::string ProgramFolder() = 0;

    // The current calendar year.
    virtual int CurrentYear() = 0;

    // Seconds since 1970-01-01 00:00 UTC: when an export is made.
    virtual int64_t CurrentUtcSeconds() {
        return std::chrono::duration_cast<std::chrono::seconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }

    // The computer's standard-time offset from Greenwich in seconds, positive west.
    virtual int32_t ComputerTimezoneSecondsWest() = 0;

    // The folder that holds the all-transits report folders, without a trailing separator:
    // "$HOME/KVR" unless the platform puts them elsewhere.
    virtual std::string ReportsRoot() {
        const char* home = std::getenv("HOME");
        return std::string(home != nullptr ? home : ".") + "/KVR";
    }

    // Saved state, help and notices.

    // Ends the program once the running handler has returned.
    virtual void EndProgram() = 0;

    // The process's working folder, which the help viewer names when it cannot read its file.
    virtual std::string CurrentWorkingFolder() {
        std::error_code failed;
        const auto folder = std::filesystem::current_path(failed);
        return failed ? std::string() : folder.string();
    }
};

}  // namespace zenthra
