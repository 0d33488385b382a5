#include "alltransits/ReportFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "calendar/StrProc.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

namespace fs = std::filesystem;

// Held while a run moves its files into a folder. A folder whose file system cannot lock it
// is written without the lock.
class FolderLock {
  public:
    explicit FolderLock(const std::string& file) {
        const fs::path folder = fs::path(file).parent_path();
        descriptor =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor >= 0) {
            while (::flock(descriptor, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FolderLock() {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int descriptor = -1;
};

}  // namespace

bool FolderExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(TrimSpaces(path), error) && !error;
}

bool CreateFolderPath(const std::string& path) {
    std::string current = path.starts_with('/') ? "/" : "";
    size_t at = current.size();
    while (at < path.size()) {
        const size_t end = std::min(path.find('/', at), path.size());
        const std::string level = path.substr(at, end - at);
        at = end + 1;
        if (level.empty()) {
            continue;
        }
        current += level + "/";
        if (!FolderExists(current)) {
            std::error_code error;
            fs::create_directory(current, error);
            if (error || !FolderExists(current)) {
                return false;
            }
        }
    }
    return true;
}

bool ReportFileSet::Failed(const SafeFile& file) {
    failureText = file.Target() + kCrLf + file.ErrorText();
    return false;
}

bool ReportFileSet::Stage(const std::string& path, std::string_view text) {
    SafeFile file(path);
    file.Write(text);
    if (!file.Finish()) {
        return Failed(file);
    }
    files.push_back(std::move(file));
    return true;
}

bool ReportFileSet::CommitAll() {
    if (files.empty()) {
        return true;
    }
    const FolderLock lock(files.front().Target());
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        if (!file->Commit()) {
            return Failed(*file);
        }
    }
    files.clear();
    return true;
}

bool CanWriteReport(const std::string& path) {
    return SafeFile(path).Ok();
}

}  // namespace zenthra
