#include "engine/Transit.h"

#include <algorithm>
#include <cmath>

namespace zenthra {

bool Transit::LineEmpty(int line) const {
    return (line != 0 || aspect == 0) && !AnyEntryOn(line) && !MinimumOn(line) &&
           std::none_of(passages.begin(), passages.end(),
                        [line](const OrbPassage& p) { return p.line == line && p.exit; });
}

bool Transit::AnyEntryOn(int line) const {
    return std::any_of(passages.begin(), passages.end(),
                       [line](const OrbPassage& p) { return p.line == line && p.entry; });
}

bool Transit::MinimumOn(int line) const {
    return std::any_of(minima.begin(), minima.end(),
                       [line](const TransitMinimum& m) { return m.line == line; });
}

OrbPassage& Transit::PassageOn(int orb, int line) {
    const auto found = std::find_if(passages.begin(), passages.end(), [&](const OrbPassage& p) {
        return p.orb == orb && p.line == line;
    });
    if (found != passages.end()) {
        return *found;
    }
    return passages.emplace_back(OrbPassage{orb, line, std::nullopt, std::nullopt});
}

void Transit::SetMinimum(int line, const std::variant<ExactMinimum, DailyMinimum>& value) {
    const auto found = std::find_if(minima.begin(), minima.end(),
                                    [line](const TransitMinimum& m) { return m.line == line; });
    if (found != minima.end()) {
        found->value = value;
    } else {
        minima.push_back({line, value});
    }
}

LocalInstant ToLocalInstant(double instant, int16_t tzMinutes) {
    const double local = instant + tzMinutes / 1440.0;
    const auto day = static_cast<int32_t>(std::floor(local + 0.5));
    return {day, (local + 0.5) - day};
}

LocalInstant ToLocalInstant(double instant, int16_t tzMinutes, const std::optional<Zone>& zone) {
    if (!zone) {
        return ToLocalInstant(instant, tzMinutes);
    }
    const ZoneLocalTime local = LocalTimeAt(*zone, instant);
    return {local.jdn, static_cast<double>(local.seconds) / kSecondsPerDay};
}

}  // namespace zenthra
