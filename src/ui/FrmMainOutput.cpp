// Writing the pane to a text file, and choosing the file of HTML output.
#include "calendar/StrProc.h"
#include "support/FileProc.h"
#include "support/SafeFile.h"
#include "ui/FrmMain.h"

namespace zenthra {

void FrmMain::cmdFile_Click() {
    const bool html = chkOutputAsHTML.Value() != 0;
    if (!html) {
        pane.SetText(TrimSpaces(pane.Text()));
        if (pane.Empty()) {
            platform.MsgBox("Nothing to write.", MsgIcon::Exclamation, cmdFile.caption);
            return;
        }
    }
    const auto chosen =
        html ? platform.ShowSave("Specify file for HTML", "HTML files *.htm, *.html | *.htm;*.html",
                                 "html")
             : platform.ShowSave("Specify output file", "Text files *.txt | *.txt", "txt");
    if (!chosen || chosen->empty()) {
        return;
    }
    outputFilePath = *chosen;
    if (html) {
        return;
    }
    const std::string error = WriteTextFile(pane.Text(), outputFilePath);
    if (!error.empty()) {
        platform.MsgBox("Error writing to file " + outputFilePath + kCrLf + error,
                        MsgIcon::Exclamation, cmdFile.caption);
    } else if (chkOpenOutputFile.Value() != 0) {
        OpenWithAssociatedProgram(outputFilePath, true);
    } else {
        platform.MsgBox("Output written to file " + outputFilePath, MsgIcon::Information, "Done");
    }
}

// A failed write leaves the file that was there as it was.
std::string FrmMain::WriteTextFile(const std::string& text, const std::string& path) {
    return WriteWholeFile(path, text + kCrLf);
}

bool FrmMain::OpenWithAssociatedProgram(const std::string& path, bool showErrors) {
    if (platform.OpenWithAssociatedProgram(path)) {
        return true;
    }
    if (showErrors) {
        platform.MsgBox(
            "Error opening file " + path + "." + kCrLf + "Perhaps the file extension is incorrect.",
            MsgIcon::Exclamation, "Error");
    }
    return false;
}

}  // namespace zenthra
