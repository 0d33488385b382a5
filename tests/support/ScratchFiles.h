// Files and folders that tests put where the program looks for its own: a fresh folder per
// test, a named pipe that can never block a test, and data files damaged in set ways.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace zenthra::testing {

// An empty folder of the running test's own, removed with the object.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& tag)
        : path(std::filesystem::temp_directory_path() /
               ("zenthra-" + tag + "-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder with a trailing separator, as the program's folders are written.
    std::string Slashed() const { return path.string() + "/"; }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }

    const std::filesystem::path path;
};

// A named pipe whose writing end a thread of its own opens. Code that opens the pipe for
// reading and waits is let go with an empty stream, so a fault shows as a failed expectation,
// never as a test that hangs; at the end the object opens the reading end itself, so the
// thread is let go too when nothing opened the pipe.
class ReleasedFifo {
  public:
    explicit ReleasedFifo(std::filesystem::path where) : path(std::move(where)) {
        made = ::mkfifo(path.c_str(), 0600) == 0;
        EXPECT_TRUE(made) << path;
        if (made) {
            writer = std::thread([name = path.string()] {
                const int descriptor = ::open(name.c_str(), O_WRONLY);
                if (descriptor >= 0) {
                    ::close(descriptor);
                }
            });
        }
    }
    ~ReleasedFifo() {
        if (!made) {
            return;
        }
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
        writer.join();
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        std::filesystem::remove(path);
    }
    ReleasedFifo(const ReleasedFifo&) = delete;
    ReleasedFifo& operator=(const ReleasedFifo&) = delete;

  private:
    const std::filesystem::path path;
    bool made = false;
    std::thread writer;
};

}  // namespace zenthra::testing
