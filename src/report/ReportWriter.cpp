#include "report/ReportWriter.h"

#include <cerrno>
#include <cstring>

#include "report/TableLayout.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

std::string SystemErrorText() {
    return std::strerror(errno != 0 ? errno : EIO);
}

}  // namespace

ReportWriter::~ReportWriter() {
    // Quitting during a run still leaves a complete HTML file behind. The window may be
    // gone by now, so nothing is asked of it.
    if (htmlFileOpen) {
        FinishHtmlFile();
    }
}

void ReportWriter::ResetHtmlState() {
    CloseHtmlOutput();
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
    boxes.MsgBox("Output textbox is full.", MsgIcon::Exclamation, window.WindowCaption());
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
    if (!window.OutputAsHtml()) {
        return;
    }
    if (!htmlFileOpen) {
        htmlFileOpen = OpenHtmlOutputFile();
        if (!htmlFileOpen) {
            return;
        }
    }
    if (row > kHeadingRow) {
        htmlFile << HtmlRowLayout(table.Row(row));
    }
}

bool ReportWriter::OpenHtmlOutputFile() {
    // A stream still open would refuse the new file and lose its own last line.
    if (htmlFileOpen) {
        FinishHtmlFile();
    }
    const std::string path = window.OutputFilePath();
    errno = 0;
    htmlFile.open(path, std::ios::binary | std::ios::trunc);
    htmlPath = path;
    htmlTableOpen = window.OutputAsHtml();
    if (htmlFile && htmlTableOpen) {
        htmlFile << HtmlTableHead(table.Cell(kTitleRow, kAspectColumn),
                                  window.SelectedOrbDegrees());
    }
    if (!htmlFile) {
        const std::string reason = SystemErrorText();
        htmlFile.close();
        htmlFile.clear();
        boxes.MsgBox("Error when opening file " + path + ":" + kCrLf + reason, MsgIcon::Exclamation,
                     window.FileButtonCaption());
        return false;
    }
    htmlFileOpen = true;
    return true;
}

bool ReportWriter::FinishHtmlFile() {
    if (htmlTableOpen) {
        htmlFile << kHtmlTableEnd << kCrLf;
    }
    errno = 0;
    htmlFile.close();
    const bool written = static_cast<bool>(htmlFile);
    htmlFile.clear();
    htmlFileOpen = false;
    return written;
}

void ReportWriter::CloseHtmlOutputFile() {
    // Closing a stream that is not open fails, which is no write error.
    if (!htmlFileOpen) {
        return;
    }
    // A full disk must not pass for a finished table.
    if (!FinishHtmlFile()) {
        boxes.MsgBox("Error writing to file " + htmlPath + kCrLf + SystemErrorText(),
                     MsgIcon::Exclamation, window.FileButtonCaption());
    }
}

void ReportWriter::CloseHtmlOutput() {
    CloseHtmlOutputFile();
}

}  // namespace zenthra
