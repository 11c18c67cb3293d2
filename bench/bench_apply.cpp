// Apply against the simulated mouse: CPU cost with the pacer off, and wall time with real
// sleeps as a ratio to the sum of the waits the mouse requires.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <string>
#include <vector>

#include "BuildConfig.h"
#include "bench/BenchTable.h"
#include "device/DeviceLink.h"
#include "platform/SteadyPacer.h"
#include "settings/ApplySequence.h"
#include "settings/FactorySettings.h"
#include "sim/SimulatedMouse.h"

namespace quarten {
namespace {

using Clock = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

class NoPacer : public Pacer {
public:
    void Wait(int) override {}
};

// Writes down the waits asked for instead of sleeping: they give the floor of an Apply.
class ListingPacer : public Pacer {
public:
    void Wait(int milliseconds) override { waits.push_back(milliseconds); }
    std::vector<int> waits;
};

// Times each wait of the real pacer from outside: how far past its length it returned.
class OvershootMeter : public Pacer {
public:
    struct Stats {
        double worstMicros = 0;
        double totalMicros = 0;
        long count = 0;
    };
    explicit OvershootMeter(Pacer& inner) : inner_(inner) {}
    void Wait(int milliseconds) override {
        const auto start = Clock::now();
        inner_.Wait(milliseconds);
        const double over =
            Micros(Clock::now() - start).count() - 1000.0 * static_cast<double>(milliseconds);
        stats.worstMicros = std::max(stats.worstMicros, over);
        stats.totalMicros += over;
        ++stats.count;
    }
    Stats stats;

private:
    Pacer& inner_;
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

std::vector<int> ApplyWaits() {
    ListingPacer pacer;
    Bench bench(pacer);
    pacer.waits.clear();
    SendSettings(bench.link.Channel(), bench.settings);
    return pacer.waits;
}

double FloorMs() {
    static const double floor = [] {
        const std::vector<int> waits = ApplyWaits();
        return static_cast<double>(std::accumulate(waits.begin(), waits.end(), 0));
    }();
    return floor;
}

void BM_ApplyPacerOff(benchmark::State& state) {
    NoPacer pacer;
    Bench bench(pacer);
    for (auto _ : state) {
        SendSettings(bench.link.Channel(), bench.settings);
        bench.mouse.ClearLog();  // the simulated mouse's log would otherwise grow without end
    }
}
BENCHMARK(BM_ApplyPacerOff)->Unit(benchmark::kMicrosecond);

int g_appliesPerRepetition = 10;

void BM_ApplyRealSleeps(benchmark::State& state) {
    SteadyPacer steady;
    OvershootMeter pacer(steady);
    Bench bench(pacer);
    pacer.stats = {};  // only the waits of Apply itself count
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        SendSettings(bench.link.Channel(), bench.settings);
        const std::chrono::duration<double, std::milli> took = Clock::now() - start;
        totalMs += took.count();
        state.SetIterationTime(took.count() / 1000.0);
        bench.mouse.ClearLog();
    }
    const double applies = static_cast<double>(state.iterations());
    state.counters["ratio"] = totalMs / applies / FloorMs();
    const OvershootMeter::Stats& waits = pacer.stats;
    state.counters["worst_overshoot_us"] = waits.worstMicros;
    state.counters["mean_overshoot_us"] =
        waits.count ? waits.totalMicros / static_cast<double>(waits.count) : 0.0;
    state.counters["violations"] = bench.mouse.Counters().pacingViolations;
}

}  // namespace
}  // namespace quarten

int main(int argc, char** argv) {
    using namespace quarten;
    // --applies=N: Applies with real sleeps per repetition (each takes about a quarter second).
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--applies=", 0) == 0) g_appliesPerRepetition = std::stoi(arg.substr(10));
    }
    benchmark::RegisterBenchmark("BM_ApplyRealSleeps", BM_ApplyRealSleeps)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(g_appliesPerRepetition);
    benchmark::Initialize(&argc, argv);

    const std::vector<int> waits = ApplyWaits();
    const int floor = static_cast<int>(FloorMs());
    const long twos = std::count(waits.begin(), waits.end(), 2);
    const long threes = std::count(waits.begin(), waits.end(), 3);

    bench::RepetitionCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    const std::string floorText = std::to_string(floor) + " ms";
    bench::PrintRow("Apply, real sleeps: wall / " + floorText + " of waits",
                    collector.Counter("BM_ApplyRealSleeps", "ratio"), "ratio",
                    bench::Goal::MedianAtMost(1.03, "<= 1.03"), 4);
    bench::PrintRow("Apply, real sleeps: worst overshoot of one wait",
                    collector.Counter("BM_ApplyRealSleeps", "worst_overshoot_us"), "us",
                    bench::Goal::None());
    bench::PrintRow("Apply, real sleeps: mean overshoot per wait",
                    collector.Counter("BM_ApplyRealSleeps", "mean_overshoot_us"), "us",
                    bench::Goal::None());
    bench::PrintRow("Apply, real sleeps: CPU per Apply", collector.CpuMicros("BM_ApplyRealSleeps"),
                    "us", bench::Goal::None());
    bench::PrintRow("Apply, real sleeps: waits the mouse saw cut short",
                    collector.Counter("BM_ApplyRealSleeps", "violations"), "count",
                    bench::Goal::MaxAtMost(0, "0"), 0);
    bench::PrintRow("Apply, pacer off: CPU per Apply", collector.CpuMicros("BM_ApplyPacerOff"),
                    "us", bench::Goal::MedianAtMost(200, "<= 200 us"));
    bench::PrintNote("Apply makes " + std::to_string(waits.size()) + " waits (" +
                     std::to_string(twos) + " x 2 ms, " + std::to_string(threes) +
                     " x 3 ms) adding up to the " + floorText + " floor; " +
                     std::to_string(g_appliesPerRepetition) +
                     " Applies with real sleeps per repetition.");
    benchmark::Shutdown();
    return 0;
}
