// How a run's table looks: the title line, the column headings, the fixed-width text rows
// and the HTML table head and rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/TransitTable.h"

namespace zenthra {

using TableRow = std::array<std::string, kTableColumns>;

inline constexpr size_t kCellWidth = 12;
inline constexpr size_t kRuleWidth = 119;

// What the title of a run reads off the window.
struct RunTitleInputs {
    bool isWorld = false;
    std::string firstBodyText;  // selected text of the first body list
    bool firstBodySelected = true;
    std::string secondBodyText;
    int32_t startJdn = 0;
    int32_t endJdn = 0;
    int32_t birthJdn = 0;
    std::string hourText;
    std::string minuteText;
    std::string birthTimezoneText;
    bool tropical = true;
    bool showAllMode = false;
    bool precisePluto = false;  // so that a saved report tells which Pluto it used
};

std::string BuildRunTitle(const RunTitleInputs& in);

// The line of 119 "-" under the headings.
std::string RuleLine();

// Row 1 of the table for the outer, middle and inner orb in whole degrees.
TableRow TextHeadings(const std::array<int16_t, 3>& orbDegrees);

// One row in the fixed-width layout, ended by CR LF.
std::string TextRowLayout(const TableRow& cells);

// One row as HTML table lines, each ended by CR LF, and a blank line after it.
std::string HtmlRowLayout(const TableRow& cells);

// The HTML table head with the run title and the headings for the three orbs.
std::string HtmlTableHead(const std::string& title, const std::array<int16_t, 3>& orbDegrees);

// The lines that open an HTML table: its title across all columns and a row of headings.
std::string HtmlTableOpening(const std::string& title, const std::vector<std::string>& headings);

// A row of HTML table lines with the cells as given, and a blank line after it.
std::string HtmlDataRow(const std::vector<std::string>& cells);

// A text for HTML, with "°" written as "&deg;".
std::string HtmlText(const std::string& text);

// The line that closes the HTML table.
inline constexpr const char* kHtmlTableEnd = "</table></center><p>";

// The text followed by blanks, cut to `width` characters.
std::string PadCut(std::string_view text, size_t width);

// The text followed by blanks up to `width` characters; a longer text is kept whole.
std::string PadOnly(std::string_view text, size_t width);

}  // namespace zenthra
