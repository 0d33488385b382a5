// A transit of the all-transits mode as values, and as the one text the reports are made
// from: fixed-width key fields, then its description. Sorting the texts sorts the transits by
// their key fields; cutting a text from the front brings the next key first. All positions
// are 1-based; every character is ASCII.
//
//   1-7   start day (local JDN; the day before the period for a transit already in effect)
//   8-12  start time hh:mm ("24:00" for a transit already in effect)
//   13    transiting body code      14  aspect code      15-16  natal body code, "01" to "10"
//   17-23 end day (local JDN)       24-28 end time ("24:00" for a transit still in effect)
//   29-   "Jupiter square Sun, 2023-01-15 14:30 GMT+1, 2023-02-20 09:12 GMT+1"
#pragma once

#include <cstdint>
#include <string>

#include "alltransits/ReportZone.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

inline constexpr int kRecordStartTime = 8;
inline constexpr int kRecordTransiting = 13;
inline constexpr int kRecordAspect = 14;
inline constexpr int kRecordNatal = 15;
inline constexpr int kRecordEndDay = 17;
inline constexpr int kRecordEndTime = 24;
inline constexpr int kRecordDescription = 29;
inline constexpr int kRecordDayWidth = 7;
inline constexpr int kRecordTimeWidth = 5;

// The time of a period's edge.
inline const std::string kBoundaryTime = "24:00";

// Where a transit began or ended: the minute its orb was crossed, or the edge of the period
// for a transit already (or still) in effect there.
struct AllTransitsEnd {
    int32_t day = 0;  // local JDN of the day during which the orb was crossed, or of the edge
    // The minute of the crossing as a local day value: the JDN plus the fraction of the local
    // day. Not used at an edge.
    double instant = 0;
    bool periodEdge = false;  // 24:00 of `day`
    double julianDate = 0;    // of the crossing, UT; not used at an edge
};

struct AllTransitsTransit {
    BodyCode transiting = kSun;
    AspectCode aspect = kConjunction;
    BodyCode natal = kSun;
    AllTransitsEnd start;
    AllTransitsEnd end;
};

// "Jupiter square Sun".
std::string TransitPairText(BodyCode transiting, AspectCode aspect, BodyCode natal);

// The record of a finished transit, its instants in a date style of the reports and the
// results' zone.
std::string TransitRecordText(const AllTransitsTransit& transit, int style, const ReportZone& zone);

// The text of an end as FormatReportInstant gives it.
std::string EndText(const AllTransitsEnd& end, int style, const ReportZone& zone);

// The field at a 1-based position of a record, as text or as a number (0 when it is none).
std::string RecordField(const std::string& record, int position, int width);
int32_t RecordNumber(const std::string& record, int position, int width);

}  // namespace zenthra
