#include "alltransits/DaysFile.h"

#include <algorithm>
#include <new>

#include "alltransits/AllTransitsRecord.h"
#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "calendar/Utf8.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

// A token is a blank and nine characters: "Ju.sqr.Su".
constexpr size_t kTokenWidth = 9;

// The date and up to ten transits are aligned; a longer line is not.
constexpr int kAlignedTokens = 11;

const std::string kNoCell;

std::string DayToken(BodyCode transiting, AspectCode aspect, BodyCode natal) {
    return " " + BodyAbbreviation(transiting) + "." + LowerCase(AspectAbbreviation(aspect)) + "." +
           BodyAbbreviation(natal);
}

std::string DayLine(const DaysTable& table, int dayIndex, int style) {
    std::string line = FormatNumericDate(table.StartJdn() + dayIndex, style, true, false) + ":";
    for (BodyCode t = kSun; t <= kLastTransitingBody; ++t) {
        line += table.Cell(dayIndex, t);
    }
    return line;
}

// 1-based position of the first occurrence, 0 when there is none.
size_t PositionOf(const std::string& text, const std::string& part) {
    const size_t at = text.find(part);
    return at == std::string::npos ? 0 : at + 1;
}

// Up to nine characters from a 1-based position; empty beyond the end.
std::string TokenAt(const std::string& line, size_t position) {
    return position - 1 < line.size() ? line.substr(position - 1, kTokenWidth) : "";
}

// Writes over the characters from a 1-based position without lengthening the line.
void WriteOver(std::string& line, size_t position, const std::string& text) {
    const size_t from = position - 1;
    if (from >= line.size()) {
        return;
    }
    const size_t count = std::min({kTokenWidth, text.size(), line.size() - from});
    line.replace(from, count, text, 0, count);
}

bool IsDelimiter(std::string_view character, std::string_view delimiters) {
    for (std::string_view d : SplitCharacters(delimiters)) {
        if (d == character) {
            return true;
        }
    }
    return false;
}

}  // namespace

DaysTable::DaysTable(int32_t startJdn, int32_t endJdn)
    : startJdn(startJdn), endJdn(endJdn), cells(static_cast<size_t>(endJdn - startJdn + 1)) {}

const std::string& DaysTable::Cell(int dayIndex, BodyCode transiting) const {
    if (dayIndex < 0 || dayIndex >= DayCount() || transiting < kSun ||
        transiting > kLastTransitingBody) {
        return kNoCell;
    }
    return cells[dayIndex][transiting];
}

void DaysTable::Append(int dayIndex, BodyCode transiting, const std::string& token) {
    if (dayIndex >= 0 && dayIndex < DayCount() && transiting >= kSun &&
        transiting <= kLastTransitingBody) {
        cells[dayIndex][transiting] += token;
    }
}

std::optional<DaysTable> MakeDaysTable(int32_t startJdn, int32_t endJdn) {
    if (endJdn < startJdn || endJdn - startJdn > kLongestAllTransitsPeriod) {
        return std::nullopt;
    }
    try {
        return DaysTable(startJdn, endJdn);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

void FillDaysTable(DaysTable& table, const std::string& record) {
    const auto transiting = static_cast<BodyCode>(RecordNumber(record, kRecordTransiting, 1));
    const auto aspect = static_cast<AspectCode>(RecordNumber(record, kRecordAspect, 1));
    const auto natal = static_cast<BodyCode>(RecordNumber(record, kRecordNatal, 2));
    int32_t first = RecordNumber(record, 1, kRecordDayWidth);
    if (RecordField(record, kRecordStartTime, kRecordTimeWidth) == kBoundaryTime) {
        ++first;  // in effect at the start: listed from the first day
    }
    const int32_t last = RecordNumber(record, kRecordEndDay, kRecordDayWidth);
    const std::string token = DayToken(transiting, aspect, natal);
    for (int32_t day = first; day <= last; ++day) {
        table.Append(day - table.StartJdn(), transiting, token);
    }
}

std::string DaysFileText(const DaysTable& table, int style, const std::string& birthText) {
    if (style == kReportMonthNameDayYear) {
        style = kReportYearMonthDay;
    }
    const auto date = [style](int32_t jdn) { return FormatNumericDate(jdn, style, true, false); };
    std::string text = std::string("Personal planetary transits (relative to a 1-degree orb)") +
                       kCrLf + "in effect for a person born " + birthText + kCrLf +
                       "for the period " + date(table.StartJdn()) + " through " +
                       date(table.EndJdn()) + " are as follows:" + kCrLf + kCrLf;
    std::string previous = DayLine(table, 0, style);
    text += previous + kCrLf;
    for (int o = 1; o < table.DayCount(); ++o) {
        previous = AlignDayLine(DayLine(table, o, style), previous);
        text += previous + kCrLf;
    }
    return text;
}

std::string AlignDayLine(const std::string& line, const std::string& previous) {
    std::vector<std::string> tokens;
    const int count = SplitTokens(line, " ", tokens, kAlignedTokens);
    std::string aligned = line;
    // Token 0 is the date.
    for (int k = 1; k < count; ++k) {
        const std::string& token = tokens[k];
        const size_t column = PositionOf(previous, token);
        if (column == 0) {
            continue;
        }
        const std::string occupant = TokenAt(aligned, column);
        if (occupant.empty() || occupant == token) {
            continue;
        }
        const size_t now = PositionOf(aligned, token);
        WriteOver(aligned, column, token);
        WriteOver(aligned, now, occupant);
    }
    return aligned;
}

int SplitTokens(std::string_view text, std::string_view delimiters,
                std::vector<std::string>& tokens, int capacity) {
    tokens.clear();
    if (text.empty()) {
        return 0;
    }
    std::string current;
    const auto finish = [&]() {
        if (!current.empty()) {
            tokens.push_back(std::move(current));
            current.clear();
        }
        return static_cast<int>(tokens.size()) <= capacity;
    };
    if (delimiters.empty()) {
        current = text;
        return finish() ? 1 : -1;
    }
    for (std::string_view character : SplitCharacters(text)) {
        if (!IsDelimiter(character, delimiters)) {
            current += character;
        } else if (!finish()) {
            return -1;
        }
    }
    return finish() ? static_cast<int>(tokens.size()) : -1;
}

}  // namespace zenthra
