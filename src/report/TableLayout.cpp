#include "report/TableLayout.h"

#include <algorithm>

#include "calendar/DatePr2.h"
#include "calendar/Utf8.h"
#include "ephemeris/Vocabulary.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

const std::string kQuote = "\"";

std::string Attribute(const std::string& name, const std::string& value) {
    return " " + name + "=" + kQuote + value + kQuote;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The separator "| " stands before these columns.
bool HasSeparatorBefore(int column) {
    return column == kStartOuterColumn || column == kMinimumAtColumn || column == kEndInnerColumn ||
           column == kMinimumColumn;
}

// The orb of each column, as an index into the orbs: starts outside in, ends inside out.
constexpr std::array<int, kTableColumns> kOrbOfColumn = {-1, 0, 1, 2, -1, 2, 1, 0, -1};

std::string WorldTitle(const RunTitleInputs& in, const std::string& first) {
    std::string title = "World transits for " + first + " and " + in.secondBodyText + " from " +
                        FormatLongDate(in.startJdn) + ", to " + FormatLongDate(in.endJdn);
    if (first != BodyName(kSun)) {
        title += in.showAllMode ? " ('r' not shown)" : " ('r' = " + first + " retrograde)";
    }
    return title;
}

std::string PersonalTitle(const RunTitleInputs& in, const std::string& first) {
    return first + " transits of natal " + in.secondBodyText + ", " +
           FormatMediumDate(in.startJdn) + ", to " + FormatMediumDate(in.endJdn) + ", birth at " +
           FormatMediumDate(in.birthJdn) + ", " + in.hourText + ":" + in.minuteText + " " +
           in.birthTimezoneText + (in.tropical ? " (tropical)" : " (sidereal)");
}

std::string HtmlHeading(int column, const std::array<int16_t, 3>& orbDegrees) {
    static const std::array<std::string, kTableColumns> kHeads = {
        "Aspect", "Start", "Start", "Start", "Minimum at", "End", "End", "End", "Minimum"};
    const int orb = kOrbOfColumn[column];
    if (orb < 0) {
        return "&nbsp;" + kHeads[column] + "&nbsp;";
    }
    return "&nbsp;" + kHeads[column] + "<BR>" + std::to_string(orbDegrees[orb]) + "&deg; orb&nbsp;";
}

}  // namespace

std::string PadCut(std::string_view text, size_t width) {
    const std::string_view cut = FirstCharacters(text, width);
    const size_t length = SplitCharacters(cut).size();
    return std::string(cut) + std::string(width - length, ' ');
}

std::string PadOnly(std::string_view text, size_t width) {
    return PadCut(text, std::max(width, SplitCharacters(text).size()));
}

std::string BuildRunTitle(const RunTitleInputs& in) {
    const std::string pluto = in.precisePluto ? " (precise Pluto)" : "";
    if (in.isWorld) {
        const bool noFirst = in.showAllMode && !in.firstBodySelected;
        return WorldTitle(in, noFirst ? BodyName(kPluto) : in.firstBodyText) + pluto;
    }
    return PersonalTitle(in, in.firstBodyText) + pluto;
}

std::string RuleLine() {
    return std::string(kRuleWidth, '-');
}

TableRow TextHeadings(const std::array<int16_t, 3>& orbDegrees) {
    const auto orb = [&orbDegrees](int i) { return std::to_string(orbDegrees[i]) + "°"; };
    return {"Aspect",        "Start " + orb(0), "Start " + orb(1), "Start " + orb(2), "Minimum at",
            "End " + orb(2), "End " + orb(1),   "End " + orb(0),   "Minimum"};
}

std::string TextRowLayout(const TableRow& cells) {
    std::string line;
    for (int c = 0; c < kTableColumns; ++c) {
        if (HasSeparatorBefore(c)) {
            line += "| ";
        }
        line += c == kMinimumColumn ? cells[c] : PadCut(cells[c], kCellWidth);
    }
    return line + kCrLf;
}

std::string HtmlRowLayout(const TableRow& cells) {
    std::vector<std::string> padded;
    for (int c = 0; c < kTableColumns; ++c) {
        // The minimum column ends with the results' zone, which a cut would make ambiguous
        // ("GMT+5:30" and "GMT+5:00"): it is padded but never cut.
        padded.push_back(c == kMinimumColumn ? PadOnly(HtmlText(cells[c]), kCellWidth)
                                             : PadCut(cells[c], kCellWidth));
    }
    return HtmlDataRow(padded);
}

std::string HtmlDataRow(const std::vector<std::string>& cells) {
    std::string html = std::string("<tr>") + kCrLf;
    for (const std::string& cell : cells) {
        html += "<td" + Attribute("align", "left") + Attribute("valign", "top") + ">&nbsp;" + cell +
                "&nbsp;</td>" + kCrLf;
    }
    return html + "</tr>" + kCrLf + kCrLf;
}

std::string HtmlTableHead(const std::string& title, const std::array<int16_t, 3>& orbDegrees) {
    std::vector<std::string> headings;
    for (int c = 0; c < kTableColumns; ++c) {
        headings.push_back(HtmlHeading(c, orbDegrees));
    }
    return HtmlTableOpening(title, headings);
}

std::string HtmlTableOpening(const std::string& title, const std::vector<std::string>& headings) {
    std::string html = std::string("<center>") + kCrLf;
    html += "<table" + Attribute("border", "1") + Attribute("cellpadding", "1") +
            Attribute("cellspacing", "1") + ">" + kCrLf;
    html += "<tr><td" + Attribute("align", "center") +
            Attribute("colspan", std::to_string(headings.size())) + "><b>" + kCrLf;
    html += title + kCrLf;
    html += std::string("</b></td></tr>") + kCrLf;
    html += std::string("<tr>") + kCrLf;
    for (const std::string& heading : headings) {
        html += "<td" + Attribute("align", "center") + ">" + heading + "</td>" + kCrLf;
    }
    return html + "</tr>" + kCrLf;
}

std::string HtmlText(const std::string& text) {
    return ReplaceAll(text, "°", "&deg;");
}

}  // namespace zenthra
