// The all-transits button: the window's inputs checked as for a run, then every personal
// transit computed for the orbs 1, 3 and 5 into a folder of its own under the reports root.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "alltransits/AllTransits.h"
#include "alltransits/ReportFiles.h"
#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "support/FileProc.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

constexpr std::array<int16_t, 3> kReportOrbs = {1, 3, 5};
constexpr int kLastDateStyle = 3;

const std::string kReportsTitle = "ZTA";
const std::string kDateStyleTitle = "All transits";

// The window as the computation sees it.
class WindowForAllTransits : public AllTransitsWindow {
  public:
    WindowForAllTransits(FrmMain& window, OutputPane& pane) : window(window), pane(pane) {}

    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons) override {
        return window.MsgBox(text, icon, title, buttons);
    }
    void AppendToPane(std::string_view text) override {
        pane.Append(text);
        window.RefreshPane();
    }
    void YieldToEventLoop() override { window.YieldToEventLoop(); }

  private:
    FrmMain& window;
    OutputPane& pane;
};

// The date style typed into the box, rounded to the nearest integer with halves going to the
// even neighbour; none when it is not a style.
std::optional<int> DateStyle(const std::string& text) {
    const int32_t style = LeadingNumberRounded(text);
    if (style < 0 || style > kLastDateStyle) {
        return std::nullopt;
    }
    return style;
}

// Whole hours east of Greenwich: a half-hour zone loses its half hour (GMT+5:30 counts as 5,
// GMT-3:30 as -3).
int16_t WholeTimezoneHours(int listIndex) {
    return static_cast<int16_t>(TimezoneMinutes(listIndex) / 60);
}

std::string PaddedDate(int32_t jdn) {
    return FormatNumericDate(jdn, kYearMonthDay, true, false);
}

void SetDate(int32_t jdn, int16_t& year, int16_t& month, int16_t& day) {
    const GregorianDate date = JdnToDate(jdn);
    year = static_cast<int16_t>(date.year);
    month = static_cast<int16_t>(date.month);
    day = static_cast<int16_t>(date.day);
}

std::string OrbFileName(const std::string& name, int16_t orb) {
    return name + "_" + std::to_string(orb) + "orb.txt";
}

}  // namespace

Outcome FrmMain::cmdShowAllTransits_Click() {
    if (!blnStartUpCompleted) {
        return Outcome::Refused();
    }
    SizeWindowForFirstOutput();
    YieldToEventLoop();
    if (optTropical.Value() == 0 || optPersonal.Value() == 0) {
        MsgBox(std::string("'All transits' can at present be calculated") + kCrLf +
                   "only for personal transits and Tropical Zodiac.",
               MsgIcon::None, "Restriction");
        return Outcome::Refused();
    }
    validateOnly = true;
    cmdStart_Click();
    validateOnly = false;
    if (!validationPassed) {
        return Outcome::Refused();
    }

    AllTransitsRequest all;
    SetDate(request.startJdn, all.startYear, all.startMonth, all.startDay);
    SetDate(request.endJdn, all.endYear, all.endMonth, all.endDay);
    SetDate(request.birthJdn, all.birthYear, all.birthMonth, all.birthDay);
    all.birthHour = static_cast<int16_t>(SaturatingInteger(cboHour.SelectedText()));
    all.birthMinute = static_cast<int16_t>(SaturatingInteger(cboMinute.SelectedText()));
    all.birthTimezoneHours = WholeTimezoneHours(cboTimezone[1].ListIndex());
    all.resultsTimezoneHours = WholeTimezoneHours(cboTimezone[0].ListIndex());
    all.birthZone = birthZone;
    all.resultsZone = request.zone;

    if (txbAllTransitsDateFormat.text.empty()) {
        MsgBox("Date format not specified", MsgIcon::Exclamation, kDateStyleTitle);
        return Outcome::Refused();
    }
    const std::optional<int> style = DateStyle(txbAllTransitsDateFormat.text);
    if (!style) {
        MsgBox("Invalid date format", MsgIcon::Exclamation, kDateStyleTitle);
        return Outcome::Refused();
    }
    all.dateStyle = static_cast<int16_t>(*style);
    all.pluto = ChosenPlutoSource();
    if (!CheckAllTransitsSources(all)) {
        return Outcome::Refused();
    }

    // The folder is named by the birth, the start and the length of the period, whatever the
    // date style: 1950-03-07_2023-01-01_365d.
    const std::string name = PaddedDate(request.birthJdn) + "_" + PaddedDate(request.startJdn) +
                             "_" + std::to_string(request.endJdn - request.startJdn + 1) + "d";
    const std::string folder = platform.ReportsRoot() + "/" + name;
    if (!FolderExists(folder) && !CreateFolderPath(folder)) {
        return Fail("Unable to create folder " + folder, kReportsTitle);
    }

    pane.Clear();
    WindowForAllTransits window(*this, pane);
    // The earlier reports stay until every new one is complete.
    ReportFileSet staged;
    all.staged = &staged;
    KeepAllTransitsPeriod(all);
    for (const int16_t orb : kReportOrbs) {
        all.orb = orb;
        all.filePath = folder + "/" + OrbFileName(name, orb);
        if (const int16_t code = ComputeAllTransits(all, window, KeepAllTransits(orb)); code > 0) {
            return Fail("Orb =  " + std::to_string(orb) + ", Error code = " + std::to_string(code),
                        "Error");
        }
    }
    if (!staged.CommitAll()) {
        return Fail("Error writing to file " + staged.FailureText(), "Error");
    }
    MsgBox("All files successfully written to " + folder, MsgIcon::None, kReportsTitle);
    return Outcome::Done();
}

Outcome FrmMain::Fail(const std::string& text, const std::string& title) {
    MsgBox(text, MsgIcon::Exclamation, title);
    return Outcome::Failed(text);
}

// Every instant the computation asks for, from the birth to the local midnight that ends the
// last day, checked before any folder or file is touched: refused as a run would be.
bool FrmMain::CheckAllTransitsSources(const AllTransitsRequest& all) {
    const ReportZone results = ResultsZoneOf(all);
    const double first = results.DayStart(request.startJdn);
    const double last = results.DayStart(request.endJdn + 1);
    // A birth time the clocks skipped was refused with the window's other inputs.
    const std::optional<double> birth =
        BirthZoneOf(all).JulianDateOf(request.birthJdn, all.birthHour * 60 + all.birthMinute);
    if (!birth) {
        return false;
    }
    std::vector<BodyCode> transiting;
    for (BodyCode body = kSun; body <= kLastTransitingBody; ++body) {
        transiting.push_back(body);
    }
    std::vector<BodyCode> natal = transiting;
    natal.push_back(kMoon);
    return CheckEphemerisData(std::min(*birth, first), last) &&
           CheckBodiesAt(first, "Start date", transiting) &&
           CheckBodiesAt(last, "End date", transiting) &&
           CheckBodiesAt(*birth, "Birth date", natal);
}

}  // namespace zenthra
