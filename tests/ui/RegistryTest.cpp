// The Registry module: status texts from the store's outcomes, defaults, report boxes.
#include "ui/Registry.h"

#include <gtest/gtest.h>

#include "support/RecordingMessageBoxes.h"
#include "ui/MemorySettingsStore.h"

namespace zenthra {
namespace {

using testing::MemorySettingsStore;
using testing::RecordingMessageBoxes;

constexpr const char* kKey = "Software\\Varnholt\\ZTA";
constexpr const char* kDone = "The operation completed successfully.";

class RegistryTest : public ::testing::Test {
  protected:
    MemorySettingsStore store;
    RecordingMessageBoxes boxes;
    Registry registry{store, boxes};
};

TEST_F(RegistryTest, WriteStatusTellsWhetherTheKeyWasCreatedAndWhatTheWriteDid) {
    EXPECT_EQ(WriteRegistryString(store, kKey, "World", "N"),
              std::string("0 New key created.  ") + kDone);
    EXPECT_EQ(WriteRegistryString(store, kKey, "Tropical", "Y"),
              std::string("0 Key already exists.  ") + kDone);

    // A refused write still opened its key, which is all the leading "0" says.
    store.refuseWrites = true;
    EXPECT_EQ(WriteRegistryString(store, kKey, "NATZ", "1"),
              "0 Key already exists.  Access is denied.");
    EXPECT_TRUE(registry.SaveRegistryValue("\\ZTA", "NATZ", "1", true));

    store.refuseKeys = true;
    EXPECT_EQ(WriteRegistryString(store, kKey, "NATZ", "1"),
              "5 Unable to create (or find) key.  Access is denied.");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RegistryTest, ReadStatusNamesWhatIsMissing) {
    std::string value = "untouched";
    EXPECT_EQ(ReadRegistryString(store, "", "World", value), "1 Key not found or is empty.");
    EXPECT_EQ(ReadRegistryString(store, kKey, "World", value), "1 Key not found or is empty.");
    store.Set(kKey, "World", "Y");
    EXPECT_EQ(ReadRegistryString(store, kKey, "", value), "2 Name not specified.");
    EXPECT_EQ(ReadRegistryString(store, kKey, "Stop", value), "3 Name not found.");
    EXPECT_EQ(value, "untouched");

    EXPECT_EQ(ReadRegistryString(store, kKey, "World", value), "0 OK");
    EXPECT_EQ(value, "Y");
    store.Set(kKey, "Stop", "");
    EXPECT_EQ(ReadRegistryString(store, kKey, "Stop", value), "0 Empty value");
    EXPECT_EQ(value, "");
    store.failReads = true;
    EXPECT_EQ(ReadRegistryString(store, kKey, "World", value), "0 ???");
}

TEST_F(RegistryTest, ReadingStripsTrailingControlCharactersOnly) {
    store.Set(kKey, "Stop", std::string("a\tb 12°\r\n\0", 11));
    std::string value;
    EXPECT_EQ(ReadRegistryString(store, kKey, "Stop", value), "0 OK");
    EXPECT_EQ(value, "a\tb 12°");

    std::string text = "\x01\x1f";
    StripTrailingControls(text);
    EXPECT_EQ(text, "");
    text = "é";  // bytes above 127 are no controls
    StripTrailingControls(text);
    EXPECT_EQ(text, "é");
}

TEST_F(RegistryTest, TheStoresWordsAreCutToOneHundredCharacters) {
    class Wordy : public MemorySettingsStore {
        StoreStatus CreateKey(const std::string&, bool&) override {
            return {7, std::string(99, 'x') + "°yz"};
        }
    } wordy;
    EXPECT_EQ(WriteRegistryString(wordy, kKey, "World", "N"),
              "7 Unable to create (or find) key.  " + std::string(99, 'x') + "°");
}

TEST_F(RegistryTest, RestoreGivesTheDefaultOnlyForAValueThatCannotBeRead) {
    std::string value;
    EXPECT_FALSE(registry.RestoreRegistryValue("\\ZTA", "Tropical", value, false, "Y"));
    EXPECT_EQ(value, "Y");

    store.Set(kKey, "Tropical", "");
    EXPECT_TRUE(registry.RestoreRegistryValue("\\ZTA", "Tropical", value, false, "Y"));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RegistryTest, TheReportFlagShowsEachFailureInAPlainBox) {
    std::string value;
    registry.RestoreRegistryValue("\\ZTA\\Year", "0", value, true, "2026");
    store.refuseKeys = true;
    EXPECT_FALSE(registry.SaveRegistryValue("\\ZTA\\Year", "0", "1990", true));

    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text,
              "Error restoring from registry:\r\nstrKey=\\ZTA\\Year\r\nstrName=0\r\n"
              "strValue=\r\nstrDefaultValueOnError=2026");
    EXPECT_EQ(boxes.boxes[1].text,
              "Error saving to registry:\r\nstrKey=\\ZTA\\Year\r\nstrName=0\r\nstrValue=1990");
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.icon, MsgIcon::None);
        EXPECT_EQ(box.title, "");
    }
}

}  // namespace
}  // namespace zenthra
