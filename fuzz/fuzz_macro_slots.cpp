// Any bytes as record.ini, encoded into the macro slots: only the listed slots change, each
// slot keeps its loop count unless zeroed, and no more events are claimed than fit.
#include <algorithm>
#include <utility>

#include "FuzzSupport.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroSlot.h"
#include "settings/FactorySettings.h"
#include "tests/support/MemoryFileStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quarten;
    test::MemoryFileStore store;
    const std::filesystem::path path = "/app/record.ini";
    store.Put(path, std::string(reinterpret_cast<const char*>(data), size));

    ImageBytes image = FactoryImage();
    // Distinct bytes in every slot show which slots were touched.
    for (std::size_t i = 0; i < layout::kMacroAreaSize; ++i) {
        image[layout::kMacroArea + i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    const ImageBytes before = image;
    const MacroRebuildReport report = RebuildMacroSlots(store, path, image);
    fuzz::Check(report.fileFound, "an existing record.ini was not found");
    fuzz::Check(report.names.size() <= layout::kMacroSlotCount, "more names than slots");
    fuzz::Check(
        std::equal(image.begin(), image.begin() + layout::kMacroArea, before.begin()) &&
            std::equal(image.begin() + layout::kMacroArea + layout::kMacroAreaSize, image.end(),
                       before.begin() + layout::kMacroArea + layout::kMacroAreaSize),
        "bytes outside the macro area changed");
    for (std::size_t n = 1; n <= layout::kMacroSlotCount; ++n) {
        const auto now = SlotOf(std::as_const(image), n);
        const auto was = SlotOf(before, n);
        const MacroSlotOutcome& outcome = report.outcomes[n - 1];
        switch (outcome.action) {
            case MacroSlotOutcome::Action::Kept:
                fuzz::Check(std::equal(now.begin(), now.end(), was.begin()), "a kept slot changed");
                break;
            case MacroSlotOutcome::Action::Zeroed:
                fuzz::Check(std::all_of(now.begin(), now.end(), [](auto b) { return b == 0; }),
                            "a zeroed slot holds data");
                break;
            case MacroSlotOutcome::Action::Encoded:
                fuzz::Check(LoopCount(now) == LoopCount(was), "encoding changed the loop count");
                fuzz::Check(outcome.fill.written >= 0 && outcome.fill.dropped >= 0 &&
                                outcome.fill.written <=
                                    static_cast<int>(slot::kEventAreaSize / slot::kShortRecordSize),
                            "impossible fill counts");
                DescribeMacroSlot(now);
                break;
        }
    }
    // The editor's view of the same file.
    MacroLibrary library(store, path);
    const std::vector<std::string> listed = library.ListMacros();
    fuzz::Check(listed == report.names || listed.size() > layout::kMacroSlotCount,
                "the editor lists other macros than the slots hold");
    if (!listed.empty()) library.ReadMacro(listed.back());
    return 0;
}
