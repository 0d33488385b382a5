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

// The design-time layout, in twips: a top band of inputs (kind of run, dates, birth data,
// timezone, bodies, orbs), the run buttons, the search frame, the pane, a row of buttons.
constexpr int kFieldHeight = 330;
constexpr int kLabelHeight = 270;
constexpr int kListHeight = 330;
constexpr int kStartRow = 330;
constexpr int kEndRow = 720;
constexpr int kDateColumn = 2600;
constexpr int kRightColumn = 7300;
constexpr int kButtonRow = 5200;

}  // namespace

FrmMain::FrmMain(Platform& platform, std::optional<size_t> paneCapacity, SettingsStore* store)
    : fraTypeOfTransit(Make(K::Frame, "fraTypeOfTransit", "Type of transit", 120, 60, 1650, 900)),
      optWorld(Make(K::OptionButton, "optWorld", "World", 150, 250, 1350, 270)),
      optPersonal(Make(K::OptionButton, "optPersonal", "Personal", 150, 560, 1350, 270)),
      fraZodiac(Make(K::Frame, "fraZodiac", "Zodiac", 120, 1050, 1650, 900)),
      optTropical(Make(K::OptionButton, "optTropical", "Tropical", 150, 250, 1350, 270)),
      optSidereal(Make(K::OptionButton, "optSidereal", "Sidereal", 150, 560, 1350, 270)),
      lblYear(Make(K::Label, "lblYear", "Year", kDateColumn, 60, 800, kLabelHeight)),
      lblMonthDay(
          Make(K::Label, "lblMonthDay", "Month Day", kDateColumn + 850, 60, 1150, kLabelHeight)),
      lblStartEnd{
          Make(K::Label, Indexed("lblStartEnd", 0), "Start", 1950, kStartRow + 30, 600,
               kLabelHeight),
          Make(K::Label, Indexed("lblStartEnd", 1), "End", 1950, kEndRow + 30, 600, kLabelHeight),
          Make(K::Label, Indexed("lblStartEnd", 2), "Birth date", 120, 270, 1150, kLabelHeight),
          Make(K::Label, Indexed("lblStartEnd", 3), "Birth time", 120, 640, 1150, kLabelHeight)},
      txbYear{
          Make(K::TextBox, Indexed("txbYear", 0), "", kDateColumn, kStartRow, 780, kFieldHeight),
          Make(K::TextBox, Indexed("txbYear", 1), "", kDateColumn, kEndRow, 780, kFieldHeight),
          Make(K::TextBox, Indexed("txbYear", 2), "", 1300, 240, 780, kFieldHeight)},
      txbMonth{Make(K::TextBox, Indexed("txbMonth", 0), "", kDateColumn + 850, kStartRow, 480,
                    kFieldHeight),
               Make(K::TextBox, Indexed("txbMonth", 1), "", kDateColumn + 850, kEndRow, 480,
                    kFieldHeight),
               Make(K::TextBox, Indexed("txbMonth", 2), "", 2150, 240, 480, kFieldHeight)},
      txbDay{Make(K::TextBox, Indexed("txbDay", 0), "", kDateColumn + 1400, kStartRow, 480,
                  kFieldHeight),
             Make(K::TextBox, Indexed("txbDay", 1), "", kDateColumn + 1400, kEndRow, 480,
                  kFieldHeight),
             Make(K::TextBox, Indexed("txbDay", 2), "", 2700, 240, 480, kFieldHeight)},
      lblDate{Make(K::Label, Indexed("lblDate", 0), "", kDateColumn + 1950, kStartRow + 30, 2600,
                   kLabelHeight),
              Make(K::Label, Indexed("lblDate", 1), "", kDateColumn + 1950, kEndRow + 30, 2600,
                   kLabelHeight),
              Make(K::Label, Indexed("lblDate", 2), "", 3250, 270, 1900, kLabelHeight)},
      fraBirthDate(Make(K::Frame, "fraBirthDate", "", 1900, 1080, 5250, 1000)),
      cboHour(Make(K::ComboBox, "cboHour", "", 1300, 610, 780, kListHeight)),
      cboMinute(Make(K::ComboBox, "cboMinute", "", 2150, 610, 780, kListHeight)),
      lblTimezone(Make(K::Label, "lblTimezone", "Timezone", kRightColumn, 60, 1800, kLabelHeight)),
      cboTimezone{Make(K::ComboBox, Indexed("cboTimezone", 0), "", kRightColumn, kStartRow, 1900,
                       kListHeight),
                  Make(K::ComboBox, Indexed("cboTimezone", 1), "", 3250, 610, 1900, kListHeight)},
      chkDisplayNATZabbr(Make(K::CheckBox, "chkDisplayNATZabbr", "N. Amer. TZ abbr.",
                              kRightColumn + 2000, kStartRow + 15, 2150, 300)),
      lblPlanet{Make(K::Label, Indexed("lblPlanet", 0), "Transiting planet", kRightColumn,
                     kEndRow + 30, 2000, kLabelHeight),
                Make(K::Label, Indexed("lblPlanet", 1), "Natal planet", kRightColumn + 2100,
                     kEndRow + 30, 2000, kLabelHeight)},
      cboPlanet{
          Make(K::ComboBox, Indexed("cboPlanet", 0), "", kRightColumn, 1000, 2000, kListHeight),
          Make(K::ComboBox, Indexed("cboPlanet", 1), "", kRightColumn + 2100, 1000, 2000,
               kListHeight)},
      lblOrbs{Make(K::Label, Indexed("lblOrbs", 0), "Outer orb", kRightColumn, 1420, 1300,
                   kLabelHeight),
              Make(K::Label, Indexed("lblOrbs", 1), "Middle orb", kRightColumn + 1400, 1420, 1300,
                   kLabelHeight),
              Make(K::Label, Indexed("lblOrbs", 2), "Inner orb", kRightColumn + 2800, 1420, 1300,
                   kLabelHeight)},
      cboOrbs{Make(K::ComboBox, Indexed("cboOrbs", 0), "", kRightColumn, 1690, 1000, kListHeight),
              Make(K::ComboBox, Indexed("cboOrbs", 1), "", kRightColumn + 1400, 1690, 1000,
                   kListHeight),
              Make(K::ComboBox, Indexed("cboOrbs", 2), "", kRightColumn + 2800, 1690, 1000,
                   kListHeight)},
      cmdStart(Make(K::Button, "cmdStart",
                    "Show all transits from start to end date for selected planets", 120, 2200,
                    5750, 420)),
      cmdShowAll{Make(K::Button, Indexed("cmdShowAll", 0), "", 120, 2680, 5750, 380),
                 Make(K::Button, Indexed("cmdShowAll", 1), "", 120, 3120, 5750, 380)},
      lblShortDate(Make(K::Label, "lblShortDate", "", 4070, 3540, 1800, kLabelHeight)),
      fraSearch(Make(K::Frame, "fraSearch", "", 940, 3840, 9900, 760)),
      Label1(Make(K::Label, "Label1", "for first 10°", 120, 300, 1100, kLabelHeight)),
      cboSearchAspect(Make(K::ComboBox, "cboSearchAspect", "", 1250, 260, 1500, kListHeight)),
      Label2(Make(K::Label, "Label2", "after end date", 2850, 300, 1250, kLabelHeight)),
      cmdSearch(Make(K::Button, "cmdSearch", "Search", 4150, 230, 1000, 400)),
      chkKeepDates(Make(K::CheckBox, "chkKeepDates", "Keep start/end dates", 5300, 280, 2350, 300)),
      chkAppendToOutput(
          Make(K::CheckBox, "chkAppendToOutput", "Append to output", 7690, 280, 2000, 300)),
      txbStopDate(Make(K::TextBox, "txbStopDate", "", 9000, 240, 500, kFieldHeight)),
      chkOutputAsHTML(
          Make(K::CheckBox, "chkOutputAsHTML", "Output as HTML", 6150, 2260, 2100, 300)),
      cmdFile(Make(K::Button, "cmdFile", "Write output to file", 4365, kButtonRow, 2000, 400)),
      chkOpenOutputFile(Make(K::CheckBox, "chkOpenOutputFile", "Open output file", 6465,
                             kButtonRow + 50, 2100, 300)),
      cmdShowAllTransits(Make(K::Button, "cmdShowAllTransits",
                              "Show all transits from start to end date for all planets", 6150,
                              2680, 5250, 380)),
      lblAllTransitsDateFormat(Make(K::Label, "lblAllTransitsDateFormat",
                                    "All planets date format:", 6150, 3160, 2300, kLabelHeight)),
      txbAllTransitsDateFormat(
          Make(K::TextBox, "txbAllTransitsDateFormat", "", 8500, 3120, 500, kFieldHeight)),
      txbOutput(Make(K::TextBox, "txbOutput", "", 120, 4700, 11280, 300)),
      cmdClear(Make(K::Button, "cmdClear", "Clear", 8800, kButtonRow, 800, 400)),
      cmdHelp(Make(K::Button, "cmdHelp", "Help", 9700, kButtonRow, 800, 400)),
      cmdSaveState(Make(K::Button, "cmdSaveState", "Save state", 120, kButtonRow, 1250, 400)),
      cmdRestoreState(
          Make(K::Button, "cmdRestoreState", "Restore state", 1470, kButtonRow, 1450, 400)),
      cmdQuit(Make(K::Button, "cmdQuit", "Quit", 10600, kButtonRow, 800, 400)),
      cmdVHsoftware(Make(K::Button, "cmdVHsoftware", "Software", 3000, kButtonRow, 1100, 400)),
      frmView(platform),
      frmPopUp(platform, geometry),
      platform(platform),
      pane(paneCapacity),
      writer(pane, table, flags, *this, *this),
      scan(request, table, flags, *this, writer),
      registry(store != nullptr ? *store : noStore, platform) {
    geometry = {0, 0, 11800, minimumHeight};
    txbOutput.locked = true;
    PlaceAll();
    BindHandlers();
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
    for (Control* c : {&chkOutputAsHTML, &cmdFile, &chkOpenOutputFile, &cmdShowAllTransits,
                       &lblAllTransitsDateFormat, &txbAllTransitsDateFormat, &txbOutput, &cmdClear,
                       &cmdHelp, &cmdSaveState, &cmdRestoreState, &cmdQuit, &cmdVHsoftware}) {
        Place(*c);
    }
}

void FrmMain::BindHandlers() {
    optWorld.click = [this] { optWorld_Click(); };
    optPersonal.click = [this] { optPersonal_Click(); };
    for (int i = 0; i < 2; ++i) {
        cboPlanet[i].click = [this, i] { cboPlanet_Click(i); };
        cboTimezone[i].click = [this, i] { cboTimezone_Click(i); };
        cmdShowAll[i].click = [this, i] { cmdShowAll_Click(i); };
    }
    for (int i = 0; i < 3; ++i) {
        cboOrbs[i].click = [this, i] { cboOrbs_Click(i); };
    }
    chkDisplayNATZabbr.click = [this] { chkDisplayNATZabbr_Click(); };
    cboSearchAspect.click = [this] { cboSearchAspect_Click(); };
    chkKeepDates.click = [this] { chkKeepDates_Click(); };
    chkOpenOutputFile.click = [this] { chkOpenOutputFile_Click(); };
    chkAppendToOutput.click = [this] { chkAppendToOutput_Click(); };
    cboHour.click = [this] { cboHour_Click(); };
    cboMinute.click = [this] { cboMinute_Click(); };
    cmdStart.click = [this] { cmdStart_Click(); };
    cmdSearch.click = [this] { cmdSearch_Click(); };
    cmdFile.click = [this] { cmdFile_Click(); };
    cmdClear.click = [this] { cmdClear_Click(); };
    cmdHelp.click = [this] { cmdHelp_Click(); };
    cmdSaveState.click = [this] { cmdSaveState_Click(); };
    cmdRestoreState.click = [this] { cmdRestoreState_Click(); };
    cmdQuit.click = [this] { cmdQuit_Click(); };
}

void FrmMain::ChooseOption(Control& chosen, Control& other) {
    other.SetValue(0);
    chosen.SetValue(1);
}

}  // namespace zenthra
