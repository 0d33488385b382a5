#include "cli/ConsolePlatform.h"

#include <chrono>

#include "calendar/CalendarLibrary.h"

namespace zenthra {

MsgAnswer ConsolePlatform::MsgBox(const std::string& text, MsgIcon, const std::string& title,
                                  MsgButtons buttons) {
    if (!quiet) {
        std::string line = title.empty() ? text : title + ": " + text;
        for (size_t at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n", at)) {
            line.erase(at, 1);
        }
        errors << line << "\n";
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}

int ConsolePlatform::CurrentYear() {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day{today}.year());
}

int32_t ConsolePlatform::ComputerTimezoneSecondsWest() {
    return GetTimezone();
}

}  // namespace zenthra
