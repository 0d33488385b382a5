#include "support/FileProc.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace zenthra {

namespace {

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n\v\f";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

ReadTextLinesResult Failure(long count) {
    const int number = errno != 0 ? errno : EIO;
    return {count, std::strerror(number), number};
}

}  // namespace

ReadTextLinesResult ReadTextLines(const std::string& path, std::vector<std::string>& lines,
                                  long firstIndex, bool skipEmptyLines, bool trimLines) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Failure(0);
    }
    lines.resize(static_cast<size_t>(firstIndex));
    long count = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (trimLines) {
            line = Trim(line);
        }
        if (skipEmptyLines && line.empty()) {
            continue;
        }
        lines.push_back(std::move(line));
        ++count;
    }
    if (in.bad()) {
        return Failure(count);
    }
    return {count, {}, 0};
}

}  // namespace zenthra
