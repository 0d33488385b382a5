#include "report/TransitCells.h"

#include <algorithm>
#include <array>

#include "calendar/DatePr2.h"
#include "engine/AngleText.h"

namespace zenthra {

namespace {

constexpr std::array<int, 3> kStartColumn = {kStartOuterColumn, kStartMiddleColumn,
                                             kStartInnerColumn};
constexpr std::array<int, 3> kEndColumn = {kEndOuterColumn, kEndMiddleColumn, kEndInnerColumn};

std::string Mark(const TransitRun& run, bool retrograde) {
    return run.retrogradeMarked && retrograde ? "r" : "";
}

int LastLine(const Transit& transit) {
    int last = 0;
    for (const OrbPassage& p : transit.passages) {
        last = std::max(last, p.line);
    }
    for (const TransitMinimum& m : transit.minima) {
        last = std::max(last, m.line);
    }
    return last;
}

}  // namespace

std::string MarkedDayText(const TransitRun& run, const MarkedDay& day) {
    return IsoDateText(day.day) + Mark(run, day.retrograde);
}

LocalTimeText ExactLocalTime(const TransitRun& run, const ExactMinimum& minimum) {
    const LocalInstant local = ToLocalInstant(minimum.instant, run.tzMinutes, run.zone);
    const std::string zone =
        run.zone ? run.zone->Abbreviation(InstantOfJulianDate(minimum.instant)) : run.timezoneText;
    return {local.day, FormatTimeOfDay(local.fraction, true, ":"), zone};
}

MinimumCells RenderMinimum(const TransitRun& run, const ExactMinimum& minimum) {
    const LocalTimeText local = ExactLocalTime(run, minimum);
    return {IsoDateText(local.day) + "*" + Mark(run, minimum.retrograde),
            local.time + " " + local.zone};
}

MinimumCells RenderMinimum(const TransitRun& run, const DailyMinimum& minimum) {
    return {IsoDateText(minimum.day) + Mark(run, minimum.retrograde),
            FormatAngle(minimum.deviation, false, false)};
}

std::vector<TableRow> TransitBlockRows(const TransitRun& run, const Transit& transit,
                                       bool aspectNameShown) {
    std::vector<TableRow> rows(LastLine(transit) + 1);
    if (aspectNameShown && transit.aspect != 0) {
        rows[0][kAspectColumn] = AspectName(transit.aspect);
    }
    for (const OrbPassage& p : transit.passages) {
        if (p.entry) {
            rows[p.line][kStartColumn[p.orb]] = MarkedDayText(run, *p.entry);
        }
        if (p.exit) {
            rows[p.line][kEndColumn[p.orb]] = MarkedDayText(run, *p.exit);
        }
    }
    for (const TransitMinimum& m : transit.minima) {
        const MinimumCells cells =
            std::visit([&run](const auto& value) { return RenderMinimum(run, value); }, m.value);
        rows[m.line][kMinimumAtColumn] = cells.at;
        rows[m.line][kMinimumColumn] = cells.minimum;
    }
    return rows;
}

}  // namespace zenthra
