// The Export button: the tables of the last run, show-all sequence or search written as CSV,
// iCalendar or JSON, the format chosen by the file's extension in the Save dialog.
#include "export/Exports.h"
#include "support/FileProc.h"
#include "support/SafeFile.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

const std::string kExportDialogTitle = "Export transits";
const std::string kExportFilter =
    "CSV files *.csv | *.csv | iCalendar files *.ics | *.ics | JSON files *.json | *.json";
const std::string kDefaultExtension = "csv";

}  // namespace

void FrmMain::cmdExport_Click() {
    if (!blnStartUpCompleted || !exportRuns.HasResults() || cmdStart.caption == "Stop") {
        return;
    }
    const auto chosen = platform.ShowSave(kExportDialogTitle, kExportFilter, kDefaultExtension);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::optional<ExportFormat> format = ExportFormatOfPath(*chosen);
    if (!format) {
        MsgBox("Exports are written as .csv, .ics or .json files, not as " + *chosen,
               MsgIcon::Exclamation, cmdExport.caption);
        return;
    }
    const ICalendarOptions options{true, platform.CurrentUtcSeconds()};
    const std::string error = WriteWholeFile(*chosen, *ExportText(exportRuns, *format, options));
    if (!error.empty()) {
        MsgBox("Error writing to file " + *chosen + kCrLf + error, MsgIcon::Exclamation,
               cmdExport.caption);
        return;
    }
    MsgBox("Transits exported to file " + *chosen, MsgIcon::Information, "Done");
}

// A run, a search or the first table of a show-all sequence starts a new export.
void FrmMain::KeepForExport(bool search) {
    if (!request.showAllMode) {
        exportRuns = {search ? "search" : "run", {}};
    }
    RunSettings settings{
        request.isWorld,    request.firstBody,
        request.secondBody, request.startJdn,
        request.endJdn,     request.orbDegrees,
        request.sidereal,   request.isWorld ? std::nullopt : std::optional(ExportBirth()),
        RunTitle()};
    exportRuns.tables.push_back({std::move(settings), scan.Transits()});
    UpdateExportButton();
}

void FrmMain::UpdateExportButton() {
    cmdExport.enabled = exportRuns.HasResults() && cmdStart.caption != "Stop";
}

BirthSettings FrmMain::ExportBirth() const {
    return BirthSettings{request.birthJdn, cboHour.SelectedText() + ":" + cboMinute.SelectedText(),
                         BirthTimezoneText()};
}

}  // namespace zenthra
