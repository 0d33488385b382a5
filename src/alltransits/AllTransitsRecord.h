// A finished transit as one text: fixed-width key fields, then its description. Sorting the
// texts sorts the transits by their key fields; cutting a text from the front brings the next
// key first. All positions are 1-based; every character is ASCII.
//
//   1-7   start day (local JDN; the day before the period for a transit already in effect)
//   8-12  start time hh:mm ("24:00" for a transit already in effect)
//   13    transiting body code      14  aspect code      15-16  natal body code, "01" to "10"
//   17-23 end day (local JDN)       24-28 end time ("24:00" for a transit still in effect)
//   29-   "Jupiter square Sun, 2023-01-15 14:30 GMT+1, 2023-02-20 09:12 GMT+1"
#pragma once

#include <cstdint>
#include <string>

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

// The key of a transit that has begun: start day, start time and the three codes.
inline constexpr size_t kOpenKeyLength = 16;

// The time of a period's edge.
inline const std::string kBoundaryTime = "24:00";

// "Jupiter square Sun": how an open entry is found again.
std::string TransitPairText(BodyCode transiting, AspectCode aspect, BodyCode natal);

// The description head ("Jupiter square Sun, " + start text + ", ") followed by the key.
std::string OpenTransitEntry(BodyCode transiting, AspectCode aspect, BodyCode natal,
                             const std::string& startText, int32_t startDay,
                             const std::string& startTime);

// The finished record of an open entry: its key, the end day and time, its head and the end
// text (`endInstant`, a FormatReportInstant text, without its repeated time).
std::string FinishedTransitRecord(const std::string& openEntry, int32_t endDay,
                                  const std::string& endTime, const std::string& endInstant);

// The field at a 1-based position of a record, as text or as a number (0 when it is none).
std::string RecordField(const std::string& record, int position, int width);
int32_t RecordNumber(const std::string& record, int position, int width);

}  // namespace zenthra
