// The one way the program writes a file. The text goes into a temporary of its own beside
// the target and replaces the target only once it is complete and on disk. So a failed or
// interrupted write leaves the earlier file as it was, a link planted at the target is
// replaced rather than written through, and two writers never share a file. Where the file
// system allows, the temporary has no name until the commit, so a program that is killed
// leaves nothing behind; elsewhere it has a fresh hidden name that nothing else can hold.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace zenthra {

class SafeFile {
  public:
    // Creates the temporary beside `target`; Ok() tells whether that worked.
    explicit SafeFile(std::string target);
    // A temporary that was not committed is removed: the target stays as it was.
    ~SafeFile();

    SafeFile(SafeFile&& other) noexcept;
    SafeFile& operator=(SafeFile&&) = delete;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    const std::string& Target() const { return target; }

    // False once anything has failed; ErrorText() then gives the system's description of the
    // first failure.
    bool Ok() const { return errorText.empty(); }
    const std::string& ErrorText() const { return errorText; }

    // Adds text to the file. False once the writer has failed.
    bool Write(std::string_view text);

    // Writes out what is buffered and syncs the temporary: it is then complete, not yet in
    // place, and takes no more text.
    bool Finish();

    // Finish, then the temporary takes the target's name.
    bool Commit();

    // Removes the temporary; nothing more can be written.
    void Abandon();

  private:
    bool Flush();
    bool Fail(int number);
    bool NameTemporary();

    std::string target;
    std::string temporary;  // the temporary's name, while it has one
    int descriptor = -1;    // open until the temporary is committed or abandoned
    bool finished = false;
    std::string buffer;
    std::string errorText;
};

// Writes the whole text as the file's new content. The system's description of the failure,
// or the empty text.
std::string WriteWholeFile(const std::string& path, std::string_view text);

// The write call the writers use, so that a test can make the disk appear full. Returns the
// call in use before; nullptr restores the system's.
using SafeFileWriteCall = ssize_t (*)(int descriptor, const void* data, size_t size);
SafeFileWriteCall SetSafeFileWriteCall(SafeFileWriteCall call);

// Whether temporaries may be made without a name, so that a test can take the other way too.
// Returns the setting before.
bool SetSafeFileUnnamedTemporaries(bool allowed);

}  // namespace zenthra
