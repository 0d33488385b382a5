// The main window as a model: every control a property record, every handler a method. The
// view renders the controls and forwards user events to the handlers; nothing here knows a
// toolkit.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "alltransits/AllTransits.h"
#include "atlas/Atlas.h"
#include "engine/FirstTransitSearch.h"
#include "engine/TransitRequest.h"
#include "engine/TransitScan.h"
#include "engine/TransitTable.h"
#include "export/ExportedRuns.h"
#include "report/OutputPane.h"
#include "report/ReportWriter.h"
#include "timeline/TimelineSource.h"
#include "ui/Controls.h"
#include "ui/FrmPopUp.h"
#include "ui/FrmView.h"
#include "ui/Outcome.h"
#include "ui/Platform.h"
#include "ui/Registry.h"
#include "ui/SettingsStore.h"

namespace zenthra {

struct AllTransitsRequest;

class FrmMain : public ScanWindow, public ReportWindow {
  public:
    // The console front end passes a pane without a capacity. Without a store the window
    // has no saved state: a restore finds nothing and a save keeps nothing.
    explicit FrmMain(Platform& platform,
                     std::optional<size_t> paneCapacity = OutputPane::kWindowCapacity,
                     SettingsStore* store = nullptr);
    ~FrmMain() override;

    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // The window itself.
    std::string caption = "Zenthra 2.38";
    Geometry geometry;
    WindowState windowState = WindowState::Normal;
    bool visible = false;
    Rgb backColor{240, 240, 240};

    // Controls, in the order the view creates them.
    Control fraTypeOfTransit, optWorld, optPersonal;
    Control fraZodiac, optTropical, optSidereal;
    Control lblYear, lblMonthDay;
    std::array<Control, 4> lblStartEnd;  // Start, End, Birth date, Birth time
    std::array<Control, 3> txbYear, txbMonth, txbDay, lblDate;
    Control fraBirthDate, cboHour, cboMinute;
    Control lblTimezone;
    std::array<Control, 2> cboTimezone;
    Control chkDisplayNATZabbr;
    // IANA zone names for the birth time and the results; empty: the lists' offsets apply.
    Control txbBirthZone, txbResultZone;
    // The birth place from the atlas: its completions in `list`, its coordinates in the tip.
    Control txbBirthPlace;
    std::array<Control, 2> lblPlanet, cboPlanet;
    std::array<Control, 3> lblOrbs, cboOrbs;
    Control cmdStart;
    std::array<Control, 2> cmdShowAll;
    Control lblShortDate;
    Control fraSearch, Label1, cboSearchAspect, Label2, cmdSearch, chkKeepDates, chkAppendToOutput,
        txbStopDate;
    Control chkOutputAsHTML, cmdFile, chkOpenOutputFile;
    // Pluto from the ephemeris; the bodies' stations and sign ingresses after each run's table.
    Control chkPrecisePluto, chkEvents;
    Control cmdShowAllTransits, lblAllTransitsDateFormat, txbAllTransitsDateFormat;
    Control cmdTimeline;
    Control txbOutput;
    Control cmdClear, cmdHelp, cmdSaveState, cmdRestoreState, cmdQuit, cmdVHsoftware;
    Control cmdExport;

    // Every control, with the frame it sits in (geometry is relative to the frame).
    struct Placed {
        Control* control;
        Control* frame;
    };
    const std::vector<Placed>& AllControls() const { return controls; }

    // The controls that take the keyboard focus, in reading order: row by row from the top,
    // left to right within a row, the output pane last.
    std::vector<Control*> TabOrder() const;

    // The output pane's text (txbOutput).
    const OutputPane& Pane() const { return pane; }
    void SetPaneText(std::string text) { pane.SetText(std::move(text)); }
    void OnPaneAppend(std::function<void(std::string_view)> observer) {
        pane.onAppend = std::move(observer);
    }

    // The transits the last run found, as values.
    const TransitRun& LastRunTransits() const { return scan.Transits(); }

    // The control that has the keyboard focus, or null.
    Control* focus = nullptr;

    // Window state.
    bool blnStartUpCompleted = false;
    bool fillingPlanetLists = false;
    std::array<int, 4> planetChoice{-1, -1, -1, -1};
    int fixedWidth = 0;
    int minimumHeight = 6250;
    int runHeight = 8000;
    bool validateOnly = false;
    bool validationPassed = false;
    std::string stopDateText;
    std::string outputFilePath;
    std::array<int, 2> savedTimezoneIndex{0, 0};
    // The birth time's IANA zone as last checked, and the instant of birth (seconds) in it.
    std::optional<Zone> birthZone;
    int64_t birthInstant = 0;
    std::string progressDateText;

    // The run shared with the engine.
    TransitRequest request;
    TransitTable table;
    RunFlags flags;

    // Set-up and layout.
    void Form_Load();
    void Form_Resize();
    void Timer1_Timer();
    void ApplyStartupDefaults();
    void FillChoiceLists();
    void FillPlanetLists();
    void SetStartCaption();
    void ApplyWindowFonts();
    void EnterRunningState() override;
    void EnterIdleState() override;

    // Window-wide operations.
    void SetFontBoldAll(bool bold);
    void SetFontSizeAll(int points);
    void SetFontNameAll(const std::string& name, bool textBoxes, bool buttons);
    void SetEnabledAll(bool enabled, bool frames, bool textBoxes, bool labels);
    void SetForeColorAll(Rgb color);
    void SetBackColorAll(Rgb color);
    bool FocusIfPossible(Control& control);

    // Chooses an option button of a pair, as a click on it does.
    void ChooseOption(Control& chosen, Control& other);

    // Handlers of the window's controls.
    void cboPlanet_Click(int index);
    void cboOrbs_Click(int index);
    void cboSearchAspect_Click();
    void chkKeepDates_Click();
    void chkOpenOutputFile_Click();
    void chkAppendToOutput_Click();
    void optWorld_Click();
    void optPersonal_Click();
    void cmdClear_Click();

    // The birth place (FrmMainPlace.cpp): each edit offers the atlas's matches as completions;
    // choosing one, or Enter, takes the place, sets the birth zone to its IANA zone and shows
    // its coordinates in the field's tip. None while no place was chosen.
    std::optional<zenthra::Place> birthPlace;
    void txbBirthPlace_Change();
    void txbBirthPlace_Click();
    void txbBirthPlace_KeyDown(int keyCode, int shift);
    void ChooseBirthPlace(const zenthra::Place& place);
    void ForgetBirthPlace();

    // Timezone lists.
    void SetUpTimezoneComboBoxes(bool blnPreserveIndices);
    void chkDisplayNATZabbr_Click();
    void cboTimezone_Click(int index);

    // A run: its checks, the show-all sequences and the date fields.
    Outcome cmdStart_Click();
    Outcome cmdShowAll_Click(int index);
    bool CheckDateFieldsFilled(int group);
    bool CheckRunDate(int group);
    bool CheckDateLimits(int group);
    bool CheckBirthData(bool skipStartRule);
    bool CheckOrbRules();
    bool EnsurePlutoTable();
    bool CheckBodyRange(int group);
    void RefreshDateLabel(int group);
    void ComputeNatalLongitude();
    void txbYear_LostFocus(int group);
    void txbMonth_LostFocus(int group);
    void txbDay_LostFocus(int group);
    void txbYear_KeyDown(int group, int keyCode, int shift);
    void txbMonth_KeyDown(int group, int keyCode, int shift);
    void txbDay_KeyDown(int group, int keyCode, int shift);
    void txbYear_KeyUp(int group, int keyCode, int shift);
    void txbMonth_KeyUp(int group, int keyCode, int shift);
    void txbDay_KeyUp(int group, int keyCode, int shift);
    void txbStopDate_LostFocus();
    void cboHour_Click();
    void cboMinute_Click();

    // The first-transit search.
    Outcome cmdSearch_Click();
    std::string RangeErrorText(RangeFault fault, BodyCode firstBody, BodyCode secondBody) const;
    bool DeriveSearchOrbs();
    Outcome ReportNoCompleteTransit(const std::string& errorText, AspectCode aspect, int32_t day);

    // The all-transits mode (FrmMainAllTransits.cpp): its button, hidden at set-up.
    Outcome cmdShowAllTransits_Click();

    // The timeline (FrmMainTimeline.cpp): its button is enabled while the last run or show-all
    // sequence has transits to show.
    Outcome cmdTimeline_Click();
    TimelineSource TimelineOfLastRun() const;
    // One orb (1, 3 or 5) of the last all-transits computation; empty when it has none.
    std::optional<TimelineSource> TimelineOfAllTransits(int orbDegrees) const;

    // Exports (FrmMainExport.cpp): the tables of the last run, show-all sequence or search.
    void cmdExport_Click();
    const ExportedRuns& LastExport() const { return exportRuns; }
    // The last all-transits computation's transits per orb, as the timeline keeps them.
    ExportedAllTransits LastAllTransitsExport() const {
        ExportedAllTransits all{allTransitsKept.firstDay,
                                allTransitsKept.lastDay,
                                ExportBirth(),
                                allTransitsKept.zone,
                                {}};
        for (const auto& [orb, transits] : allTransitsKept.transits) {
            all.orbs.push_back({static_cast<int16_t>(orb), transits});
        }
        return all;
    }

    // Output to a file.
    void cmdFile_Click();
    std::string WriteTextFile(const std::string& text, const std::string& path);
    bool OpenWithAssociatedProgram(const std::string& path, bool showErrors);

    // ScanWindow
    MsgAnswer MsgBox(const std::string& text, MsgIcon icon, const std::string& title,
                     MsgButtons buttons = MsgButtons::Ok) override;
    void YieldToEventLoop() override;
    void SetProgressDate(const std::string& dateText) override;
    void ShowShortDate(const std::string& dateText) override;
    void HideShortDate() override;
    void ShowDoneNotice() override;
    void SetAppendToOutputVisible(bool visible) override;
    void UntickAppendToOutput() override;
    void RestoreNormalLayout() override;
    std::string RunTitle() override;
    std::string ResultsTimezoneText() override;

    // ReportWindow
    bool OutputAsHtml() override;
    std::string OutputFilePath() override;
    std::string WindowCaption() override;
    std::string FileButtonCaption() override;
    std::array<int16_t, 3> SelectedOrbDegrees() override;
    void RefreshPane() override;

    // The Pluto table is needed by a run of these bodies.
    static bool NeedsPluto(const TransitRequest& request);
    PlutoSource ChosenPlutoSource() const;

    // Saved state, quitting, help and notices (FrmMainState.cpp).
    bool stateJustSaved = false;  // while set, Quit ends the program without asking
    int16_t stateTicks = 0;       // timer ticks since the last save or restore
    FrmView frmView;
    FrmPopUp frmPopUp;
    void cmdSaveState_Click();
    void cmdRestoreState_Click();
    void cmdQuit_Click();
    // The window is being closed other than by Quit; `cancel` set keeps it open.
    void Form_Unload(bool& cancel);
    void cmdHelp_Click();
    // A key pressed anywhere in the window, before its control sees it.
    void Form_KeyDown(int keyCode, int shift);

  private:
    void Place(Control& control, Control* frame = nullptr);
    void PlaceAll();
    void BindHandlers();
    void BindOptionPair(Control& first, Control& second);
    void BindDateField(Control& field, std::function<void()> lostFocus,
                       std::function<void(int, int)> keyDown, std::function<void(int, int)> keyUp);
    bool IsWorld() const { return optWorld.Value() != 0; }
    std::string StartCaptionTitle() const { return cmdStart.caption; }
    void ReadBodies();
    Outcome RunShowAllSequence(Control& list, bool world);

    // What the timeline shows (FrmMainTimeline.cpp).
    struct KeptAllTransits {
        int32_t firstDay = 0;
        int32_t lastDay = 0;
        ReportZone zone;
        std::string timezoneText;
        std::map<int, std::vector<AllTransitsTransit>> transits;  // by orb
    };
    void KeepForTimeline();
    void UpdateTimelineButton();
    void KeepAllTransitsPeriod(const AllTransitsRequest& all);
    AllTransitsOptions KeepAllTransits(int16_t orbDegrees);
    TimelineSource timeline;
    bool timelineSequenceStart = false;
    KeptAllTransits allTransitsKept;

    // A run's table joins the export of its command (FrmMainExport.cpp).
    void KeepForExport(bool search);
    void UpdateExportButton();
    BirthSettings ExportBirth() const;
    ExportedRuns exportRuns;
    void WriteDateFields(int group, int32_t jdn);

    void FocusAfterStartUp(Control& control);
    void ShowOutputControls();
    int FittedWidth();
    void ShowRunKind(bool world);
    void ShowRunKindControls(bool world);

    // Hands the request to the scan: through the start-date back-off for a run of the Start
    // button, directly for the search's period.
    Outcome HandToScan(bool moveStartBack);

    // The checks of a run and the request they build (FrmMainRun.cpp).
    bool CheckRunInputs();
    bool CheckFieldsPresent(int group);
    bool CheckPeriodLength();
    bool CheckResultsTimezone();
    bool CheckWorldPair();
    bool CheckNatalRange();
    // The longitudes' sources over the instants a run or a report needs: the data files, then
    // each body's range, refused with a message when they fall short.
    bool CheckEphemerisData(double first, double last);
    bool CheckBodiesAt(double instant, const std::string& dateName,
                       const std::vector<BodyCode>& bodies);
    double RangeInstant(int group);
    bool CheckAllTransitsSources(const AllTransitsRequest& all);
    // Shows the failure's box and returns it as the outcome.
    Outcome Fail(const std::string& text, const std::string& title);
    void ReadOrbs();
    void SetZodiac();
    void SizeWindowForFirstOutput();
    bool ConvertDateGroup(int group);
    int32_t& GroupJdn(int group);
    std::array<Control*, 3> DateFields(int group);
    bool RefuseRun(const std::string& text, MsgIcon icon);
    bool RefuseRun(const std::string& text, MsgIcon icon, const std::string& title);
    void NoteEnterPressed(Control& field, int keyCode);
    void StartOnEnter(Control& field, int keyCode);
    Control* enterPressedIn = nullptr;  // the field that Enter was last pressed in

    // IANA zones named in place of the timezone lists (FrmMainZones.cpp).
    static std::string ZoneEntryName(const Control& entry);
    void ZoneEntry_Change(Control& entry);
    void ZoneEntry_Click(Control& entry);
    bool FindZoneOrRefuse(const Control& entry, const std::string& role, const std::string& title,
                          std::optional<Zone>& zone);
    bool CheckBirthZone();
    int BirthMinutes() const;
    std::string BirthTimezoneText() const;

    // Saved state and quitting (FrmMainState.cpp).
    std::array<int32_t, 2> RestoreDatesAndBodies();
    void RestoreKindOfRun(const std::array<int32_t, 2>& bodies);
    void SaveValue(const std::string& subKey, const std::string& name, const std::string& value);
    std::string RestoredText(const std::string& subKey, const std::string& name,
                             const std::string& defaultValue);
    int32_t RestoredNumber(const std::string& subKey, const std::string& name,
                           const std::string& defaultValue);
    void MarkStateJustSaved();
    void SaveBirthPlace(const std::string& key);
    void RestoreBirthPlace(const std::string& key);
    // The places behind the birth place's completions.
    std::vector<zenthra::Place> birthPlaceMatches;
    bool restoringOrbs = false;  // the orb lists' click handlers wait
    void CountDownQuietQuit();
    bool QuitUnlessCancelled();
    void EndProgram();

    Platform& platform;
    OutputPane pane;
    ReportWriter writer;
    TransitScan scan;
    std::vector<Placed> controls;
    NoSettingsStore noStore;
    Registry registry;
};

}  // namespace zenthra
