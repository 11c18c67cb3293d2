// Apply against the simulated mouse: CPU cost with the pacer off, and wall time with real
// sleeps as a ratio to the 242 ms of waits the mouse requires.
#include <benchmark/benchmark.h>

#include <chrono>

#include "BuildConfig.h"
#include "device/DeviceLink.h"
#include "device/SteadyPacer.h"
#include "settings/ApplySequence.h"
#include "settings/FactorySettings.h"
#include "sim/SimulatedMouse.h"

namespace quarten {
namespace {

constexpr double kMandatedWaitMs = 34 * 2 + 58 * 3;

class NoPacer : public Pacer {
public:
    void Wait(int) override {}
};

struct Bench {
    explicit Bench(Pacer& pacer)
        : link(mouse, pacer,
               MakeScramblerKey(std::span<const char, 6>(build::kDefaultScramblerKey, 6))) {
        link.FindDevice();
        link.Handshake();
        settings.image = FactoryImage();
        ConnectionReadBack(link.Channel(), settings);
    }
    sim::SimulatedMouse mouse;
    DeviceLink link;
    DeviceSettings settings;
};

void BM_ApplyPacerOff(benchmark::State& state) {
    NoPacer pacer;
    Bench bench(pacer);
    for (auto _ : state) {
        SendSettings(bench.link.Channel(), bench.settings);
        bench.mouse.ClearLog();  // the simulated mouse's log would otherwise grow without end
    }
}
BENCHMARK(BM_ApplyPacerOff)->Unit(benchmark::kMicrosecond);

void BM_ApplyRealSleeps(benchmark::State& state) {
    SteadyPacer pacer;
    Bench bench(pacer);
    double worstRatio = 0;
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        SendSettings(bench.link.Channel(), bench.settings);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        worstRatio = std::max(worstRatio, took.count() / kMandatedWaitMs);
        totalMs += took.count();
        state.SetIterationTime(took.count() / 1000.0);
        bench.mouse.ClearLog();
    }
    state.counters["mean_ratio"] = totalMs / static_cast<double>(state.iterations()) / kMandatedWaitMs;
    state.counters["worst_ratio"] = worstRatio;
    state.counters["worst_overshoot_us"] =
        std::chrono::duration<double, std::micro>(pacer.WorstOvershoot()).count();
}
BENCHMARK(BM_ApplyRealSleeps)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace quarten

BENCHMARK_MAIN();
