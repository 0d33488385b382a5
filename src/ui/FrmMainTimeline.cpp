// The Timeline button: the transits of the last run or show-all sequence as a picture in a
// window of its own. The all-transits mode keeps its transits for the console's timelines.
#include <algorithm>

#include "calendar/DatePr2.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

std::string PeriodTitle(const TimelineSource& source) {
    std::string title = IsoDateText(source.firstDay) + " to " + IsoDateText(source.lastDay);
    return source.timezoneText.empty() ? title : title + ", " + source.timezoneText;
}

}  // namespace

Outcome FrmMain::cmdTimeline_Click() {
    if (!blnStartUpCompleted || timeline.transits.empty()) {
        return Outcome::Refused();
    }
    platform.ShowTimeline(TimelineOfLastRun());
    return Outcome::Done();
}

TimelineSource FrmMain::TimelineOfLastRun() const {
    TimelineSource source = timeline;
    source.title = "Transits " + PeriodTitle(source);
    AddRetrogradeStretches(source, request.sidereal ? Zodiac::Sidereal : Zodiac::Tropical);
    return source;
}

std::optional<TimelineSource> FrmMain::TimelineOfAllTransits(int orbDegrees) const {
    const auto kept = allTransitsKept.transits.find(orbDegrees);
    if (kept == allTransitsKept.transits.end()) {
        return std::nullopt;
    }
    TimelineSource source = AllTransitsSource(kept->second, orbDegrees, allTransitsKept.firstDay,
                                              allTransitsKept.lastDay, allTransitsKept.zone);
    source.timezoneText = allTransitsKept.timezoneText;
    source.title = "All transits, orb " + std::to_string(orbDegrees) + "°, " + PeriodTitle(source);
    AddRetrogradeStretches(source, Zodiac::Tropical);
    return source;
}

// A run of its own starts a new timeline; the runs of a show-all sequence add to one.
void FrmMain::KeepForTimeline() {
    const TransitRun& run = scan.Transits();
    if (!request.showAllMode || timelineSequenceStart) {
        timeline = {};
        timeline.firstDay = request.startJdn;
        timeline.lastDay = request.endJdn;
        timeline.tzMinutes = run.tzMinutes;
        timeline.zone = run.zone;
        timeline.timezoneText = run.zone ? run.zone->Name() : run.timezoneText;
        timeline.orbDegrees = {request.orbDegrees[0], request.orbDegrees[1], request.orbDegrees[2]};
        timelineSequenceStart = false;
    }
    timeline.firstDay = std::min(timeline.firstDay, request.startJdn);
    timeline.lastDay = std::max(timeline.lastDay, request.endJdn);
    AddRunTransits(timeline, run, request.isWorld);
    UpdateTimelineButton();
}

void FrmMain::UpdateTimelineButton() {
    cmdTimeline.enabled = !timeline.transits.empty() && cmdStart.caption != "Stop";
}

// The mode counts a list zone in whole hours.
void FrmMain::KeepAllTransitsPeriod(const AllTransitsRequest& all) {
    const ReportZone zone = ResultsZoneOf(all);
    allTransitsKept = {request.startJdn, request.endJdn, zone, zone.Name(), {}};
}

AllTransitsOptions FrmMain::KeepAllTransits(int16_t orbDegrees) {
    AllTransitsOptions options;
    options.transits = &allTransitsKept.transits[orbDegrees];
    return options;
}

}  // namespace zenthra
