#include "ui/FrmMain.h"

namespace zenthra {

namespace {

using K = ControlKind;

Control Make(ControlKind kind, const std::string& name, const std::string& caption, int left,
             int top, int width, int height) {
    return Control(kind, name, caption, Geometry{left, top, width, height});
}

std::string Indexed(const std::string& name, int index) {
    return name + "(" + std::to_string(index) + ")";
}

// The design-time layout, in twips, in three bands above the output pane: the period, the
// birth data and the results' timezone; the kind of run, the zodiac, the first-transit search
// and the orbs; the run buttons and the bodies. Below the pane, a row of buttons. Fields share
// one height, and a label beside a field is centred on it. Rules of the window place some
// controls again when it is loaded and sized.
constexpr int kMargin = 240;
constexpr int kLabelHeight = 255;
constexpr int kFieldHeight = 345;  // text boxes and lists
constexpr int kButtonHeight = 360;
constexpr int kCheckHeight = 315;  // check boxes and option buttons
constexpr int kLabelDrop = (kFieldHeight - kLabelHeight) / 2;
constexpr int kCheckDrop = (kFieldHeight - kCheckHeight) / 2;

// The period: column heads, then a row each for the start and the end date.
constexpr int kHeadRow = 60;
constexpr int kStartRow = 300;
constexpr int kEndRow = 690;
constexpr int kYearColumn = kMargin + 600;
constexpr int kMonthColumn = kYearColumn + 780;
constexpr int kDayColumn = kMonthColumn + 540;
constexpr int kDateTextColumn = kDayColumn + 570;
constexpr int kYearWidth = 720;
constexpr int kMonthDayWidth = 480;

// The birth frame, its rows level with the start and end rows.
constexpr int kBirthFrameLeft = 5100;
constexpr int kBirthFrameTop = 210;
constexpr int kBirthDateRow = kStartRow - kBirthFrameTop;
constexpr int kBirthTimeRow = kEndRow - kBirthFrameTop;
constexpr int kBirthYearColumn = 1200;
constexpr int kBirthMonthColumn = kBirthYearColumn + 780;
constexpr int kBirthDayColumn = kBirthMonthColumn + 540;
constexpr int kBirthTextColumn = kBirthDayColumn + 570;

constexpr int kTimezoneColumn = 10590;
constexpr int kTimezoneWidth = 1950;

// The second band: three frames with a caption, their rows below it, and the orbs level with
// the search frame's rows.
constexpr int kSecondBand = 1200;
constexpr int kFrameHeight = 1080;
constexpr int kFrameFirstRow = 320;
constexpr int kFrameSecondRow = 690;
constexpr int kOrbColumn = 9300;
constexpr int kOrbPitch = 1120;
constexpr int kOrbWidth = 1000;
constexpr int kOrbLabelRow = kSecondBand + kFrameFirstRow + kLabelDrop + 35;
constexpr int kOrbRow = kSecondBand + kFrameSecondRow - kCheckDrop;
// The IANA zone entries sit above the orbs, under the timezone column, in the planets' columns.
constexpr int kZoneRow = kSecondBand + 15;
// The birth place sits beside the birth frame, above the period's written-out dates.
constexpr int kPlaceColumn = kDateTextColumn + 255;
constexpr int kPlaceTop = 15;
constexpr int kPlaceWidth = kBirthFrameLeft - 60 - kPlaceColumn;
constexpr int kPlaceHeight = kStartRow + kLabelDrop - 15 - kPlaceTop;

// The third band: the run buttons, the bodies beside them.
constexpr int kStartButtonRow = kSecondBand + kFrameHeight + 60;
constexpr int kShowAllRow = kStartButtonRow + kButtonHeight + 45;
constexpr int kBelowShowAll = kShowAllRow + kButtonHeight + 40;
constexpr int kRunButtonsWidth = 8520;
constexpr int kPlanetColumn = 9300;
constexpr int kPlanetPitch = 1680;
constexpr int kPlanetWidth = 1560;

constexpr int kPaneTop = 3480;
constexpr int kPaneGap = 30;  // between the pane and the Timeline button above it
constexpr int kRightEdge = 12540;
constexpr int kButtonRow = 5200;
constexpr int kSmallButtonWidth = 900;

}  // namespace

FrmMain::FrmMain(Platform& platform, std::optional<size_t> paneCapacity, SettingsStore* store)
    : fraTypeOfTransit(Make(K::Frame, "fraTypeOfTransit", "Type of transit", kMargin, kSecondBand,
                            1560, kFrameHeight)),
      optWorld(Make(K::OptionButton, "optWorld", "World", 150, kFrameFirstRow + kCheckDrop, 1290,
                    kCheckHeight)),
      optPersonal(Make(K::OptionButton, "optPersonal", "Personal", 150, kFrameSecondRow, 1290,
                       kCheckHeight)),
      fraZodiac(
          Make(K::Frame, "fraZodiac", "Zodiac", kMargin + 1680, kSecondBand, 1560, kFrameHeight)),
      optTropical(Make(K::OptionButton, "optTropical", "Tropical", 150, kFrameFirstRow + kCheckDrop,
                       1290, kCheckHeight)),
      optSidereal(Make(K::OptionButton, "optSidereal", "Sidereal", 150, kFrameSecondRow, 1290,
                       kCheckHeight)),
      lblYear(Make(K::Label, "lblYear", "Year", kYearColumn, kHeadRow, kYearWidth, kLabelHeight)),
      lblMonthDay(Make(K::Label, "lblMonthDay", "Month Day", kMonthColumn, kHeadRow,
                       kDayColumn + kMonthDayWidth - kMonthColumn, kLabelHeight)),
      lblStartEnd{Make(K::Label, Indexed("lblStartEnd", 0), "Start", kMargin,
                       kStartRow + kLabelDrop, 560, kLabelHeight),
                  Make(K::Label, Indexed("lblStartEnd", 1), "End", kMargin, kEndRow + kLabelDrop,
                       560, kLabelHeight),
                  Make(K::Label, Indexed("lblStartEnd", 2), "Birth date", 150,
                       kBirthDateRow + kLabelDrop, 1020, kLabelHeight),
                  Make(K::Label, Indexed("lblStartEnd", 3), "Birth time", 150,
                       kBirthTimeRow + kLabelDrop, 1020, kLabelHeight)},
      txbYear{Make(K::TextBox, Indexed("txbYear", 0), "", kYearColumn, kStartRow, kYearWidth,
                   kFieldHeight),
              Make(K::TextBox, Indexed("txbYear", 1), "", kYearColumn, kEndRow, kYearWidth,
                   kFieldHeight),
              Make(K::TextBox, Indexed("txbYear", 2), "", kBirthYearColumn, kBirthDateRow,
                   kYearWidth, kFieldHeight)},
      txbMonth{Make(K::TextBox, Indexed("txbMonth", 0), "", kMonthColumn, kStartRow, kMonthDayWidth,
                    kFieldHeight),
               Make(K::TextBox, Indexed("txbMonth", 1), "", kMonthColumn, kEndRow, kMonthDayWidth,
                    kFieldHeight),
               Make(K::TextBox, Indexed("txbMonth", 2), "", kBirthMonthColumn, kBirthDateRow,
                    kMonthDayWidth, kFieldHeight)},
      txbDay{Make(K::TextBox, Indexed("txbDay", 0), "", kDayColumn, kStartRow, kMonthDayWidth,
                  kFieldHeight),
             Make(K::TextBox, Indexed("txbDay", 1), "", kDayColumn, kEndRow, kMonthDayWidth,
                  kFieldHeight),
             Make(K::TextBox, Indexed("txbDay", 2), "", kBirthDayColumn, kBirthDateRow,
                  kMonthDayWidth, kFieldHeight)},
      lblDate{Make(K::Label, Indexed("lblDate", 0), "", kDateTextColumn, kStartRow + kLabelDrop,
                   2250, kLabelHeight),
              Make(K::Label, Indexed("lblDate", 1), "", kDateTextColumn, kEndRow + kLabelDrop, 2250,
                   kLabelHeight),
              Make(K::Label, Indexed("lblDate", 2), "", kBirthTextColumn,
                   kBirthDateRow + kLabelDrop, 2100, kLabelHeight)},
      fraBirthDate(Make(K::Frame, "fraBirthDate", "", kBirthFrameLeft, kBirthFrameTop,
                        kBirthTextColumn + 2100 + 150, kBirthTimeRow + kFieldHeight + 90)),
      cboHour(Make(K::ComboBox, "cboHour", "", kBirthYearColumn, kBirthTimeRow, kYearWidth,
                   kFieldHeight)),
      cboMinute(Make(K::ComboBox, "cboMinute", "", kBirthMonthColumn, kBirthTimeRow,
                     kBirthDayColumn + kMonthDayWidth - kBirthMonthColumn, kFieldHeight)),
      lblTimezone(Make(K::Label, "lblTimezone", "Timezone", kTimezoneColumn, kHeadRow,
                       kTimezoneWidth, kLabelHeight)),
      cboTimezone{Make(K::ComboBox, Indexed("cboTimezone", 0), "", kTimezoneColumn, kStartRow,
                       kTimezoneWidth, kFieldHeight),
                  Make(K::ComboBox, Indexed("cboTimezone", 1), "", kBirthTextColumn, kBirthTimeRow,
                       2100, kFieldHeight)},
      chkDisplayNATZabbr(Make(K::CheckBox, "chkDisplayNATZabbr", "N. Amer. TZ abbr.",
                              kTimezoneColumn, kEndRow + kCheckDrop, kTimezoneWidth, kCheckHeight)),
      txbBirthZone(Make(K::TextBox, "txbBirthZone", "Birth zone, e.g. Europe/Berlin", kPlanetColumn,
                        kZoneRow, kPlanetWidth, kFieldHeight)),
      txbResultZone(Make(K::TextBox, "txbResultZone", "Results zone, e.g. Asia/Tokyo",
                         kPlanetColumn + kPlanetPitch, kZoneRow, kPlanetWidth, kFieldHeight)),
      txbBirthPlace(Make(K::TextBox, "txbBirthPlace", "Birth place, e.g. Rome", kPlaceColumn,
                         kPlaceTop, kPlaceWidth, kPlaceHeight)),
      lblPlanet{
          Make(K::Label, Indexed("lblPlanet", 0), "Transiting planet", kPlanetColumn,
               kStartButtonRow + 105, kPlanetWidth, kLabelHeight),
          Make(K::Label, Indexed("lblPlanet", 1), "Natal planet", kPlanetColumn + kPlanetPitch,
               kStartButtonRow + 105, kPlanetWidth, kLabelHeight)},
      cboPlanet{Make(K::ComboBox, Indexed("cboPlanet", 0), "", kPlanetColumn, kShowAllRow + 7,
                     kPlanetWidth, kFieldHeight),
                Make(K::ComboBox, Indexed("cboPlanet", 1), "", kPlanetColumn + kPlanetPitch,
                     kShowAllRow + 7, kPlanetWidth, kFieldHeight)},
      lblOrbs{Make(K::Label, Indexed("lblOrbs", 0), "Outer orb", kOrbColumn, kOrbLabelRow,
                   kOrbWidth, kLabelHeight),
              Make(K::Label, Indexed("lblOrbs", 1), "Middle orb", kOrbColumn + kOrbPitch,
                   kOrbLabelRow, kOrbWidth, kLabelHeight),
              Make(K::Label, Indexed("lblOrbs", 2), "Inner orb", kOrbColumn + 2 * kOrbPitch,
                   kOrbLabelRow, kOrbWidth, kLabelHeight)},
      cboOrbs{Make(K::ComboBox, Indexed("cboOrbs", 0), "", kOrbColumn, kOrbRow, kOrbWidth,
                   kFieldHeight),
              Make(K::ComboBox, Indexed("cboOrbs", 1), "", kOrbColumn + kOrbPitch, kOrbRow,
                   kOrbWidth, kFieldHeight),
              Make(K::ComboBox, Indexed("cboOrbs", 2), "", kOrbColumn + 2 * kOrbPitch, kOrbRow,
                   kOrbWidth, kFieldHeight)},
      cmdStart(Make(K::Button, "cmdStart",
                    "Show all transits from start to end date for selected planets", kMargin,
                    kStartButtonRow, kRunButtonsWidth, kButtonHeight)),
      cmdShowAll{
          Make(K::Button, Indexed("cmdShowAll", 0), "", kMargin, kShowAllRow, 4800, kButtonHeight),
          Make(K::Button, Indexed("cmdShowAll", 1), "", kMargin + 4920, kShowAllRow,
               kRunButtonsWidth - 4920, kButtonHeight)},
      lblShortDate(Make(K::Label, "lblShortDate", "", kMargin + kRunButtonsWidth - 1800,
                        kBelowShowAll, 1800, kLabelHeight)),
      fraSearch(
          Make(K::Frame, "fraSearch", "First transit", 3775, kSecondBand, 5370, kFrameHeight)),
      Label1(Make(K::Label, "Label1", "for first 10°", 150, kFrameFirstRow + kLabelDrop, 1050,
                  kLabelHeight)),
      cboSearchAspect(
          Make(K::ComboBox, "cboSearchAspect", "", 1230, kFrameFirstRow, 1440, kFieldHeight)),
      Label2(Make(K::Label, "Label2", "after end date", 2760, kFrameFirstRow + kLabelDrop, 1320,
                  kLabelHeight)),
      cmdSearch(Make(K::Button, "cmdSearch", "Search", 4140,
                     kFrameFirstRow - (kButtonHeight - kFieldHeight) / 2, 1080, kButtonHeight)),
      chkKeepDates(Make(K::CheckBox, "chkKeepDates", "Keep start/end dates", 150, kFrameSecondRow,
                        2160, kCheckHeight)),
      chkAppendToOutput(Make(K::CheckBox, "chkAppendToOutput", "Append to output", 2350,
                             kFrameSecondRow, 2820, kCheckHeight)),
      txbStopDate(Make(K::TextBox, "txbStopDate", "", 4050, kFrameSecondRow, 600, kFieldHeight)),
      chkOutputAsHTML(Make(K::CheckBox, "chkOutputAsHTML", "Output as HTML", kMargin,
                           kBelowShowAll - 10, 1950, kCheckHeight)),
      cmdFile(Make(K::Button, "cmdFile", "Write output to file", 5135, kButtonRow, 1950,
                   kButtonHeight)),
      chkOpenOutputFile(Make(K::CheckBox, "chkOpenOutputFile", "Open output file", 7185,
                             kButtonRow + 50, 1800, kCheckHeight)),
      chkPrecisePluto(Make(K::CheckBox, "chkPrecisePluto", "Precise Pluto", kMargin + 2050,
                           kBelowShowAll - 10, 1650, kCheckHeight)),
      chkEvents(Make(K::CheckBox, "chkEvents", "Stations and ingresses", kMargin + 3800,
                     kBelowShowAll - 10, 2500, kCheckHeight)),
      cmdShowAllTransits(Make(K::Button, "cmdShowAllTransits",
                              "Show all transits from start to end date for all planets",
                              kPlanetColumn, kBelowShowAll, kRightEdge - kPlanetColumn,
                              kButtonHeight)),
      lblAllTransitsDateFormat(Make(K::Label, "lblAllTransitsDateFormat",
                                    "All planets date format:", kMargin, kPaneTop, 2300,
                                    kLabelHeight)),
      txbAllTransitsDateFormat(Make(K::TextBox, "txbAllTransitsDateFormat", "", kMargin + 2400,
                                    kPaneTop, 600, kFieldHeight)),
      cmdTimeline(Make(K::Button, "cmdTimeline", "Timeline", kPlanetColumn + kPlanetPitch,
                       kBelowShowAll, kPlanetWidth, kPaneTop - kPaneGap - kBelowShowAll)),
      txbOutput(Make(K::TextBox, "txbOutput", "", kMargin, kPaneTop, kRightEdge - kMargin, 300)),
      cmdClear(Make(K::Button, "cmdClear", "Clear", kRightEdge - 3 * kSmallButtonWidth - 200,
                    kButtonRow, kSmallButtonWidth, kButtonHeight)),
      cmdHelp(Make(K::Button, "cmdHelp", "Help", kRightEdge - 2 * kSmallButtonWidth - 100,
                   kButtonRow, kSmallButtonWidth, kButtonHeight)),
      cmdSaveState(
          Make(K::Button, "cmdSaveState", "Save state", kMargin, kButtonRow, 1350, kButtonHeight)),
      cmdRestoreState(Make(K::Button, "cmdRestoreState", "Restore state", kMargin + 1450,
                           kButtonRow, 1500, kButtonHeight)),
      cmdQuit(Make(K::Button, "cmdQuit", "Quit", kRightEdge - kSmallButtonWidth, kButtonRow,
                   kSmallButtonWidth, kButtonHeight)),
      cmdVHsoftware(Make(K::Button, "cmdVHsoftware", "Software", kMargin + 3050, kButtonRow, 1200,
                         kButtonHeight)),
      // Where the hidden Software button sits, between Restore state and the file button.
      cmdExport(Make(K::Button, "cmdExport", "Export\u2026", kMargin + 3050, kButtonRow, 1200,
                     kButtonHeight)),
      frmView(platform),
      frmPopUp(platform, geometry),
      platform(platform),
      pane(paneCapacity),
      writer(pane, table, flags, *this, *this),
      scan(request, table, flags, *this, writer),
      registry(store != nullptr ? *store : noStore, platform) {
    geometry = {0, 0, kRightEdge + 380, minimumHeight};
    txbOutput.locked = true;
    UpdateTimelineButton();
    UpdateExportButton();
    txbAllTransitsDateFormat.text = "1";  // day.month.year
    PlaceAll();
    BindHandlers();
    // Shown by the timer once there is something to write, to clear or to append to.
    for (Control* shownLater : {&cmdFile, &chkOpenOutputFile, &cmdClear, &chkAppendToOutput}) {
        shownLater->visible = false;
    }
    // Text boxes and lists on a white ground.
    for (const Placed& placed : controls) {
        if (placed.control->kind == K::TextBox || placed.control->kind == K::ComboBox) {
            placed.control->backColor = {255, 255, 255};
        }
    }
}

FrmMain::~FrmMain() = default;

void FrmMain::Place(Control& control, Control* frame) {
    controls.push_back({&control, frame});
}

void FrmMain::PlaceAll() {
    Place(fraTypeOfTransit);
    Place(optWorld, &fraTypeOfTransit);
    Place(optPersonal, &fraTypeOfTransit);
    Place(fraZodiac);
    Place(optTropical, &fraZodiac);
    Place(optSidereal, &fraZodiac);
    Place(lblYear);
    Place(lblMonthDay);
    Place(lblStartEnd[0]);
    Place(lblStartEnd[1]);
    for (int g = 0; g < 2; ++g) {
        Place(txbYear[g]);
        Place(txbMonth[g]);
        Place(txbDay[g]);
        Place(lblDate[g]);
    }
    Place(fraBirthDate);
    Place(lblStartEnd[2], &fraBirthDate);
    Place(lblStartEnd[3], &fraBirthDate);
    Place(txbYear[2], &fraBirthDate);
    Place(txbMonth[2], &fraBirthDate);
    Place(txbDay[2], &fraBirthDate);
    Place(lblDate[2], &fraBirthDate);
    Place(cboHour, &fraBirthDate);
    Place(cboMinute, &fraBirthDate);
    Place(cboTimezone[1], &fraBirthDate);
    Place(lblTimezone);
    Place(cboTimezone[0]);
    Place(chkDisplayNATZabbr);
    Place(txbBirthZone);
    Place(txbResultZone);
    Place(txbBirthPlace);
    for (int i = 0; i < 2; ++i) {
        Place(lblPlanet[i]);
        Place(cboPlanet[i]);
    }
    for (int i = 0; i < 3; ++i) {
        Place(lblOrbs[i]);
        Place(cboOrbs[i]);
    }
    Place(cmdStart);
    Place(cmdShowAll[0]);
    Place(cmdShowAll[1]);
    Place(lblShortDate);
    Place(fraSearch);
    for (Control* c : {&Label1, &cboSearchAspect, &Label2, &cmdSearch, &chkKeepDates,
                       &chkAppendToOutput, &txbStopDate}) {
        Place(*c, &fraSearch);
    }
    for (Control* c :
         {&chkOutputAsHTML, &chkPrecisePluto, &chkEvents, &cmdFile, &chkOpenOutputFile,
          &cmdShowAllTransits, &lblAllTransitsDateFormat, &txbAllTransitsDateFormat, &txbOutput,
          &cmdClear, &cmdHelp, &cmdSaveState, &cmdRestoreState, &cmdQuit, &cmdVHsoftware}) {
        Place(*c);
    }
    Place(cmdExport);
    Place(cmdTimeline);
}

void FrmMain::BindHandlers() {
    optWorld.click = [this] { optWorld_Click(); };
    optPersonal.click = [this] { optPersonal_Click(); };
    BindOptionPair(optWorld, optPersonal);
    BindOptionPair(optTropical, optSidereal);
    for (int g = 0; g < 3; ++g) {
        BindDateField(
            txbYear[g], [this, g] { txbYear_LostFocus(g); },
            [this, g](int key, int shift) { txbYear_KeyDown(g, key, shift); },
            [this, g](int key, int shift) { txbYear_KeyUp(g, key, shift); });
        BindDateField(
            txbMonth[g], [this, g] { txbMonth_LostFocus(g); },
            [this, g](int key, int shift) { txbMonth_KeyDown(g, key, shift); },
            [this, g](int key, int shift) { txbMonth_KeyUp(g, key, shift); });
        BindDateField(
            txbDay[g], [this, g] { txbDay_LostFocus(g); },
            [this, g](int key, int shift) { txbDay_KeyDown(g, key, shift); },
            [this, g](int key, int shift) { txbDay_KeyUp(g, key, shift); });
    }
    txbStopDate.lostFocus = [this] { txbStopDate_LostFocus(); };
    for (int i = 0; i < 2; ++i) {
        cboPlanet[i].click = [this, i] { cboPlanet_Click(i); };
        cboTimezone[i].click = [this, i] { cboTimezone_Click(i); };
        cmdShowAll[i].click = [this, i] { cmdShowAll_Click(i); };
    }
    for (int i = 0; i < 3; ++i) {
        cboOrbs[i].click = [this, i] { cboOrbs_Click(i); };
    }
    chkDisplayNATZabbr.click = [this] { chkDisplayNATZabbr_Click(); };
    for (Control* entry : {&txbBirthZone, &txbResultZone}) {
        entry->change = [this, entry] { ZoneEntry_Change(*entry); };
        entry->click = [this, entry] { ZoneEntry_Click(*entry); };
    }
    cboSearchAspect.click = [this] { cboSearchAspect_Click(); };
    chkKeepDates.click = [this] { chkKeepDates_Click(); };
    chkOpenOutputFile.click = [this] { chkOpenOutputFile_Click(); };
    chkAppendToOutput.click = [this] { chkAppendToOutput_Click(); };
    cboHour.click = [this] { cboHour_Click(); };
    cboMinute.click = [this] { cboMinute_Click(); };
    txbBirthPlace.change = [this] { txbBirthPlace_Change(); };
    txbBirthPlace.click = [this] { txbBirthPlace_Click(); };
    txbBirthPlace.keyDown = [this](int key, int shift) { txbBirthPlace_KeyDown(key, shift); };
    cmdStart.click = [this] { cmdStart_Click(); };
    cmdSearch.click = [this] { cmdSearch_Click(); };
    cmdFile.click = [this] { cmdFile_Click(); };
    cmdClear.click = [this] { cmdClear_Click(); };
    cmdShowAllTransits.click = [this] { cmdShowAllTransits_Click(); };
    cmdTimeline.click = [this] { cmdTimeline_Click(); };
    cmdHelp.click = [this] { cmdHelp_Click(); };
    cmdSaveState.click = [this] { cmdSaveState_Click(); };
    cmdRestoreState.click = [this] { cmdRestoreState_Click(); };
    cmdExport.click = [this] { cmdExport_Click(); };
    cmdQuit.click = [this] { cmdQuit_Click(); };
}

void FrmMain::BindOptionPair(Control& first, Control& second) {
    first.choose = [this, &first, &second] { ChooseOption(first, second); };
    second.choose = [this, &first, &second] { ChooseOption(second, first); };
}

void FrmMain::BindDateField(Control& field, std::function<void()> lostFocus,
                            std::function<void(int, int)> keyDown,
                            std::function<void(int, int)> keyUp) {
    field.lostFocus = std::move(lostFocus);
    field.keyDown = std::move(keyDown);
    field.keyUp = std::move(keyUp);
}

void FrmMain::ChooseOption(Control& chosen, Control& other) {
    other.SetValue(0);
    chosen.SetValue(1);
}

}  // namespace zenthra
