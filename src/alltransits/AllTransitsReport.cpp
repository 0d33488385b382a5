#include "alltransits/AllTransitsReport.h"

#include <numeric>

#include "alltransits/AllTransitsRecord.h"
#include "alltransits/QuickSort.h"
#include "alltransits/ReportFiles.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

// Minutes are counted from this day so that they fit 32 bits.
constexpr int32_t kDurationEpoch = 2000000;

// The count lists continue on a new line after this body.
constexpr BodyCode kLastBodyOfFirstLine = kMars;

const std::string kInEffectHeading = "--  Transits already in effect at start of period:";
const std::string kBeginningHeading = "--- Transits beginning after start of period:";

std::string Line(const std::string& text) {
    return text + kCrLf;
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// "Sun 5, Mercury 12, Venus 7, Mars 4, " + line end + five blanks + "Jupiter 3, ... Pluto 1".
std::string CountList(const TransitCounts& counts, BodyCode last) {
    std::string list;
    for (BodyCode body = kSun; body <= last; ++body) {
        if (counts[body] > 0) {
            list += AllTransitsBodyName(body) + " " + std::to_string(counts[body]) + ", ";
        }
        if (body == kLastBodyOfFirstLine) {
            list += std::string(kCrLf) + "     ";
        }
    }
    return WithoutLast(list, 2);
}

// The period's edge as the header shows it: "2022-12-31 24:00 GMT+1".
std::string PeriodEdge(int32_t day, const AllTransitsReportInputs& in) {
    return WithoutLast(FormatReportInstant(day, in.style, in.zone.TextAtEndOf(day), true), 6);
}

std::string ReportHeader(const AllTransitsReportInputs& in) {
    const std::string born = "PERSONAL TRANSITS FOR A PERSON BORN " + in.birthText;
    const std::string rule(born.size() + 7, '=');
    const int total = std::accumulate(in.transitingCounts.begin() + kSun,
                                      in.transitingCounts.begin() + kLastTransitingBody + 1, 0);
    return Line("") + Line(rule) + Line(UpperCase(born)) +
           Line(UpperCase("FOR THE PERIOD " + PeriodEdge(in.startJdn - 1, in) + " TO " +
                          PeriodEdge(in.endJdn, in))) +
           Line("WITH ORB = " + std::to_string(in.orb) + " DEGREE" + (in.orb > 1 ? "S" : "")) +
           Line(rule) + Line("") +
           Line("With this orb value there are a total of " + std::to_string(total) +
                " transits in this period.") +
           Line("Transits by transiting planet: " +
                CountList(in.transitingCounts, kLastTransitingBody)) +
           Line("Transits of natal planet: " + CountList(in.natalCounts, kLastNatalBody));
}

std::string SectionHeading(const std::string& title) {
    return Line("") + Line(title) + Line(std::string(title.size(), '-'));
}

int32_t MinuteOfTimeField(const std::string& record, int dayPosition, int timePosition) {
    const int32_t day = RecordNumber(record, dayPosition, kRecordDayWidth);
    const int32_t hours = RecordNumber(record, timePosition, 2);
    const int32_t minutes = RecordNumber(record, timePosition + 3, 2);
    return (day - kDurationEpoch) * 1440 + hours * 60 + minutes;
}

int32_t Duration(const std::string& record, const std::map<std::string, int32_t>& durations) {
    const auto known = durations.find(record);
    return known != durations.end() ? known->second
                                    : MinuteOfTimeField(record, kRecordEndDay, kRecordEndTime) -
                                          MinuteOfTimeField(record, 1, kRecordStartTime);
}

// Section 1 also fills the day table, in this order of starts.
std::string ByStartSection(std::vector<std::string>& records, DaysTable* days,
                           const std::map<std::string, int32_t>& durations,
                           AllTransitsWindow& window) {
    SortRecords(records, 0, static_cast<int>(records.size()) - 1, 1);
    std::string text = SectionHeading("Transits ordered by start date");
    bool inEffectWritten = false;
    bool beginningWritten = false;
    for (std::string& record : records) {
        window.YieldToEventLoop();
        if (days != nullptr) {
            FillDaysTable(*days, record);
        }
        const bool fromStart =
            RecordField(record, kRecordStartTime, kRecordTimeWidth) == kBoundaryTime;
        const bool toEnd = RecordField(record, kRecordEndTime, kRecordTimeWidth) == kBoundaryTime;
        if (fromStart && !inEffectWritten) {
            text += Line(kInEffectHeading);
            inEffectWritten = true;
        } else if (!fromStart && !beginningWritten) {
            text += Line(kBeginningHeading);
            beginningWritten = true;
        }
        text += record.substr(kRecordDescription - 1);
        if (!fromStart && !toEnd) {
            text += " (" + FormatDuration(Duration(record, durations)) + ")";
        }
        text += kCrLf;
        record.erase(0, kRecordTransiting - 1);
    }
    return text;
}

// Sections 2 and 3: sorted on what the cut records now begin with; each record's description
// starts at `description`, and `cut` characters are removed from it afterwards.
std::string CutSection(const std::string& title, std::vector<std::string>& records,
                       size_t description, size_t cut, AllTransitsWindow& window) {
    SortRecords(records, 0, static_cast<int>(records.size()) - 1, 1);
    std::string text = SectionHeading(title);
    for (std::string& record : records) {
        window.YieldToEventLoop();
        text += Line(record.substr(description - 1));
        record.erase(0, cut);
    }
    return text;
}

}  // namespace

int16_t WriteAllTransitsReport(const AllTransitsReportInputs& inputs,
                               std::vector<std::string>& records, DaysTable* days,
                               AllTransitsWindow& window, ReportFileSet& files) {
    // After section 1 a record begins with its transiting code (key of section 2); after
    // section 2 with its natal code (key of section 3).
    std::string report =
        ReportHeader(inputs) + ByStartSection(records, days, inputs.durations, window);
    report += CutSection("Transits ordered by transiting planet", records,
                         kRecordDescription - (kRecordTransiting - 1),
                         kRecordNatal - kRecordTransiting, window);
    report += CutSection("Transits ordered by natal planet", records,
                         kRecordDescription - (kRecordNatal - 1), 0, window);
    const bool written =
        files.Stage(inputs.path, report) &&
        (days == nullptr || files.Stage(DaysFilePath(inputs.path),
                                        DaysFileText(*days, inputs.style, inputs.birthText)));
    return written ? 0 : 1;
}

std::string DaysFilePath(const std::string& reportPath) {
    return WithoutLast(reportPath, 4) + "_days.txt";
}

std::string FormatDuration(int32_t minutes) {
    std::string text;
    if (minutes >= 1440) {
        text = std::to_string(minutes / 1440) + "d ";
        minutes %= 1440;
    }
    return text + std::to_string(minutes / 60) + "h " + std::to_string(minutes % 60) + "m";
}

}  // namespace zenthra
