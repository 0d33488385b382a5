// Cost of one longitude from each source: the ephemeris (a planet), the Moon, the Pluto table.
#include <benchmark/benchmark.h>

#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"
#include "support/MessageBoxes.h"

namespace zenthra {
namespace {

class SilentBoxes : public MessageBoxes {
  public:
    MsgAnswer MsgBox(const std::string&, MsgIcon, const std::string&, MsgButtons) override {
        return MsgAnswer::Ok;
    }
};

// Consecutive minutes, as the exact-minimum search asks for them.
void LongitudeEveryMinute(benchmark::State& state, BodyCode body) {
    double t = 2460000.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlanetLongitude(body, t, Zodiac::Tropical));
        t += 1.0 / 1440;
    }
}

void Setup(const benchmark::State&) {
    static bool ready = false;
    if (!ready) {
        SilentBoxes boxes;
        InitVocabulary(ZENTHRA_DATA_DIR);
        ready = LoadPlutoTable(kPlutoFileName, boxes);
    }
}

BENCHMARK_CAPTURE(LongitudeEveryMinute, Mars, kMars)->Setup(Setup);
BENCHMARK_CAPTURE(LongitudeEveryMinute, Moon, kMoon)->Setup(Setup);
BENCHMARK_CAPTURE(LongitudeEveryMinute, Pluto, kPluto)->Setup(Setup);

}  // namespace
}  // namespace zenthra

BENCHMARK_MAIN();
