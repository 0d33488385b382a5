// Saving the window's inputs and getting them back at the next start, whatever the store holds.
#include <gtest/gtest.h>

#include <memory>

#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"
#include "ui/MemorySettingsStore.h"
#include "ui/RunFixture.h"

namespace zenthra {
namespace {

using testing::FakePlatform;
using testing::MemorySettingsStore;
using testing::SetDate;

constexpr const char* kState = "Software\\Varnholt\\ZTA";
const std::string kYear = std::string(kState) + "\\Year";
const std::string kOrbs = std::string(kState) + "\\OrbsLI";
const std::string kBodies = std::string(kState) + "\\PlanetLI";

class SavedStateTest : public ::testing::Test {
  protected:
    // A new window on the same store, as at the next start of the program.
    std::unique_ptr<FrmMain> Start() {
        auto window = std::make_unique<FrmMain>(p, OutputPane::kWindowCapacity, &store);
        window->Form_Load();
        return window;
    }

    // Inputs that differ from the start-up defaults in every saved value.
    static void EnterOwnInputs(FrmMain& w) {
        SetDate(w, 0, "2030-2-3");
        SetDate(w, 1, "2031-4-5");
        SetDate(w, 2, "1985-7-9");
        w.cboPlanet[0].SetListIndex(2);  // Venus
        w.cboPlanet[1].SetListIndex(9);  // Moon
        w.cboOrbs[0].SetListIndex(11);
        w.cboOrbs[1].SetListIndex(7);
        w.cboOrbs[2].SetListIndex(3);
        w.ChooseOption(w.optSidereal, w.optTropical);
        w.chkDisplayNATZabbr.SetValue(1);
        w.cboTimezone[0].SetListIndex(14);
        w.cboTimezone[1].SetListIndex(35);
        w.txbStopDate.text = "2040-1-1";
        w.txbAllTransitsDateFormat.text = "2";
        w.cboSearchAspect.SetListIndex(2);
        w.cboHour.SetListIndex(13);
        w.cboMinute.SetListIndex(7);
    }

    FakePlatform p;
    MemorySettingsStore store;
};

TEST_F(SavedStateTest, EveryValueComesBackAtTheNextStartButThePaneDoesNot) {
    auto first = Start();
    EnterOwnInputs(*first);
    first->SetPaneText("earlier output");
    first->chkOutputAsHTML.SetValue(1);
    first->cmdSaveState.click();
    EXPECT_EQ(store.Value(kState, "BirthHour"), "13");
    ASSERT_EQ(store.writeOrder.size(), 33u);
    EXPECT_EQ(store.writeOrder.back(), "StateSaved");

    auto w = Start();
    EXPECT_EQ(w->txbYear[0].text + "-" + w->txbMonth[0].text + "-" + w->txbDay[0].text, "2030-2-3");
    EXPECT_EQ(w->lblDate[1].caption, "April 5, 2031 CE");
    EXPECT_EQ(w->lblDate[2].caption, "July 9, 1985 CE");
    EXPECT_EQ(w->cmdStart.caption, "Show all personal transits by Venus of natal Moon");
    EXPECT_EQ(
        w->cboOrbs[0].SelectedText() + w->cboOrbs[1].SelectedText() + w->cboOrbs[2].SelectedText(),
        "12°8°4°");
    EXPECT_EQ(w->Label1.caption, "for first 12°");
    EXPECT_EQ(w->optSidereal.Value(), 1);
    EXPECT_EQ(w->chkDisplayNATZabbr.Value(), 1);
    EXPECT_EQ(w->cboTimezone[0].SelectedText(), "EST/CDT");
    EXPECT_EQ(w->cboTimezone[1].SelectedText(), "GMT+5:30");
    EXPECT_EQ(w->stopDateText, "2040-1-1");
    EXPECT_EQ(w->txbAllTransitsDateFormat.text, "2");
    EXPECT_EQ(w->cboSearchAspect.SelectedText(), "square");
    EXPECT_EQ(w->cboHour.SelectedText() + ":" + w->cboMinute.SelectedText(), "12:30");
    EXPECT_TRUE(w->Pane().Empty());
    EXPECT_EQ(w->chkOutputAsHTML.Value(), 0);
    EXPECT_TRUE(w->stateJustSaved);
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(SavedStateTest, AWorldRunComesBackWithItsBodies) {
    auto first = Start();
    first->ChooseOption(first->optWorld, first->optPersonal);
    first->cboPlanet[0].SetListIndex(5);  // Saturn
    first->cboPlanet[1].SetListIndex(7);  // Pluto
    first->cmdSaveState_Click();

    auto w = Start();
    EXPECT_EQ(w->optWorld.Value(), 1);
    EXPECT_FALSE(w->fraZodiac.visible || w->fraBirthDate.visible || w->cmdShowAll[1].visible);
    EXPECT_EQ(w->cmdStart.caption, "Show all world transits between Saturn and Pluto");
    w->ChooseOption(w->optPersonal, w->optWorld);
    EXPECT_EQ(w->cmdStart.caption, "Show all personal transits by Mars of natal Jupiter");
}

TEST_F(SavedStateTest, BodyIndexesBeyondOrBeforeTheListsFallBackAsFillingTheListsDoes) {
    auto first = Start();
    first->cboPlanet[0].SetListIndex(-1);
    first->cboPlanet[1].SetListIndex(9);  // Moon, beyond the world lists
    first->cmdSaveState_Click();
    EXPECT_EQ(store.Value(kBodies, "0"), "-1");
    store.Set(kState, "World", "Y");

    auto w = Start();
    EXPECT_EQ(w->cboPlanet[0].SelectedText(), "Mars");
    EXPECT_EQ(w->cboPlanet[1].SelectedText(), "Pluto");
}

TEST_F(SavedStateTest, WithoutTheMarkOfACompleteSaveNothingIsRestored) {
    auto first = Start();
    EnterOwnInputs(*first);
    first->cmdSaveState_Click();
    store.Erase(kState, "StateSaved");

    auto w = Start();
    EXPECT_EQ(w->txbYear[0].text, "2026");
    EXPECT_EQ(w->cboOrbs[0].SelectedText(), "10°");
    EXPECT_EQ(w->cmdStart.caption, "Show all personal transits by Mars of natal Jupiter");
    EXPECT_EQ(w->optTropical.Value(), 1);
    EXPECT_FALSE(w->stateJustSaved);
}

TEST_F(SavedStateTest, AnInterruptedSaveLeavesTheEarlierStateWhole) {
    auto first = Start();
    EnterOwnInputs(*first);
    first->cmdSaveState_Click();
    SetDate(*first, 0, "2050-6-7");
    first->cboOrbs[2].SetListIndex(1);
    store.failBatches = true;
    first->cmdSaveState_Click();

    auto w = Start();
    EXPECT_EQ(w->txbYear[0].text, "2030");
    EXPECT_EQ(w->cboOrbs[2].SelectedText(), "4°");
}

TEST_F(SavedStateTest, AMissingValueGivesItsDefaultAndAnEmptyOneStaysEmpty) {
    auto first = Start();
    EnterOwnInputs(*first);
    first->cmdSaveState_Click();
    store.Erase(kYear, "0");
    store.Set(kState, "ATDateFmt", "");
    store.Set(kState, "Tropical", "");  // not "Y": sidereal, where the default is tropical
    store.Set(kOrbs, "0", "");          // index 0, where the default is 9

    auto w = Start();
    EXPECT_EQ(w->txbYear[0].text, "");
    EXPECT_EQ(w->lblDate[0].caption, "");
    EXPECT_EQ(w->txbMonth[0].text, "2");
    EXPECT_EQ(w->txbAllTransitsDateFormat.text, "");
    EXPECT_EQ(w->optSidereal.Value(), 1);
    EXPECT_EQ(w->cboOrbs[0].SelectedText(), "1°");
}

TEST_F(SavedStateTest, ValuesEditedByHandRestoreWithoutFailing) {
    Start()->cmdSaveState_Click();
    store.Set(kOrbs, "0", "3.6");                   // rounded: 5°
    store.Set(kOrbs, "1", " 2.5 degrees");          // a half goes to the even 2: 3°
    store.Set(kOrbs, "2", "99999999999999999999");  // no such entry: stays 2°
    store.Set(kBodies, "0", "-7");                  // none: the default body
    store.Set(kBodies, "1", "12abc");               // beyond the list: its last entry
    store.Set(kState, "TZ0", "48");                 // no such entry: the computer's zone
    store.Set(kState, "TZ1", "-2147483649");
    store.Set(kState, "NATZ", "2");
    store.Set(kState, "SrchAsp", "square");  // not a number: 0
    store.Set(kState, "BirthHour", " +7");
    store.Set(kState, "BirthMinute", "1e9");
    store.Set(kState, "World", "yes");
    store.Set(kYear, "1", "\x01\x02");

    auto w = Start();
    EXPECT_EQ(w->cboOrbs[0].SelectedText(), "5°");
    EXPECT_EQ(w->cboOrbs[1].SelectedText(), "3°");
    EXPECT_EQ(w->cboOrbs[2].SelectedText(), "2°");
    EXPECT_EQ(w->cmdStart.caption, "Show all personal transits by Mars of natal Moon");
    EXPECT_EQ(w->cboTimezone[0].SelectedText(), "GMT+5:30");
    EXPECT_EQ(w->cboTimezone[1].ListIndex(), -1);
    EXPECT_EQ(w->chkDisplayNATZabbr.Value(), 0);
    EXPECT_EQ(w->cboSearchAspect.SelectedText(), "conjunction");
    EXPECT_EQ(w->cboHour.SelectedText(), "06");
    EXPECT_EQ(w->cboMinute.SelectedText(), "00");
    EXPECT_EQ(w->txbYear[1].text, "");
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(SavedStateTest, TheRestoreButtonBringsBackTheSavedInputs) {
    auto w = Start();
    EnterOwnInputs(*w);
    w->cmdSaveState_Click();
    SetDate(*w, 1, "2032-1-1");
    w->cboTimezone[0].SetListIndex(24);
    w->cboHour.SetListIndex(0);
    w->chkDisplayNATZabbr.SetValue(0);

    w->cboPlanet[0].SetListIndex(0);

    w->cmdRestoreState.click();
    EXPECT_EQ(w->txbYear[1].text, "2031");
    EXPECT_EQ(w->cmdStart.caption, "Show all personal transits by Venus of natal Moon");
    EXPECT_EQ(w->cboTimezone[0].SelectedText(), "EST/CDT");
    EXPECT_EQ(w->cboHour.SelectedText(), "12");
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(SavedStateTest, RestoreWritesEveryDateOutAgain) {
    auto w = Start();
    SetDate(*w, 0, "2028-1-1");
    SetDate(*w, 2, "1990-6-15");
    w->cmdSaveState_Click();
    w->txbYear[0].text = "2030";
    w->txbYear_LostFocus(0);
    w->txbDay[2].text = "31";
    w->txbDay_LostFocus(2);
    w->txbMonth[1].text = "";
    w->txbMonth_LostFocus(1);
    EXPECT_EQ(w->lblDate[0].caption, "January 1, 2030 CE");
    EXPECT_EQ(w->lblDate[2].caption, "invalid date");

    w->cmdRestoreState.click();
    EXPECT_EQ(w->txbYear[0].text, "2028");
    EXPECT_EQ(w->lblDate[0].caption, "January 1, 2028 CE");
    EXPECT_EQ(w->lblDate[1].caption, "December 31, 2026 CE");
    EXPECT_EQ(w->lblDate[2].caption, "June 15, 1990 CE");
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(SavedStateTest, RestoreWhileTheOtherKindIsShownBringsBackTheSavedBodies) {
    auto w = Start();
    w->cboPlanet[0].SetListIndex(2);  // Venus
    w->cboPlanet[1].SetListIndex(9);  // Moon
    w->cmdSaveState_Click();
    w->ChooseOption(w->optWorld, w->optPersonal);
    w->cboPlanet[0].SetListIndex(0);  // Sun

    w->cmdRestoreState.click();
    EXPECT_EQ(w->optPersonal.Value(), 1);
    EXPECT_TRUE(w->fraBirthDate.visible && w->cmdShowAll[1].visible);
    EXPECT_EQ(w->cmdStart.caption, "Show all personal transits by Venus of natal Moon");
    // A save right after keeps the saved bodies.
    w->cmdSaveState_Click();
    EXPECT_EQ(store.Value(kBodies, "0"), "2");
    EXPECT_EQ(store.Value(kBodies, "1"), "9");
    // The world run keeps the bodies chosen for it before the restore.
    w->ChooseOption(w->optWorld, w->optPersonal);
    EXPECT_EQ(w->cmdStart.caption, "Show all world transits between Sun and Jupiter");

    // The other way round: a saved world run restored while a personal one is shown.
    w->cboPlanet[0].SetListIndex(5);  // Saturn
    w->cboPlanet[1].SetListIndex(7);  // Pluto
    w->cmdSaveState_Click();
    w->ChooseOption(w->optPersonal, w->optWorld);
    w->cmdRestoreState.click();
    EXPECT_EQ(w->cmdStart.caption, "Show all world transits between Saturn and Pluto");
    w->ChooseOption(w->optPersonal, w->optWorld);
    EXPECT_EQ(w->cmdStart.caption, "Show all personal transits by Venus of natal Moon");
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(SavedStateTest, RestoreChecksTheOrbRulesOnceAllOrbsAreBack) {
    auto w = Start();
    for (int i = 2; i >= 0; --i) {
        w->cboOrbs[i].SetListIndex(5 - 2 * i);  // 6°, 4°, 2°, the inner first
    }
    w->cmdSaveState_Click();
    for (int i = 0; i < 3; ++i) {
        w->cboOrbs[i].SetListIndex(14 - 5 * i);  // 15°, 10°, 5°
    }
    EXPECT_TRUE(p.boxes.boxes.empty());

    // 6°, 10°, 5° on the way back breaks the rules; the saved orbs keep them.
    w->cmdRestoreState.click();
    EXPECT_EQ(
        w->cboOrbs[0].SelectedText() + w->cboOrbs[1].SelectedText() + w->cboOrbs[2].SelectedText(),
        "6°4°2°");
    EXPECT_EQ(w->Label1.caption, "for first 6°");
    EXPECT_TRUE(p.boxes.boxes.empty());

    // Orbs saved against the rules are reported once.
    store.Set(kOrbs, "1", "5");
    w->cmdRestoreState.click();
    ASSERT_EQ(p.boxes.boxes.size(), 1u);
    EXPECT_EQ(p.boxes.boxes[0].text, "Orbs must be strictly decreasing and differ by at least 2°.");
    EXPECT_EQ(p.boxes.boxes[0].title, "Orb values");
}

TEST_F(SavedStateTest, WithoutAStoreNothingIsKept) {
    FrmMain first(p);
    first.Form_Load();
    EnterOwnInputs(first);
    first.cmdSaveState_Click();

    FrmMain w(p);
    w.Form_Load();
    EXPECT_EQ(w.txbYear[0].text, "2026");
    EXPECT_FALSE(w.stateJustSaved);
}

// Quitting: the question, its answers, and the quiet moments after a save or a restore.

class QuitTest : public SavedStateTest {
  protected:
    void SetUp() override { w = Start(); }

    void Tick(int times) {
        for (int i = 0; i < times; ++i) {
            w->Timer1_Timer();
        }
    }

    std::unique_ptr<FrmMain> w;
};

TEST_F(QuitTest, QuitAsksWhetherToSaveWithNoAsTheSafeAnswer) {
    p.boxes.QueueAnswer(MsgAnswer::Cancel);
    w->cmdQuit.click();
    ASSERT_EQ(p.boxes.boxes.size(), 1u);
    const auto& box = p.boxes.boxes[0];
    EXPECT_EQ(box.text, "Save program state for next run?");
    EXPECT_EQ(box.icon, MsgIcon::None);
    EXPECT_EQ(box.title, "Quit");
    EXPECT_EQ(box.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(p.programEnds, 0);
}

TEST_F(QuitTest, YesSavesAndEndsNoJustEnds) {
    p.boxes.QueueAnswer(MsgAnswer::No);
    w->cmdQuit_Click();
    EXPECT_EQ(p.programEnds, 1);
    EXPECT_FALSE(store.Value(kState, "StateSaved"));

    SetDate(*w, 0, "2044-1-1");
    p.boxes.QueueAnswer(MsgAnswer::Yes);
    w->cmdQuit_Click();
    EXPECT_EQ(p.programEnds, 2);
    EXPECT_EQ(store.Value(kYear, "0"), "2044");
    EXPECT_EQ(store.Value(kState, "StateSaved"), "Y");
}

TEST_F(QuitTest, ForTenTicksAfterASaveQuitEndsWithoutAsking) {
    w->cmdSaveState_Click();
    Tick(10);
    w->cmdQuit_Click();
    EXPECT_EQ(p.programEnds, 1);
    EXPECT_TRUE(p.boxes.boxes.empty());

    Tick(1);
    w->cmdQuit_Click();
    EXPECT_EQ(p.boxes.boxes.size(), 1u);
    EXPECT_EQ(p.programEnds, 1);  // cancelled
}

TEST_F(QuitTest, TheRestoreAtStartUpAlsoLetsQuitEndAtOnce) {
    w->cmdSaveState_Click();
    auto next = Start();
    next->cmdQuit_Click();
    EXPECT_EQ(p.programEnds, 1);
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(QuitTest, ClosingTheWindowAsksTheSameAndCancelKeepsItOpen) {
    bool cancel = false;
    p.boxes.QueueAnswer(MsgAnswer::Cancel);
    w->Form_Unload(cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(p.programEnds, 0);

    p.boxes.QueueAnswer(MsgAnswer::No);
    w->Form_Unload(cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(p.programEnds, 1);

    w->cmdSaveState_Click();
    Tick(10);
    cancel = true;
    w->Form_Unload(cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(p.boxes.boxes.size(), 2u);
}

class QuitDuringARunTest : public testing::RunFixture {};

TEST_F(QuitDuringARunTest, TheRunStopsSoItsOutputIsClosedBeforeTheProgramEnds) {
    SetPeriod("2026-1-1", "2026-12-31");
    p.onYield = [this](int yields) {
        if (yields == 20) {
            p.boxes.QueueAnswer(MsgAnswer::No);
            w.cmdQuit_Click();
        }
    };
    w.cmdStart_Click();
    EXPECT_EQ(p.programEnds, 1);
    EXPECT_TRUE(w.Pane().Text().ends_with("Stopped"));
    EXPECT_NE(w.cmdStart.caption, "Stop");
}

}  // namespace
}  // namespace zenthra
