// RebuildMacroSlots over a full library: twelve recorded macros read from record.ini and
// encoded into the twelve slots, as the macro editor does on every confirmed edit.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/ScratchDir.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroSlot.h"
#include "platform/PosixFileStore.h"
#include "settings/FactorySettings.h"

namespace quarten {
namespace {

// Lines as the recorder writes them: each typed key pressed and released, the time held
// and the pause to the next key after it, now and then a pause long enough for the long
// record form.
std::vector<std::string> RecordedTyping(const std::string& keys, int seed) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string key(1, keys[i]);
        const int held = 40 + (seed * 7 + static_cast<int>(i) * 13) % 80;
        const int pause =
            (i % 9 == 8) ? 1500 + seed * 40 : 60 + (seed * 11 + static_cast<int>(i) * 29) % 240;
        lines.push_back(key + "   Dn");
        lines.push_back(std::to_string(held) + " ms");
        lines.push_back(key + "   Up");
        lines.push_back(std::to_string(pause) + " ms");
    }
    return lines;
}

struct Library {
    Library() {
        MacroLibrary library(store, path);
        // From a short shortcut to one that overflows its slot (31 short records fit).
        const char* typed[] = {"QW",
                               "ASD",
                               "HELLO",
                               "GGWP",
                               "RELOAD",
                               "BUILDWALL",
                               "CTRLALT1234",
                               "QWERTYQWERTY",
                               "ABCDEFGHIJKLMN",
                               "SPRAYANDPRAY",
                               "THEQUICKBROWNFOX",
                               "PACKMYBOXWITHFIVEDOZENLIQUORJUGS"};
        int seed = 0;
        for (const char* keys : typed) {
            ++seed;
            const auto lines = RecordedTyping(keys, seed);
            lineCount += lines.size();
            library.WriteMacro("Macro " + std::to_string(seed), lines);
        }
    }
    bench::ScratchDir dir{"quarten-bench-macros"};
    std::filesystem::path path = dir / "record.ini";
    PosixFileStore store;
    std::size_t lineCount = 0;
};

Library& TheLibrary() {
    static Library library;
    return library;
}

void BM_RebuildMacroSlots(benchmark::State& state) {
    Library& library = TheLibrary();
    ImageBytes image = FactoryImage();
    for (auto _ : state) {
        const MacroRebuildReport report = RebuildMacroSlots(library.store, library.path, image);
        benchmark::DoNotOptimize(report);
        if (report.names.size() != layout::kMacroSlotCount) {
            state.SkipWithError("the library did not list twelve macros");
            break;
        }
    }
    benchmark::DoNotOptimize(image);
}
BENCHMARK(BM_RebuildMacroSlots)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarten

int main(int argc, char** argv) {
    using namespace quarten;
    benchmark::Initialize(&argc, argv);
    Library& library = TheLibrary();
    bench::RepetitionCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    // What one rebuild made of the library, so the row says what it measured.
    ImageBytes image = FactoryImage();
    const MacroRebuildReport report = RebuildMacroSlots(library.store, library.path, image);
    int encoded = 0, dropped = 0;
    for (const MacroSlotOutcome& outcome : report.outcomes) {
        if (outcome.action == MacroSlotOutcome::Action::Encoded) ++encoded;
        dropped += outcome.fill.dropped;
    }
    const auto fileSize = std::filesystem::file_size(library.path);
    bench::PrintRow("RebuildMacroSlots: 12 macros from record.ini",
                    collector.RealMicros("BM_RebuildMacroSlots"), "us", bench::Goal::None());
    bench::PrintNote("record.ini for RebuildMacroSlots: " + std::to_string(report.names.size()) +
                     " macros, " + std::to_string(library.lineCount) + " lines, " +
                     std::to_string(fileSize) + " bytes; " + std::to_string(encoded) +
                     " slots encoded, " + std::to_string(dropped) +
                     " events dropped where a slot was full.");
    benchmark::Shutdown();
    return 0;
}
