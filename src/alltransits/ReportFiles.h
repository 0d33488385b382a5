// Folders and files of the all-transits reports.
#pragma once

#include <string>
#include <vector>

namespace zenthra {

// Whether the path, without its leading and trailing blanks, names a folder.
bool FolderExists(const std::string& path);

// Makes every missing folder of a "/"-separated path, from the root (or the current folder
// for a relative path) down. False when a folder is still missing afterwards or the system
// reports an error.
bool CreateFolderPath(const std::string& path);

// Creates the file empty, replacing a file of that name.
bool CreateEmptyFile(const std::string& path);

// Removes the file when there is one.
void RemoveFileIfPresent(const std::string& path);

struct WholeFile {
    std::string path;
    std::string text;
};

// Writes each text beside its path and then moves the files into place, the last one first,
// so that a reader never finds a file half written, nor the first file complete without the
// others. On failure nothing of the new texts stays behind and false is returned.
bool WriteFilesWhole(const std::vector<WholeFile>& files);

}  // namespace zenthra
