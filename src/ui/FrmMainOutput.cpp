// Writing the pane to a text file, and choosing the file of HTML output.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "calendar/StrProc.h"
#include "support/FileProc.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

std::string ErrorText(int number) {
    return std::strerror(number != 0 ? number : EIO);
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

}  // namespace

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
        html ? platform.ShowOpen("Specify file for HTML", "HTML files *.htm, *.html | *.htm;*.html")
             : platform.ShowOpen("Specify output file", "Text files *.txt | *.txt");
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

// The text goes to a file beside the target that replaces it only once it is complete, so a
// failed write never destroys the file that was there.
std::string FrmMain::WriteTextFile(const std::string& text, const std::string& path) {
    const std::string partial = path + ".partial";
    errno = 0;
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) {
            return ErrorText(errno);
        }
        out << text << kCrLf;
        out.close();
        if (!out) {
            const std::string error = ErrorText(errno);
            RemoveQuietly(partial);
            return error;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(partial, path, renamed);
    if (renamed) {
        RemoveQuietly(partial);
        return renamed.message();
    }
    return "";
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
