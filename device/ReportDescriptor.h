// Reads a HID report descriptor far enough to learn each top-level collection's report
// lengths, counted as the HID class driver counts them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quarten {

struct CollectionReportLengths {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Largest report of each kind in bytes, plus one byte for the report ID; 0 when the
    // collection has no report of that kind.
    std::uint16_t featureLength = 0;
    std::uint16_t inputLength = 0;
    std::uint16_t outputLength = 0;
};

struct ParsedDescriptor {
    std::vector<CollectionReportLengths> collections;
    bool usesReportIds = false;
};

// Bounds-checked; a malformed descriptor yields nothing and a reason.
std::optional<ParsedDescriptor> ParseReportDescriptor(std::span<const std::uint8_t> bytes,
                                                      std::string* error = nullptr);

}  // namespace quarten
