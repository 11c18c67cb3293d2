// The shipped config.bin is what the generator makes and holds the factory values.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "buttons/KeyMatrix.h"
#include "settings/FactorySettings.h"
#include "settings/SettingsFile.h"
#include "settings/DpiTables.h"

#ifndef QUARTEN_SOURCE_DIR
#define QUARTEN_SOURCE_DIR "."
#endif

namespace quarten {
namespace {

std::string Shipped() {
    std::ifstream in(std::string(QUARTEN_SOURCE_DIR) + "/data/config.bin", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(FactoryConfig, ShippedFileIsTheGeneratorsOutput) {
    const std::string shipped = Shipped();
    ASSERT_EQ(shipped.size(), 1850u);
    EXPECT_EQ(shipped, SettingsFileBytes(0, FactoryImage()));
}

TEST(FactoryConfig, HoldsTheFactoryValues) {
    const ImageBytes image = FactoryImage();
    EXPECT_EQ(image[layout::kReportInterval], 1);
    for (std::uint8_t sensor = 0; sensor <= 3; ++sensor) {
        for (std::size_t s = 0; s < 4; ++s) {
            EXPECT_LT(image[layout::kDpiLevel + s], DpiPositionCount(sensor));
        }
    }
    for (std::size_t s = 0; s < 4; ++s) {
        EXPECT_EQ(image[layout::kDpiEnabled + s], 1);
        for (std::size_t t = s + 1; t < 4; ++t) {
            EXPECT_NE(image[layout::kDpiLevel + s], image[layout::kDpiLevel + t]);
            EXPECT_FALSE(std::equal(image.begin() + layout::kDpiColour + 3 * s,
                                    image.begin() + layout::kDpiColour + 3 * s + 3,
                                    image.begin() + layout::kDpiColour + 3 * t));
        }
    }
    EXPECT_EQ(image[layout::kLightMode], 1);
    EXPECT_EQ(image[layout::kStandardBrightness], 9);
    const std::uint8_t pointer[] = {0, 0, 6, 3, 6};
    EXPECT_TRUE(std::equal(std::begin(pointer), std::end(pointer),
                           image.begin() + layout::kPointerSettings));
    const KeyMatrices matrices = BuildKeyMatrices(image);
    const std::uint8_t defaults[] = {1, 0, 0xF0, 0, 1, 0, 0xF1, 0, 1, 0, 0xF2, 0, 1, 0, 0xF4, 0,
                                     1, 0, 0xF3, 0, 7, 0, 3,    0, 8, 0, 3,    0, 0, 0, 0,    0};
    for (std::size_t table : {0u, 2u}) {
        EXPECT_TRUE(std::equal(std::begin(defaults), std::end(defaults), matrices[table].begin()))
            << "table " << table + 1;
    }
}

}  // namespace
}  // namespace quarten
