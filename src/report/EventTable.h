// The table of a run's stations and sign ingresses that follows its transits: the local date
// and time of each event as the pane shows exact minima, what happened, and where in the sign.
#pragma once

#include <string>
#include <vector>

#include "engine/Transit.h"

namespace zenthra {

// "Aries" to "Pisces" for the signs 0 to 11.
const std::string& SignName(int sign);

// "19°41' Leo": degrees and minutes within the sign, cut rather than rounded, so that an
// ingress reads 0°0' of the sign entered or 29°59' of the sign re-entered.
std::string SignPositionText(double longitude);

struct EventCells {
    std::string date;
    std::string time;  // with the zone's text
    std::string event;
    std::string longitude;
};
EventCells RenderEvent(const TransitRun& run, const BodyEvent& event);

// "Stations and sign ingresses of Mars" (and of the second body of a world run).
std::string EventTableTitle(const std::vector<BodyCode>& bodies);

// The lines for the pane, each ended by CR LF: a blank line, the title, the headings, the
// rule, then one line per event or a line saying there were none.
std::vector<std::string> EventTableText(const TransitRun& run, const std::string& title);

// The same as an HTML table, without the line that closes it.
std::string EventTableHtml(const TransitRun& run, const std::string& title);

}  // namespace zenthra
