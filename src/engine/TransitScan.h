// The transit scan: walks a period day by day, samples the pair at each local midnight, and
// records in the table when the pair enters and leaves each orb around an aspect and how
// closely it comes. Each transit is kept as values, rendered into the table as it grows and
// printed when it is complete.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "engine/ScanInterfaces.h"
#include "engine/Transit.h"
#include "engine/TransitRequest.h"
#include "engine/TransitTable.h"

namespace zenthra {

struct OrbHandover {
    AspectCode leaving = 0;
    AspectCode entering = 0;
    bool handover = false;
};

// Work done by the exact-minimum searches of a scan.
struct MinuteSearchStats {
    long searches = 0;
    long evaluations = 0;
};

class TransitScan {
  public:
    TransitScan(TransitRequest& request, TransitTable& table, RunFlags& flags, ScanWindow& window,
                ScanOutput& output)
        : request(request), table(table), flags(flags), window(window), output(output) {}

    // Moves the start back while the pair is inside the inner orb of an aspect, then scans.
    void MoveStartBeforeTransit();
    void RunTransitScan();

    OrbHandover FindOrbHandover() const;
    // Empty when the closest minute is not within an arcminute of the aspect.
    std::optional<ExactMinimum> FindExactMinimum(int32_t day, AspectCode aspect);
    DailyMinimum FindDailyMinimum(int32_t day, AspectCode aspect, double deviation);
    int32_t AdjustMinimumDay(int32_t day, AspectCode aspect, double deviation);
    void FlushTransitBlock();

    // The transits of the last run, as their blocks were printed.
    const TransitRun& Transits() const { return run; }

    // The literal minute-by-minute search instead of the fast one: the oracle of the tests.
    bool literalMinuteSearch = false;
    MinuteSearchStats minuteSearchStats;

  private:
    static constexpr int kSamples = 3;  // yesterday, today, tomorrow
    static constexpr int kOrbs = 3;

    enum OrbEvent { kNoEvent = 0, kEnters = 1, kStays = 2, kLeaves = 3 };

    bool ScanDay(int32_t w);
    void TakeSamples(int32_t w);
    void DeriveDeviations();
    AspectCode FindActiveAspect(const OrbHandover& handover);
    void RecordEntry(int32_t w, AspectCode aspect, int orb);
    void RecordExit(int32_t w, AspectCode aspect, int orb, const OrbHandover& handover);
    void RecordStay(int32_t w, AspectCode aspect, int stayOrb);
    void TakeIfCloser(int32_t w, AspectCode aspect);
    void BeginBlock(int32_t w, AspectCode aspect);
    void WriteNameOnce(AspectCode aspect);
    void PlaceMinimum(const std::variant<ExactMinimum, DailyMinimum>& minimum);
    void ShowBlock();
    void MinimumWritten();
    void ResetBlockCounters();
    void EndByStop();
    void Finish();

    double SecondLongitude(double instant) const;
    std::optional<double> DeviationAt(double instant, AspectCode aspect) const;
    MarkedDay Marked(int32_t day) const;
    bool RetrogradeAt(int32_t day) const;

    TransitRequest& request;
    TransitTable& table;
    RunFlags& flags;
    ScanWindow& window;
    ScanOutput& output;

    TransitRun run;

    // Block state.
    Transit block;
    int blockRow = kFirstTransitRow;
    int minimaCount = 0;
    int nextMiddleRow = 0;
    int nextInnerRow = 0;
    int middlePassRow = 0;
    int innerPassRow = 0;
    double closestDeviation = 10.0;
    int32_t closestDay = 0;

    // Per-day working data; aspects are indexed by their code.
    std::array<std::array<double, 2>, kSamples> longitude{};
    std::array<std::array<double, kAspectsInUse + 1>, kSamples> deviation{};
    std::array<std::array<std::array<bool, kAspectsInUse + 1>, kOrbs>, 2> inOrb{};
    std::array<std::array<int, kAspectsInUse + 1>, kOrbs> orbEvent{};
    std::string progressDateText;
};

}  // namespace zenthra
