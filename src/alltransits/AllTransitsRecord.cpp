#include "alltransits/AllTransitsRecord.h"

#include <charconv>

#include "alltransits/AllTransitsTables.h"
#include "calendar/DatePr2.h"

namespace zenthra {

std::string TransitPairText(BodyCode transiting, AspectCode aspect, BodyCode natal) {
    return AllTransitsBodyName(transiting) + " " + AllTransitsAspectWord(aspect) + " " +
           AllTransitsBodyName(natal);
}

std::string EndText(const AllTransitsEnd& end, int style, const ReportZone& zone) {
    if (end.periodEdge) {
        return FormatReportInstant(end.day, style, zone.TextAtEndOf(end.day), true);
    }
    return FormatReportInstant(end.instant, style, zone.TextAt(end.julianDate), false);
}

std::string TransitRecordText(const AllTransitsTransit& transit, int style,
                              const ReportZone& zone) {
    const std::string start = EndText(transit.start, style, zone);
    const std::string end = EndText(transit.end, style, zone);
    return std::to_string(transit.start.day) + LastCharacters(start, kInstantKeyLength) +
           std::to_string(transit.transiting) + std::to_string(transit.aspect) +
           TwoDigits(transit.natal) + std::to_string(transit.end.day) +
           LastCharacters(end, kInstantKeyLength) +
           TransitPairText(transit.transiting, transit.aspect, transit.natal) + ", " +
           WithoutLast(start, kInstantKeyLength) + ", " + WithoutLast(end, kInstantKeyLength);
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
