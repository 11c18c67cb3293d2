// Report lengths from report descriptors, counted as the HID class driver counts them.
#include <gtest/gtest.h>

#include "device/ReportDescriptor.h"

namespace quarten {
namespace {

// One vendor collection on usage page and usage 0xFFpp with 8-bit fields of the given
// byte counts, optionally behind a report ID.
std::vector<std::uint8_t> VendorCollection(std::uint8_t page, std::uint8_t feature,
                                           std::uint8_t input, std::uint8_t output,
                                           int reportId = -1) {
    std::vector<std::uint8_t> d = {0x06, page, 0xFF, 0x0A, page, 0xFF, 0xA1, 0x01};
    if (reportId >= 0) d.insert(d.end(), {0x85, static_cast<std::uint8_t>(reportId)});
    auto field = [&](std::uint8_t mainTag, std::uint8_t count) {
        if (!count) return;
        d.insert(d.end(), {0x75, 0x08, 0x95, count, 0x09, 0x01, mainTag, 0x02});
    };
    field(0xB1, feature);  // Feature
    field(0x81, input);    // Input
    field(0x91, output);   // Output
    d.push_back(0xC0);
    return d;
}

TEST(ReportDescriptor, CountsLengthsPerTopLevelCollectionPlusTheIdByte) {
    std::vector<std::uint8_t> d = VendorCollection(0x00, 8, 32, 32);
    const std::vector<std::uint8_t> second = VendorCollection(0x01, 0, 8, 0);
    d.insert(d.end(), second.begin(), second.end());

    const auto parsed = ParseReportDescriptor(d);
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->usesReportIds);
    ASSERT_EQ(parsed->collections.size(), 2u);
    const auto& command = parsed->collections[0];
    EXPECT_EQ(command.usagePage, 0xFF00);
    EXPECT_EQ(command.usage, 0xFF00);
    EXPECT_EQ(command.featureLength, 9);
    EXPECT_EQ(command.inputLength, 33);
    EXPECT_EQ(command.outputLength, 33);
    const auto& events = parsed->collections[1];
    EXPECT_EQ(events.usagePage, 0xFF01);
    EXPECT_EQ(events.usage, 0xFF01);
    EXPECT_EQ(events.inputLength, 9);
    EXPECT_EQ(events.featureLength, 0);
    EXPECT_EQ(events.outputLength, 0);
}

TEST(ReportDescriptor, TakesTheLargestReportWhenReportIdsAreUsed) {
    std::vector<std::uint8_t> d = VendorCollection(0x00, 0, 3, 0, 6);
    d.pop_back();  // reopen the collection for a second, longer input report
    d.insert(d.end(), {0x85, 0x07, 0x75, 0x08, 0x95, 0x0A, 0x09, 0x01, 0x81, 0x02, 0xC0});
    const auto parsed = ParseReportDescriptor(d);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->usesReportIds);
    EXPECT_EQ(parsed->collections[0].inputLength, 11);
}

TEST(ReportDescriptor, BitFieldsRoundUpAndNestedCollectionsCount) {
    // A generic mouse: 3 one-bit buttons, 5 bits padding, X/Y bytes, in a physical
    // collection nested inside the application collection.
    const std::vector<std::uint8_t> d = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01,
        0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01,
        0x75, 0x05, 0x81, 0x03, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F,
        0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0};
    const auto parsed = ParseReportDescriptor(d);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->collections.size(), 1u);
    EXPECT_EQ(parsed->collections[0].usagePage, 0x0001);
    EXPECT_EQ(parsed->collections[0].usage, 0x0002);
    EXPECT_EQ(parsed->collections[0].inputLength, 4);
}

TEST(ReportDescriptor, MalformedInputIsRefusedWithAReason) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        const char* reason;
    };
    const Case cases[] = {
        {{0x06, 0x00}, "truncated item"},
        {{0xA1, 0x01}, "unclosed collection"},
        {{0xC0}, "end without collection"},
        {{0xB4}, "pop without push"},
        {{0xFE, 0x05, 0x00, 0x01}, "truncated long item"},
        {{0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02,
          0xC0},
         "report too large"},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_FALSE(ParseReportDescriptor(c.bytes, &reason));
        EXPECT_EQ(reason, c.reason);
    }
    EXPECT_TRUE(ParseReportDescriptor({}));  // empty: no collections, nothing wrong
}

}  // namespace
}  // namespace quarten
