// The row writer: prints the rows of a run's table into the output pane and, with HTML
// output, into the output file, whose table it opens with the first row and closes at the
// end of the run. The file is written beside its place and replaces the earlier one only
// when complete; a show-all sequence writes all its tables into one file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/ScanInterfaces.h"
#include "engine/TransitRequest.h"
#include "engine/TransitTable.h"
#include "report/OutputPane.h"
#include "support/SafeFile.h"

namespace zenthra {

// What the row writer reads of the window.
class ReportWindow {
  public:
    virtual ~ReportWindow() = default;
    virtual bool OutputAsHtml() = 0;
    virtual std::string OutputFilePath() = 0;
    virtual std::string WindowCaption() = 0;
    virtual std::string FileButtonCaption() = 0;
    // The orbs selected in the three orb lists, in whole degrees.
    virtual std::array<int16_t, 3> SelectedOrbDegrees() = 0;
    // Caret to the end of the pane, so that its last lines show, and repaint.
    virtual void RefreshPane() = 0;
};

class ReportWriter : public ScanOutput {
  public:
    ReportWriter(OutputPane& pane, TransitTable& table, RunFlags& flags, ReportWindow& window,
                 MessageBoxes& boxes)
        : pane(pane), table(table), flags(flags), window(window), boxes(boxes) {}
    ~ReportWriter() override;

    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    bool PaneIsEmpty() const override { return pane.Empty(); }
    void AppendToPane(std::string_view text) override { pane.Append(text); }
    void ClearPane() override { pane.Clear(); }
    void RefreshPane() override { window.RefreshPane(); }

    void ResetHtmlState() override;
    void WriteTableHeader(const std::string& title) override;
    bool HeaderWritten() const override { return headerWritten; }
    void WriteOutputRow(int row) override;
    void PlaceTransitBlock(const TransitRun& run, int row, const Transit& transit,
                           bool aspectNameShown) override;
    void WriteEventTable(const TransitRun& run, const std::vector<BodyCode>& bodies) override;
    void CloseHtmlOutput() override;

    // The run's orbs for the text headings.
    void SetOrbDegrees(const std::array<int16_t, 3>& degrees) { orbDegrees = degrees; }

    // False after the one message of a file that cannot be opened or written; the run then
    // goes on without HTML output and counts as aborted.
    bool OpenHtmlOutputFile();
    void CloseHtmlOutputFile();
    bool HtmlFileOpen() const { return htmlFileOpen; }

    // The message of what ended the run or sequence early (a full pane, a file that could not
    // be written); empty when nothing did.
    const std::string& FailureText() const { return failureText; }

    // The runs between these write their tables one after the other into one file, which
    // replaces the earlier one at the end.
    void BeginHtmlSequence();
    void EndHtmlSequence();

  private:
    void ReportPaneFull();
    void WriteHtml(const std::string& text);
    bool FinishHtmlFile();
    void ReportHtmlFailure(const std::string& text);
    void ReportHtmlWriteFailure();

    OutputPane& pane;
    TransitTable& table;
    RunFlags& flags;
    ReportWindow& window;
    MessageBoxes& boxes;
    std::array<int16_t, 3> orbDegrees{};
    std::optional<SafeFile> htmlFile;
    bool htmlTableOpen = false;  // the file was opened with HTML output ticked
    bool htmlFileOpen = false;   // a table of the current run is being written
    bool htmlFailed = false;     // reported once; no more HTML output until the next run
    bool htmlSequence = false;
    std::string failureText;
    bool headerWritten = false;
};

}  // namespace zenthra
