#include "support/SafeFile.h"

#include "support/FileProc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace zenthra {

namespace {

// Bytes gathered before they go to the system.
constexpr size_t kBufferSize = 64 * 1024;

// Fresh names tried before giving up; a clash is already unlikely for the first.
constexpr int kNameAttempts = 100;

// Room kept in a file name for the temporary's dot and suffix (names end at 255 bytes).
constexpr size_t kLongestTargetName = 200;

constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::atomic<SafeFileWriteCall> writeCall{nullptr};
std::atomic<bool> unnamedAllowed{true};

// An unnamed file gets its name through its entry in /proc.
constexpr const char* kOwnDescriptors = "/proc/self/fd/";

ssize_t CallWrite(int descriptor, const void* data, size_t size) {
    const SafeFileWriteCall call = writeCall.load();
    return call != nullptr ? call(descriptor, data, size) : ::write(descriptor, data, size);
}

std::string RandomSuffix() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, kNameCharacters.size() - 1);
    std::string suffix(8, ' ');
    for (char& c : suffix) {
        c = kNameCharacters[pick(generator)];
    }
    return suffix;
}

size_t NameStart(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string FolderOf(const std::string& path) {
    const size_t name = NameStart(path);
    return name == 0 ? "." : path.substr(0, name);
}

// A hidden name in the target's folder: "/reports/.a.txt.k3J9qZ0x".
std::string TemporaryName(const std::string& target) {
    const size_t name = NameStart(target);
    return target.substr(0, name) + "." + target.substr(name, kLongestTargetName) + "." +
           RandomSuffix();
}

// Gives `make` fresh names until one is not taken (EEXIST). The name it took, or the empty
// text with errno set.
template <typename Make>
std::string FreshName(const std::string& target, Make make) {
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        std::string name = TemporaryName(target);
        if (make(name)) {
            return name;
        }
        error = errno;
    }
    errno = error;
    return "";
}

// A new name took its place in the folder; the folder itself is synced so that the rename
// survives a crash. Some file systems cannot sync a folder, which loses nothing written.
void SyncFolderOf(const std::string& path) {
    const int descriptor = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

SafeFile::SafeFile(std::string path) : target(std::move(path)) {
    // A folder in the target's place would refuse the rename only once all is written, and
    // a rename over a device or a named pipe (/dev/null, when run as root) would destroy it.
    struct stat status {};
    const bool exists = ::lstat(target.c_str(), &status) == 0;
    if (NameStart(target) == target.size() || (exists && S_ISDIR(status.st_mode))) {
        Fail(EISDIR);
        return;
    }
    if (exists && !S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) {
        errorText = kNotRegularFile;
        return;
    }
    if (unnamedAllowed.load() && ::access(kOwnDescriptors, F_OK) == 0) {
        descriptor = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
        if (descriptor >= 0) {
            return;
        }
    }
    // O_EXCL makes the name ours alone and refuses a link already there.
    temporary = FreshName(target, [this](const std::string& name) {
        descriptor =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        return descriptor >= 0;
    });
    if (temporary.empty()) {
        Fail(errno);
    }
}

SafeFile::~SafeFile() {
    Abandon();
}

SafeFile::SafeFile(SafeFile&& other) noexcept
    : target(std::move(other.target)),
      temporary(std::move(other.temporary)),
      descriptor(other.descriptor),
      finished(other.finished),
      buffer(std::move(other.buffer)),
      errorText(std::move(other.errorText)) {
    other.temporary.clear();
    other.descriptor = -1;
}

bool SafeFile::Fail(int number) {
    if (errorText.empty()) {
        errorText = std::strerror(number != 0 ? number : EIO);
    }
    Abandon();
    return false;
}

bool SafeFile::Write(std::string_view text) {
    if (!Ok() || descriptor < 0 || finished) {
        return false;
    }
    buffer += text;
    return buffer.size() < kBufferSize || Flush();
}

bool SafeFile::Flush() {
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t written = CallWrite(descriptor, buffer.data() + done, buffer.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return Fail(written == 0 ? ENOSPC : errno);
        }
        done += static_cast<size_t>(written);
    }
    buffer.clear();
    return true;
}

bool SafeFile::Finish() {
    if (!Ok() || finished) {
        return Ok();
    }
    if (descriptor < 0) {
        return Fail(EBADF);
    }
    if (!Flush()) {
        return false;
    }
    // A full disk or a failing device may only show here.
    if (::fsync(descriptor) != 0) {
        return Fail(errno);
    }
    finished = true;
    return true;
}

// An unnamed temporary gets a fresh name beside the target, from which it is renamed.
bool SafeFile::NameTemporary() {
    if (!temporary.empty()) {
        return true;
    }
    if (descriptor < 0) {
        return Fail(EBADF);
    }
    const std::string own = kOwnDescriptors + std::to_string(descriptor);
    temporary = FreshName(target, [&own](const std::string& name) {
        return ::linkat(AT_FDCWD, own.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
    return !temporary.empty() || Fail(errno);
}

bool SafeFile::Commit() {
    if (!Finish() || !NameTemporary()) {
        return false;
    }
    const int closed = ::close(descriptor);
    descriptor = -1;
    if (closed != 0) {
        return Fail(errno);
    }
    // A rename replaces whatever the target's name holds, a link too, without following it.
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        return Fail(errno);
    }
    temporary.clear();
    SyncFolderOf(target);
    return true;
}

void SafeFile::Abandon() {
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
    buffer.clear();
}

std::string WriteWholeFile(const std::string& path, std::string_view text) {
    SafeFile file(path);
    file.Write(text);
    file.Commit();
    return file.ErrorText();
}

SafeFileWriteCall SetSafeFileWriteCall(SafeFileWriteCall call) {
    return writeCall.exchange(call);
}

bool SetSafeFileUnnamedTemporaries(bool allowed) {
    return unnamedAllowed.exchange(allowed);
}

}  // namespace zenthra
