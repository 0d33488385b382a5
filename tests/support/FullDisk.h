// A full disk for the writers while it lives: every write of a safe file fails as it would
// on a disk without space.
#pragma once

#include <cerrno>

#include "support/SafeFile.h"

namespace zenthra::testing {

class FullDisk {
  public:
    FullDisk() : before(SetSafeFileWriteCall(&NoSpace)) {}
    ~FullDisk() { SetSafeFileWriteCall(before); }

    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

  private:
    static ssize_t NoSpace(int, const void*, size_t) {
        errno = ENOSPC;
        return -1;
    }

    SafeFileWriteCall before;
};

}  // namespace zenthra::testing
