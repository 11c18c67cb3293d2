// The basic page's edits of the image: rate positions, the at-least-one-stage rule, the
// sensor-dependent slider, colours of switched-off stages, lighting per mode.
#include <gtest/gtest.h>

#include "settings/BasicSettings.h"
#include "settings/LightingTables.h"

namespace quarten {
namespace {

DeviceSettings WithStages(std::array<std::uint8_t, 4> enabled) {
    DeviceSettings s;
    std::copy(enabled.begin(), enabled.end(), s.image.begin() + layout::kDpiEnabled);
    return s;
}

TEST(BasicSettings, ReportRatePositionsAndTheMarkerOfAnyInterval) {
    DeviceSettings s;
    const std::pair<int, int> positions[] = {{1, 8}, {2, 4}, {3, 2}, {4, 1}};
    for (auto [position, interval] : positions) {
        SelectReportRate(s, position);
        EXPECT_EQ(s.At(layout::kReportInterval), interval);
        EXPECT_EQ(ReportRatePosition(static_cast<std::uint8_t>(interval)), position);
    }
    EXPECT_EQ(ReportRatePosition(0), 4);  // a fresh image shows 1000 Hz
    EXPECT_EQ(ReportRatePosition(3), 4);
}

TEST(BasicSettings, AtLeastOneStageStaysOn) {
    DeviceSettings only = WithStages({0, 1, 0, 0});
    EXPECT_FALSE(ToggleStage(only, 2));
    EXPECT_TRUE(StageEnabled(only, 2));

    DeviceSettings two = WithStages({1, 1, 0, 0});
    EXPECT_TRUE(ToggleStage(two, 1));
    EXPECT_FALSE(StageEnabled(two, 1));
    EXPECT_FALSE(ToggleStage(two, 2));
    EXPECT_TRUE(ToggleStage(two, 3));  // off to on always works
    EXPECT_TRUE(StageEnabled(two, 3));

    // A colour byte of 1 right after the switches does not count as a stage that is on.
    DeviceSettings colour = WithStages({1, 0, 0, 0});
    colour.At(layout::kDpiColour) = 1;
    EXPECT_FALSE(ToggleStage(colour, 1));
}

TEST(BasicSettings, SliderSegmentsDependOnTheSensor) {
    struct Case {
        std::uint8_t sensor;
        int segment;
        bool taken;
    };
    const Case cases[] = {{0, 12, true}, {0, 9, true}, {2, 8, true}, {2, 9, false},
                          {1, 10, false}, {5, 12, true},  {5, 13, false}, {0, 13, false},
                          {0, 0, false}};
    for (const Case& c : cases) {
        DeviceSettings s;
        s.sensorTypeSelector = c.sensor;
        s.At(layout::kDpiLevel + 1) = 0x77;
        EXPECT_EQ(SetStageLevel(s, 2, c.segment), c.taken) << int(c.sensor) << " " << c.segment;
        EXPECT_EQ(s.At(layout::kDpiLevel + 1), c.taken ? c.segment - 1 : 0x77);
    }
}

TEST(BasicSettings, OnlyAStageThatIsOnTakesAColour) {
    DeviceSettings s = WithStages({1, 0, 0, 0});
    EXPECT_FALSE(SetStageColour(s, 2, {1, 2, 3}));
    EXPECT_EQ(s.At(layout::kDpiColour + 3), 0);
    EXPECT_TRUE(SetStageColour(s, 1, {10, 20, 30}));
    EXPECT_EQ(s.At(layout::kDpiColour + 0), 10);
    EXPECT_EQ(s.At(layout::kDpiColour + 2), 30);
}

TEST(BasicSettings, LightingKeepsEachModesOwnParameter) {
    DeviceSettings s;
    EXPECT_EQ(LightParameterIndex(s), 0);
    SelectLightParameter(s, 3);  // no mode yet: nothing to set
    EXPECT_EQ(s.At(layout::kStandardBrightness), 0);
    SelectLightMode(s, 2);  // Neon
    SelectLightParameter(s, 29);
    SelectLightParameter(s, 30);  // beyond the list: ignored
    SelectNeonEffect(s, 1);
    EXPECT_EQ(s.At(layout::kNeonSpeed), 29);
    EXPECT_EQ(s.At(layout::kNeonEffect), 3);
    SelectLightMode(s, 0);  // Standard
    SelectLightParameter(s, 9);
    EXPECT_EQ(TextAt(LightParameterTexts(1), LightParameterIndex(s)), "100%");
    SelectLightMode(s, 2);
    EXPECT_EQ(TextAt(LightParameterTexts(3), LightParameterIndex(s)), "15S");
    EXPECT_EQ(LightEffectIndex(s), 3);
}

}  // namespace
}  // namespace quarten
