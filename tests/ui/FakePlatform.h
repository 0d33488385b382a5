// A scripted platform for the window model: records every message box, answers Yes/No/
// Cancel boxes, the file chooser and its question before replacing a file from queues, and
// never reads the real clock.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/RecordingMessageBoxes.h"
#include "ui/FrmPopUp.h"
#include "ui/Platform.h"

namespace zenthra::testing {

class FakePlatform : public Platform {
  public:
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override {
        return boxes.MsgBox(text, icon, title, buttons);
    }

    // As a Save dialog: the typed name gets the default suffix when it has none, and a name
    // that exists is given only when `replaceAnswers` says so (cancelled otherwise).
    std::optional<std::string> ShowSave(const std::string& title, const std::string& filter,
                                        const std::string& defaultSuffix) override {
        dialogs.push_back({title, filter, defaultSuffix});
        if (fileAnswers.empty()) {
            return std::string();
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (!answer || answer->empty()) {
            return answer;
        }
        if (std::filesystem::path(*answer).extension().empty()) {
            *answer += "." + defaultSuffix;
        }
        if (std::filesystem::exists(*answer)) {
            replaceQuestions.push_back(*answer);
            const bool replace = !replaceAnswers.empty() && replaceAnswers.front();
            if (!replaceAnswers.empty()) {
                replaceAnswers.pop_front();
            }
            return replace ? *answer : std::string();
        }
        return answer;
    }

    bool OpenWithAssociatedProgram(const std::string& path) override {
        opened.push_back(path);
        return openSucceeds;
    }

    Geometry ScreenSize() override { return screen; }

    // Records the notice as shown, then closes it by its timer or, with `clickPopUps`, by a
    // click on it.
    void ShowPopUp(FrmPopUp& notice) override {
        popUps.push_back({notice.lblMessage.caption, notice.geometry, notice.Timer1.interval,
                          notice.visible && notice.Timer1.enabled});
        if (clickPopUps) {
            notice.lblMessage_MouseUp();
        } else {
            notice.Timer1_Timer();
        }
    }

    void YieldToEventLoop() override {
        ++yields;
        if (onYield) {
            onYield(yields);
        }
    }

    std::string ProgramFolder() override { return programFolder; }
    int CurrentYear() override { return year; }
    int64_t CurrentUtcSeconds() override { return utcSeconds; }
    int32_t ComputerTimezoneSecondsWest() override { return secondsWest; }

    // All-transits reports: a folder of the temporary folder that each test sets.
    std::string ReportsRoot() override { return reportsRoot; }

    // Saved state, help and notices.
    void EndProgram() override { ++programEnds; }
    void ShowTimeline(const TimelineSource& source) override { timelines.push_back(source); }
    std::string CurrentWorkingFolder() override { return workingFolder; }

    struct Dialog {
        std::string title;
        std::string filter;
        std::string defaultSuffix;
    };
    struct PopUpShown {
        std::string message;
        Geometry where;
        int intervalMs;
        bool shownWithTimer;  // visible, its timer running
    };

    RecordingMessageBoxes boxes;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<Dialog> dialogs;
    std::deque<bool> replaceAnswers;            // to "replace the existing file?"; none: no
    std::vector<std::string> replaceQuestions;  // the files the question named
    std::vector<std::string> opened;
    bool openSucceeds = true;
    std::vector<PopUpShown> popUps;
    std::function<void(int)> onYield;
    int yields = 0;
    Geometry screen{0, 0, 28800, 16200};  // 1920 x 1080 pixels at 96 dpi
    std::string programFolder = ZENTHRA_DATA_DIR;
    int year = 2026;
    int64_t utcSeconds = 1'780'000'000;  // 2026-05-28 20:26:40 UTC
    int32_t secondsWest = -19800;        // Asia/Kolkata
    std::string reportsRoot =
        (std::filesystem::temp_directory_path() / "zenthra-test-reports").string();
    bool clickPopUps = false;
    int programEnds = 0;
    std::vector<TimelineSource> timelines;
    std::string workingFolder = "/home/user/work";
};

}  // namespace zenthra::testing
