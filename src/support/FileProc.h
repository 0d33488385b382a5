// General file utilities.
#pragma once

#include <string>
#include <vector>

namespace zenthra {

struct ReadTextLinesResult {
    long lineCount = 0;
    std::string errorText;  // empty when the whole file was read
    int errorNumber = 0;
};

// Reads a text file line by line into `lines` from index `firstIndex` on. Line ends may be
// LF or CR LF. With `trimLines` leading and trailing blanks are removed; with
// `skipEmptyLines` lines that are then empty are neither stored nor counted.
ReadTextLinesResult ReadTextLines(const std::string& path, std::vector<std::string>& lines,
                                  long firstIndex, bool skipEmptyLines, bool trimLines);

// Line ends of every file the program writes.
inline constexpr const char* kCrLf = "\r\n";

}  // namespace zenthra
