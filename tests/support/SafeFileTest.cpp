// The safe writer: complete files or none, never through a link, never over another writer.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "support/FileContents.h"
#include "support/FullDisk.h"
#include "support/SafeFile.h"

namespace zenthra {
namespace {

namespace fs = std::filesystem;

using zenthra::testing::ReadFile;

// Each case both with temporaries that have no name until the commit and with named ones.
class SafeFileTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = fs::temp_directory_path() /
                 ("zenthra-safe-" + std::to_string(::getpid()) + "-" +
                  name.substr(0, name.find('/')) + (GetParam() ? "-unnamed" : "-named"));
        fs::remove_all(folder);
        fs::create_directories(folder);
        target = (folder / "report.txt").string();
        SetSafeFileUnnamedTemporaries(GetParam());
    }
    void TearDown() override {
        SetSafeFileUnnamedTemporaries(true);
        fs::remove_all(folder);
    }

    // Whether a temporary shows in the folder while it is written.
    bool TemporariesShow() const {
        if (!GetParam()) {
            return true;
        }
        const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
        if (unnamed < 0) {
            return true;
        }
        ::close(unnamed);
        return false;
    }

    // The names in the folder, temporaries included.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
    std::string target;
};

TEST_P(SafeFileTest, CommitReplacesTheTargetWholeAndLeavesNothingElse) {
    std::ofstream(target) << "earlier";
    SafeFile file(target);
    ASSERT_TRUE(file.Ok()) << file.ErrorText();
    const std::string big(200000, 'x');  // more than one buffer
    EXPECT_TRUE(file.Write("head\r\n"));
    EXPECT_TRUE(file.Write(big));
    // Until the commit the earlier file is what a reader finds.
    EXPECT_EQ(ReadFile(target), "earlier");
    EXPECT_EQ(Names().size(), TemporariesShow() ? 2u : 1u);
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(target), "head\r\n" + big);
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});

    EXPECT_EQ(WriteWholeFile(target, "again"), "");
    EXPECT_EQ(ReadFile(target), "again");
}

TEST_P(SafeFileTest, AnAbandonedOrDroppedWriteLeavesTheEarlierFile) {
    std::ofstream(target) << "earlier";
    {
        SafeFile dropped(target);
        dropped.Write("half a report");
    }
    SafeFile abandoned(target);
    abandoned.Write("half a report");
    abandoned.Abandon();
    EXPECT_FALSE(abandoned.Write("more"));
    EXPECT_EQ(ReadFile(target), "earlier");
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
}

TEST_P(SafeFileTest, ALinkAtTheTargetIsReplacedAndWhatItNamesIsUntouched) {
    const fs::path elsewhere = folder / "elsewhere.txt";
    std::ofstream(elsewhere) << "not ours";
    fs::create_symlink(elsewhere, target);
    EXPECT_EQ(WriteWholeFile(target, "report"), "");
    EXPECT_EQ(ReadFile(elsewhere), "not ours");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadFile(target), "report");

    // A dangling link makes no file where it points.
    const fs::path nowhere = folder / "nowhere.txt";
    const fs::path dangling = folder / "dangling.txt";
    fs::create_symlink(nowhere, dangling);
    EXPECT_EQ(WriteWholeFile(dangling.string(), "report"), "");
    EXPECT_FALSE(fs::exists(nowhere));
    EXPECT_EQ(ReadFile(dangling), "report");
}

TEST_P(SafeFileTest, AFullDiskFailsWithItsReasonAndKeepsTheEarlierFile) {
    std::ofstream(target) << "earlier";
    {
        testing::FullDisk full;
        SafeFile file(target);
        ASSERT_TRUE(file.Ok());
        // Small writes are gathered; the disk's answer comes at the latest with the commit.
        EXPECT_TRUE(file.Write("a little"));
        EXPECT_FALSE(file.Commit());
        EXPECT_FALSE(file.Ok());
        EXPECT_EQ(file.ErrorText(), "No space left on device");
        EXPECT_FALSE(file.Write("more"));

        SafeFile big(target);
        EXPECT_FALSE(big.Write(std::string(100000, 'x')));
        EXPECT_EQ(big.ErrorText(), "No space left on device");
        EXPECT_EQ(WriteWholeFile(target, "x"), "No space left on device");
    }
    EXPECT_EQ(ReadFile(target), "earlier");
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
}

TEST_P(SafeFileTest, TargetsThatCannotBeWrittenGiveTheSystemsReason) {
    const SafeFile missing((folder / "missing" / "report.txt").string());
    EXPECT_FALSE(missing.Ok());
    EXPECT_EQ(missing.ErrorText(), "No such file or directory");

    const SafeFile folderName(folder.string() + "/");
    EXPECT_EQ(folderName.ErrorText(), "Is a directory");

    // A folder in the target's place stays, and so does nothing of the write.
    fs::create_directory(target);
    std::ofstream(fs::path(target) / "inside.txt") << "kept";
    EXPECT_EQ(WriteWholeFile(target, "report"), "Is a directory");
    EXPECT_EQ(ReadFile(fs::path(target) / "inside.txt"), "kept");
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
}

TEST_P(SafeFileTest, ANamedPipeAtTheTargetIsRefusedAndStays) {
    // Renamed over, a pipe or a device (/dev/null for a program run as root) would be lost.
    ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
    EXPECT_EQ(WriteWholeFile(target, "report"), "Not a regular file");
    EXPECT_TRUE(fs::is_fifo(target));
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});
}

TEST_P(SafeFileTest, EachWriterHasATemporaryOfItsOwn) {
    SafeFile first(target);
    SafeFile second(target);
    first.Write("first");
    second.Write("second");
    EXPECT_EQ(Names().size(), TemporariesShow() ? 2u : 0u);
    EXPECT_TRUE(first.Finish());
    EXPECT_TRUE(second.Commit());
    EXPECT_EQ(ReadFile(target), "second");
    EXPECT_TRUE(first.Commit());
    EXPECT_EQ(ReadFile(target), "first");
    EXPECT_EQ(Names(), std::vector<std::string>{"report.txt"});

    // A name as long as a folder allows still has room for its temporary.
    const std::string longest = (folder / std::string(255, 'n')).string();
    EXPECT_EQ(WriteWholeFile(longest, "long"), "");
    EXPECT_EQ(ReadFile(longest), "long");
}

TEST_P(SafeFileTest, NewFilesTakeTheUsualModeLessTheMask) {
    const mode_t mask = ::umask(027);
    EXPECT_EQ(WriteWholeFile(target, "report"), "");
    ::umask(mask);
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_P(SafeFileTest, AMovedWriterKeepsItsTemporary) {
    std::optional<SafeFile> moved;
    {
        SafeFile file(target);
        file.Write("moved");
        moved.emplace(std::move(file));
    }
    EXPECT_TRUE(moved->Commit());
    EXPECT_EQ(ReadFile(target), "moved");
}

// Killed while writing, as by a signal: the earlier file stays, and where the system allows
// nothing else is left behind.
TEST_P(SafeFileTest, AKilledWriterLeavesTheEarlierFile) {
    std::ofstream(target) << "earlier";
    EXPECT_EXIT(
        {
            SafeFile file(target);
            file.Write(std::string(100000, 'x'));
            file.Finish();
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadFile(target), "earlier");
    EXPECT_EQ(Names().size(), TemporariesShow() ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Temporaries, SafeFileTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

}  // namespace
}  // namespace zenthra
