// The all-transits mode: every personal transit of the Sun to Pluto to the natal Sun to Moon
// in the five aspects over a period, for one orb, to the minute, written as a report file
// (and for the 1-degree orb a day file).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "alltransits/AllTransitsTables.h"
#include "alltransits/AllTransitsWindow.h"
#include "alltransits/OrbCrossing.h"
#include "alltransits/ReportFiles.h"
#include "alltransits/ReportZone.h"
#include "calendar/Zone.h"

namespace zenthra {

struct AllTransitsRequest {
    int16_t startYear = 0, startMonth = 0, startDay = 0;
    int16_t endYear = 0, endMonth = 0, endDay = 0;
    int16_t birthYear = 0, birthMonth = 0, birthDay = 0;
    int16_t birthHour = 0, birthMinute = 0;  // local birth time
    int16_t birthTimezoneHours = 0;          // whole hours east of Greenwich
    int16_t resultsTimezoneHours = 0;
    // Named zones in place of the whole hours: the birth time is converted with the offset in
    // force then, and the results follow the local days and clocks of theirs.
    std::optional<Zone> birthZone;
    std::optional<Zone> resultsZone;
    int16_t orb = 0;        // whole degrees
    int16_t dateStyle = 0;  // 0 to 3, see FormatReportInstant
    std::string filePath;   // the report file
    PlutoSource pluto = PlutoSource::Table;
    // Where the finished files wait until every orb of the run is done; without it they are
    // moved into place as soon as they are complete.
    ReportFileSet* staged = nullptr;
};

// What ComputeAllTransits returns.
enum AllTransitsCode : int16_t {
    kAllTransitsDone = 0,
    kReportFileFailed = 1,
    kStartDateInvalid = 3,
    kEndDateInvalid = 4,
    kBirthDateInvalid = 5,
    kBirthTimeInvalid = 6,
    kStartYearTooEarly = 7,
    kStartYearTooLate = 8,
    kEndYearTooEarly = 9,
    kEndYearTooLate = 10,
    kBirthAfterStart = 11,
    kBirthYearTooEarly = 12,
    kBirthYearTooLate = 13,
    kPeriodTooShort = 14,  // end - start below 7 days
    kBirthTimezoneInvalid = 15,
    kResultsTimezoneInvalid = 16,
    kPeriodTooLong = 17,  // end - start above 1240 days
    kPlutoTableUnreadable = 18,
    kOrbInvalid = 19,
    kTooManyTransits = 20,
    kDayTableFailed = 30,
};

struct AllTransitsOptions {
    // The minute-by-minute crossing search instead of the fast one: the oracle of the tests.
    bool literalCrossingSearch = false;
    OrbCrossingStats* stats = nullptr;
    // The most finished transits; lower only where a test needs the limit within reach.
    int transitLimit = kMostAllTransits;
    // Receives the transits of a computation that got through its period, in the order they
    // ended; their local instants are in the results' zone.
    std::vector<AllTransitsTransit>* transits = nullptr;
};

// The zones of a request: its named zone, or else its whole hours.
ReportZone BirthZoneOf(const AllTransitsRequest& request);
ReportZone ResultsZoneOf(const AllTransitsRequest& request);

// Computes one orb and writes its files. Appends two lines to the window's pane; shows no
// message of its own except the Pluto table's. A computation that fails leaves the files of
// its names as they were.
int16_t ComputeAllTransits(const AllTransitsRequest& request, AllTransitsWindow& window,
                           const AllTransitsOptions& options = {});

}  // namespace zenthra
