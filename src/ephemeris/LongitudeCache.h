// Tropical longitudes from the ephemeris kept for reuse: the all-transits mode and a show-all
// ask for the same body at the same instants once per natal body, orb and run.
#pragma once

#include <cstddef>
#include <optional>

#include "ephemeris/Vocabulary.h"

namespace zenthra {

// Slots of each thread's cache; one slot holds one body's value at one instant (24 bytes, so
// 3 MiB a thread at most, of which only the pages written are ever taken from the system).
// A new value takes the slot its key hashes to, whatever was there.
inline constexpr std::size_t kLongitudeCacheSlots = std::size_t{1} << 17;

// The value remembered for the body at exactly this instant, if any. Each thread keeps its own
// values, as the ephemeris library keeps its own state for each thread.
std::optional<double> CachedLongitude(BodyCode body, double instant);

// Only values the data files served are remembered; a failure is asked again.
void RememberLongitude(BodyCode body, double instant, double longitude);

// Every thread's values are forgotten: the data files may now be others.
void ForgetLongitudes();

// Off, every longitude is computed afresh: the path the cache is checked against.
void SetLongitudeCacheEnabled(bool enabled);
bool LongitudeCacheEnabled();

}  // namespace zenthra
