// Host pointer settings: image bytes, reading system values into steps and applying them back.
#include <gtest/gtest.h>

#include <optional>

#include "host/PointerSettings.h"

namespace quarten {
namespace {

PointerSettings Steps(int precision, int oneScreen, int speed, int scroll, int doubleClick) {
    PointerSettings s;
    s.precisionFlag = static_cast<std::uint8_t>(precision);
    s.oneScreenFlag = static_cast<std::uint8_t>(oneScreen);
    s.speedSteps = static_cast<std::uint8_t>(speed);
    s.scrollSteps = static_cast<std::uint8_t>(scroll);
    s.doubleClickSteps = static_cast<std::uint8_t>(doubleClick);
    return s;
}

SystemPointerReading Reading(std::optional<PointerAcceleration> acceleration,
                             std::optional<int> speed, std::optional<int> wheel,
                             unsigned doubleClick) {
    return SystemPointerReading{acceleration, speed, wheel, doubleClick};
}

constexpr PointerAcceleration kOn{6, 10, 1};
constexpr PointerAcceleration kOff{0, 0, 0};

TEST(PointerSettingsImage, UsesBytes1699To1703Only) {
    ImageBytes image;
    image.fill(0x5A);
    Steps(1, 0, 7, 44, 9).StoreTo(image);
    EXPECT_EQ(image[1699], 1);
    EXPECT_EQ(image[1700], 0);
    EXPECT_EQ(image[1701], 7);
    EXPECT_EQ(image[1702], 44);
    EXPECT_EQ(image[1703], 9);
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (i < 1699 || i > 1703) {
            EXPECT_EQ(image[i], 0x5A) << "offset " << i;
        }
    }
    EXPECT_EQ(PointerSettings::FromImage(image), Steps(1, 0, 7, 44, 9));
}

struct ReadCase {
    const char* what;
    SystemPointerReading reading;
    PointerSettings expected;
};

TEST(PointerSettingsReading, SystemValuesBecomeSteps) {
    const PointerSettings stored = Steps(1, 1, 4, 9, 2);
    const ReadCase cases[] = {
        {"speed 10, 3 lines, 500 ms", Reading(kOff, 10, 3, 500), Steps(0, 0, 6, 3, 6)},
        {"fastest, shortest", Reading(kOn, 20, 1, 200), Steps(1, 0, 11, 1, 11)},
        {"slowest, longest", Reading(kOn, 1, 0, 900), Steps(1, 0, 1, 0, 1)},
        {"odd speed rounds down", Reading(kOff, 11, 3, 550), Steps(0, 0, 6, 3, 6)},
        {"one screen per notch", Reading(kOff, 10, -1, 500), Steps(0, 1, 6, 0, 6)},
        {"more wheel lines than a byte holds stay the most", Reading(kOff, 10, 300, 500),
         Steps(0, 0, 6, 255, 6)},
        {"negative wheel lines are none", Reading(kOff, 10, -7, 500), Steps(0, 0, 6, 0, 6)},
        {"many wheel lines stay as read", Reading(kOff, 10, 40, 500), Steps(0, 0, 6, 40, 6)},
        {"failed wheel read is 0 lines", Reading(kOff, 10, std::nullopt, 500),
         Steps(0, 0, 6, 0, 6)},
        {"failed speed read keeps the stored steps", Reading(kOff, std::nullopt, 3, 500),
         Steps(0, 0, 4, 3, 6)},
        {"acceleration 0 with thresholds is off",
         Reading(PointerAcceleration{6, 10, 0}, 10, 3, 500), Steps(0, 0, 6, 3, 6)},
        {"any non-zero acceleration is on", Reading(PointerAcceleration{0, 0, 2}, 10, 3, 500),
         Steps(1, 0, 6, 3, 6)},
        {"failed acceleration read is off", Reading(std::nullopt, 10, 3, 500),
         Steps(0, 0, 6, 3, 6)},
        // Double-click times outside 200..900 ms count as the nearest end of the slider.
        {"199 ms", Reading(kOff, 10, 3, 199), Steps(0, 0, 6, 3, 11)},
        {"100 ms", Reading(kOff, 10, 3, 100), Steps(0, 0, 6, 3, 11)},
        {"901 ms", Reading(kOff, 10, 3, 901), Steps(0, 0, 6, 3, 1)},
        {"1000 ms is slow, not wrapped to fast", Reading(kOff, 10, 3, 1000), Steps(0, 0, 6, 3, 1)},
        {"failed double-click read (0) keeps the stored steps", Reading(kOff, 10, 3, 0),
         Steps(0, 0, 6, 3, 2)},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(PointerSettings::FromSystem(c.reading, stored), c.expected) << c.what;
    }
}

struct ApplyCase {
    const char* what;
    PointerSettings steps;
    SystemPointerValues expected;
};

TEST(PointerSettingsApplying, StepsBecomeSystemValues) {
    const ApplyCase cases[] = {
        {"middle", Steps(0, 0, 6, 3, 6), {kOff, 10, 3, 550}},
        {"speed 1", Steps(0, 0, 1, 3, 1), {kOff, 1, 3, 900}},
        {"speed 2", Steps(0, 0, 2, 3, 2), {kOff, 2, 3, 830}},
        {"top of every slider", Steps(1, 0, 11, 11, 11), {kOn, 20, 11, 200}},
        {"one screen wins over the slider", Steps(0, 1, 6, 5, 6), {kOff, 10, -1, 550}},
        {"only flag value 1 counts as ticked", Steps(2, 2, 6, 5, 6), {kOff, 10, 5, 550}},
        {"lines read from the system go back unchanged",
         Steps(0, 0, 6, 44, 6),
         {kOff, 10, 44, 550}},
        {"no lines", Steps(0, 0, 6, 0, 6), {kOff, 10, 0, 550}},
        // Step bytes outside 1..11 are clamped, never wrapped around.
        {"zero steps", Steps(0, 0, 0, 3, 0), {kOff, 1, 3, 900}},
        {"wrapped double-click steps", Steps(0, 0, 6, 3, 131), {kOff, 10, 3, 200}},
        {"largest step bytes", Steps(0, 0, 255, 3, 255), {kOff, 20, 3, 200}},
    };
    for (const ApplyCase& c : cases) EXPECT_EQ(c.steps.ToSystem(), c.expected) << c.what;
}

TEST(PointerSettingsApplying, ReadingAndApplyingAreNotExactInverses) {
    const PointerSettings read = PointerSettings::FromSystem(Reading(kOn, 13, -1, 500), {});
    const SystemPointerValues back = read.ToSystem();
    EXPECT_EQ(back.doubleClickMs, 550u);
    EXPECT_EQ(back.speed, 12);
    EXPECT_EQ(back.wheelLines, -1);
    EXPECT_EQ(back.acceleration, kOn);
}

TEST(PointerSettingsSegments, ClampToTheSliders) {
    struct Case {
        int steps;
        int speed, scroll, doubleClick;
    };
    const Case cases[] = {
        {0, 1, 0, 1},     {1, 1, 1, 1},     {6, 6, 6, 6},      {11, 11, 11, 11},
        {12, 11, 11, 11}, {44, 11, 11, 11}, {255, 11, 11, 11},
    };
    for (const Case& c : cases) {
        const PointerSettings s = Steps(0, 0, c.steps, c.steps, c.steps);
        EXPECT_EQ(s.SpeedSegments(), c.speed) << c.steps;
        EXPECT_EQ(s.ScrollSegments(), c.scroll) << c.steps;
        EXPECT_EQ(s.DoubleClickSegments(), c.doubleClick) << c.steps;
    }
}

TEST(PointerSettingsDefault, StoresTheMiddleStepsWhereNoDesktopSaysOtherwise) {
    EXPECT_EQ(DefaultPointerSettings(), Steps(0, 0, 6, 3, 6));
}

TEST(PointerSettingsPerSetting, SameMeansTheSameSystemValue) {
    struct Case {
        const char* what;
        PointerSetting setting;
        PointerSettings a, b;
        bool same;
    };
    const Case cases[] = {
        {"speed steps", PointerSetting::Speed, Steps(0, 0, 4, 3, 6), Steps(0, 0, 4, 9, 1), true},
        {"other speed", PointerSetting::Speed, Steps(0, 0, 4, 3, 6), Steps(0, 0, 5, 3, 6), false},
        {"speed beyond the slider", PointerSetting::Speed, Steps(0, 0, 11, 3, 6),
         Steps(0, 0, 200, 3, 6), true},
        {"flag 2 is not ticked", PointerSetting::Acceleration, Steps(0, 0, 6, 3, 6),
         Steps(2, 0, 6, 3, 6), true},
        {"ticked", PointerSetting::Acceleration, Steps(0, 0, 6, 3, 6), Steps(1, 0, 6, 3, 6), false},
        {"one screen hides the scroll steps", PointerSetting::WheelLines, Steps(0, 1, 6, 3, 6),
         Steps(0, 1, 6, 8, 6), true},
        {"one screen against lines", PointerSetting::WheelLines, Steps(0, 1, 6, 3, 6),
         Steps(0, 0, 6, 3, 6), false},
        {"lines", PointerSetting::WheelLines, Steps(0, 0, 6, 3, 6), Steps(0, 0, 6, 4, 6), false},
        {"double-click", PointerSetting::DoubleClick, Steps(0, 0, 6, 3, 6), Steps(0, 0, 6, 3, 7),
         false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SamePointerSetting(c.setting, c.a, c.b), c.same) << c.what;
    }
}

TEST(PointerSettingsPerSetting, CopyTakesOnlyThatSettingsBytes) {
    const PointerSettings from = Steps(1, 1, 11, 9, 2);
    struct Case {
        PointerSetting setting;
        PointerSettings expected;
    };
    const Case cases[] = {{PointerSetting::Acceleration, Steps(1, 0, 6, 3, 6)},
                          {PointerSetting::Speed, Steps(0, 0, 11, 3, 6)},
                          {PointerSetting::WheelLines, Steps(0, 1, 6, 9, 6)},
                          {PointerSetting::DoubleClick, Steps(0, 0, 6, 3, 2)}};
    for (const Case& c : cases) {
        PointerSettings to = Steps(0, 0, 6, 3, 6);
        CopyPointerSetting(c.setting, from, to);
        EXPECT_EQ(to, c.expected) << static_cast<int>(c.setting);
    }
}

}  // namespace
}  // namespace quarten
