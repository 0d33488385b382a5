// The report of one orb: a header naming the person, the period and the orb, the numbers of
// transits per body, and the transits listed by start, by transiting body and by natal body;
// for the 1-degree orb also the day file.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "alltransits/AllTransitsTables.h"
#include "alltransits/AllTransitsWindow.h"
#include "alltransits/DaysFile.h"
#include "alltransits/ReportFiles.h"

namespace zenthra {

// Finished transits per body code (index 0 unused).
using TransitCounts = std::array<int16_t, kLastNatalBody + 1>;

struct AllTransitsReportInputs {
    std::string path;  // the report file
    int style = kReportYearMonthDay;
    TransitCounts transitingCounts{};
    TransitCounts natalCounts{};
    std::string birthText;  // "1950-03-07 14:30 GMT+1"
    int32_t startJdn = 0;
    int32_t endJdn = 0;
    ReportZone zone;  // of the results
    int16_t orb = 0;
    // Minutes from start to end of transits, by record, where they differ from what the clock
    // shows: across a clock change of a named zone.
    std::map<std::string, int32_t> durations;
};

// Writes the report from the records, which it sorts and cuts down, and with a day table the
// day file beside it (the report's name with "_days.txt" for its last four characters), into
// `files`, which moves them into place later. Lets the event loop run once per record and
// section. 0, or 1 when a file cannot be written.
int16_t WriteAllTransitsReport(const AllTransitsReportInputs& inputs,
                               std::vector<std::string>& records, DaysTable* days,
                               AllTransitsWindow& window, ReportFileSet& files);

// The path of the day file of a report.
std::string DaysFilePath(const std::string& reportPath);

// "2d 3h 28m", "0h 45m".
std::string FormatDuration(int32_t minutes);

}  // namespace zenthra
