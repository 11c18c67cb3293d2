// Encoding macro lines into slot bytes, and reading slot bytes back for display.
#include "macros/MacroSlot.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "buttons/KeyNameTable.h"
#include "macros/IniFile.h"
#include "macros/MacroLibrary.h"

namespace quarten {
namespace {

constexpr std::string_view kPressMarker = "   Dn";
constexpr std::string_view kReleaseMarker = "   Up";
constexpr std::string_view kDelaySuffix = " ms";

std::string RemoveAll(std::string_view text, std::string_view part) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, start)) {
        out.append(text.substr(start, at - start));
        start = at + part.size();
    }
    out.append(text.substr(start));
    return out;
}

bool IsKeyLine(std::string_view text) {
    return text.find(kPressMarker) != std::string_view::npos ||
           text.find(kReleaseMarker) != std::string_view::npos;
}

std::size_t RecordSize(std::int32_t delayMs) {
    return delayMs <= slot::kShortFormMaxDelay ? slot::kShortRecordSize : slot::kLongRecordSize;
}

std::string UsageName(std::uint8_t usage) {
    for (const KeyNameEntry& entry : kKeyNameTable) {
        if (entry.value == usage) {
            return std::string(entry.name);
        }
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", usage);
    return hex;
}

}  // namespace

MacroSlotBytes SlotOf(ImageBytes& image, std::size_t slotNumber) {
    if (slotNumber < 1 || slotNumber > layout::kMacroSlotCount) {
        throw std::out_of_range("macro slot number outside 1..12");
    }
    return MacroSlotBytes(image.data() + layout::MacroSlotOffset(slotNumber),
                          layout::kMacroSlotSize);
}

ConstMacroSlotBytes SlotOf(const ImageBytes& image, std::size_t slotNumber) {
    if (slotNumber < 1 || slotNumber > layout::kMacroSlotCount) {
        throw std::out_of_range("macro slot number outside 1..12");
    }
    return ConstMacroSlotBytes(image.data() + layout::MacroSlotOffset(slotNumber),
                               layout::kMacroSlotSize);
}

std::uint16_t LoopCount(ConstMacroSlotBytes slot) {
    return static_cast<std::uint16_t>((slot[slot::kLoopCount] << 8) | slot[slot::kLoopCount + 1]);
}

void SetLoopCount(MacroSlotBytes slot, std::uint16_t count) {
    slot[slot::kLoopCount] = static_cast<std::uint8_t>(count >> 8);
    slot[slot::kLoopCount + 1] = static_cast<std::uint8_t>(count & 0xFF);
}

std::vector<MacroEvent> ParseMacroEvents(std::span<const std::string> items, std::size_t count,
                                         const KeyLookup& lookup) {
    const auto item = [&](std::size_t j) -> std::string_view {
        return j < items.size() ? std::string_view(items[j]) : std::string_view();
    };
    std::vector<MacroEvent> events;
    const std::size_t last = std::min(count, items.size());
    for (std::size_t j = 0; j < last; ++j) {
        const std::string_view text = item(j);
        // The press marker is tested first: "Up   Dn" presses the key named "Up".
        const bool press = text.find(kPressMarker) != std::string_view::npos;
        if (!press && text.find(kReleaseMarker) == std::string_view::npos) {
            continue;
        }
        MacroEvent event;
        event.release = !press;
        event.usage = lookup(RemoveAll(text, press ? kPressMarker : kReleaseMarker));
        const std::string_view next = item(j + 1);
        // A key line right after gives no pause, even one whose name starts with digits.
        event.delayMs = IsKeyLine(next) ? 0 : ParseIniInteger(RemoveAll(next, kDelaySuffix));
        events.push_back(event);
    }
    return events;
}

EventAreaFill EncodeEventArea(std::span<const MacroEvent> events, MacroSlotBytes slot) {
    std::fill(slot.begin() + slot::kEventArea, slot.end(), std::uint8_t{0});
    EventAreaFill fill;
    std::size_t at = slot::kEventArea;
    for (const MacroEvent& event : events) {
        const std::int32_t delay = std::max(event.delayMs, 0);
        const std::size_t size = RecordSize(delay);
        if (at + size > slot.size()) {
            fill.dropped = static_cast<int>(events.size()) - fill.written;
            break;
        }
        const std::uint8_t direction = event.release ? slot::kReleaseBit : 0;
        slot[at + 1] = event.usage;
        if (size == slot::kShortRecordSize) {
            slot[at] = static_cast<std::uint8_t>(direction | (delay / 10));
        } else {
            slot[at] = static_cast<std::uint8_t>(direction | (delay % 100));
            slot[at + 2] = static_cast<std::uint8_t>((delay / 100) & 0xFF);
            slot[at + 3] = slot::kLongRecordTag;
        }
        at += size;
        ++fill.written;
    }
    return fill;
}

std::string DescribeMacroSlot(ConstMacroSlotBytes slot) {
    std::size_t end = slot.size();
    while (end > slot::kEventArea && slot[end - 1] == 0) {
        --end;
    }
    std::string text;
    std::size_t at = slot::kEventArea;
    // Records start at even offsets, so a record starting before `end` always has its usage
    // byte inside the slot.
    while (at < end) {
        const std::uint8_t timing = slot[at];
        const bool isLong =
            at + slot::kLongRecordSize <= slot.size() && slot[at + 3] == slot::kLongRecordTag;
        int delay = (timing & 0x7F) * 10;
        if (isLong) {
            delay = (timing & 0x7F) + 100 * slot[at + 2];
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += UsageName(slot[at + 1]);
        text += (timing & slot::kReleaseBit) ? " Up " : " Dn ";
        text += std::to_string(delay) + " ms";
        at += isLong ? slot::kLongRecordSize : slot::kShortRecordSize;
    }
    return text;
}

MacroRebuildReport RebuildMacroSlots(const FileStore& store, const std::filesystem::path& path,
                                     ImageBytes& image) {
    return RebuildMacroSlots(store, path, image,
                             [](std::string_view name) { return KeyUsageFromName(name); });
}

MacroRebuildReport RebuildMacroSlots(const FileStore& store, const std::filesystem::path& path,
                                     ImageBytes& image, const KeyLookup& lookup) {
    MacroRebuildReport report;
    if (!store.Exists(path)) {
        return report;
    }
    report.fileFound = true;
    const IniFile file = IniFile::Load(store, path);
    for (const std::string& name : ListedMacroNames(file)) {
        if (report.names.size() == layout::kMacroSlotCount) {
            ++report.namesWithoutSlot;
            continue;
        }
        report.names.push_back(name);
        MacroSlotOutcome& outcome = report.outcomes[report.names.size() - 1];
        const MacroSlotBytes bytes = SlotOf(image, report.names.size());
        const IniSection section = file.Section(name);
        const std::int32_t count = ParseIniInteger(section.Value("ItemCount"));
        if (count == 0) {
            std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
            outcome.action = MacroSlotOutcome::Action::Zeroed;
        } else if (count > 0) {
            const std::vector<std::string> items = MacroItemValues(section, count);
            const std::vector<MacroEvent> events =
                ParseMacroEvents(items, static_cast<std::size_t>(count), lookup);
            outcome.fill = EncodeEventArea(events, bytes);
            outcome.action = MacroSlotOutcome::Action::Encoded;
        }
    }
    return report;
}

}  // namespace quarten
