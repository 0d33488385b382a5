#include "alltransits/AllTransits.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "alltransits/AllTransitsRecord.h"
#include "alltransits/AllTransitsReport.h"
#include "alltransits/AllTransitsTables.h"
#include "alltransits/DaysFile.h"
#include "alltransits/ReportFiles.h"
#include "alltransits/ReportZone.h"
#include "calendar/DatePr2.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

// Only the narrowest orb gets a day file.
constexpr int16_t kDayFileOrb = 1;

constexpr int32_t kShortestPeriod = 7;  // end - start
constexpr int16_t kTimezoneHoursLimit = 12;

struct PeriodDays {
    int32_t start = 0;
    int32_t end = 0;
    int32_t birth = 0;
    double birthDate = 0;  // Julian date (UT) of the birth
};

bool YearBefore(int16_t year) {
    return year < kAllTransitsFirstYear;
}

bool YearAfter(int16_t year) {
    return year > kAllTransitsLastYear;
}

// The checks on the plain numbers, in their fixed order.
int16_t CheckNumbers(const AllTransitsRequest& r) {
    if (r.birthHour < 0 || r.birthHour > 23 || r.birthMinute < 0 || r.birthMinute > 59) {
        return kBirthTimeInvalid;
    }
    const std::array<std::pair<bool, AllTransitsCode>, 9> checks = {{
        {YearBefore(r.startYear), kStartYearTooEarly},
        {YearAfter(r.startYear), kStartYearTooLate},
        {YearBefore(r.endYear), kEndYearTooEarly},
        {YearAfter(r.endYear), kEndYearTooLate},
        {YearBefore(r.birthYear), kBirthYearTooEarly},
        {YearAfter(r.birthYear), kBirthYearTooLate},
        {std::abs(r.birthTimezoneHours) >= kTimezoneHoursLimit, kBirthTimezoneInvalid},
        {std::abs(r.resultsTimezoneHours) >= kTimezoneHoursLimit, kResultsTimezoneInvalid},
        {r.orb < 0 || r.orb > kLargestAllTransitsOrb, kOrbInvalid},
    }};
    for (const auto& [failed, code] : checks) {
        if (failed) {
            return code;
        }
    }
    return kAllTransitsDone;
}

int16_t ConvertDates(const AllTransitsRequest& r, PeriodDays& days) {
    const DateJdn start = DateToJdn(r.startYear, r.startMonth, r.startDay);
    if (!start.valid) {
        return kStartDateInvalid;
    }
    const DateJdn end = DateToJdn(r.endYear, r.endMonth, r.endDay);
    if (!end.valid) {
        return kEndDateInvalid;
    }
    const DateJdn birth = DateToJdn(r.birthYear, r.birthMonth, r.birthDay);
    if (!birth.valid) {
        return kBirthDateInvalid;
    }
    days = {start.jdn, end.jdn, birth.jdn};
    if (days.birth > days.start) {
        return kBirthAfterStart;
    }
    if (days.end - days.start < kShortestPeriod) {
        return kPeriodTooShort;
    }
    if (days.end - days.start > kLongestAllTransitsPeriod) {
        return kPeriodTooLong;
    }
    return kAllTransitsDone;
}

// The birth's instant; a time the clocks skipped is no birth time.
int16_t ConvertBirthTime(const AllTransitsRequest& r, PeriodDays& days) {
    const std::optional<double> date =
        BirthZoneOf(r).JulianDateOf(days.birth, r.birthHour * 60 + r.birthMinute);
    if (!date) {
        return kBirthTimeInvalid;
    }
    days.birthDate = *date;
    return kAllTransitsDone;
}

// Before anything is computed, whether the report can be written at all. The earlier report
// of that name stays until the new one is complete.
int16_t StartReportFile(const AllTransitsRequest& r) {
    return CanWriteReport(r.filePath) ? kAllTransitsDone : kReportFileFailed;
}

using AspectStates = std::array<std::array<AspectCode, kLastTransitingBody + 1>,
                                kLastNatalBody + 1>;  // [natal][transiting]

// One orb from the natal positions to the written report.
class OrbComputation {
  public:
    OrbComputation(const AllTransitsRequest& r, const PeriodDays& days, AllTransitsWindow& window,
                   const AllTransitsOptions& options)
        : r(r),
          days(days),
          window(window),
          options(options),
          birthZone(BirthZoneOf(r)),
          results(ResultsZoneOf(r)),
          orbRadians(r.orb * kAllTransitsTurn / 360) {
        InitAllTransitsTables(tables);
    }

    int16_t Run() {
        FillLongitudes(days.birthDate, natal, true, r.pluto);
        window.AppendToPane("Now calculating transits for orb of " + std::to_string(r.orb) +
                            " degree" + PluralSuffix(r.orb) + " ..." + kCrLf);
        FillLongitudes(results.DayStart(days.start), today, false, r.pluto);
        FillLongitudes(results.DayStart(days.start + 1), tomorrow, false, r.pluto);
        OpenTransitsInEffectAtStart();
        if (r.orb == kDayFileOrb) {
            daysTable = MakeDaysTable(days.start, days.end);
            if (!daysTable) {
                return kDayTableFailed;
            }
        }
        for (int32_t day = days.start; day <= days.end; ++day) {
            if (const int16_t code = ScanDay(day)) {
                return code;
            }
        }
        if (options.transits != nullptr) {
            *options.transits = tables.transits;
        }
        return WriteReport();
    }

  private:
    // The birth as a local day value.
    double BirthValue() const { return days.birth + (r.birthHour * 60 + r.birthMinute) / 1440.0; }

    void OpenTransitsInEffectAtStart() {
        const AllTransitsEnd dayBefore{days.start - 1, 0, true};
        for (BodyCode t = kSun; t <= kLastTransitingBody; ++t) {
            for (BodyCode n = kSun; n <= kLastNatalBody; ++n) {
                const AspectCode a = FirstAspectInOrb(today[t], natal[n], orbRadians);
                todayState[n][t] = a;
                if (a > 0) {
                    Open({t, a, n, dayBefore, {}});
                }
            }
        }
    }

    int16_t ScanDay(int32_t day) {
        window.YieldToEventLoop();
        // Today's midnight was yesterday's tomorrow, and the first one's states were taken
        // with the transits in effect at the start.
        if (day > days.start) {
            today = tomorrow;
            todayState = tomorrowState;
            FillLongitudes(results.DayStart(day + 1), tomorrow, false, r.pluto);
        }
        for (BodyCode t = kSun; t <= kLastTransitingBody; ++t) {
            for (BodyCode n = kSun; n <= kLastNatalBody; ++n) {
                tomorrowState[n][t] = FirstAspectInOrb(tomorrow[t], natal[n], orbRadians);
            }
        }
        for (BodyCode t = kSun; t <= kLastTransitingBody; ++t) {
            for (BodyCode n = kSun; n <= kLastNatalBody; ++n) {
                if (const int16_t code = FollowPair(day, t, n)) {
                    return code;
                }
            }
        }
        return kAllTransitsDone;
    }

    // What happens to one pair during a day: it leaves the orb, enters it, or is still in it
    // at the end of the period.
    int16_t FollowPair(int32_t day, BodyCode t, BodyCode n) {
        const AspectCode s0 = todayState[n][t];
        const AspectCode s1 = tomorrowState[n][t];
        if (s1 == 0 && s0 >= 1) {
            if (const int16_t code = Close(t, s0, n, Crossing(false, day, t, n, s0))) {
                return code;
            }
        }
        if (s1 >= 1 && s0 == 0) {
            Open({t, s1, n, Crossing(true, day, t, n, s1), {}});
        }
        if (s1 >= 1 && day == days.end) {
            return Close(t, s1, n, {day, 0, true});
        }
        return kAllTransitsDone;
    }

    AllTransitsEnd Crossing(bool entry, int32_t day, BodyCode t, BodyCode n, AspectCode a) const {
        const OrbCrossingQuery query{entry,
                                     results.DayStart(day),
                                     t,
                                     natal[n],
                                     a,
                                     orbRadians,
                                     results.DayMinutes(day),
                                     {kAllTransitsZodiac, r.pluto}};
        const double date = options.literalCrossingSearch
                                ? FindOrbCrossingMinuteLiteral(query, options.stats)
                                : FindOrbCrossingMinute(query, options.stats);
        return {day, results.LocalValue(date), false, date};
    }

    void Open(const AllTransitsTransit& transit) {
        // At most one transit per pair is open, fewer than the slots.
        if (const int slot = FreeOpenSlot(tables)) {
            tables.openTransits[slot] = transit;
        }
    }

    int16_t Close(BodyCode t, AspectCode a, BodyCode n, const AllTransitsEnd& end) {
        for (auto& open : tables.openTransits) {
            if (!open || open->transiting != t || open->aspect != a || open->natal != n) {
                continue;
            }
            if (static_cast<int>(tables.transits.size()) >= options.transitLimit) {
                return kTooManyTransits;
            }
            open->end = end;
            tables.transits.push_back(*open);
            ++transitingCounts[t];
            ++natalCounts[n];
            open.reset();
            return kAllTransitsDone;
        }
        return kAllTransitsDone;
    }

    int16_t WriteReport() {
        AllTransitsReportInputs in;
        in.path = r.filePath;
        in.style = r.dateStyle;
        in.transitingCounts = transitingCounts;
        in.natalCounts = natalCounts;
        in.birthText = WithoutLast(
            FormatReportInstant(BirthValue(), r.dateStyle, birthZone.TextAt(days.birthDate), false),
            kInstantKeyLength);
        in.startJdn = days.start;
        in.endJdn = days.end;
        in.zone = results;
        in.orb = r.orb;
        std::vector<std::string> records;
        for (const AllTransitsTransit& transit : tables.transits) {
            records.push_back(TransitRecordText(transit, r.dateStyle, results));
            if (results.Named() && !transit.start.periodEdge && !transit.end.periodEdge) {
                in.durations[records.back()] = static_cast<int32_t>(std::llround(
                    (transit.end.julianDate - transit.start.julianDate) * kMinutesInDay));
            }
        }
        ReportFileSet own;
        ReportFileSet& files = r.staged != nullptr ? *r.staged : own;
        if (const int16_t code = WriteAllTransitsReport(
                in, records, daysTable ? &*daysTable : nullptr, window, files)) {
            return code;
        }
        return r.staged != nullptr || own.CommitAll() ? kAllTransitsDone : kReportFileFailed;
    }

    const AllTransitsRequest& r;
    const PeriodDays days;
    AllTransitsWindow& window;
    const AllTransitsOptions& options;
    const ReportZone birthZone;
    const ReportZone results;
    const double orbRadians;
    AllTransitsTables tables;
    TransitCounts transitingCounts{};
    TransitCounts natalCounts{};
    BodyLongitudes natal{};
    BodyLongitudes today{};
    BodyLongitudes tomorrow{};
    AspectStates todayState{};
    AspectStates tomorrowState{};
    std::optional<DaysTable> daysTable;
};

}  // namespace

ReportZone BirthZoneOf(const AllTransitsRequest& request) {
    return request.birthZone ? ReportZone(*request.birthZone)
                             : ReportZone(static_cast<int16_t>(request.birthTimezoneHours * 60));
}

ReportZone ResultsZoneOf(const AllTransitsRequest& request) {
    return request.resultsZone
               ? ReportZone(*request.resultsZone)
               : ReportZone(static_cast<int16_t>(request.resultsTimezoneHours * 60));
}

int16_t ComputeAllTransits(const AllTransitsRequest& request, AllTransitsWindow& window,
                           const AllTransitsOptions& options) {
    window.AppendToPane(std::string(kCrLf) + "Output file: " + request.filePath + kCrLf);
    PeriodDays days;
    if (const int16_t code = CheckNumbers(request)) {
        return code;
    }
    if (const int16_t code = ConvertDates(request, days)) {
        return code;
    }
    if (const int16_t code = ConvertBirthTime(request, days)) {
        return code;
    }
    if (request.pluto == PlutoSource::Table && !LoadPlutoTable(kPlutoFileName, window)) {
        return kPlutoTableUnreadable;
    }
    if (const int16_t code = StartReportFile(request)) {
        return code;
    }
    return OrbComputation(request, days, window, options).Run();
}

}  // namespace zenthra
