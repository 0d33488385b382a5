// A scripted platform for the window model: records every message box, answers Yes/No/
// Cancel boxes and the file chooser from queues, and never reads the real clock.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/RecordingMessageBoxes.h"
#include "ui/Platform.h"

namespace zenthra::testing {

class FakePlatform : public Platform {
  public:
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override {
        return boxes.MsgBox(text, icon, title, buttons);
    }

    std::optional<std::string> ShowOpen(const std::string& title,
                                        const std::string& filter) override {
        dialogs.push_back({title, filter});
        if (fileAnswers.empty()) {
            return std::string();
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    bool OpenWithAssociatedProgram(const std::string& path) override {
        opened.push_back(path);
        return openSucceeds;
    }

    Geometry ScreenSize() override { return screen; }

    void ShowPopUp(const std::string& message, const Geometry& where, int intervalMs) override {
        popUps.push_back({message, where, intervalMs});
    }

    void YieldToEventLoop() override {
        ++yields;
        if (onYield) {
            onYield(yields);
        }
    }

    std::string ProgramFolder() override { return programFolder; }
    int CurrentYear() override { return year; }
    int32_t ComputerTimezoneSecondsWest() override { return secondsWest; }

    struct Dialog {
        std::string title;
        std::string filter;
    };
    struct PopUpShown {
        std::string message;
        Geometry where;
        int intervalMs;
    };

    RecordingMessageBoxes boxes;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<Dialog> dialogs;
    std::vector<std::string> opened;
    bool openSucceeds = true;
    std::vector<PopUpShown> popUps;
    std::function<void(int)> onYield;
    int yields = 0;
    Geometry screen{0, 0, 28800, 16200};  // 1920 x 1080 pixels at 96 dpi
    std::string programFolder = ZENTHRA_DATA_DIR;
    int year = 2026;
    int32_t secondsWest = -19800;  // Asia/Kolkata
};

}  // namespace zenthra::testing
