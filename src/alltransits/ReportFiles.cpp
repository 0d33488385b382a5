#include "alltransits/ReportFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace zenthra {

namespace {

namespace fs = std::filesystem;

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string PartPath(const std::string& path) {
    return path + ".part";
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return !out.fail();
}

// Only files: a folder of that name is not ours to remove.
void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    if (fs::is_regular_file(path, ignored)) {
        fs::remove(path, ignored);
    }
}

bool RenameInto(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

}  // namespace

bool FolderExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(TrimBlanks(path), error) && !error;
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

bool CreateEmptyFile(const std::string& path) {
    return WriteFile(path, "");
}

void RemoveFileIfPresent(const std::string& path) {
    RemoveQuietly(path);
}

bool WriteFilesWhole(const std::vector<WholeFile>& files) {
    size_t written = 0;
    while (written < files.size() &&
           WriteFile(PartPath(files[written].path), files[written].text)) {
        ++written;
    }
    size_t moved = 0;
    if (written == files.size()) {
        while (moved < files.size()) {
            const WholeFile& file = files[files.size() - 1 - moved];
            if (!RenameInto(PartPath(file.path), file.path)) {
                break;
            }
            ++moved;
        }
    }
    if (moved == files.size()) {
        return true;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        RemoveQuietly(PartPath(files[i].path));
        if (i >= files.size() - moved) {
            RemoveQuietly(files[i].path);
        }
    }
    return false;
}

}  // namespace zenthra
