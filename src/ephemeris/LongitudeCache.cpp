#include "ephemeris/LongitudeCache.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace zenthra {

namespace {

static_assert(std::has_single_bit(kLongitudeCacheSlots));

// Zero bytes are an empty slot: the slots come from calloc, whose pages the system hands
// out, already zeroed, only when a value is first written to them.
struct Slot {
    double instant;
    double longitude;
    uint32_t generation;  // the generation the value belongs to; 0 for an empty slot
    BodyCode body;
};
static_assert(std::is_trivial_v<Slot>);

struct FreeSlots {
    void operator()(Slot* slots) const { std::free(slots); }
};

// Raised whenever the data files may change. A thread's slots of an older generation are
// stale, so forgetting costs nothing in the threads that do not compute at that moment.
std::atomic<uint32_t> generation{1};
std::atomic<bool> enabled{true};

// Allocated on the first value a thread remembers.
thread_local std::unique_ptr<Slot[], FreeSlots> slots;

Slot& SlotOf(BodyCode body, double instant) {
    constexpr int kShift = 64 - std::countr_zero(kLongitudeCacheSlots);
    const uint64_t key = std::bit_cast<uint64_t>(instant) ^ static_cast<uint64_t>(body);
    return slots[(key * 0x9E3779B97F4A7C15ULL) >> kShift];
}

}  // namespace

std::optional<double> CachedLongitude(BodyCode body, double instant) {
    if (!slots || !enabled.load(std::memory_order_relaxed)) {
        return std::nullopt;
    }
    const Slot& slot = SlotOf(body, instant);
    // The instant is compared bit for bit: a neighbouring instant has its own value.
    if (slot.generation != generation.load(std::memory_order_acquire) || slot.body != body ||
        std::bit_cast<uint64_t>(slot.instant) != std::bit_cast<uint64_t>(instant)) {
        return std::nullopt;
    }
    return slot.longitude;
}

void RememberLongitude(BodyCode body, double instant, double longitude) {
    if (!enabled.load(std::memory_order_relaxed)) {
        return;
    }
    if (!slots) {
        slots.reset(static_cast<Slot*>(std::calloc(kLongitudeCacheSlots, sizeof(Slot))));
        if (!slots) {
            return;  // without memory the values are computed each time
        }
    }
    SlotOf(body, instant) = {instant, longitude, generation.load(std::memory_order_acquire), body};
}

void ForgetLongitudes() {
    generation.fetch_add(1, std::memory_order_acq_rel);
}

void SetLongitudeCacheEnabled(bool on) {
    enabled = on;
}

bool LongitudeCacheEnabled() {
    return enabled;
}

}  // namespace zenthra
