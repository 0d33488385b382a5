// The first-transit search's button: its checks, its messages and its progress label around
// the engine's search, then the period found listed like a run.
#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "engine/FirstTransitSearch.h"
#include "ephemeris/Angles.h"
#include "support/FileProc.h"
#include "ui/FrmMain.h"
#include "ui/WindowLook.h"

namespace zenthra {

namespace {

// Middle and inner orbs for each search orb from 5 to 15 degrees.
struct SearchOrbs {
    int16_t middle;
    int16_t inner;
};
constexpr std::array<SearchOrbs, 11> kSearchOrbs = {
    {{3, 1}, {4, 2}, {5, 3}, {6, 4}, {6, 3}, {6, 2}, {7, 3}, {8, 4}, {8, 4}, {9, 4}, {10, 5}}};
constexpr int16_t kSmallestSearchOrb = 5;

}  // namespace

Outcome FrmMain::cmdSearch_Click() {
    if (!CheckDateFieldsFilled(1) || !CheckRunDate(1)) {
        return Outcome::Refused();
    }
    const bool world = IsWorld();
    if (!world && !CheckBirthData(true)) {
        return Outcome::Refused();
    }
    if (!FindZoneOrRefuse(txbResultZone, "results", "Search", request.zone)) {
        return Outcome::Refused();
    }
    if (!request.zone && cboTimezone[0].ListIndex() <= 0) {
        platform.MsgBox(
            "Please specify the timezone for the results, or use the default GMT timezone.",
            MsgIcon::None, "Search");
        cboTimezone[0].SetListIndex(kGreenwichIndex);
        return Outcome::Refused();
    }
    ReadBodies();
    if (world && request.firstBody >= request.secondBody) {
        platform.MsgBox("Outer planet must be beyond inner planet", MsgIcon::Information, "Search");
        return Outcome::Refused();
    }
    request.orbDegrees[kOuterOrb] = static_cast<int16_t>(cboOrbs[0].ListIndex() + 1);
    if (!DeriveSearchOrbs()) {
        return Outcome::Refused();
    }
    for (int i = 0; i < 3; ++i) {
        request.orbRadians[i] = request.orbDegrees[i] * kFullTurn / 360;
    }
    request.outerOrbIs15 = request.orbDegrees[kOuterOrb] == 15;
    if (NeedsPluto(request) && !EnsurePlutoTable()) {
        return Outcome::Refused();
    }
    if (!CheckBodyRange(1)) {
        return Outcome::Refused();
    }
    const AspectCode aspect = static_cast<AspectCode>(cboSearchAspect.ListIndex() + 1);
    if (aspect < 1 || aspect > kAspectsInUse) {
        platform.MsgBox("Please choose the aspect to search for.", MsgIcon::Information, "Search");
        return Outcome::Refused();
    }
    SetZodiac();
    if (!world) {
        ComputeNatalLongitude();
        if (!CheckNatalRange()) {
            return Outcome::Refused();
        }
    }
    const int32_t endDate = request.endJdn;
    request.startJdn = request.endJdn = -1;
    request.tzMinutes = static_cast<int16_t>(TimezoneMinutes(cboTimezone[0].ListIndex()));
    request.appendToOutput = chkAppendToOutput.Value() != 0;
    request.listEvents = chkEvents.Value() != 0;
    request.showAllMode = false;

    const FirstTransitQuery query{request.firstBody,
                                  request.secondBody,
                                  aspect,
                                  request.orbRadians[kOuterOrb],
                                  world,
                                  request.natalLongitude[request.secondBody],
                                  request.tzMinutes,
                                  endDate,
                                  BasisOf(request),
                                  request.zone};
    const FirstTransitResult found = FindFirstTransit(
        query, {[this](RangeFault fault) {
                    platform.MsgBox(RangeErrorText(fault, request.firstBody, request.secondBody),
                                    MsgIcon::Exclamation, "Error");
                },
                [this](int32_t day) {
                    lblShortDate.caption = IsoDateText(day);
                    lblShortDate.visible = true;
                    lblShortDate.foreColor = kProgressText;
                }});
    if (found.fault != RangeFault::None) {
        return ReportNoCompleteTransit(
            RangeErrorText(found.fault, request.firstBody, request.secondBody), aspect,
            found.reached);
    }
    request.startJdn = found.startJdn;
    request.endJdn = found.endJdn;
    const Outcome outcome = HandToScan(false);
    if (chkKeepDates.Value() == 0 && !table.RowIsEmpty(kFirstTransitRow)) {
        WriteDateFields(0, found.startJdn);
        WriteDateFields(1, found.endJdn);
    }
    return outcome;
}

void FrmMain::WriteDateFields(int group, int32_t jdn) {
    const GregorianDate date = JdnToDate(jdn);
    txbYear[group].text = std::to_string(date.year);
    txbMonth[group].text = std::to_string(date.month);
    txbDay[group].text = std::to_string(date.day);
    RefreshDateLabel(group);
}

std::string FrmMain::RangeErrorText(RangeFault fault, BodyCode firstBody,
                                    BodyCode secondBody) const {
    const bool beyond = fault == RangeFault::SecondBeyond || fault == RangeFault::FirstBeyond;
    const bool second = fault == RangeFault::SecondBeyond || fault == RangeFault::SecondPrior;
    return std::string(beyond ? "Date is beyond allowable date range for "
                              : "Date is prior to allowable date range for ") +
           BodyName(second ? secondBody : firstBody) + ".";
}

bool FrmMain::DeriveSearchOrbs() {
    const int16_t orb = request.orbDegrees[kOuterOrb];
    const std::string leadIn = IsWorld() ? "With" : "With transiting";
    const BodyCode first = request.firstBody;
    if (orb < kSmallestSearchOrb) {
        platform.MsgBox("The search orb must be at least 5°.", MsgIcon::Information,
                        "Search orb value");
        return false;
    }
    const bool mercuryTooSmall = first == kMercury && orb < 7;
    const bool innerTooSmall = (first == kSun || first == kVenus || first == kMars) && orb < 6;
    if (mercuryTooSmall || innerTooSmall) {
        platform.MsgBox(leadIn +
                            (mercuryTooSmall ? " Mercury the search orb must be at least 7"
                                             : " Sun, Venus or Mars the search orb must be "
                                               "at least 6") +
                            "°" + ".",
                        MsgIcon::Information, "Search orb value");
        return false;
    }
    const SearchOrbs& derived = kSearchOrbs[orb - kSmallestSearchOrb];
    request.orbDegrees[kMiddleOrb] = derived.middle;
    request.orbDegrees[kInnerOrb] = derived.inner;
    return true;
}

Outcome FrmMain::ReportNoCompleteTransit(const std::string& errorText, AspectCode aspect,
                                         int32_t day) {
    lblShortDate.visible = false;
    const std::string text = "No complete " + LowerCase(AspectName(aspect)) +
                             " transit found up to " + IsoDateText(day) + " CE ." + kCrLf +
                             errorText;
    platform.MsgBox(text, MsgIcon::Exclamation, "Date out of range");
    return Outcome::Failed(text);
}

}  // namespace zenthra
