// The settings file of the desktop: values, statuses, atomic saves, and the window's state
// through a restart.
#include "store/QSettingsStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "support/ScratchFiles.h"
#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"
#include "ui/Registry.h"

namespace zenthra {
namespace {

constexpr const char* kKey = "Software\\Varnholt\\ZTA";
const std::string kYearKey = std::string(kKey) + "\\Year";
const std::string kDone = "  The operation completed successfully.";

class QSettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("zenthra-store-" + std::to_string(::getpid()) + "-" + test->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Ini() const { return (folder / "Varnholt" / "ZTA.ini").string(); }

    std::string Read(const std::string& keyPath, const std::string& name) {
        QSettingsStore fresh(Ini());
        std::string value;
        return ReadRegistryString(fresh, keyPath, name, value) + " [" + value + "]";
    }

    void WriteFile(const std::string& text) {
        std::filesystem::create_directories(folder / "Varnholt");
        std::ofstream(Ini(), std::ios::binary) << text;
    }

    std::filesystem::path folder;
};

TEST_F(QSettingsStoreTest, ValuesComeBackExactlyAsWritten) {
    QSettingsStore store(Ini());
    const std::vector<std::string> values = {
        "1990",       "",           "  spaced  ",    "a, b",
        "x=y;z #w",   "\"quoted\"", "back\\slash",   "12°30' Zürich",
        "@Invalid()", "[ZTA]",      "inner\r\nbreak"};
    for (size_t i = 0; i < values.size(); ++i) {
        WriteRegistryString(store, kKey, "v" + std::to_string(i), values[i]);
    }
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string status = values[i].empty() ? "0 Empty value" : "0 OK";
        EXPECT_EQ(Read(kKey, "v" + std::to_string(i)), status + " [" + values[i] + "]");
    }
}

TEST_F(QSettingsStoreTest, KeysBecomeGroupsAndTheStatusesSayWhatTheFileHolds) {
    QSettingsStore store(Ini());
    EXPECT_EQ(WriteRegistryString(store, kYearKey, "0", "2030"), "0 New key created." + kDone);
    EXPECT_EQ(WriteRegistryString(store, kYearKey, "1", "2031"), "0 Key already exists." + kDone);
    EXPECT_EQ(WriteRegistryString(store, kKey, "World", "N"), "0 Key already exists." + kDone);

    const QSettings file(QString::fromStdString(Ini()), QSettings::IniFormat);
    EXPECT_EQ(file.value("ZTA/Year/0").toString(), "2030");
    EXPECT_EQ(file.value("ZTA/World").toString(), "N");

    EXPECT_EQ(Read(kKey + std::string("\\Month"), "0"), "1 Key not found or is empty. []");
    EXPECT_EQ(Read(kKey, "Stop"), "3 Name not found. []");
    EXPECT_EQ(WriteRegistryString(store, "Software\\VarnholtX", "a", "b"),
              "3 Unable to create (or find) key.  The key lies outside the program's settings.");
}

ino_t Inode(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST_F(QSettingsStoreTest, ABatchReachesTheFileWholeByReplacingIt) {
    QSettingsStore store(Ini());
    WriteRegistryString(store, kKey, "StateSaved", "Y");
    const ino_t before = Inode(Ini());

    store.BeginBatch();
    EXPECT_EQ(WriteRegistryString(store, kYearKey, "0", "2030"), "0 New key created." + kDone);
    EXPECT_EQ(WriteRegistryString(store, kYearKey, "1", "2031"), "0 Key already exists." + kDone);
    WriteRegistryString(store, kKey, "World", "Y");
    EXPECT_EQ(Read(kYearKey, "0"), "1 Key not found or is empty. []");
    EXPECT_EQ(Read(kKey, "World"), "3 Name not found. []");

    EXPECT_TRUE(store.EndBatch().Done());
    EXPECT_EQ(Read(kYearKey, "1"), "0 OK [2031]");
    EXPECT_EQ(Read(kKey, "World"), "0 OK [Y]");
    // A new file renamed over the old one, never the old one rewritten in place.
    EXPECT_NE(Inode(Ini()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "Varnholt"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(QSettingsStoreTest, AFileThatCannotBeWrittenIsReported) {
    std::ofstream(folder / "blocker") << "a file where the folder should be";
    QSettingsStore store((folder / "blocker" / "ZTA.ini").string());
    EXPECT_EQ(WriteRegistryString(store, kKey, "World", "Y"),
              "1 Unable to create (or find) key.  The settings file cannot be written.");
    store.BeginBatch();
    store.WriteValue(kKey, "World", "Y");
    EXPECT_EQ(store.EndBatch().code, 1);
}

TEST_F(QSettingsStoreTest, AFileEditedByHandIsReadAsTheUserMeantIt) {
    WriteFile("[ZTA]\nWorld=Y\nStop=a, b\nStateSaved=Y\n");
    EXPECT_EQ(Read(kKey, "World"), "0 OK [Y]");
    EXPECT_EQ(Read(kKey, "Stop"), "0 OK [a, b]");
}

TEST_F(QSettingsStoreTest, TheUsersFileLivesInTheConfigurationFolder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(folder.string()));
    EXPECT_EQ(QSettingsStore().FilePath(), Ini());
}

// Every access refuses a folder or a named pipe in place of the settings file by its name,
// and nothing waits on the pipe.
TEST_F(QSettingsStoreTest, AFolderOrAPipeInPlaceOfTheFileIsRefusedByName) {
    const std::string refusal = "The settings file " + Ini() + " is not a regular file.";
    const auto expectRefused = [&](const char* what) {
        QSettingsStore store(Ini());
        EXPECT_EQ(WriteRegistryString(store, kKey, "World", "N"),
                  "4 Unable to create (or find) key.  " + refusal.substr(0, 100))
            << what;
        EXPECT_EQ(Read(kKey, "World"), "1 Key not found or is empty. []") << what;
        std::string value;
        EXPECT_EQ(store.ReadValue(kKey, "World", value), StoreRead::Missing) << what;
        store.BeginBatch();
        EXPECT_TRUE(store.WriteValue(kKey, "World", "N").Done()) << what;
        EXPECT_EQ(store.EndBatch().text, refusal) << what;
    };
    std::filesystem::create_directories(Ini());
    expectRefused("folder");
    std::filesystem::remove(Ini());
    {
        testing::ReleasedFifo pipe(Ini());
        expectRefused("pipe");
    }
}

// The user's own file is found without being opened.
TEST_F(QSettingsStoreTest, APipeAtTheUsersFileIsNotOpenedToFindItsName) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved != nullptr ? saved : "";
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::filesystem::create_directories(folder / "Varnholt");
    {
        testing::ReleasedFifo pipe(Ini());
        EXPECT_EQ(QSettingsStore().FilePath(), Ini());
    }
    if (saved != nullptr) {
        ::setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

TEST_F(QSettingsStoreTest, TheWindowsStateSurvivesARestart) {
    testing::FakePlatform p;
    auto start = [&] {
        auto store = std::make_unique<QSettingsStore>(Ini());
        auto window = std::make_unique<FrmMain>(p, OutputPane::kWindowCapacity, store.get());
        window->Form_Load();
        return std::make_pair(std::move(store), std::move(window));
    };
    {
        auto [store, w] = start();
        w->txbYear[2].text = "1975";
        w->cboOrbs[0].SetListIndex(13);
        w->ChooseOption(w->optWorld, w->optPersonal);
        w->cmdSaveState_Click();
    }
    {
        auto [store, w] = start();
        EXPECT_EQ(w->txbYear[2].text, "1975");
        EXPECT_EQ(w->cboOrbs[0].SelectedText(), "14°");
        EXPECT_EQ(w->optWorld.Value(), 1);
    }
    std::stringstream text;
    text << std::ifstream(Ini()).rdbuf();
    std::string edited = text.str();
    edited.erase(edited.find("StateSaved=Y"), 12);
    WriteFile(edited);
    auto [store, w] = start();
    EXPECT_EQ(w->txbYear[2].text, "");
    EXPECT_EQ(w->optPersonal.Value(), 1);
}

}  // namespace
}  // namespace zenthra
