// A run of the transit scan wired as the window wires it, with a window stand-in that
// records what the scan asks of it.
#pragma once

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/DatePr2.h"
#include "engine/TransitScan.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "report/ReportWriter.h"
#include "report/TableLayout.h"
#include "support/FileContents.h"
#include "support/RecordingMessageBoxes.h"

namespace zenthra::testing {

class FakeRunWindow : public ScanWindow, public ReportWindow {
  public:
    // ScanWindow
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override {
        return boxes.MsgBox(text, icon, title, buttons);
    }
    void YieldToEventLoop() override {
        ++yields;
        if (onYield) {
            onYield(yields);
        }
    }
    // The running state shows the progress label, as the window's does.
    void EnterRunningState() override {
        events.push_back("running");
        shortDateVisible = true;
    }
    void EnterIdleState() override { events.push_back("idle"); }
    void SetProgressDate(const std::string& dateText) override { progressDate = dateText; }
    void ShowShortDate(const std::string& dateText) override {
        shortDate = dateText;
        shortDateVisible = true;
    }
    void HideShortDate() override { shortDateVisible = false; }
    void ShowDoneNotice() override { events.push_back("done"); }
    void SetAppendToOutputVisible(bool visible) override { appendVisible = visible; }
    void UntickAppendToOutput() override { appendTicked = false; }
    void RestoreNormalLayout() override { events.push_back("normal layout"); }
    // The title shows the run's period, which may begin before the start the user typed.
    std::string RunTitle() override {
        RunTitleInputs in = title;
        if (request != nullptr) {
            in.startJdn = request->startJdn;
            in.endJdn = request->endJdn;
        }
        return BuildRunTitle(in);
    }
    std::string ResultsTimezoneText() override { return resultsTimezone; }

    // ReportWindow
    bool OutputAsHtml() override { return outputAsHtml; }
    std::string OutputFilePath() override { return outputFilePath; }
    std::string WindowCaption() override { return "Zenthra 2.38"; }
    std::string FileButtonCaption() override { return "Write output to file"; }
    std::array<int16_t, 3> SelectedOrbDegrees() override { return orbs; }
    void RefreshPane() override {}

    RecordingMessageBoxes boxes;
    const TransitRequest* request = nullptr;
    RunTitleInputs title;
    std::string resultsTimezone = "GMT";
    bool outputAsHtml = false;
    std::string outputFilePath;
    std::array<int16_t, 3> orbs{10, 5, 2};
    std::function<void(int)> onYield;
    int yields = 0;
    std::vector<std::string> events;
    std::string progressDate;
    std::string shortDate;
    bool shortDateVisible = false;
    bool appendVisible = true;
    bool appendTicked = true;
};

// One run: set the request's fields, then Run().
class ScanHarness {
  public:
    ScanHarness()
        : writer(pane, table, flags, window, window), scan(request, table, flags, window, writer) {
        window.request = &request;
        InitDateVocabulary();
        InitVocabulary(ZENTHRA_DATA_DIR);
        dataFolder = ZENTHRA_DATA_DIR;
        RecordingMessageBoxes silent;
        if (!plutoLoaded) {
            plutoLoaded = LoadPlutoTable(kPlutoFileName, silent);
        }
        SetOrbs(10, 5, 2);
    }

    void SetOrbs(int16_t outer, int16_t middle, int16_t inner) {
        request.orbDegrees = {outer, middle, inner};
        for (int i = 0; i < 3; ++i) {
            request.orbRadians[i] = request.orbDegrees[i] * 6.28318530717959 / 360;
        }
        request.outerOrbIs15 = outer == 15;
        window.orbs = request.orbDegrees;
    }

    // A world run of two transiting bodies.
    void World(BodyCode first, BodyCode second, int32_t startJdn, int32_t endJdn) {
        request.isWorld = true;
        request.firstBody = first;
        request.secondBody = second;
        request.startJdn = startJdn;
        request.endJdn = endJdn;
        window.title.isWorld = true;
        window.title.firstBodyText = BodyName(first);
        window.title.secondBodyText = BodyName(second);
        window.title.startJdn = startJdn;
        window.title.endJdn = endJdn;
    }

    // A personal run against a natal longitude (radians) of `natal`.
    void Personal(BodyCode first, BodyCode natal, double natalLongitude, int32_t startJdn,
                  int32_t endJdn) {
        World(first, natal, startJdn, endJdn);
        request.isWorld = false;
        request.natalLongitude[natal] = natalLongitude;
        window.title.isWorld = false;
    }

    void Run(bool moveStart = true) {
        writer.SetOrbDegrees(request.orbDegrees);
        if (moveStart) {
            scan.MoveStartBeforeTransit();
        } else {
            scan.RunTransitScan();
        }
    }

    const std::string& Pane() const { return pane.Text(); }

    // The transit rows of the table as the run left them, up to the first empty row.
    std::vector<TableRow> TransitRows() const {
        std::vector<TableRow> rows;
        for (int r = kFirstTransitRow; !table.RowIsEmpty(r); ++r) {
            rows.push_back(table.Row(r));
        }
        return rows;
    }

    // HTML output into a fresh file of the temporary folder, removed with the harness. The
    // process number keeps tests that run side by side apart.
    std::filesystem::path UseHtmlFile(const std::string& name) {
        htmlPath =
            std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove(htmlPath);
        window.outputAsHtml = true;
        window.outputFilePath = htmlPath.string();
        return htmlPath;
    }

    ~ScanHarness() {
        std::error_code ignored;
        if (!htmlPath.empty()) {
            std::filesystem::remove(htmlPath, ignored);
        }
    }

    std::filesystem::path htmlPath;
    TransitRequest request;
    TransitTable table;
    RunFlags flags;
    OutputPane pane;
    FakeRunWindow window;
    ReportWriter writer;
    TransitScan scan;
};

inline int32_t Jdn(int32_t year, int32_t month, int32_t day) {
    return DateToJdn(year, month, day).jdn;
}

// Mars's loop of 2009/10 runs from 139.7° back to 120.3°: a natal Sun at 130° is passed three
// times, and a middle orb of 10° holds the whole loop.
inline void MarsLoopOf2009(ScanHarness& h, int32_t endJdn) {
    h.SetOrbs(12, 10, 2);
    h.Personal(kMars, kSun, 130 * (kFullTurn / 360), Jdn(2009, 10, 1), endJdn);
}

}  // namespace zenthra::testing
