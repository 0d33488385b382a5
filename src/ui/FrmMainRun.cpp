// A run of the Start button: the checks of the input fields in their fixed order, the request
// they build, the show-all sequences, and the handlers that keep the date fields clean.
#include <algorithm>
#include <utility>

#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "engine/AspectGeometry.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

constexpr int kStartGroup = 0;
constexpr int kEndGroup = 1;
constexpr int kBirthGroup = 2;

constexpr int32_t kFirstRunJdn = 1721426;    // 0001-01-01
constexpr int32_t kFirstBirthJdn = 2305448;  // 1600-01-01
constexpr int32_t kLastJdn = 2743738;        // 2799-12-31
constexpr int32_t kShortestPeriodDays = 3;

constexpr int kHourNoon = 13;   // "12" after the empty entry
constexpr int kMinuteZero = 1;  // "00" after the empty entry

const std::string kNoTitle;
const std::string kOrbTitle = "Orb values";

// By date group: the name that begins a message and the one inside it.
const std::array<std::string, 3> kGroupName = {"Start", "End", "Birth"};
const std::array<std::string, 3> kGroupWord = {"start", "end", "birth"};
const std::array<std::string, 3> kFieldName = {"year", "month", "day"};

// A list that shows no entry reads the same to the user as one that shows its empty entry.
bool ShowsEmptyEntry(const Control& list) {
    return list.ListIndex() <= 0;
}

// The refusal for a longitude that lies outside its source: −99 before it, −100 after it.
std::string OutOfRangeText(const std::string& dateName, BodyCode body, double longitude) {
    const char* words = longitude == kBeforeRange ? " is too early for " : " is too late for ";
    return dateName + words + BodyName(body) + ".";
}

}  // namespace

// The Start button, which reads "Stop" while a run is in progress.
Outcome FrmMain::cmdStart_Click() {
    if (!blnStartUpCompleted) {
        return Outcome::Refused();
    }
    // Set until the run starts, so that a failed check or a Stop also ends a show-all sequence.
    flags.runAborted = true;
    validationPassed = false;
    if (cmdStart.caption == "Stop") {
        flags.stopRequested = true;
        return Outcome::Done();
    }
    if (!CheckRunInputs()) {
        return Outcome::Refused();
    }
    if (validateOnly) {
        validationPassed = true;
        return Outcome::Done();
    }
    ReadBodies();
    if (request.isWorld && !CheckWorldPair()) {
        // A show-all sequence passes over a body paired with itself.
        return flags.runAborted ? Outcome::Refused() : Outcome::Done();
    }
    if (!request.showAllMode && !CheckOrbRules()) {
        return Outcome::Refused();
    }
    ReadOrbs();
    if (NeedsPluto(request) && !EnsurePlutoTable()) {
        return Outcome::Refused();
    }
    // A natal position lies within a day of the birth date.
    const double first = request.isWorld
                             ? RangeInstant(kStartGroup)
                             : std::min(RangeInstant(kStartGroup), request.birthJdn - 1.5);
    if (!CheckEphemerisData(first, RangeInstant(kEndGroup)) || !CheckBodyRange(kStartGroup) ||
        !CheckBodyRange(kEndGroup)) {
        return Outcome::Refused();
    }
    SetZodiac();
    if (!request.isWorld) {
        ComputeNatalLongitude();
        if (!CheckNatalRange()) {
            return Outcome::Refused();
        }
    }
    flags.runAborted = false;
    SizeWindowForFirstOutput();
    request.tzMinutes = static_cast<int16_t>(TimezoneMinutes(cboTimezone[0].ListIndex()));
    request.appendToOutput = chkAppendToOutput.Value() != 0;
    request.listEvents = chkEvents.Value() != 0;
    return HandToScan(true);
}

// The checks on the raw fields, up to the results' timezone; all that a validate-only call
// asks for.
bool FrmMain::CheckRunInputs() {
    if (chkOutputAsHTML.Value() != 0 && outputFilePath.empty()) {
        return RefuseRun("Output file not specified", MsgIcon::Exclamation);
    }
    request.startJdn = request.endJdn = request.birthJdn = 0;
    const bool personal = !IsWorld();
    return CheckDateFieldsFilled(kStartGroup) && CheckDateFieldsFilled(kEndGroup) &&
           (!personal || CheckFieldsPresent(kBirthGroup)) && CheckRunDate(kStartGroup) &&
           CheckRunDate(kEndGroup) && (!personal || CheckBirthData(false)) && CheckPeriodLength() &&
           CheckResultsTimezone();
}

bool FrmMain::CheckPeriodLength() {
    if (request.startJdn > request.endJdn - kShortestPeriodDays) {
        return RefuseRun("The start date must be at least 3 days prior to the end date.",
                         MsgIcon::Information);
    }
    return true;
}

bool FrmMain::CheckResultsTimezone() {
    if (!FindZoneOrRefuse(txbResultZone, "results", StartCaptionTitle(), request.zone)) {
        return false;
    }
    if (!request.zone && ShowsEmptyEntry(cboTimezone[0])) {
        RefuseRun("Please specify the timezone for the results, or use the default GMT timezone.",
                  MsgIcon::None);
        cboTimezone[0].SetListIndex(kGreenwichIndex);
        return false;
    }
    return true;
}

void FrmMain::ReadBodies() {
    request.isWorld = IsWorld();
    const int first = cboPlanet[0].ListIndex();
    const int second = cboPlanet[1].ListIndex();
    if (request.isWorld) {
        // The world list of first bodies ends at Neptune; no selection stands for Pluto.
        request.firstBody = first < 0 ? kPluto : static_cast<BodyCode>(first + 1);
        request.secondBody = static_cast<BodyCode>(second + 2);
    } else {
        request.firstBody = static_cast<BodyCode>(first + 1);
        request.secondBody = static_cast<BodyCode>(second + 1);
    }
    request.precisePluto = ChosenPlutoSource() == PlutoSource::Ephemeris;
}

PlutoSource FrmMain::ChosenPlutoSource() const {
    return chkPrecisePluto.Value() != 0 ? PlutoSource::Ephemeris : PlutoSource::Table;
}

// False ends the click. A show-all sequence passes over a body paired with itself and takes
// a reversed pair the other way round.
bool FrmMain::CheckWorldPair() {
    if (request.firstBody == request.secondBody) {
        if (request.showAllMode) {
            flags.runAborted = false;
            return false;
        }
        return RefuseRun("World transit of a planet to itself is not possible.",
                         MsgIcon::Exclamation);
    }
    if (request.secondBody < request.firstBody) {
        if (!request.showAllMode) {
            return RefuseRun("Outer planet must be beyond inner planet", MsgIcon::Information);
        }
        std::swap(request.firstBody, request.secondBody);
    }
    return true;
}

void FrmMain::ReadOrbs() {
    for (int i = 0; i < 3; ++i) {
        request.orbDegrees[i] = static_cast<int16_t>(cboOrbs[i].ListIndex() + 1);
        request.orbRadians[i] = request.orbDegrees[i] * kFullTurn / 360;
    }
    request.outerOrbIs15 = request.orbDegrees[kOuterOrb] == 15;
}

// World runs compare two moving bodies, which only the tropical zodiac does.
void FrmMain::SetZodiac() {
    request.sidereal = !request.isWorld && optSidereal.Value() != 0;
}

// The first output of an empty pane needs more room than the window's smallest height.
void FrmMain::SizeWindowForFirstOutput() {
    if (!pane.Empty() || windowState != WindowState::Normal) {
        return;
    }
    visible = false;
    geometry.top = (platform.ScreenSize().height - geometry.height) / 3;
    geometry.height = runHeight;
    Form_Resize();
    visible = true;
}

Outcome FrmMain::cmdShowAll_Click(int index) {
    if (!blnStartUpCompleted) {
        return Outcome::Refused();
    }
    const int first = cboPlanet[0].ListIndex();
    const int second = cboPlanet[1].ListIndex();
    const int append = chkAppendToOutput.Value();
    pane.Clear();
    chkAppendToOutput.SetValue(1);
    request.showAllMode = true;
    const bool world = IsWorld();
    // One HTML file holds every table of the sequence.
    writer.BeginHtmlSequence();
    timelineSequenceStart = true;
    exportRuns = {"show-all", {}};
    Outcome outcome = RunShowAllSequence(world || index == 0 ? cboPlanet[0] : cboPlanet[1], world);
    writer.EndHtmlSequence();
    // The file of the whole sequence is written only now.
    if (outcome.IsDone() && !writer.FailureText().empty()) {
        outcome = Outcome::Failed(writer.FailureText());
    }
    cboPlanet[0].SetListIndex(first);
    cboPlanet[1].SetListIndex(second);
    chkAppendToOutput.SetValue(append);
    request.showAllMode = false;
    return outcome;
}

Outcome FrmMain::RunShowAllSequence(Control& list, bool world) {
    const int count = static_cast<int>(list.list.size());
    for (int i = 0; i < count; ++i) {
        list.SetListIndex(i);
        if (Outcome outcome = cmdStart_Click(); !outcome.IsDone()) {
            return outcome;
        }
    }
    if (!world) {
        return Outcome::Done();
    }
    // No selection of the first world list means Pluto, which the list does not hold.
    list.SetListIndex(-1);
    return cmdStart_Click();
}

bool FrmMain::CheckDateFieldsFilled(int group) {
    return CheckFieldsPresent(group);
}

// Reduces the group's fields to their digits, in order, up to the first one left empty.
bool FrmMain::CheckFieldsPresent(int group) {
    const std::array<Control*, 3> fields = DateFields(group);
    for (int i = 0; i < 3; ++i) {
        Control& field = *fields[i];
        field.text = CleanIntegerText(field.text, false, false);
        if (field.text.empty()) {
            const std::string& name = kFieldName[i];
            return RefuseRun(group == kBirthGroup
                                 ? "Please specify " + name + " of birth."
                                 : "Please specify " + kGroupWord[group] + " " + name + ".",
                             MsgIcon::None);
        }
    }
    return true;
}

bool FrmMain::CheckRunDate(int group) {
    if (!ConvertDateGroup(group)) {
        return RefuseRun("The " + kGroupWord[group] + " date is invalid.", MsgIcon::Information,
                         "Invalid input");
    }
    return CheckDateLimits(group);
}

bool FrmMain::CheckDateLimits(int group) {
    const int32_t jdn = GroupJdn(group);
    const int32_t earliest = group == kBirthGroup ? kFirstBirthJdn : kFirstRunJdn;
    if (jdn < earliest) {
        return RefuseRun(kGroupName[group] + " date is too early", MsgIcon::Information);
    }
    if (jdn > kLastJdn) {
        return RefuseRun("End date is too late", MsgIcon::Information);
    }
    return true;
}

// False after a message; the time and timezone messages choose "12:00" or "GMT", so that
// Start can be pressed again at once.
bool FrmMain::CheckBirthData(bool skipStartRule) {
    if (!ConvertDateGroup(kBirthGroup)) {
        return RefuseRun("The birth date is invalid.", MsgIcon::Information);
    }
    if (!CheckDateLimits(kBirthGroup)) {
        return false;
    }
    if (!skipStartRule && request.birthJdn > request.startJdn) {
        return RefuseRun("The birth date must not be later than the start date.",
                         MsgIcon::Information);
    }
    if (ShowsEmptyEntry(cboHour)) {
        RefuseRun("Please specify the birth time, or use 12:00 if not known.", MsgIcon::None);
        cboHour.SetListIndex(kHourNoon);
        cboMinute.SetListIndex(kMinuteZero);
        return false;
    }
    if (ZoneEntryName(txbBirthZone).empty() && ShowsEmptyEntry(cboTimezone[1])) {
        RefuseRun("Please specify the timezone, or use GMT if not known.", MsgIcon::None);
        cboTimezone[1].SetListIndex(kGreenwichIndex);
        return false;
    }
    if (ShowsEmptyEntry(cboMinute)) {
        cboMinute.SetListIndex(kMinuteZero);
    }
    return CheckBirthZone();
}

bool FrmMain::CheckOrbRules() {
    const BodyCode body = static_cast<BodyCode>(cboPlanet[0].ListIndex() + 1);
    const int outer = cboOrbs[0].ListIndex();
    const int middle = cboOrbs[1].ListIndex();
    const int inner = cboOrbs[2].ListIndex();
    const std::string with = IsWorld() ? "With" : "With transiting";
    if (body == kMercury && inner < 2) {
        return RefuseRun(with + " Mercury the inner orb must be at least 3°.", MsgIcon::Information,
                         kOrbTitle);
    }
    if ((body == kSun || body == kVenus || body == kMars) && inner == 0) {
        return RefuseRun(with + " Sun, Venus or Mars the inner orb must be at least 2°.",
                         MsgIcon::Information, kOrbTitle);
    }
    if (middle > outer - 2 || inner > middle - 2) {
        return RefuseRun("Orbs must be strictly decreasing and differ by at least 2°.",
                         MsgIcon::Information, kOrbTitle);
    }
    return true;
}

bool FrmMain::EnsurePlutoTable() {
    return zenthra::EnsurePlutoTable(cboPlanet[1].SelectedText(), request.showAllMode, !IsWorld(),
                                     platform);
}

bool FrmMain::NeedsPluto(const TransitRequest& request) {
    return !request.precisePluto && (request.firstBody == kPluto || request.secondBody == kPluto);
}

bool FrmMain::CheckBodyRange(int group) {
    const double instant = RangeInstant(group);
    return CheckEphemerisData(instant, instant) &&
           CheckBodiesAt(instant, kGroupName[group] + " date",
                         {request.firstBody, request.secondBody});
}

// Before-range answers are reported for every body before after-range ones.
bool FrmMain::CheckBodiesAt(double instant, const std::string& dateName,
                            const std::vector<BodyCode>& bodies) {
    for (const double signal : {kBeforeRange, kAfterRange}) {
        for (const BodyCode body : bodies) {
            if (OutsideSource(body, instant, ChosenPlutoSource()) == signal) {
                return RefuseRun(OutOfRangeText(dateName, body, signal), MsgIcon::None, kNoTitle);
            }
        }
    }
    return true;
}

// Damaged or missing data files would otherwise pass for dates out of range.
bool FrmMain::CheckEphemerisData(double first, double last) {
    if (ProbeEphemerisPeriod(first, last).empty()) {
        return true;
    }
    return RefuseRun(EphemerisDataMessage(), MsgIcon::Exclamation, kNoTitle);
}

// The earliest instant that the start day's samples need, or the latest that the last day's
// need: the local midnight that begins the start day, or that ends the last day (the last
// day's "tomorrow"), and 0h UT of the same day, which the exact-minute search reaches.
double FrmMain::RangeInstant(int group) {
    const int16_t tzMinutes = static_cast<int16_t>(TimezoneMinutes(cboTimezone[0].ListIndex()));
    if (group == kStartGroup) {
        const double midnight = request.startJdn - 0.5;
        return std::min(midnight, LocalMidnight(request.startJdn, tzMinutes, request.zone));
    }
    const double nextMidnight = request.endJdn + 0.5;
    return std::max(nextMidnight, LocalMidnight(request.endJdn + 1, tzMinutes, request.zone));
}

// A birth near the edge of the Moon's or Pluto's days can fall outside them once its time
// and timezone are applied; the scan would take the range signal for a longitude.
bool FrmMain::CheckNatalRange() {
    const double natal = request.natalLongitude[request.secondBody];
    if (natal < 0) {
        return RefuseRun(OutOfRangeText("Birth date", request.secondBody, natal), MsgIcon::None,
                         kNoTitle);
    }
    return true;
}

int FrmMain::BirthMinutes() const {
    return (cboHour.ListIndex() - 1) * 60 + (cboMinute.ListIndex() - 1) * 5;
}

void FrmMain::ComputeNatalLongitude() {
    const int timezoneMinutes = TimezoneMinutes(cboTimezone[1].ListIndex());
    const double instant =
        birthZone ? JulianDateOfInstant(birthInstant)
                  : request.birthJdn - 0.5 + (BirthMinutes() - timezoneMinutes) / 1440.0;
    request.natalLongitude[request.secondBody] =
        PlanetLongitude(request.secondBody, instant, BasisOf(request));
}

void FrmMain::RefreshDateLabel(int group) {
    bool complete = true;
    for (Control* field : DateFields(group)) {
        field->text = CleanIntegerText(field->text, false, false);
        complete = complete && !field->text.empty();
    }
    if (!complete) {
        lblDate[group].caption = "";
        return;
    }
    ConvertDateGroup(group);
}

// Stores the group's day number, valid or not, and writes the date out under the fields.
bool FrmMain::ConvertDateGroup(int group) {
    // A number too long for the calendar saturates, and the calendar refuses it.
    const int32_t year = SaturatingInteger(txbYear[group].text);
    const int32_t month = SaturatingInteger(txbMonth[group].text);
    const int32_t day = SaturatingInteger(txbDay[group].text);
    const DateJdn date = DateToJdn(year, month, day);
    GroupJdn(group) = date.jdn;
    lblDate[group].caption = date.valid ? MonthNames[month] + " " + std::to_string(day) + ", " +
                                              std::to_string(year) + " CE"
                                        : "invalid date";
    return date.valid;
}

int32_t& FrmMain::GroupJdn(int group) {
    return group == kStartGroup ? request.startJdn
           : group == kEndGroup ? request.endJdn
                                : request.birthJdn;
}

std::array<Control*, 3> FrmMain::DateFields(int group) {
    return {&txbYear[group], &txbMonth[group], &txbDay[group]};
}

bool FrmMain::RefuseRun(const std::string& text, MsgIcon icon) {
    return RefuseRun(text, icon, StartCaptionTitle());
}

bool FrmMain::RefuseRun(const std::string& text, MsgIcon icon, const std::string& title) {
    platform.MsgBox(text, icon, title);
    return false;
}

// Field handlers.

void FrmMain::txbYear_LostFocus(int group) {
    Control& year = txbYear[group];
    year.text = StripLeadingChars(year.text, "0");
    if (year.text.starts_with("-")) {
        platform.MsgBox("Year number must be positive.", MsgIcon::Information, "Invalid year");
        return;
    }
    RefreshDateLabel(group);
}

void FrmMain::txbMonth_LostFocus(int group) {
    RefreshDateLabel(group);
}

void FrmMain::txbDay_LostFocus(int group) {
    RefreshDateLabel(group);
}

void FrmMain::txbYear_KeyDown(int group, int keyCode, int) {
    NoteEnterPressed(txbYear[group], keyCode);
}

void FrmMain::txbMonth_KeyDown(int group, int keyCode, int) {
    NoteEnterPressed(txbMonth[group], keyCode);
}

void FrmMain::txbDay_KeyDown(int group, int keyCode, int) {
    NoteEnterPressed(txbDay[group], keyCode);
}

void FrmMain::txbYear_KeyUp(int group, int keyCode, int) {
    StartOnEnter(txbYear[group], keyCode);
}

void FrmMain::txbMonth_KeyUp(int group, int keyCode, int) {
    StartOnEnter(txbMonth[group], keyCode);
}

void FrmMain::txbDay_KeyUp(int group, int keyCode, int) {
    StartOnEnter(txbDay[group], keyCode);
}

void FrmMain::NoteEnterPressed(Control& field, int keyCode) {
    if (keyCode == kKeyEnter) {
        enterPressedIn = &field;
    }
}

// Only an Enter pressed in the field starts a run when it is released there: the release of
// an Enter that closed a message box lands in the field the box came from, and would bring
// the same box back without end.
void FrmMain::StartOnEnter(Control& field, int keyCode) {
    if (keyCode != kKeyEnter) {
        return;
    }
    const bool pressedHere = enterPressedIn == &field;
    enterPressedIn = nullptr;
    if (pressedHere && cmdStart.enabled) {
        cmdStart_Click();
    }
}

void FrmMain::txbStopDate_LostFocus() {
    stopDateText = TrimSpaces(txbStopDate.text);
}

void FrmMain::cboHour_Click() {
    FocusAfterStartUp(cmdStart);
}

void FrmMain::cboMinute_Click() {
    FocusAfterStartUp(cmdStart);
}

}  // namespace zenthra
