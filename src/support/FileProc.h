// General file utilities.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zenthra {

// What a file read brings: its bytes, or why it could not be read.
struct FileBytes {
    std::string bytes;
    std::string errorText;  // empty when the read succeeded
    int errorNumber = 0;    // the system's error number; 0 for a name that is no regular file
};

// The text of the refusal of a folder, a named pipe or a device in place of a file.
inline constexpr const char* kNotRegularFile = "Not a regular file";

// At most `limit` bytes from the start of a file. Anything but a regular file is refused
// without being read: opening a named pipe for reading would wait for a writer for good.
FileBytes ReadRegularFile(const std::string& path, size_t limit);

struct ReadTextLinesResult {
    long lineCount = 0;
    std::string errorText;  // empty when the whole file was read
    int errorNumber = 0;
};

// Reads a text file line by line into `lines` from index `firstIndex` on. Line ends may be
// LF or CR LF. With `trimLines` leading and trailing blanks are removed; with
// `skipEmptyLines` lines that are then empty are neither stored nor counted. Anything but a
// regular file is refused with kNotRegularFile.
ReadTextLinesResult ReadTextLines(const std::string& path, std::vector<std::string>& lines,
                                  long firstIndex, bool skipEmptyLines, bool trimLines);

// The lines of a text read whole, appended to `lines` as ReadTextLines stores them; returns
// how many were added.
long SplitTextLines(const std::string& text, std::vector<std::string>& lines, bool skipEmptyLines,
                    bool trimLines);

// Line ends of every file the program writes.
inline constexpr const char* kCrLf = "\r\n";

}  // namespace zenthra
