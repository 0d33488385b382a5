// Folders and files of the all-transits reports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/SafeFile.h"

namespace zenthra {

// Whether the path, without its leading and trailing blanks, names a folder.
bool FolderExists(const std::string& path);

// Makes every missing folder of a "/"-separated path, from the root (or the current folder
// for a relative path) down. False when a folder is still missing afterwards or the system
// reports an error.
bool CreateFolderPath(const std::string& path);

// The files of one all-transits run. Each is written complete beside its place as it is
// staged; once every one is, CommitAll moves them all into place. Dropped before that, they
// leave the folder as it was, so a failed or interrupted run keeps the earlier reports.
class ReportFileSet {
  public:
    // False, with the reason in FailureText(), when the file cannot be written.
    bool Stage(const std::string& path, std::string_view text);

    // Moves the files into place, the last staged first, so that a reader never finds the
    // first one complete without the others. Two runs into one folder take turns here, so
    // each leaves a whole set. False when a file could not be moved.
    bool CommitAll();

    // "path" + CR LF + the system's description of the failure.
    const std::string& FailureText() const { return failureText; }

  private:
    bool Failed(const SafeFile& file);

    std::vector<SafeFile> files;
    std::string failureText;
};

// Whether a report can be written at `path`: its temporary can be made there.
bool CanWriteReport(const std::string& path);

}  // namespace zenthra
