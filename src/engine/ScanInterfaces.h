// What the transit scan needs of the window and of the output pane. The window model and
// the report writer implement these; tests drive the scan through fakes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/Transit.h"
#include "support/MessageBoxes.h"

namespace zenthra {

class ScanWindow : public MessageBoxes {
  public:
    // Lets pending clicks and the timer through; a Stop click sets stopRequested here.
    virtual void YieldToEventLoop() = 0;

    // Other controls disabled and the Start button reading "Stop"; and back. Going idle
    // also closes an open HTML output.
    virtual void EnterRunningState() = 0;
    virtual void EnterIdleState() = 0;

    // The day being scanned, shown by the window's timer; and at once on the first day.
    virtual void SetProgressDate(const std::string& dateText) = 0;
    virtual void ShowShortDate(const std::string& dateText) = 0;
    virtual void HideShortDate() = 0;

    // The timed "Done" notice at the end of a run that found transits.
    virtual void ShowDoneNotice() = 0;

    // "Append to output": shown or hidden; unticked.
    virtual void SetAppendToOutputVisible(bool visible) = 0;
    virtual void UntickAppendToOutput() = 0;

    // The window's normal height and layout, after a run that left the pane empty.
    virtual void RestoreNormalLayout() = 0;

    // The title of the run as the window's selections describe it.
    virtual std::string RunTitle() = 0;

    // The text of the selected results timezone, written after an exact time.
    virtual std::string ResultsTimezoneText() = 0;
};

class ScanOutput {
  public:
    virtual ~ScanOutput() = default;

    virtual bool PaneIsEmpty() const = 0;
    virtual void AppendToPane(std::string_view text) = 0;
    virtual void ClearPane() = 0;
    virtual void RefreshPane() = 0;

    // Forgets the previous run's HTML output; the next row written opens the file anew.
    virtual void ResetHtmlState() = 0;

    // Rows 0 to 2 of the table: title, headings, rule.
    virtual void WriteTableHeader(const std::string& title) = 0;
    virtual bool HeaderWritten() const = 0;

    // One row of the table to the pane and, with HTML output, to the file.
    virtual void WriteOutputRow(int row) = 0;

    // The cells of a transit, as far as it is known, into the table's rows from `row` on.
    // Without `aspectNameShown` its aspect cell is emptied.
    virtual void PlaceTransitBlock(const TransitRun& run, int row, const Transit& transit,
                                   bool aspectNameShown) = 0;

    // The table of the stations and ingresses of the run's moving bodies, after its transits.
    virtual void WriteEventTable(const TransitRun& run, const std::vector<BodyCode>& bodies) = 0;

    // Closes an HTML output that is still open, leaving the file complete.
    virtual void CloseHtmlOutput() = 0;
};

}  // namespace zenthra
