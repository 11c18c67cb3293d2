#include "device/ReportDescriptor.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace quarten {
namespace {

enum class ItemType { Main = 0, Global = 1, Local = 2 };

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

enum Kind { kInput = 0, kOutput = 1, kFeature = 2 };

// Limits that no real mouse comes near; they keep a hostile descriptor from overflowing.
constexpr std::uint32_t kMaxReportBits = 1u << 20;
constexpr int kMaxDepth = 64;
constexpr std::size_t kMaxGlobalStack = 64;

}  // namespace

std::optional<ParsedDescriptor> ParseReportDescriptor(std::span<const std::uint8_t> bytes,
                                                      std::string* error) {
    auto fail = [error](const char* reason) {
        if (error) *error = reason;
        return std::optional<ParsedDescriptor>{};
    };
    ParsedDescriptor parsed;
    GlobalState global;
    std::vector<GlobalState> globalStack;
    std::vector<std::uint32_t> usages;  // local usages since the last main item
    int depth = 0;
    int topLevel = -1;  // index into parsed.collections of the open top-level collection
    // Bits per (top-level collection, kind, report ID).
    std::map<std::tuple<int, int, std::uint32_t>, std::uint32_t> bits;

    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::uint8_t prefix = bytes[at];
        if (prefix == 0xFE) {  // long item: size byte, tag byte, data
            if (at + 2 >= bytes.size()) return fail("truncated long item");
            at += 3 + std::size_t{bytes[at + 1]};
            if (at > bytes.size()) return fail("truncated long item");
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (at + 1 + size > bytes.size()) return fail("truncated item");
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{bytes[at + 1 + i]} << (8 * i);
        const auto type = static_cast<ItemType>((prefix >> 2) & 3);
        const std::uint8_t tag = prefix >> 4;
        at += 1 + size;

        if (type == ItemType::Global) {
            switch (tag) {
                case 0x0: global.usagePage = value; break;
                case 0x7: global.reportSize = value; break;
                case 0x8:
                    global.reportId = value;
                    parsed.usesReportIds = true;
                    break;
                case 0x9: global.reportCount = value; break;
                case 0xA:
                    if (globalStack.size() >= kMaxGlobalStack)
                        return fail("push too deep");
                    globalStack.push_back(global);
                    break;
                case 0xB:
                    if (globalStack.empty()) return fail("pop without push");
                    global = globalStack.back();
                    globalStack.pop_back();
                    break;
                default: break;
            }
            continue;
        }
        if (type == ItemType::Local) {
            if (tag == 0x0) {
                // A four-byte usage carries its own usage page in the high half.
                usages.push_back(size == 4 ? value : (global.usagePage << 16) | value);
            }
            continue;
        }
        if (type != ItemType::Main) continue;  // reserved item type

        switch (tag) {
            case 0xA: {  // Collection
                if (depth == 0) {
                    const std::uint32_t usage = usages.empty() ? global.usagePage << 16 : usages.front();
                    parsed.collections.push_back(
                        {static_cast<std::uint16_t>(usage >> 16),
                         static_cast<std::uint16_t>(usage & 0xFFFF), 0, 0, 0});
                    topLevel = static_cast<int>(parsed.collections.size()) - 1;
                }
                if (++depth > kMaxDepth) return fail("collections too deep");
                break;
            }
            case 0xC:  // End Collection
                if (depth == 0) return fail("end without collection");
                if (--depth == 0) topLevel = -1;
                break;
            case 0x8:    // Input
            case 0x9:    // Output
            case 0xB: {  // Feature
                if (topLevel < 0) break;  // reports outside a collection belong to nobody
                const int kind = tag == 0x8 ? kInput : tag == 0x9 ? kOutput : kFeature;
                const std::uint64_t added =
                    std::uint64_t{global.reportSize} * std::uint64_t{global.reportCount};
                std::uint32_t& total = bits[{topLevel, kind, global.reportId}];
                if (added > kMaxReportBits || total + added > kMaxReportBits)
                    return fail("report too large");
                total += static_cast<std::uint32_t>(added);
                break;
            }
            default: break;
        }
        usages.clear();
    }
    if (depth != 0) return fail("unclosed collection");

    for (const auto& [key, count] : bits) {
        const auto [collection, kind, id] = key;
        const auto length = static_cast<std::uint16_t>(std::min<std::uint32_t>((count + 7) / 8 + 1, 0xFFFF));
        CollectionReportLengths& c = parsed.collections[static_cast<std::size_t>(collection)];
        std::uint16_t& slot = kind == kInput ? c.inputLength
                              : kind == kOutput ? c.outputLength : c.featureLength;
        slot = std::max(slot, length);
    }
    return parsed;
}

}  // namespace quarten
