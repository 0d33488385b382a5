// The main window's start-up, lists, captions, handlers, running and idle states, timer and
// layout.
#include <algorithm>

#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "report/TableLayout.h"
#include "support/FileProc.h"
#include "ui/FrmMain.h"
#include "ui/WindowLook.h"

namespace zenthra {

namespace {

constexpr int kOrbCount = 15;
constexpr std::array<int, 3> kDefaultOrbIndex = {9, 4, 1};  // 10°, 5°, 2°

// Body codes of the lists: world 1..8 and 2..9, personal 1..9 and 1..10.
struct BodyLists {
    BodyCode first[2];
    BodyCode last[2];
    int defaultIndex[2];
};
constexpr BodyLists kWorldLists{{kSun, kMercury}, {kNeptune, kPluto}, {3, 3}};
constexpr BodyLists kPersonalLists{{kSun, kSun}, {kPluto, kMoon}, {3, 4}};

}  // namespace

void FrmMain::Form_Load() {
    blnStartUpCompleted = false;
    InitDateVocabulary();
    InitVocabulary(platform.ProgramFolder());
    ApplyStartupDefaults();
    planetChoice = {-1, -1, -1, -1};
    FillChoiceLists();
    SetUpTimezoneComboBoxes(false);
    cmdRestoreState_Click();

    ShowRunKindControls(IsWorld());
    FillPlanetLists();
    txbYear_LostFocus(0);
    txbYear_LostFocus(1);
    SetForeColorAll(kWindowText);
    SetBackColorAll(kWindowBackground);
    ApplyWindowFonts();
    if (cboTimezone[0].ListIndex() < 0) {
        if (auto local = LocalTimezoneIndex(platform.ComputerTimezoneSecondsWest())) {
            cboTimezone[0].SetListIndex(*local);
        }
    }
    cmdFile.geometry.left =
        (geometry.width - (chkOpenOutputFile.geometry.width + cmdFile.geometry.width + 450)) / 2 +
        750;
    chkOpenOutputFile.geometry.left = cmdFile.geometry.left + cmdFile.geometry.width + 100;
    chkKeepDates.SetValue(1);
    txbDay_LostFocus(2);
    for (Control* list : {&cboHour, &cboMinute}) {
        if (list->ListIndex() < 0) {
            list->SetListIndex(0);
        }
    }
    minimumHeight = 6250;
    lblShortDate.visible = false;
    const Geometry screen = platform.ScreenSize();
    geometry.width = FittedWidth();
    geometry.top = std::max(0, (screen.height - geometry.height) / 5);
    geometry.left = std::max(0, (screen.width - geometry.width) / 2);
    chkAppendToOutput.geometry.left = chkKeepDates.geometry.left + chkKeepDates.geometry.width + 40;
    SetStartCaption();
    Label1.caption = "for first " + std::to_string(cboOrbs[0].ListIndex() + 1) + "°";
    Form_Resize();
    blnStartUpCompleted = true;

    SetFontBoldAll(false);
    SetFontNameAll("Arial", true, true);
    txbOutput.font.name = "Courier New";
    for (Control* hidden :
         {&lblAllTransitsDateFormat, &txbAllTransitsDateFormat, &cmdShowAllTransits}) {
        hidden->visible = false;
    }
    fraSearch.geometry.width =
        chkAppendToOutput.geometry.left + chkAppendToOutput.geometry.width + 200;
    fraSearch.geometry.left = (fixedWidth - fraSearch.geometry.width) / 2;
    lblShortDate.geometry.left =
        cmdStart.geometry.left + cmdStart.geometry.width - lblShortDate.geometry.width;
    lblShortDate.geometry.top = cmdShowAll[1].geometry.top + cmdShowAll[1].geometry.height + 40;
    lblShortDate.foreColor = kProgressText;
    cmdClear.geometry.top = cmdHelp.geometry.top;
    cmdClear.geometry.left = cmdHelp.geometry.left - 100 - cmdClear.geometry.width;
    visible = true;
    for (Control* list : {&cboSearchAspect, &cboHour, &cboMinute}) {
        const int noted = list->ListIndex();
        list->SetListIndex(-1);
        list->SetListIndex(noted);
    }
    txbStopDate.visible = false;
    cmdVHsoftware.visible = false;
    FocusIfPossible(cmdHelp);
}

void FrmMain::ApplyStartupDefaults() {
    runHeight = 8000;
    const std::string year = std::to_string(platform.CurrentYear());
    const auto setDate = [&](int group, std::string month, std::string day) {
        txbYear[group].text = year;
        txbMonth[group].text = std::move(month);
        txbDay[group].text = std::move(day);
    };
    setDate(0, "1", "1");
    setDate(1, "12", "31");
    txbYear[2].text = txbMonth[2].text = txbDay[2].text = "";
    pane.Clear();
    txbOutput.geometry.width =
        cmdQuit.geometry.left + cmdQuit.geometry.width - txbOutput.geometry.left;
    geometry.width = txbOutput.geometry.left + txbOutput.geometry.width - geometry.left + 380;
    fixedWidth = geometry.width;
    plutoLoaded = false;
    // cmdFile stays enabled: with HTML output ticked before a first run it is the only way
    // to name the file that the run needs.
    ChooseOption(optPersonal, optWorld);
    ChooseOption(optTropical, optSidereal);
    SetDataFolder(platform.ProgramFolder() + "/");
    // Without its data files the ephemeris would fall back to a coarser theory, which no
    // run uses; say so now rather than at the first run.
    if (!ProbeEphemerisData().empty()) {
        platform.MsgBox(EphemerisDataMessage(), MsgIcon::Exclamation, "Startup error");
    }
}

void FrmMain::FillChoiceLists() {
    FillPlanetLists();
    for (int i = 0; i < 3; ++i) {
        cboOrbs[i].Clear();
        for (int degrees = 1; degrees <= kOrbCount; ++degrees) {
            cboOrbs[i].AddItem(std::to_string(degrees) + "°");
        }
        cboOrbs[i].SetListIndex(kDefaultOrbIndex[i]);
    }
    cboHour.Clear();
    cboHour.AddItem("");
    for (int hour = 0; hour < 24; ++hour) {
        cboHour.AddItem(TwoDigits(hour));
    }
    cboMinute.Clear();
    cboMinute.AddItem("");
    for (int minute = 0; minute < 60; minute += 5) {
        cboMinute.AddItem(TwoDigits(minute));
    }
    cboSearchAspect.Clear();
    for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
        cboSearchAspect.AddItem(LowerCase(AspectName(a)));
    }
}

void FrmMain::FillPlanetLists() {
    fillingPlanetLists = true;
    const bool world = IsWorld();
    const BodyLists& lists = world ? kWorldLists : kPersonalLists;
    for (int i = 0; i < 2; ++i) {
        Control& list = cboPlanet[i];
        list.Clear();
        for (BodyCode body = lists.first[i]; body <= lists.last[i]; ++body) {
            list.AddItem(BodyName(body));
        }
        const int remembered = planetChoice[i * 2 + (world ? 0 : 1)];
        const int n = static_cast<int>(list.list.size());
        list.SetListIndex(remembered >= n  ? n - 1
                          : remembered < 0 ? lists.defaultIndex[i]
                                           : remembered);
    }
    fillingPlanetLists = false;
}

void FrmMain::SetStartCaption() {
    const std::string& n0 = cboPlanet[0].SelectedText();
    const std::string& n1 = cboPlanet[1].SelectedText();
    if (IsWorld()) {
        cmdStart.caption = "Show all world transits between " + n0 + " and " + n1;
        cmdShowAll[0].caption = "Show all transits between " + n1 + " and other planets";
    } else {
        cmdStart.caption = "Show all personal transits by " + n0 + " of natal " + n1;
        cmdShowAll[0].caption = "Show all transits of natal " + n1;
        cmdShowAll[1].caption = "Show all transits by transiting " + n0;
    }
}

void FrmMain::ApplyWindowFonts() {
    SetFontNameAll("Tahoma", false, true);
    SetFontSizeAll(10);
    SetFontBoldAll(true);
    lblShortDate.font.bold = false;
    lblShortDate.foreColor = kProgressText;
    txbOutput.font = {"Courier New", 8, true};
}

void FrmMain::EnterRunningState() {
    SetEnabledAll(false, false, true, true);
    cmdStart.caption = "Stop";
    cmdStart.enabled = true;
    cmdQuit.enabled = true;
    txbOutput.enabled = true;
    // The day being scanned is read during the run, not used: it keeps its colour.
    lblShortDate.enabled = true;
    lblShortDate.visible = true;
}

void FrmMain::EnterIdleState() {
    SetEnabledAll(true, true, true, true);
    SetStartCaption();
    UpdateTimelineButton();
    writer.CloseHtmlOutput();
    lblShortDate.visible = false;
    ShowOutputControls();
}

void FrmMain::cboPlanet_Click(int index) {
    if (!blnStartUpCompleted || fillingPlanetLists) {
        return;
    }
    planetChoice[index * 2 + (IsWorld() ? 0 : 1)] = cboPlanet[index].ListIndex();
    SetStartCaption();
    FocusIfPossible(cmdStart);
}

void FrmMain::cboOrbs_Click(int) {
    if (!blnStartUpCompleted || restoringOrbs) {
        return;
    }
    CheckOrbRules();
    Label1.caption = "for first " + std::to_string(cboOrbs[0].ListIndex() + 1) + "°";
    FocusIfPossible(cmdStart);
}

void FrmMain::FocusAfterStartUp(Control& control) {
    if (blnStartUpCompleted) {
        FocusIfPossible(control);
    }
}

void FrmMain::cboSearchAspect_Click() {
    FocusAfterStartUp(cmdSearch);
}

void FrmMain::chkKeepDates_Click() {
    FocusAfterStartUp(cmdSearch);
}

void FrmMain::chkOpenOutputFile_Click() {
    FocusAfterStartUp(cmdFile);
}

void FrmMain::chkAppendToOutput_Click() {
    if (blnStartUpCompleted && cmdStart.enabled) {
        FocusIfPossible(cmdStart);
    }
}

void FrmMain::optWorld_Click() {
    if (blnStartUpCompleted) {
        ShowRunKind(true);
    }
}

void FrmMain::optPersonal_Click() {
    if (blnStartUpCompleted) {
        ShowRunKind(false);
    }
}

// The birth data, the zodiac and the second show-all button belong to personal runs.
void FrmMain::ShowRunKindControls(bool world) {
    fraZodiac.visible = !world;
    fraBirthDate.visible = !world;
    txbBirthZone.visible = !world;
    txbBirthPlace.visible = !world;
    cmdShowAll[1].visible = !world;
    lblPlanet[0].caption = world ? "Inner planet" : "Transiting planet";
    lblPlanet[1].caption = world ? "Outer planet" : "Natal planet";
}

// Each kind of run keeps its own remembered bodies.
void FrmMain::ShowRunKind(bool world) {
    ShowRunKindControls(world);
    FillPlanetLists();
    const int slot = world ? 0 : 1;
    planetChoice[slot] = cboPlanet[0].ListIndex();
    planetChoice[slot + 2] = cboPlanet[1].ListIndex();
    SetStartCaption();
}

void FrmMain::cmdClear_Click() {
    pane.Clear();
    ShowOutputControls();
}

void FrmMain::Timer1_Timer() {
    ShowOutputControls();
    if (cmdStart.caption == "Stop") {
        lblShortDate.caption = progressDateText;
    }
    CountDownQuietQuit();
}

// The controls that act on the pane's text or on the output file show when there is
// something for them to act on. "Append to output" shows exactly while the pane holds text
// and no run is going, also after a Stop, a show-all sequence or a full pane.
void FrmMain::ShowOutputControls() {
    const bool running = cmdStart.caption == "Stop";
    cmdFile.visible = (!running && !pane.Empty()) || chkOutputAsHTML.Value() != 0;
    chkOpenOutputFile.visible = cmdFile.visible;
    cmdClear.visible = !pane.Empty();
    chkAppendToOutput.visible = !running && !pane.Empty();
    UpdateExportButton();
}

void FrmMain::Form_Resize() {
    if (windowState == WindowState::Minimised) {
        return;
    }
    if (!blnStartUpCompleted) {
        geometry.height = minimumHeight;
        return;
    }
    if (windowState != WindowState::Maximised) {
        geometry.width = FittedWidth();
        const int highest = static_cast<int>(platform.ScreenSize().height * 0.95);
        geometry.height = std::min(std::max(geometry.height, minimumHeight), highest);
    }
    txbOutput.geometry.height = geometry.height - txbOutput.geometry.top - 1250;
    const int buttonTop = txbOutput.geometry.top + txbOutput.geometry.height + 150;
    for (Control* button :
         {&cmdQuit, &cmdFile, &cmdHelp, &cmdClear, &cmdSaveState, &cmdRestoreState, &cmdExport}) {
        button->geometry.top = buttonTop;
    }
    chkOpenOutputFile.geometry.top = cmdFile.geometry.top + 50;
    cmdRestoreState.geometry.left = cmdSaveState.geometry.left + cmdSaveState.geometry.width + 100;
}

// The specified width where the screen has room for it; on a narrower screen (a large
// scale factor) the screen's width, and the view lets the layout scroll.
int FrmMain::FittedWidth() {
    const int screenWidth = platform.ScreenSize().width;
    return screenWidth > 0 ? std::min(fixedWidth, screenWidth) : fixedWidth;
}

// Timezone lists.

void FrmMain::SetUpTimezoneComboBoxes(bool blnPreserveIndices) {
    const auto texts = TimezoneListTexts(chkDisplayNATZabbr.Value() != 0);
    for (int k = 0; k < 2; ++k) {
        savedTimezoneIndex[k] = blnPreserveIndices ? cboTimezone[k].ListIndex() : 0;
        cboTimezone[k].Clear();
        for (const auto& text : texts) {
            cboTimezone[k].AddItem(text);
        }
        cboTimezone[k].SetListIndex(blnStartUpCompleted ? savedTimezoneIndex[k] : -1);
    }
}

void FrmMain::chkDisplayNATZabbr_Click() {
    SetUpTimezoneComboBoxes(true);
    FocusIfPossible(cmdStart);
}

void FrmMain::cboTimezone_Click(int) {
    FocusIfPossible(cmdStart);
}

// The scan's view of the window.

MsgAnswer FrmMain::MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                          MsgButtons buttons) {
    return platform.MsgBox(text, icon, title, buttons);
}

void FrmMain::YieldToEventLoop() {
    platform.YieldToEventLoop();
}

void FrmMain::SetProgressDate(const std::string& dateText) {
    progressDateText = dateText;
}

void FrmMain::ShowShortDate(const std::string& dateText) {
    lblShortDate.caption = dateText;
}

void FrmMain::HideShortDate() {
    lblShortDate.visible = false;
}

void FrmMain::ShowDoneNotice() {
    frmPopUp.PopUp2("Done", 1200, 300, 2000, 2150, 5200);
}

void FrmMain::SetAppendToOutputVisible(bool shown) {
    chkAppendToOutput.visible = shown;
}

void FrmMain::UntickAppendToOutput() {
    chkAppendToOutput.SetValue(0);
}

void FrmMain::RestoreNormalLayout() {
    geometry.height = minimumHeight;
    Form_Resize();
}

std::string FrmMain::RunTitle() {
    RunTitleInputs in;
    in.isWorld = IsWorld();
    in.firstBodyText = cboPlanet[0].SelectedText();
    in.firstBodySelected = cboPlanet[0].ListIndex() >= 0;
    in.secondBodyText = cboPlanet[1].SelectedText();
    in.startJdn = request.startJdn;
    in.endJdn = request.endJdn;
    in.birthJdn = request.birthJdn;
    in.hourText = cboHour.SelectedText();
    in.minuteText = cboMinute.SelectedText();
    in.birthTimezoneText = BirthTimezoneText();
    in.tropical = optTropical.Value() != 0;
    in.showAllMode = request.showAllMode;
    in.precisePluto = request.precisePluto;
    return BuildRunTitle(in);
}

std::string FrmMain::ResultsTimezoneText() {
    return cboTimezone[0].SelectedText();
}

bool FrmMain::OutputAsHtml() {
    return chkOutputAsHTML.Value() != 0;
}

std::string FrmMain::OutputFilePath() {
    return outputFilePath;
}

std::string FrmMain::WindowCaption() {
    return caption;
}

std::string FrmMain::FileButtonCaption() {
    return cmdFile.caption;
}

std::array<int16_t, 3> FrmMain::SelectedOrbDegrees() {
    return {static_cast<int16_t>(cboOrbs[0].ListIndex() + 1),
            static_cast<int16_t>(cboOrbs[1].ListIndex() + 1),
            static_cast<int16_t>(cboOrbs[2].ListIndex() + 1)};
}

void FrmMain::RefreshPane() {}

Outcome FrmMain::HandToScan(bool moveStartBack) {
    writer.SetOrbDegrees(request.orbDegrees);
    if (moveStartBack) {
        scan.MoveStartBeforeTransit();
    } else {
        scan.RunTransitScan();
    }
    KeepForTimeline();
    KeepForExport(!moveStartBack);
    if (!flags.runAborted) {
        return Outcome::Done();
    }
    return writer.FailureText().empty() ? Outcome::Stopped()
                                        : Outcome::Failed(writer.FailureText());
}

}  // namespace zenthra
