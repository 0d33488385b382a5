// The first-transit search: steps day by day after the end date until it has bracketed the
// first complete transit of the chosen aspect, then lists that period like a run.
#include <cmath>

#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "engine/AspectGeometry.h"
#include "ephemeris/PlanetLongitude.h"
#include "support/FileProc.h"
#include "ui/FrmMain.h"
#include "ui/WindowLook.h"

namespace zenthra {

namespace {

constexpr int16_t kSecondBeyond = -1;
constexpr int16_t kFirstBeyond = -2;
constexpr int16_t kSecondPrior = -3;
constexpr int16_t kFirstPrior = -4;

// Middle and inner orbs for each search orb from 5 to 15 degrees.
struct SearchOrbs {
    int16_t middle;
    int16_t inner;
};
constexpr std::array<SearchOrbs, 11> kSearchOrbs = {
    {{3, 1}, {4, 2}, {5, 3}, {6, 4}, {6, 3}, {6, 2}, {7, 3}, {8, 4}, {8, 4}, {9, 4}, {10, 5}}};
constexpr int16_t kSmallestSearchOrb = 5;

// A longitude outside its source's range, as a status: whole part -100 is beyond.
int16_t RangeStatus(double longitude, int16_t beyond, int16_t prior) {
    return std::trunc(longitude) == kAfterRange ? beyond : prior;
}

std::string ShortDate(int32_t day) {
    return FormatShortDate(day, kYearMonthDay, "-", ",", false);
}

}  // namespace

Outcome FrmMain::cmdSearch_Click() {
    if (!CheckDateFieldsFilled(1) || !CheckRunDate(1)) {
        return Outcome::Refused();
    }
    const bool world = IsWorld();
    if (!world && !CheckBirthData(true)) {
        return Outcome::Refused();
    }
    if (cboTimezone[0].ListIndex() <= 0) {
        platform.MsgBox(
            "Please specify the timezone for the results, or use the default GMT timezone.",
            MsgIcon::None, "Search");
        cboTimezone[0].SetListIndex(24);
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
    request.tzMinutes = static_cast<int16_t>((cboTimezone[0].ListIndex() - 24) * 30);
    request.appendToOutput = chkAppendToOutput.Value() != 0;
    request.showAllMode = false;

    const double orb = request.orbRadians[kOuterOrb];
    const double natal = request.natalLongitude[request.secondBody];
    int16_t status = 0;
    const auto step = [&](int32_t from, bool wantInOrb) {
        status = 0;
        return StepToOrbChange(from, wantInOrb, request.tzMinutes, request.firstBody,
                               request.secondBody, aspect, orb, world, natal, status);
    };
    const auto failed = [&](int32_t day) {
        return status < 0
                   ? ReportNoCompleteTransit(
                         RangeErrorText(status, request.firstBody, request.secondBody), aspect, day)
                   : Outcome::Done();
    };
    int32_t d = endDate + 1;
    if (TestAspectInOrb(request.firstBody, request.secondBody, d - 0.5, aspect, orb, world, natal,
                        true, status) == 1) {
        d = step(d, false);
        if (Outcome none = failed(d); !none.IsDone()) {
            return none;
        }
    }
    const int32_t s = step(d, true);
    if (Outcome none = failed(s); !none.IsDone()) {
        return none;
    }
    const int32_t e = step(s + 1, false);
    if (Outcome none = failed(e); !none.IsDone()) {
        return none;
    }
    request.startJdn = s;
    request.endJdn = e;
    const Outcome outcome = HandToScan(false);
    if (chkKeepDates.Value() == 0 && !table.RowIsEmpty(kFirstTransitRow)) {
        WriteDateFields(0, s);
        WriteDateFields(1, e);
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

int16_t FrmMain::TestAspectInOrb(BodyCode firstBody, BodyCode secondBody, double instant,
                                 AspectCode aspect, double orb, bool isWorld, double natalLongitude,
                                 bool showRangeErrors, int16_t& status) {
    const bool computeSecond = isWorld || natalLongitude < 0;
    const double second = computeSecond ? PlanetLongitude(secondBody, instant) : natalLongitude;
    if (computeSecond && second < 0) {
        status = RangeStatus(second, kSecondBeyond, kSecondPrior);
    }
    double first = 0;
    if (status == 0) {
        first = PlanetLongitude(firstBody, instant);
        if (first < 0) {
            status = RangeStatus(first, kFirstBeyond, kFirstPrior);
        }
    }
    if (status < 0) {
        if (showRangeErrors) {
            platform.MsgBox(RangeErrorText(status, firstBody, secondBody), MsgIcon::Exclamation,
                            "Error");
        }
        return 0;
    }
    return InOrb(AspectDeviation(Separation(first, second), aspect), orb) ? 1 : 0;
}

int32_t FrmMain::StepToOrbChange(int32_t firstDay, bool wantInOrb, int16_t tzMinutes,
                                 BodyCode firstBody, BodyCode secondBody, AspectCode aspect,
                                 double orb, bool isWorld, double natalLongitude, int16_t& status) {
    for (int32_t n = firstDay;; ++n) {
        if (n != firstDay) {
            lblShortDate.caption = ShortDate(n);
            lblShortDate.visible = true;
            lblShortDate.foreColor = kProgressText;
        }
        const int16_t inOrb = TestAspectInOrb(firstBody, secondBody, LocalMidnight(n, tzMinutes),
                                              aspect, orb, isWorld, natalLongitude, false, status);
        if (status < 0) {
            return n;
        }
        if ((inOrb == 1) == wantInOrb) {
            return wantInOrb ? n - 1 : n;
        }
    }
}

std::string FrmMain::RangeErrorText(int16_t status, BodyCode firstBody, BodyCode secondBody) const {
    const bool beyond = status == kSecondBeyond || status == kFirstBeyond;
    const bool second = status == kSecondBeyond || status == kSecondPrior;
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
                             " transit found up to " + ShortDate(day) + " CE ." + kCrLf + errorText;
    platform.MsgBox(text, MsgIcon::Exclamation, "Date out of range");
    return Outcome::Failed(text);
}

}  // namespace zenthra
