#include "support/FileProc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>

#include "support/Trim.h"

namespace zenthra {

namespace {

FileBytes Failure(int number) {
    if (number == 0) {
        number = EIO;
    }
    return {{}, std::strerror(number), number};
}

// Reads to the end or the limit; false with errno set on a failure.
bool ReadInto(int descriptor, size_t limit, std::string& bytes) {
    std::array<char, 65536> buffer{};
    while (bytes.size() < limit) {
        const ssize_t got =
            ::read(descriptor, buffer.data(), std::min(buffer.size(), limit - bytes.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        bytes.append(buffer.data(), static_cast<size_t>(got));
    }
    return true;
}

}  // namespace

FileBytes ReadRegularFile(const std::string& path, size_t limit) {
    // Without blocking, so that a named pipe opens at once and can be refused.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return Failure(errno);
    }
    FileBytes read;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        read = Failure(errno);
    } else if (!S_ISREG(status.st_mode)) {
        read.errorText = kNotRegularFile;
    } else if (!ReadInto(descriptor, limit, read.bytes)) {
        read = Failure(errno);
    }
    ::close(descriptor);
    return read;
}

ReadTextLinesResult ReadTextLines(const std::string& path, std::vector<std::string>& lines,
                                  long firstIndex, bool skipEmptyLines, bool trimLines) {
    const FileBytes file = ReadRegularFile(path, std::numeric_limits<size_t>::max());
    if (!file.errorText.empty()) {
        return {0, file.errorText, file.errorNumber};
    }
    lines.resize(static_cast<size_t>(firstIndex));
    return {SplitTextLines(file.bytes, lines, skipEmptyLines, trimLines), {}, 0};
}

long SplitTextLines(const std::string& text, std::vector<std::string>& lines, bool skipEmptyLines,
                    bool trimLines) {
    long count = 0;
    for (size_t from = 0; from < text.size();) {
        const size_t end = std::min(text.find('\n', from), text.size());
        std::string line = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (trimLines) {
            line = Trimmed(line, " \t\r\n\v\f");
        }
        if (skipEmptyLines && line.empty()) {
            continue;
        }
        lines.push_back(std::move(line));
        ++count;
    }
    return count;
}

}  // namespace zenthra
