// A run's transits as values: the aspect and the bodies of each transit, the days on which the
// pair entered and left each orb, and its closest approaches. The table's cells are rendered
// from these; exports read them directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calendar/Zone.h"
#include "engine/BodyEvent.h"
#include "engine/TransitRequest.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

// A day of the period and whether the transiting body was retrograde at the local midnight
// that begins it.
struct MarkedDay {
    int32_t day = 0;  // JDN
    bool retrograde = false;
};

// A closest approach found to the minute: within an arcminute of the aspect.
struct ExactMinimum {
    double instant = 0;       // Julian date, UT, of the first minute of the smallest deviation
    bool retrograde = false;  // at the local midnight that ends the instant's local day
};

// A closest approach that never came within an arcminute: the nearest local midnight.
struct DailyMinimum {
    int32_t day = 0;          // JDN
    double deviation = 0;     // from the aspect, radians
    bool retrograde = false;  // at the local midnight that ends the day
};

// Lines number the rows of a transit's block in the table, from 0.
struct TransitMinimum {
    int line = 0;
    std::variant<ExactMinimum, DailyMinimum> value;
};

// One passage of the pair through one orb. An end is missing when it lies outside the period
// or was not recorded (an entry on the day another orb was entered, an exit on a day an orb
// was entered).
struct OrbPassage {
    int orb = kOuterOrb;
    int line = 0;
    std::optional<MarkedDay> entry;
    std::optional<MarkedDay> exit;
};

struct Transit {
    AspectCode aspect = 0;
    BodyCode firstBody = kSun;
    BodyCode secondBody = kSun;
    std::vector<OrbPassage> passages;    // in the order they were first seen
    std::vector<TransitMinimum> minima;  // in time order

    bool LineEmpty(int line) const;
    bool AnyEntryOn(int line) const;
    bool MinimumOn(int line) const;
    // The passage through `orb` printed on `line`, added when there is none yet.
    OrbPassage& PassageOn(int orb, int line);
    // Sets the minimum printed on `line`, replacing one that is there.
    void SetMinimum(int line, const std::variant<ExactMinimum, DailyMinimum>& value);
};

// What one run found, with what its rendering needs to know of the run.
struct TransitRun {
    int16_t tzMinutes = 0;     // of the results, east of Greenwich
    std::string timezoneText;  // the results' timezone as the window names it
    bool retrogradeMarked = true;
    std::vector<Transit> transits;       // as their blocks were printed
    std::vector<BodyEvent> events = {};  // in time order, when the run lists them
    // The results' IANA zone: local times and abbreviations in force in place of the offset
    // and the text above.
    std::optional<Zone> zone = {};
};

// The local day of an instant (Julian date, UT) and the fraction of that day gone by.
struct LocalInstant {
    int32_t day = 0;
    double fraction = 0;
};
LocalInstant ToLocalInstant(double instant, int16_t tzMinutes);
LocalInstant ToLocalInstant(double instant, int16_t tzMinutes, const std::optional<Zone>& zone);

}  // namespace zenthra
