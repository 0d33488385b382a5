#include "report/EventTable.h"

#include <array>
#include <cmath>

#include "calendar/DatePr2.h"
#include "engine/BodyEvents.h"
#include "report/TableLayout.h"
#include "report/TransitCells.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

constexpr size_t kDateWidth = 12;
constexpr size_t kTimeWidth = 16;
constexpr size_t kEventWidth = 30;

const std::array<std::string, 4> kHeadings = {"Date", "Time", "Event", "Longitude"};

std::string EventText(const BodyEvent& event) {
    const std::string& body = BodyName(event.body);
    switch (event.kind) {
        case BodyEventKind::StationRetrograde:
            return body + " stations retrograde";
        case BodyEventKind::StationDirect:
            return body + " stations direct";
        case BodyEventKind::Ingress:
            break;
    }
    const std::string& sign = SignName(SignOf(event.longitude));
    return body + (event.retrograde ? " retrogrades into " : " enters ") + sign;
}

std::string TextLine(const std::array<std::string, 4>& cells) {
    return PadOnly(cells[0], kDateWidth) + "| " + PadOnly(cells[1], kTimeWidth) + "| " +
           PadOnly(cells[2], kEventWidth) + "| " + cells[3] + kCrLf;
}

}  // namespace

const std::string& SignName(int sign) {
    static const std::array<std::string, 12> kSigns = {
        "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
        "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
    return kSigns[static_cast<size_t>(sign) % kSigns.size()];
}

std::string SignPositionText(double longitude) {
    const double degrees = NormaliseAngle(longitude) / kFullTurn * 360;
    const auto minutes = static_cast<int>(std::floor(degrees * 60)) % (360 * 60);
    return std::to_string(minutes / 60 % 30) + "°" + std::to_string(minutes % 60) + "' " +
           SignName(minutes / 60 / 30);
}

EventCells RenderEvent(const TransitRun& run, const BodyEvent& event) {
    const LocalTimeText local = ExactLocalTime(run, ExactMinimum{event.instant, false});
    return {IsoDateText(local.day), local.time + " " + local.zone, EventText(event),
            SignPositionText(event.longitude)};
}

std::string EventTableTitle(const std::vector<BodyCode>& bodies) {
    std::string title = "Stations and sign ingresses of ";
    for (size_t i = 0; i < bodies.size(); ++i) {
        title += (i == 0 ? "" : " and ") + BodyName(bodies[i]);
    }
    return title;
}

std::vector<std::string> EventTableText(const TransitRun& run, const std::string& title) {
    std::vector<std::string> lines = {kCrLf, title + kCrLf, TextLine(kHeadings),
                                      RuleLine() + kCrLf};
    for (const BodyEvent& event : run.events) {
        const EventCells cells = RenderEvent(run, event);
        lines.push_back(TextLine({cells.date, cells.time, cells.event, cells.longitude}));
    }
    if (run.events.empty()) {
        lines.push_back(std::string("No stations or ingresses in this period.") + kCrLf);
    }
    return lines;
}

std::string EventTableHtml(const TransitRun& run, const std::string& title) {
    std::string html = HtmlTableOpening(title, {kHeadings.begin(), kHeadings.end()});
    for (const BodyEvent& event : run.events) {
        const EventCells cells = RenderEvent(run, event);
        html += HtmlDataRow({cells.date, cells.time, cells.event, HtmlText(cells.longitude)});
    }
    return html;
}

}  // namespace zenthra
