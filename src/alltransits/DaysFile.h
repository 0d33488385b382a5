// The day file of the 1-degree report: for every day of the period the transits in effect,
// each continuing transit kept in the column it had the day before.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "alltransits/AllTransitsTables.h"

namespace zenthra {

// Per day of the period and transiting body, the tokens " Ju.sqr.Su" of the transits in
// effect, in the order they were added.
class DaysTable {
  public:
    DaysTable(int32_t startJdn, int32_t endJdn);

    int32_t StartJdn() const { return startJdn; }
    int32_t EndJdn() const { return endJdn; }
    int DayCount() const { return static_cast<int>(cells.size()); }

    // Empty for a day or body outside the table.
    const std::string& Cell(int dayIndex, BodyCode transiting) const;
    void Append(int dayIndex, BodyCode transiting, const std::string& token);

  private:
    int32_t startJdn;
    int32_t endJdn;
    std::vector<std::array<std::string, kLastTransitingBody + 1>> cells;
};

// None when the table cannot be made.
std::optional<DaysTable> MakeDaysTable(int32_t startJdn, int32_t endJdn);

// Adds a record's token to every day from its start (the first day for a transit already in
// effect) to its end day. Records must arrive in order of their start.
void FillDaysTable(DaysTable& table, const std::string& record);

// The whole day file; style 3 is written as style 2. `birthText` as in the report.
std::string DaysFileText(const DaysTable& table, int style, const std::string& birthText);

// A day line with each of its transits moved, where it can be, to the column the transit had
// in the previous line. A line of more than ten transits is returned as it is.
std::string AlignDayLine(const std::string& line, const std::string& previous);

// Splits at any of the delimiter characters; runs of delimiters give no empty tokens. An empty
// text gives 0 tokens, an empty delimiter set the whole text. -1 when there are more than
// `capacity` tokens.
int SplitTokens(std::string_view text, std::string_view delimiters,
                std::vector<std::string>& tokens, int capacity);

}  // namespace zenthra
