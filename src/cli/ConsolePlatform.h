// The window model's platform on a console: message boxes become lines on standard error,
// nothing waits for a user.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "ui/FrmPopUp.h"
#include "ui/Platform.h"

namespace zenthra {

class ConsolePlatform : public Platform {
  public:
    ConsolePlatform(std::ostream& errors, std::string programFolder, std::string reportsRoot)
        : errors(errors),
          programFolder(std::move(programFolder)),
          reportsRoot(std::move(reportsRoot)) {}

    // "Title: text", or the text alone where the box has no title of its own. A question is
    // answered No, so that nothing is saved.
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override;

    std::optional<std::string> ShowSave(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::string();
    }
    bool OpenWithAssociatedProgram(const std::string&) override { return false; }
    Geometry ScreenSize() override { return {0, 0, 28800, 16200}; }
    // Nothing waits on a console: a notice ends at once, and the program ends by itself.
    void ShowPopUp(FrmPopUp& notice) override { notice.Timer1_Timer(); }
    void EndProgram() override {}
    // The console draws timelines with its own command, never through the window's button.
    void ShowTimeline(const TimelineSource&) override {
        errors << "Timeline: drawn by zenthra-cli timeline\n";
    }
    // Nobody clicks on a console; the front end presses Stop here when it must.
    void YieldToEventLoop() override {
        if (onYield) {
            onYield();
        }
    }
    std::string ProgramFolder() override { return programFolder; }
    int CurrentYear() override;
    int32_t ComputerTimezoneSecondsWest() override;
    std::string ReportsRoot() override {
        return reportsRoot.empty() ? Platform::ReportsRoot() : reportsRoot;
    }

    // While set, boxes are neither printed nor answered with anything but OK or No.
    bool quiet = false;

    std::function<void()> onYield;

  private:
    std::ostream& errors;
    std::string programFolder;
    std::string reportsRoot;
};

}  // namespace zenthra
