// The four key-matrix tables built from the image, checked byte by byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "buttons/ButtonAssignment.h"
#include "buttons/KeyMatrix.h"

namespace quarten {
namespace {

// clang-format off
constexpr KeyMatrixBytes kDefaultTable = {
    0x01, 0x00, 0xF0, 0x00,  0x01, 0x00, 0xF1, 0x00,  0x01, 0x00, 0xF2, 0x00,
    0x01, 0x00, 0xF4, 0x00,  0x01, 0x00, 0xF3, 0x00,  0x07, 0x00, 0x03, 0x00,
    0x08, 0x00, 0x03, 0x00,  0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00,  0x01, 0x00, 0xF7, 0x00,
    0x01, 0x00, 0xF8, 0x00,
};
// clang-format on
constexpr KeyMatrixBytes kZeroTable{};

TEST(BuildKeyMatrices, DefaultAssignmentsGiveTheFactoryTables) {
    // Parameter arrays full of leftovers must not leak into any entry.
    ImageBytes image;
    image.fill(0xAA);
    ButtonCaptions captions;
    ResetButtonAssignments(image, captions);

    const KeyMatrices tables = BuildKeyMatrices(image);
    EXPECT_EQ(tables[0], kDefaultTable);
    EXPECT_EQ(tables[1], kZeroTable);
    EXPECT_EQ(tables[2], kDefaultTable);
    EXPECT_EQ(tables[3], kZeroTable);
}

TEST(BuildKeyMatrices, ForeignKindBytesGiveOnlyTheFixedEntries) {
    ImageBytes image;
    image.fill(0xFF);
    const KeyMatrices tables = BuildKeyMatrices(image);
    for (std::size_t t : {0u, 2u}) {
        for (std::size_t e = 0; e < 14; ++e) {
            EXPECT_EQ(KeyMatrixEntry(tables[t], e), ButtonFunction{}) << t << " " << e;
        }
        EXPECT_EQ(KeyMatrixEntry(tables[t], 14), (ButtonFunction{{0x01, 0x00, 0xF7, 0x00}}));
        EXPECT_EQ(KeyMatrixEntry(tables[t], 15), (ButtonFunction{{0x01, 0x00, 0xF8, 0x00}}));
    }
    EXPECT_EQ(tables[1], kZeroTable);
    EXPECT_EQ(tables[3], kZeroTable);
}

// Each layer is encoded from its own block and its own DPI-switch array.
TEST(BuildKeyMatrices, EachModeUsesItsOwnArrays) {
    ImageBytes image{};
    const std::size_t a = 0, b = 1705;  // layer blocks
    const std::size_t dpiA = 1833, dpiB = 1841;
    // Button 1: DPI switch in both modes, different actions.
    image[a + 0] = 6;
    image[dpiA + 0] = 1;
    image[b + 0] = 6;
    image[dpiB + 0] = 2;
    // Button 2: macro key in both modes, different slots and repeat modes.
    image[a + 1] = 13;
    image[a + 0x70 + 1] = 4;
    image[a + 0x78 + 1] = 0;
    image[b + 1] = 13;
    image[b + 0x70 + 1] = 9;
    image[b + 0x78 + 1] = 2;
    // Button 8: Windows function in Mode B only; Mode A keeps zeros (left click).
    image[b + 7] = 8;
    image[b + 0x20 + 7] = 0x2A;
    image[b + 0x28 + 7] = 0x02;
    // Button 5: combination in Mode B.
    image[b + 4] = 12;
    image[b + 0x58 + 4] = 0x04;
    image[b + 0x60 + 4] = 0x06;
    image[b + 0x68 + 4] = 0x19;

    const KeyMatrices tables = BuildKeyMatrices(image);
    EXPECT_EQ(KeyMatrixEntry(tables[0], 0), (ButtonFunction{{0x07, 0x00, 0x01, 0x00}}));
    EXPECT_EQ(KeyMatrixEntry(tables[2], 0), (ButtonFunction{{0x07, 0x00, 0x02, 0x00}}));
    EXPECT_EQ(KeyMatrixEntry(tables[0], 1), (ButtonFunction{{0x09, 0x00, 0x05, 0x00}}));
    EXPECT_EQ(KeyMatrixEntry(tables[2], 1), (ButtonFunction{{0x09, 0x02, 0x0A, 0x00}}));
    EXPECT_EQ(KeyMatrixEntry(tables[0], 7), (ButtonFunction{{0x01, 0x00, 0xF0, 0x00}}));
    EXPECT_EQ(KeyMatrixEntry(tables[2], 7), (ButtonFunction{{0x03, 0x00, 0x2A, 0x02}}));
    EXPECT_EQ(KeyMatrixEntry(tables[0], 4), (ButtonFunction{{0x01, 0x00, 0xF0, 0x00}}));
    EXPECT_EQ(KeyMatrixEntry(tables[2], 4), (ButtonFunction{{0x00, 0x04, 0x06, 0x19}}));
    // Entry i sits at bytes 4i..4i+3.
    const std::array<std::uint8_t, 4> entry7 = {0x03, 0x00, 0x2A, 0x02};
    EXPECT_TRUE(std::equal(entry7.begin(), entry7.end(), tables[2].begin() + 28));
}

TEST(KeyMatrixEntry, RejectsEntriesPastTheTable) {
    EXPECT_THROW(KeyMatrixEntry(kZeroTable, 16), std::out_of_range);
}

}  // namespace
}  // namespace quarten
