#include "engine/TransitScan.h"

#include <cmath>
#include <optional>

#include "calendar/DatePr2.h"
#include "engine/AspectGeometry.h"
#include "engine/BodyEvents.h"
#include "engine/ExactMinimum.h"
#include "ephemeris/PlanetLongitude.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

// A deviation that lies outside every orb, for samples without a position.
constexpr double kNoDeviation = 10.0;

}  // namespace

double TransitScan::SecondLongitude(double instant) const {
    return request.isWorld ? PlanetLongitude(request.secondBody, instant, BasisOf(request))
                           : request.natalLongitude[request.secondBody];
}

std::optional<double> TransitScan::DeviationAt(double instant, AspectCode aspect) const {
    return PairDeviation(request.firstBody, request.secondBody, request.isWorld,
                         request.natalLongitude[request.secondBody], aspect, BasisOf(request))
        .At(instant);
}

bool TransitScan::RetrogradeAt(int32_t day) const {
    return IsRetrograde(request.firstBody, LocalMidnight(day, request.tzMinutes, request.zone),
                        BasisOf(request));
}

MarkedDay TransitScan::Marked(int32_t day) const {
    return {day, RetrogradeAt(day)};
}

void TransitScan::MoveStartBeforeTransit() {
    AspectCode inProgress = 0;
    const double start = LocalMidnight(request.startJdn, request.tzMinutes, request.zone);
    for (AspectCode a = 1; a <= kAspectsInUse && inProgress == 0; ++a) {
        const auto d = DeviationAt(start, a);
        if (d && InOrb(*d, request.orbRadians[kInnerOrb])) {
            inProgress = a;
        }
    }
    if (inProgress != 0) {
        int32_t d = request.startJdn;
        // Stops where the longitudes run out, before the range of their source.
        for (;;) {
            const auto before =
                DeviationAt(LocalMidnight(d - 1, request.tzMinutes, request.zone), inProgress);
            if (!before) {
                break;
            }
            --d;
            if (!InOrb(*before, request.orbRadians[kInnerOrb])) {
                break;
            }
        }
        request.startJdn = d;
    }
    RunTransitScan();
}

void TransitScan::ResetBlockCounters() {
    minimaCount = nextMiddleRow = nextInnerRow = middlePassRow = innerPassRow = 0;
}

void TransitScan::RunTransitScan() {
    if (!output.PaneIsEmpty()) {
        if (request.appendToOutput) {
            output.AppendToPane(std::string(kCrLf) + std::string(119, '-') + kCrLf);
        } else {
            output.ClearPane();
        }
    }
    output.ResetHtmlState();
    inOrb = {};
    table.SizeForPeriod(request.startJdn, request.endJdn);
    // Show-all world runs print no retrograde marks.
    run = {request.tzMinutes,
           window.ResultsTimezoneText(),
           !(request.showAllMode && request.isWorld),
           {}};
    run.zone = request.zone;
    block = {};
    output.WriteTableHeader(window.RunTitle());

    window.EnterRunningState();
    flags.stopRequested = false;
    blockRow = kFirstTransitRow;
    ResetBlockCounters();
    closestDeviation = 10.0;
    window.SetAppendToOutputVisible(false);

    for (int32_t w = request.startJdn; w <= request.endJdn; ++w) {
        if (!ScanDay(w)) {
            EndByStop();
            return;
        }
    }
    Finish();
}

bool TransitScan::ScanDay(int32_t w) {
    window.YieldToEventLoop();
    if (flags.stopRequested) {
        return false;
    }
    progressDateText = IsoDateText(w);
    window.SetProgressDate(progressDateText);
    if (w == request.startJdn) {
        window.ShowShortDate(progressDateText);
    }
    TakeSamples(w);
    DeriveDeviations();

    const OrbHandover handover = FindOrbHandover();
    const AspectCode active = FindActiveAspect(handover);
    if (active == 0) {
        return true;
    }
    // The outermost orb entered, the innermost stayed in, the outermost left.
    std::optional<int> entered, stayed, left;
    for (int o = kInnerOrb; o >= kOuterOrb; --o) {
        if (orbEvent[o][active] == kEnters) {
            entered = o;
        }
        if (orbEvent[o][active] == kStays && !stayed) {
            stayed = o;
        }
        if (orbEvent[o][active] == kLeaves) {
            left = o;
        }
    }
    if (entered) {
        RecordEntry(w, active, *entered);
    } else if (left) {
        RecordExit(w, active, *left, handover);
    } else if (stayed) {
        RecordStay(w, active, *stayed);
    }
    return true;
}

void TransitScan::TakeSamples(int32_t w) {
    const auto sample = [this](int32_t day) {
        const double t = LocalMidnight(day, request.tzMinutes, request.zone);
        return std::array<double, 2>{PlanetLongitude(request.firstBody, t, BasisOf(request)),
                                     SecondLongitude(t)};
    };
    if (w == request.startJdn) {
        for (int s = 0; s < kSamples; ++s) {
            longitude[s] = sample(w - 1 + s);
        }
    } else {
        longitude[0] = longitude[1];
        longitude[1] = longitude[2];
        longitude[2] = sample(w + 1);
    }
}

// A sample without a position (before or after the range of a source) takes the deviations
// of its nearest neighbour that has one, so that the edge of the range reads as neither an
// entry nor an exit nor a minimum.
void TransitScan::DeriveDeviations() {
    std::array<bool, kSamples> valid{};
    for (int s = 0; s < kSamples; ++s) {
        valid[s] = longitude[s][0] >= 0 && longitude[s][1] >= 0;
        const double separation = valid[s] ? Separation(longitude[s][0], longitude[s][1]) : 0;
        for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
            deviation[s][a] = valid[s] ? AspectDeviation(separation, a) : kNoDeviation;
        }
    }
    if (!valid[1]) {
        if (valid[2]) {
            deviation[1] = deviation[2];
        } else if (valid[0]) {
            deviation[1] = deviation[0];
        }
        valid[1] = valid[0] || valid[2];
    }
    for (int s : {0, 2}) {
        if (!valid[s] && valid[1]) {
            deviation[s] = deviation[1];
        }
    }
    for (int t = 0; t < 2; ++t) {
        for (int o = 0; o < kOrbs; ++o) {
            for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
                inOrb[t][o][a] = InOrb(deviation[t + 1][a], request.orbRadians[o]);
            }
        }
    }
}

OrbHandover TransitScan::FindOrbHandover() const {
    OrbHandover result;
    if (!request.outerOrbIs15) {
        return result;
    }
    for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
        if (inOrb[0][kOuterOrb][a] && !inOrb[1][kOuterOrb][a]) {
            result.leaving = a;
        }
        if (!inOrb[0][kOuterOrb][a] && inOrb[1][kOuterOrb][a]) {
            result.entering = a;
        }
    }
    result.handover = result.leaving != 0 && result.entering != 0;
    return result;
}

AspectCode TransitScan::FindActiveAspect(const OrbHandover& handover) {
    AspectCode active = 0;
    for (int o = 0; o < kOrbs; ++o) {
        for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
            const bool today = inOrb[0][o][a];
            const bool tomorrow = inOrb[1][o][a];
            orbEvent[o][a] =
                today ? (tomorrow ? kStays : kLeaves) : (tomorrow ? kEnters : kNoEvent);
        }
    }
    if (handover.handover) {
        orbEvent[kOuterOrb][handover.entering] = kNoEvent;
    }
    for (AspectCode a = 1; a <= kAspectsInUse; ++a) {
        for (int o = 0; o < kOrbs; ++o) {
            if (orbEvent[o][a] != kNoEvent) {
                active = a;
            }
        }
    }
    return active;
}

// A transit whose outer entry went unrecorded (in progress at the start, or entered on a day
// that recorded another event) begins its block here.
void TransitScan::WriteNameOnce(AspectCode aspect) {
    if (block.aspect == 0) {
        block.aspect = aspect;
        block.firstBody = request.firstBody;
        block.secondBody = request.secondBody;
    }
}

void TransitScan::ShowBlock() {
    output.PlaceTransitBlock(run, blockRow, block, true);
}

void TransitScan::BeginBlock(int32_t w, AspectCode aspect) {
    block = {aspect, request.firstBody, request.secondBody, {}, {}};
    block.PassageOn(kOuterOrb, 0).entry = Marked(w);
    ResetBlockCounters();
    ShowBlock();
}

void TransitScan::RecordEntry(int32_t w, AspectCode aspect, int orb) {
    // Below a 15° outer orb a fast body can leave one aspect's outer orb and enter the next
    // one's on the same day. Only the entry is handled then, so the block of the aspect
    // that left is still open: print it as it stands instead of writing the new block
    // over it.
    if (orb == kOuterOrb && !block.LineEmpty(0)) {
        FlushTransitBlock();
    }
    closestDeviation = deviation[1][aspect];
    closestDay = w;
    if (orb == kOuterOrb) {
        BeginBlock(w, aspect);
        return;
    }
    WriteNameOnce(aspect);
    int& passRow = orb == kMiddleOrb ? middlePassRow : innerPassRow;
    passRow = orb == kMiddleOrb ? nextMiddleRow : nextInnerRow;
    block.PassageOn(orb, passRow).entry = Marked(w);
    ShowBlock();
}

void TransitScan::PlaceMinimum(const std::variant<ExactMinimum, DailyMinimum>& minimum) {
    block.SetMinimum(minimaCount, minimum);
    MinimumWritten();
}

void TransitScan::MinimumWritten() {
    ++minimaCount;
    nextInnerRow = nextMiddleRow = minimaCount;
}

void TransitScan::TakeIfCloser(int32_t w, AspectCode aspect) {
    if (deviation[1][aspect] < closestDeviation) {
        closestDeviation = deviation[1][aspect];
        closestDay = w;
    }
}

void TransitScan::RecordExit(int32_t w, AspectCode aspect, int orb, const OrbHandover& handover) {
    // Today's midnight still lies inside the orb being left; the entry's midnight did not.
    TakeIfCloser(w, aspect);
    const MarkedDay day = Marked(w);
    if (orb == kInnerOrb) {
        block.PassageOn(kInnerOrb, innerPassRow).exit = day;
        WriteNameOnce(aspect);
        if (!block.MinimumOn(innerPassRow)) {
            // No daily minimum inside the orb began a search: its closest midnight does.
            if (const auto exact = FindExactMinimum(closestDay, aspect)) {
                PlaceMinimum(*exact);
            } else {
                PlaceMinimum(FindDailyMinimum(closestDay, aspect, closestDeviation));
            }
        }
    } else if (orb == kMiddleOrb) {
        block.PassageOn(kMiddleOrb, middlePassRow).exit = day;
        WriteNameOnce(aspect);
        if (!block.MinimumOn(middlePassRow)) {
            if (block.AnyEntryOn(minimaCount)) {
                block.SetMinimum(minimaCount,
                                 FindDailyMinimum(closestDay, aspect, closestDeviation));
            }
            MinimumWritten();
        }
    } else {
        block.PassageOn(kOuterOrb, 0).exit = day;
        WriteNameOnce(aspect);
        if (block.AnyEntryOn(0) && !block.MinimumOn(0)) {
            block.SetMinimum(minimaCount, FindDailyMinimum(closestDay, aspect, closestDeviation));
        }
        FlushTransitBlock();
        if (handover.handover && w != request.endJdn) {
            BeginBlock(w, handover.entering);
        }
        return;
    }
    ShowBlock();
}

void TransitScan::RecordStay(int32_t w, AspectCode aspect, int stayOrb) {
    const double today = deviation[1][aspect];
    if (w == request.startJdn) {
        closestDeviation = today;
        closestDay = request.startJdn;
    } else {
        TakeIfCloser(w, aspect);
    }
    const bool dailyMinimum = today < deviation[0][aspect] && today < deviation[2][aspect];
    if (stayOrb != kInnerOrb || !dailyMinimum) {
        return;
    }
    if (const auto exact = FindExactMinimum(w, aspect)) {
        WriteNameOnce(aspect);
        PlaceMinimum(*exact);
        closestDay = w;
        ShowBlock();
    }
}

std::optional<ExactMinimum> TransitScan::FindExactMinimum(int32_t day, AspectCode aspect) {
    const PairDeviation pair(request.firstBody, request.secondBody, request.isWorld,
                             request.natalLongitude[request.secondBody], aspect, BasisOf(request));
    const MinuteSearchResult found =
        literalMinuteSearch ? LiteralMinuteSearch(pair, day) : FastMinuteSearch(pair, day);
    ++minuteSearchStats.searches;
    minuteSearchStats.evaluations += found.evaluations;
    if (found.best >= kExactDeviation) {
        return std::nullopt;
    }
    const int32_t local = ToLocalInstant(found.bestInstant, request.tzMinutes, request.zone).day;
    return ExactMinimum{found.bestInstant, RetrogradeAt(local + 1)};
}

DailyMinimum TransitScan::FindDailyMinimum(int32_t day, AspectCode aspect, double deviation) {
    const int32_t d = AdjustMinimumDay(day, aspect, deviation);
    return {d, deviation, RetrogradeAt(d + 1)};
}

int32_t TransitScan::AdjustMinimumDay(int32_t day, AspectCode aspect, double deviation) {
    const auto halfPastMidnight = DeviationAt(day - 0.5 + 1.0 / 48, aspect);
    return halfPastMidnight && *halfPastMidnight > deviation ? day - 1 : day;
}

void TransitScan::FlushTransitBlock() {
    if (!output.HeaderWritten()) {
        output.WriteTableHeader(window.RunTitle());
    }
    // A transit of the same aspect as the one before it is printed without the aspect's name.
    const bool nameShown = run.transits.empty() || run.transits.back().aspect != block.aspect;
    output.PlaceTransitBlock(run, blockRow, block, nameShown);
    run.transits.push_back(std::move(block));
    block = {};
    int r = blockRow;
    while (!table.RowIsEmpty(r)) {
        output.WriteOutputRow(r);
        if (flags.stopRequested) {
            break;
        }
        ++r;
    }
    output.RefreshPane();
    blockRow = r;
    ResetBlockCounters();
    closestDeviation = 10.0;
}

void TransitScan::EndByStop() {
    output.AppendToPane("Stopped");
    window.EnterIdleState();
    output.CloseHtmlOutput();
    flags.stopRequested = false;
    window.HideShortDate();
}

void TransitScan::Finish() {
    if (!flags.stopRequested && !block.LineEmpty(0)) {
        FlushTransitBlock();
    }
    // A pane that filled up on the last day ends the run as a Stop would on the next one.
    if (flags.stopRequested) {
        EndByStop();
        return;
    }
    const bool noTransits = table.RowIsEmpty(kFirstTransitRow);
    if (noTransits) {
        output.AppendToPane(std::string("No transits in this period.") + kCrLf);
    }
    if (request.listEvents) {
        run.events = FindRunEvents(request);
        output.WriteEventTable(run, request.isWorld
                                        ? std::vector{request.firstBody, request.secondBody}
                                        : std::vector{request.firstBody});
        if (flags.stopRequested) {
            EndByStop();
            return;
        }
    }
    window.EnterIdleState();
    output.CloseHtmlOutput();
    if (request.showAllMode) {
        return;
    }
    if (noTransits) {
        window.MsgBox("There are no transits of this kind in the period specified.",
                      MsgIcon::Information, "No transits");
    } else {
        window.ShowDoneNotice();
    }
    if (output.PaneIsEmpty()) {
        window.UntickAppendToOutput();
        window.RestoreNormalLayout();
    }
    window.SetAppendToOutputVisible(!output.PaneIsEmpty());
}

}  // namespace zenthra
