// IANA zones in place of the timezone lists: a zone named for the birth time gives the offset
// in force at birth, one named for the results gives local days and the abbreviations in force.
#include "calendar/StrProc.h"
#include "calendar/Utf8.h"
#include "support/Trim.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

constexpr size_t kLongestNameShown = 64;
constexpr size_t kFewestCharactersToComplete = 2;
constexpr size_t kMostCompletions = 12;

// A name as a message repeats it: its first characters, without surrounding blanks.
std::string Shown(std::string_view name) {
    const std::string_view head = FirstCharacters(name, kLongestNameShown);
    return std::string(head) + (head.size() < name.size() ? "…" : "");
}

std::string UnknownZoneText(const std::string& role, const std::string& name) {
    return "The time zone of the " + role + " \"" + Shown(name) +
           "\" is unknown: enter a name of the tz database such as Europe/Berlin, or leave the "
           "field empty to use the list.";
}

}  // namespace

// Typing offers the zone names that contain the text, in any letter case.
void FrmMain::ZoneEntry_Change(Control& entry) {
    entry.Clear();
    const std::string typed = LowerCase(ZoneEntryName(entry));
    if (typed.size() < kFewestCharactersToComplete) {
        return;
    }
    for (const std::string& name : ZoneNames()) {
        if (entry.list.size() < kMostCompletions &&
            LowerCase(name).find(typed) != std::string::npos) {
            entry.AddItem(name);
        }
    }
}

void FrmMain::ZoneEntry_Click(Control& entry) {
    const int chosen = entry.ListIndex();
    if (chosen >= 0 && chosen < static_cast<int>(entry.list.size())) {
        entry.text = entry.list[chosen];
    }
}

std::string FrmMain::ZoneEntryName(const Control& entry) {
    return Trimmed(entry.text, " \t");
}

bool FrmMain::FindZoneOrRefuse(const Control& entry, const std::string& role,
                               const std::string& title, std::optional<Zone>& zone) {
    const std::string name = ZoneEntryName(entry);
    zone = name.empty() ? std::nullopt : Zone::Find(name);
    return name.empty() || zone || RefuseRun(UnknownZoneText(role, name), MsgIcon::None, title);
}

bool FrmMain::CheckBirthZone() {
    if (!FindZoneOrRefuse(txbBirthZone, "birth time", StartCaptionTitle(), birthZone)) {
        return false;
    }
    if (!birthZone) {
        return true;
    }
    const int64_t local = static_cast<int64_t>(request.birthJdn - kUnixEpochJdn) * kSecondsPerDay +
                          BirthMinutes() * int64_t{60};
    const std::optional<int64_t> instant = birthZone->InstantOf(local);
    if (!instant) {
        return RefuseRun("The birth time " + cboHour.SelectedText() + ":" +
                             cboMinute.SelectedText() + " does not exist in " + birthZone->Name() +
                             " on that day: the clocks were put forward.",
                         MsgIcon::None);
    }
    birthInstant = *instant;
    return true;
}

std::string FrmMain::BirthTimezoneText() const {
    return birthZone ? birthZone->Abbreviation(birthInstant) : cboTimezone[1].SelectedText();
}

}  // namespace zenthra
