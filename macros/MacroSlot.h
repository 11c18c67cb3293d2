// The 128-byte macro slot of the settings image: loop count and event records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/DeviceSettings.h"
#include "settings/FileStore.h"
#include "settings/SettingsLayout.h"

namespace quarten {

namespace slot {
inline constexpr std::size_t kLoopCount = 0;  // 2 bytes, big-endian
inline constexpr std::size_t kEventArea = 2;
inline constexpr std::size_t kEventAreaSize = layout::kMacroSlotSize - kEventArea;
inline constexpr std::uint8_t kReleaseBit = 0x80;
inline constexpr std::int32_t kShortFormMaxDelay = 1270;  // ms; above it the long form
inline constexpr std::size_t kShortRecordSize = 2;
inline constexpr std::size_t kLongRecordSize = 4;
inline constexpr std::uint8_t kLongRecordTag = 0x03;  // last byte of a long record
static_assert(kEventAreaSize == 126);
}  // namespace slot

using MacroSlotBytes = std::span<std::uint8_t, layout::kMacroSlotSize>;
using ConstMacroSlotBytes = std::span<const std::uint8_t, layout::kMacroSlotSize>;
using KeyLookup = std::function<std::uint8_t(std::string_view)>;

// Slot n = 1..12 of the image; other numbers throw std::out_of_range.
MacroSlotBytes SlotOf(ImageBytes& image, std::size_t slotNumber);
ConstMacroSlotBytes SlotOf(const ImageBytes& image, std::size_t slotNumber);

std::uint16_t LoopCount(ConstMacroSlotBytes slot);
void SetLoopCount(MacroSlotBytes slot, std::uint16_t count);

// One key or mouse-button event with the pause after it.
struct MacroEvent {
    bool release = false;
    std::uint8_t usage = 0;
    std::int32_t delayMs = 0;
    friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

// The events of the first `count` lines of a macro. `items` holds the line texts in order;
// a line past its end reads as empty. A press ("   Dn") or release ("   Up") line is one
// event whose delay comes from the line after it; any other line gives no event.
std::vector<MacroEvent> ParseMacroEvents(std::span<const std::string> items, std::size_t count,
                                         const KeyLookup& lookup);

struct EventAreaFill {
    int written = 0;  // events encoded
    int dropped = 0;  // events left out because the event area was full
};

// Zeroes the event area and writes the records from its start. Records are written while
// they fit; from the first one that does not, the rest are dropped, so the area always
// holds a leading part of the macro. Negative delays encode as 0. The loop count stays.
EventAreaFill EncodeEventArea(std::span<const MacroEvent> events, MacroSlotBytes slot);

// The events stored in a slot as text, for example "A Dn 50 ms, A Up 2500 ms". Trailing
// zero bytes are padding; usages the key-name table lacks show as hex ("0x00 Dn 0 ms").
std::string DescribeMacroSlot(ConstMacroSlotBytes slot);

struct MacroSlotOutcome {
    enum class Action { Kept, Zeroed, Encoded };
    Action action = Action::Kept;
    EventAreaFill fill;
};

struct MacroRebuildReport {
    bool fileFound = false;
    std::vector<std::string> names;  // slot n holds names[n-1]
    std::array<MacroSlotOutcome, layout::kMacroSlotCount> outcomes{};
    std::size_t namesWithoutSlot = 0;  // listed names past the twelfth, not encoded
};

// Encodes the listed macros of record.ini into the slots of the image, the n-th listed
// name into slot n. A missing file changes nothing. Slots past the last listed name keep
// their bytes. The default lookup is the key-name table.
MacroRebuildReport RebuildMacroSlots(const FileStore& store, const std::filesystem::path& path,
                                     ImageBytes& image);
MacroRebuildReport RebuildMacroSlots(const FileStore& store, const std::filesystem::path& path,
                                     ImageBytes& image, const KeyLookup& lookup);

}  // namespace quarten
