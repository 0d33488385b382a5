#include "alltransits/AllTransitsRecord.h"

#include <charconv>

#include "alltransits/AllTransitsTables.h"
#include "calendar/DatePr2.h"

namespace zenthra {

std::string TransitPairText(BodyCode transiting, AspectCode aspect, BodyCode natal) {
    return AllTransitsBodyName(transiting) + " " + AllTransitsAspectWord(aspect) + " " +
           AllTransitsBodyName(natal);
}

std::string OpenTransitEntry(BodyCode transiting, AspectCode aspect, BodyCode natal,
                             const std::string& startText, int32_t startDay,
                             const std::string& startTime) {
    return TransitPairText(transiting, aspect, natal) + ", " + startText + ", " +
           std::to_string(startDay) + startTime + std::to_string(transiting) +
           std::to_string(aspect) + TwoDigits(natal);
}

std::string FinishedTransitRecord(const std::string& openEntry, int32_t endDay,
                                  const std::string& endTime, const std::string& endInstant) {
    return LastCharacters(openEntry, kOpenKeyLength) + std::to_string(endDay) + endTime +
           WithoutLast(openEntry, kOpenKeyLength) + WithoutLast(endInstant, kInstantKeyLength);
}

std::string RecordField(const std::string& record, int position, int width) {
    const size_t from = static_cast<size_t>(position - 1);
    return from < record.size() ? record.substr(from, static_cast<size_t>(width)) : "";
}

int32_t RecordNumber(const std::string& record, int position, int width) {
    const std::string field = RecordField(record, position, width);
    int32_t value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
}

}  // namespace zenthra
