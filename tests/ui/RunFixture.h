// The main window after start-up with a personal run typed in that passes every check:
// Mars transiting natal Jupiter through 2026, birth June 15, 1990, 12:00 GMT, results in the
// computer's timezone (GMT+5:30).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"

namespace zenthra::testing {

inline constexpr int kGmt = 24;
inline constexpr int kNoon = 13;
inline constexpr int kMinuteZero = 1;

struct Box {
    std::string text;
    MsgIcon icon;
    std::string title;
    bool operator==(const Box&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Box& box) {
        return out << "{\"" << box.text << "\", icon " << static_cast<int>(box.icon) << ", \""
                   << box.title << "\"}";
    }
};

inline std::vector<Box> Shown(const FakePlatform& p) {
    std::vector<Box> shown;
    for (const auto& box : p.boxes.boxes) {
        shown.push_back({box.text, box.icon, box.title});
    }
    return shown;
}

// "year-month-day" into the fields of a date group.
inline void SetDate(FrmMain& w, int group, const std::string& date) {
    const size_t a = date.find('-', 1);
    const size_t b = date.find('-', a + 1);
    w.txbYear[group].text = date.substr(0, a);
    w.txbMonth[group].text = date.substr(a + 1, b - a - 1);
    w.txbDay[group].text = date.substr(b + 1);
}

inline void ChooseWorld(FrmMain& w) {
    w.ChooseOption(w.optWorld, w.optPersonal);
}

inline void LoadWithPersonalRun(FrmMain& w, FakePlatform& p) {
    w.Form_Load();
    SetDate(w, 2, "1990-6-15");
    w.cboHour.SetListIndex(kNoon);
    w.cboMinute.SetListIndex(kMinuteZero);
    w.cboTimezone[1].SetListIndex(kGmt);
    p.boxes.boxes.clear();
}

class RunFixture : public ::testing::Test {
  protected:
    void SetUp() override { LoadWithPersonalRun(w, p); }

    void SetPeriod(const std::string& start, const std::string& end) {
        SetDate(w, 0, start);
        SetDate(w, 1, end);
    }

    // The title lines of the runs in the pane.
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        const std::string& text = w.Pane().Text();
        for (size_t at = 0; at < text.size();) {
            const size_t end = std::min(text.find("\r\n", at), text.size());
            const std::string line = text.substr(at, end - at);
            if (line.starts_with("World transits for ") ||
                line.find(" transits of natal ") != std::string::npos) {
                titles.push_back(line);
            }
            at = end + 2;
        }
        return titles;
    }

    FakePlatform p;
    FrmMain w{p};
};

}  // namespace zenthra::testing
