// What the all-transits tests share: the vocabulary and the Pluto table loaded, a window that
// records what the computation asks of it, a fresh folder per test, and a request for a person
// born 1950-03-07 14:30 GMT+1.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "alltransits/AllTransits.h"
#include "calendar/DatePr2.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "support/FileContents.h"
#include "support/RecordingMessageBoxes.h"

namespace zenthra::testing {

class RecordingAllTransitsWindow : public AllTransitsWindow {
  public:
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override {
        return boxes.MsgBox(text, icon, title, buttons);
    }
    void AppendToPane(std::string_view text) override {
        pane += text;
        ++repaints;
    }
    void YieldToEventLoop() override { ++yields; }

    RecordingMessageBoxes boxes;
    std::string pane;
    int repaints = 0;
    int yields = 0;
};

inline void LoadVocabulary() {
    InitDateVocabulary();
    InitVocabulary(ZENTHRA_DATA_DIR);
    dataFolder = ZENTHRA_DATA_DIR;
}

inline int32_t Jdn(int32_t year, int32_t month, int32_t day) {
    return DateToJdn(year, month, day).jdn;
}

// The lines of a CR LF text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// A folder of the temporary folder named after the running test and the process, so that test
// programs run side by side never share it; empty at the start and removed at the end.
class TestFolder {
  public:
    TestFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               (std::string("zenthra-") + std::to_string(::getpid()) + "-" +
                info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::string File(const std::string& name) const { return (path / name).string(); }

    std::filesystem::path path;
};

// Born 1950-03-07 14:30 GMT+1; results in GMT+1; the period and the orb as given.
inline AllTransitsRequest PersonRequest(int32_t startJdn, int32_t endJdn, int16_t orb,
                                        const std::string& file) {
    AllTransitsRequest r;
    const GregorianDate start = JdnToDate(startJdn);
    const GregorianDate end = JdnToDate(endJdn);
    r.startYear = static_cast<int16_t>(start.year);
    r.startMonth = static_cast<int16_t>(start.month);
    r.startDay = static_cast<int16_t>(start.day);
    r.endYear = static_cast<int16_t>(end.year);
    r.endMonth = static_cast<int16_t>(end.month);
    r.endDay = static_cast<int16_t>(end.day);
    r.birthYear = 1950, r.birthMonth = 3, r.birthDay = 7;
    r.birthHour = 14, r.birthMinute = 30;
    r.birthTimezoneHours = 1;
    r.resultsTimezoneHours = 1;
    r.orb = orb;
    r.dateStyle = 2;
    r.filePath = file;
    return r;
}

}  // namespace zenthra::testing
