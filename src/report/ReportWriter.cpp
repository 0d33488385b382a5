#include "report/ReportWriter.h"

#include "report/EventTable.h"
#include "report/TableLayout.h"
#include "report/TransitCells.h"
#include "support/FileProc.h"

namespace zenthra {

ReportWriter::~ReportWriter() {
    // Quitting during a run still leaves a complete HTML file behind. The window may be
    // gone by now, so nothing is asked of it.
    htmlSequence = false;
    if (htmlFile) {
        FinishHtmlFile();
    }
}

void ReportWriter::ResetHtmlState() {
    CloseHtmlOutput();
    if (!htmlSequence) {
        htmlFailed = false;
    }
    failureText.clear();
    headerWritten = false;
}

void ReportWriter::WriteTableHeader(const std::string& title) {
    table.SetCell(kTitleRow, kAspectColumn, title);
    pane.Append(title + kCrLf);
    const TableRow headings = TextHeadings(orbDegrees);
    for (int c = 0; c < kTableColumns; ++c) {
        table.SetCell(kHeadingRow, c, headings[c]);
    }
    WriteOutputRow(kHeadingRow);
    table.SetCell(kRuleRow, kAspectColumn, RuleLine());
    pane.Append(RuleLine() + kCrLf);
    window.RefreshPane();
    headerWritten = true;
}

void ReportWriter::ReportPaneFull() {
    failureText = "Output textbox is full.";
    boxes.MsgBox(failureText, MsgIcon::Exclamation, window.WindowCaption());
    pane.Append("Textbox is full -- ");
    flags.stopRequested = true;
    flags.runAborted = true;
}

void ReportWriter::WriteOutputRow(int row) {
    if (!pane.AcceptsRow()) {
        ReportPaneFull();
        return;
    }
    pane.Append(TextRowLayout(table.Row(row)));
    window.RefreshPane();
    if (!window.OutputAsHtml() || htmlFailed) {
        return;
    }
    if (!htmlFileOpen) {
        htmlFileOpen = OpenHtmlOutputFile();
        if (!htmlFileOpen) {
            return;
        }
    }
    if (row > kHeadingRow) {
        WriteHtml(HtmlRowLayout(table.Row(row)));
    }
}

// Only the cells a transit fills are written, and its aspect cell, which an earlier rendering
// of the same block may have filled.
void ReportWriter::PlaceTransitBlock(const TransitRun& run, int row, const Transit& transit,
                                     bool aspectNameShown) {
    const std::vector<TableRow> rows = TransitBlockRows(run, transit, aspectNameShown);
    for (size_t line = 0; line < rows.size(); ++line) {
        for (int c = 0; c < kTableColumns; ++c) {
            if (!rows[line][c].empty() || (line == 0 && c == kAspectColumn)) {
                table.SetCell(row + static_cast<int>(line), c, rows[line][c]);
            }
        }
    }
}

bool ReportWriter::OpenHtmlOutputFile() {
    if (htmlFileOpen) {
        CloseHtmlOutputFile();
    }
    // Within a sequence the file stays open for the next table.
    if (!htmlFile) {
        const std::string path = window.OutputFilePath();
        htmlFile.emplace(path);
        if (!htmlFile->Ok()) {
            ReportHtmlFailure("Error when opening file " + path + ":" + kCrLf +
                              htmlFile->ErrorText());
            return false;
        }
    }
    htmlTableOpen = window.OutputAsHtml();
    if (htmlTableOpen) {
        WriteHtml(HtmlTableHead(table.Cell(kTitleRow, kAspectColumn), window.SelectedOrbDegrees()));
    }
    htmlFileOpen = htmlFile.has_value();
    return htmlFileOpen;
}

void ReportWriter::WriteHtml(const std::string& text) {
    if (htmlFile && !htmlFile->Write(text)) {
        ReportHtmlWriteFailure();
    }
}

void ReportWriter::ReportHtmlWriteFailure() {
    ReportHtmlFailure("Error writing to file " + htmlFile->Target() + kCrLf +
                      htmlFile->ErrorText());
}

// The earlier file stays as it was: what was written goes with the temporary.
void ReportWriter::ReportHtmlFailure(const std::string& text) {
    htmlFile.reset();
    htmlFileOpen = false;
    htmlFailed = true;
    flags.runAborted = true;
    failureText = text;
    boxes.MsgBox(text, MsgIcon::Exclamation, window.FileButtonCaption());
}

// Ends the open table; outside a sequence the file then takes its place. False when the file
// could not be written.
bool ReportWriter::FinishHtmlFile() {
    if (htmlFileOpen && htmlTableOpen) {
        htmlFile->Write(std::string(kHtmlTableEnd) + kCrLf);
    }
    htmlFileOpen = false;
    return htmlSequence ? htmlFile->Ok() : htmlFile->Commit();
}

void ReportWriter::CloseHtmlOutputFile() {
    if (!htmlFile) {
        return;
    }
    // A full disk must not pass for a finished table.
    if (!FinishHtmlFile()) {
        ReportHtmlWriteFailure();
    } else if (!htmlSequence) {
        htmlFile.reset();
    }
}

void ReportWriter::BeginHtmlSequence() {
    CloseHtmlOutputFile();
    htmlSequence = true;
    htmlFailed = false;
    failureText.clear();
}

void ReportWriter::EndHtmlSequence() {
    htmlSequence = false;
    CloseHtmlOutputFile();
}

// After the transits' table, which the HTML file closes before the events' one opens.
void ReportWriter::WriteEventTable(const TransitRun& run, const std::vector<BodyCode>& bodies) {
    const std::string title = EventTableTitle(bodies);
    for (const std::string& line : EventTableText(run, title)) {
        if (!pane.AcceptsRow()) {
            ReportPaneFull();
            return;
        }
        pane.Append(line);
    }
    window.RefreshPane();
    if (htmlFileOpen && htmlTableOpen) {
        WriteHtml(std::string(kHtmlTableEnd) + kCrLf + EventTableHtml(run, title));
    }
}

void ReportWriter::CloseHtmlOutput() {
    CloseHtmlOutputFile();
}

}  // namespace zenthra
