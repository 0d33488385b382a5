// Saving and restoring the window's inputs, quitting, and the help viewer.
#include <string_view>

#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "calendar/Zone.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

constexpr const char* kStateKey = "\\ZTA";
constexpr std::array<const char*, 3> kDateKeys = {"\\ZTA\\Year", "\\ZTA\\Month", "\\ZTA\\Day"};
constexpr const char* kBodyKey = "\\ZTA\\PlanetLI";
constexpr const char* kOrbKey = "\\ZTA\\OrbsLI";
constexpr std::array<const char*, 2> kDefaultBodyIndex = {"0", "1"};
constexpr std::array<const char*, 3> kDefaultOrbIndex = {"9", "4", "1"};  // 10°, 5°, 2°

// Timer ticks (500 ms each) after a save or a restore during which Quit asks nothing.
constexpr int kQuietQuitTicks = 10;

std::string Name(int index) {
    return std::to_string(index);
}

std::string YesNo(bool yes) {
    return yes ? "Y" : "N";
}

// A stored index that the list does not have leaves its present selection.
void SelectIfListed(Control& list, int32_t index) {
    if (index >= 0 && index < static_cast<int32_t>(list.list.size())) {
        list.SetListIndex(index);
    }
}

}  // namespace

void FrmMain::cmdSaveState_Click() {
    SettingsStore& store = registry.Store();
    // One batch with "StateSaved" last: an interrupted save leaves the earlier state whole.
    store.BeginBatch();
    for (int i = 0; i < 3; ++i) {
        const std::array<Control*, 3> fields = DateFields(i);
        for (int f = 0; f < 3; ++f) {
            SaveValue(kDateKeys[f], Name(i), fields[f]->text);
        }
        if (i < 2) {
            SaveValue(kBodyKey, Name(i), Name(cboPlanet[i].ListIndex()));
        }
    }
    for (int i = 0; i < 3; ++i) {
        SaveValue(kOrbKey, Name(i), Name(cboOrbs[i].ListIndex()));
    }
    SaveValue(kStateKey, "World", YesNo(IsWorld()));
    SaveValue(kStateKey, "Tropical", YesNo(optTropical.Value() != 0));
    for (int k = 0; k < 2; ++k) {
        SaveValue(kStateKey, "TZ" + Name(k), Name(cboTimezone[k].ListIndex()));
    }
    SaveValue(kStateKey, "NATZ", Name(chkDisplayNATZabbr.Value()));
    SaveValue(kStateKey, "Stop", txbStopDate.text);
    SaveValue(kStateKey, "ATDateFmt", txbAllTransitsDateFormat.text);
    SaveValue(kStateKey, "SrchAsp", Name(cboSearchAspect.ListIndex()));
    SaveValue(kStateKey, "BirthHour", Name(cboHour.ListIndex()));
    SaveValue(kStateKey, "BirthMinute", Name(cboMinute.ListIndex()));
    SaveValue(kStateKey, "PrecisePluto", YesNo(chkPrecisePluto.Value() != 0));
    SaveValue(kStateKey, "Events", YesNo(chkEvents.Value() != 0));
    SaveValue(kStateKey, "BirthZone", txbBirthZone.text);
    SaveValue(kStateKey, "ResultZone", txbResultZone.text);
    SaveBirthPlace(kStateKey);
    SaveValue(kStateKey, "StateSaved", "Y");
    // Failures stay silent, as those of single values do.
    store.EndBatch();
    MarkStateJustSaved();
}

void FrmMain::cmdRestoreState_Click() {
    std::string saved;
    // Without the mark of a complete save, values left by an interrupted one are not used.
    if (!registry.RestoreRegistryValue(kStateKey, "StateSaved", saved, false, "")) {
        return;
    }
    const std::array<int32_t, 2> bodies = RestoreDatesAndBodies();
    // The orb rules are checked once the orbs and the bodies are all back: between two of them
    // the rules may be broken although the saved state keeps them.
    restoringOrbs = true;
    for (int i = 0; i < 3; ++i) {
        SelectIfListed(cboOrbs[i], RestoredNumber(kOrbKey, Name(i), kDefaultOrbIndex[i]));
    }
    restoringOrbs = false;
    RestoreKindOfRun(bodies);
    cboOrbs_Click(0);
    if (RestoredText(kStateKey, "Tropical", "Y") == "Y") {
        ChooseOption(optTropical, optSidereal);
    } else {
        ChooseOption(optSidereal, optTropical);
    }
    const int32_t style = RestoredNumber(kStateKey, "NATZ", "1");
    if (style == 0 || style == 1) {
        chkDisplayNATZabbr.SetValue(style);
    }
    for (int k = 0; k < 2; ++k) {
        SelectIfListed(cboTimezone[k],
                       RestoredNumber(kStateKey, "TZ" + Name(k), std::to_string(kGreenwichIndex)));
    }
    stopDateText = RestoredText(kStateKey, "Stop", "");
    txbAllTransitsDateFormat.text = RestoredText(kStateKey, "ATDateFmt", "");
    SelectIfListed(cboSearchAspect, RestoredNumber(kStateKey, "SrchAsp", "0"));
    SelectIfListed(cboHour, RestoredNumber(kStateKey, "BirthHour", "0"));
    SelectIfListed(cboMinute, RestoredNumber(kStateKey, "BirthMinute", "0"));
    for (const auto& [box, name] :
         {std::pair{&chkPrecisePluto, "PrecisePluto"}, std::pair{&chkEvents, "Events"}}) {
        box->SetValue(RestoredText(kStateKey, name, "N") == "Y" ? 1 : 0);
    }
    txbBirthZone.text = RestoredText(kStateKey, "BirthZone", "");
    txbResultZone.text = RestoredText(kStateKey, "ResultZone", "");
    RestoreBirthPlace(kStateKey);
    MarkStateJustSaved();
}

// The dates come back with their written-out labels; the two body indexes are returned for
// the kind of run they were saved with.
std::array<int32_t, 2> FrmMain::RestoreDatesAndBodies() {
    for (int i = 0; i < 3; ++i) {
        const std::array<Control*, 3> fields = DateFields(i);
        for (int f = 0; f < 3; ++f) {
            fields[f]->text = RestoredText(kDateKeys[f], Name(i), "");
        }
        RefreshDateLabel(i);
    }
    return {RestoredNumber(kBodyKey, Name(0), kDefaultBodyIndex[0]),
            RestoredNumber(kBodyKey, Name(1), kDefaultBodyIndex[1])};
}

// The saved bodies become the remembered choice of their kind of run before that kind is
// chosen, so that the lists of that kind select them whichever kind the window showed: at
// start-up filling the lists does it, later choosing the kind or, when it is shown already,
// rebuilding its lists. An index beyond a list selects its last entry, a negative one the
// list's default body.
void FrmMain::RestoreKindOfRun(const std::array<int32_t, 2>& bodies) {
    const bool world = RestoredText(kStateKey, "World", "N") == "Y";
    const int slot = world ? 0 : 1;
    planetChoice[slot] = bodies[0];
    planetChoice[slot + 2] = bodies[1];
    if (world) {
        ChooseOption(optWorld, optPersonal);
    } else {
        ChooseOption(optPersonal, optWorld);
    }
    if (blnStartUpCompleted) {
        ShowRunKind(world);
    }
}

void FrmMain::SaveValue(const std::string& subKey, const std::string& name,
                        const std::string& value) {
    registry.SaveRegistryValue(subKey, name, value, false);
}

std::string FrmMain::RestoredText(const std::string& subKey, const std::string& name,
                                  const std::string& defaultValue) {
    std::string value;
    registry.RestoreRegistryValue(subKey, name, value, false, defaultValue);
    return value;
}

int32_t FrmMain::RestoredNumber(const std::string& subKey, const std::string& name,
                                const std::string& defaultValue) {
    return LeadingNumberRounded(RestoredText(subKey, name, defaultValue));
}

void FrmMain::MarkStateJustSaved() {
    stateJustSaved = true;
    stateTicks = 0;
}

void FrmMain::CountDownQuietQuit() {
    if (stateJustSaved && ++stateTicks > kQuietQuitTicks) {
        stateJustSaved = false;
    }
}

// Quitting.

void FrmMain::cmdQuit_Click() {
    QuitUnlessCancelled();
}

void FrmMain::Form_Unload(bool& cancel) {
    cancel = !QuitUnlessCancelled();
}

bool FrmMain::QuitUnlessCancelled() {
    if (!stateJustSaved) {
        const MsgAnswer answer = platform.MsgBox("Save program state for next run?", MsgIcon::None,
                                                 cmdQuit.caption, MsgButtons::YesNoCancel);
        if (answer != MsgAnswer::Yes && answer != MsgAnswer::No) {
            return false;
        }
        if (answer == MsgAnswer::Yes) {
            cmdSaveState_Click();
        }
    }
    EndProgram();
    return true;
}

void FrmMain::EndProgram() {
    // Quit stays enabled during a run: the run then ends at its next day, which closes its
    // HTML output, and a show-all sequence ends with it.
    flags.stopRequested = true;
    flags.runAborted = true;
    platform.EndProgram();
}

// Keys of the whole window: F1 is Help, Escape stops a run as Stop does, Ctrl+Q is Quit with
// its question. Each acts only where its button would.
void FrmMain::Form_KeyDown(int keyCode, int shift) {
    if (keyCode == kKeyF1 && shift == 0 && cmdHelp.visible && cmdHelp.enabled) {
        cmdHelp_Click();
    } else if (keyCode == kKeyEscape && shift == 0 && cmdStart.caption == "Stop") {
        cmdStart_Click();
    } else if (keyCode == kKeyQ && shift == kCtrlMask && cmdQuit.enabled) {
        cmdQuit_Click();
    }
}

// The help viewer.

void FrmMain::cmdHelp_Click() {
    if (frmView.windowState == WindowState::Minimised) {
        frmView.windowState = WindowState::Normal;
    }
    if (frmView.windowState == WindowState::Normal) {
        frmView.Move(
            {geometry.left + 100, geometry.top + 380, geometry.width - 200, geometry.height - 480});
    }
    frmView.strFilename = platform.ProgramFolder() + "/zta_help.txt";
    frmView.strMark = "@TZDATA_VERSION@";
    const std::string tzVersion = TzDatabaseVersion();
    frmView.strMarkText = tzVersion.empty() ? "unknown" : tzVersion;
    frmView.caption = "Help";
    frmView.cmdClose.caption = "Close";
    frmView.blnCopyToClipboardInvisible = true;
    frmView.Show();
}

}  // namespace zenthra
