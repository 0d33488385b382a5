#include "support/SafeFile.h"

#include <fcntl.h>
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

// A hidden name in the target's folder: "/reports/.a.txt.k3J9qZ0x".
std::string TemporaryName(const std::string& target) {
    const size_t name = NameStart(target);
    return target.substr(0, name) + "." + target.substr(name, kLongestTargetName) + "." +
           RandomSuffix();
}

// A new name took its place in the folder; the folder itself is synced so that the rename
// survives a crash. Some file systems cannot sync a folder, which loses nothing written.
void SyncFolderOf(const std::string& path) {
    const size_t name = NameStart(path);
    const std::string folder = name == 0 ? "." : path.substr(0, name);
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

SafeFile::SafeFile(std::string path) : target(std::move(path)) {
    if (NameStart(target) == target.size()) {
        Fail(EISDIR);
        return;
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(target);
        // O_EXCL makes the name ours alone and refuses a link already there.
        descriptor =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (descriptor >= 0) {
            temporary = name;
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    Fail(errno);
}

SafeFile::~SafeFile() {
    Abandon();
}

SafeFile::SafeFile(SafeFile&& other) noexcept
    : target(std::move(other.target)),
      temporary(std::move(other.temporary)),
      descriptor(other.descriptor),
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
    if (!Ok() || descriptor < 0) {
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
    if (!Ok() || temporary.empty()) {
        return Ok();
    }
    if (descriptor < 0) {
        return true;
    }
    if (!Flush()) {
        return false;
    }
    // A full disk or a failing device may only show here.
    if (::fsync(descriptor) != 0) {
        return Fail(errno);
    }
    const int closed = ::close(descriptor);
    descriptor = -1;
    return closed == 0 || Fail(errno);
}

bool SafeFile::Commit() {
    if (!Finish()) {
        return false;
    }
    if (temporary.empty()) {
        return Fail(EBADF);
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

}  // namespace zenthra
