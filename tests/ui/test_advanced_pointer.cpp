// The advanced page's pointer settings against the desktop: read once per run, shown on the
// sliders, applied by OK and Apply, reset by "Default", with GNOME's real GSettings (memory
// backend) and a scripted desktop for what GNOME cannot express.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/GSettingsPointerBackend.h"
#include "tests/ui/AppRig.h"

namespace quarten {
namespace {

namespace frame = layout::frame;
namespace advanced = layout::advanced;
using test::AppRig;

// Before GIO reads its environment: nothing a test sets may reach the user's real settings.
const bool kMemoryBackend = [] { return ::setenv("GSETTINGS_BACKEND", "memory", 1) == 0; }();

// A desktop whose answers the test writes and whose every call is recorded.
struct ScriptedDesktop {
    PointerBackendReading reading{{}, PointerSettingSet::All()};
    PointerSettingSet failing;
    int reads = 0;
    std::vector<SystemPointerValues> applied;
};

class ScriptedBackend final : public PointerBackend {
public:
    explicit ScriptedBackend(ScriptedDesktop& desktop) : desktop_(desktop) {}
    PointerBackendReading Read() override {
        ++desktop_.reads;
        return desktop_.reading;
    }
    PointerApplyReport Apply(const SystemPointerValues& values) override {
        desktop_.applied.push_back(values);
        return {PointerSettingSet::All(), desktop_.failing};
    }

private:
    ScriptedDesktop& desktop_;
};

SystemPointerReading Reading(bool precision, int speed, int lines, unsigned ms) {
    return {precision ? kPrecisionOnAcceleration : kPrecisionOffAcceleration, speed, lines, ms};
}
SystemPointerValues Values(bool precision, int speed, int lines, unsigned ms) {
    return {precision ? kPrecisionOnAcceleration : kPrecisionOffAcceleration, speed, lines, ms};
}

class AdvancedPointerTest : public ::testing::Test {
protected:
    // Starts the app on the scripted desktop, or on GNOME's settings when `gnome` is set.
    void Start(bool gnome = false) {
        test::RigOptions options;
        if (gnome) {
            options.pointer = [] { return std::make_unique<GSettingsPointerBackend>(); };
        } else {
            options.pointer = [this] { return std::make_unique<ScriptedBackend>(desktop); };
        }
        rig = std::make_unique<AppRig>(options);
        ASSERT_TRUE(rig->Start());
    }
    void ShowAdvanced() { rig->PressAt(frame::kNextPage); }
    PointerSettings Stored() { return PointerSettings::FromImage(rig->Settings().image); }
    // What the page shows at `at`, and what it would show with `image` drawn there.
    QImage Shown(const layout::Rect& at) { return rig->Context().canvas.Image().copy(ToQRect(at)); }
    QImage Drawn(std::string_view image, const layout::Rect& at) {
        SkinCanvas scratch(rig->Context().images);
        scratch.SetSkin(rig->Context().canvas.Folder(), Qt::white, {}, {});
        scratch.Resize(rig->Context().canvas.Size());
        scratch.Reset(layout::image::kAdvancedBackground);
        scratch.Draw(image, at);
        return scratch.Image().copy(ToQRect(at));
    }
    // Lit segments of a slider row, read off the canvas.
    int LitSegments(int row) {
        int lit = 0;
        for (int n = 1; n <= advanced::kSliderSegments; ++n) {
            const layout::Rect segment = advanced::SliderSegment(row, n);
            if (Shown(segment) == Drawn(layout::image::kSliderLight, segment)) ++lit;
        }
        return lit;
    }
    std::vector<int> Lit() { return {LitSegments(0), LitSegments(1), LitSegments(2)}; }

    ScriptedDesktop desktop;
    std::unique_ptr<AppRig> rig;
};

TEST_F(AdvancedPointerTest, GnomeSettingsAreShownAndAppliedThroughGSettings) {
    ASSERT_TRUE(kMemoryBackend);
    if (GSettingsPointerBackend().Available() == PointerSettingSet{}) {
        GTEST_SKIP() << "the GNOME schemas are not installed (gsettings-desktop-schemas)";
    }
    // Speed 0.0 (system speed 10), flat profile, 500 ms.
    ASSERT_EQ(GSettingsPointerBackend().Apply(Values(false, 10, 3, 500)).failed, PointerSettingSet{});
    Start(true);
    const std::uint8_t storedScroll = Stored().scrollSteps;
    ShowAdvanced();
    EXPECT_TRUE(rig->warnings.empty());  // GNOME has no wheel lines: that is no failure
    EXPECT_EQ(Stored(), (PointerSettings{0, 0, 6, storedScroll, 6}));
    EXPECT_EQ(LitSegments(0), 6);
    EXPECT_EQ(LitSegments(2), 6);

    struct Case {
        int segment;
        int speed;
    };
    for (const Case c : {Case{11, 20}, Case{1, 1}, Case{2, 2}}) {
        rig->PressAt(advanced::SliderSegment(0, c.segment));
        rig->PressAt(frame::kApply);
        const PointerBackendReading back = GSettingsPointerBackend().Read();
        EXPECT_EQ(back.values.speed, c.speed) << "segment " << c.segment;
        // 500 ms read as 6 steps goes back as 550 ms.
        EXPECT_EQ(back.values.doubleClickMs, 550u);
        EXPECT_EQ(back.values.acceleration, kPrecisionOffAcceleration);
    }
    EXPECT_TRUE(rig->warnings.empty());
}

TEST_F(AdvancedPointerTest, SystemValuesBecomeSegmentsAndGoBack) {
    struct Case {
        const char* what;
        SystemPointerReading system;
        PointerSettings shown;
        std::vector<int> lit;
        SystemPointerValues applied;
    };
    const Case cases[] = {
        {"the middle", Reading(false, 10, 3, 500), {0, 0, 6, 3, 6}, {6, 3, 6}, Values(false, 10, 3, 550)},
        {"one screen per notch", Reading(true, 20, kWheelOneScreen, 200), {1, 1, 11, 0, 11},
         {11, 0, 11}, Values(true, 20, kWheelOneScreen, 200)},
        {"slowest double-click", Reading(false, 1, 0, 900), {0, 0, 1, 0, 1}, {1, 0, 1},
         Values(false, 1, 0, 900)},
        // Beyond the sliders: drawn at their ends, never applied wrapped around.
        {"40 lines, 1000 ms", Reading(false, 10, 40, 1000), {0, 0, 6, 40, 1}, {6, 11, 1},
         Values(false, 10, 40, 900)},
        {"150 ms", Reading(false, 10, 3, 150), {0, 0, 6, 3, 11}, {6, 3, 11}, Values(false, 10, 3, 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop = {};
        desktop.reading.values = c.system;
        Start();
        ShowAdvanced();
        EXPECT_EQ(Stored(), c.shown);
        EXPECT_EQ(Lit(), c.lit);
        rig->PressAt(frame::kApply);
        ASSERT_EQ(desktop.applied.size(), 1u);
        EXPECT_EQ(desktop.applied[0], c.applied);
        rig.reset();
    }
}

TEST_F(AdvancedPointerTest, OneScreenStaysWhateverTheScrollSliderShowsUntilUnticked) {
    desktop.reading.values = Reading(false, 10, kWheelOneScreen, 500);
    Start();
    ShowAdvanced();
    rig->PressAt(advanced::SliderSegment(1, 5));
    rig->PressAt(frame::kApply);
    rig->PressAt(advanced::kOneScreenBox);
    rig->PressAt(frame::kApply);
    ASSERT_EQ(desktop.applied.size(), 2u);
    EXPECT_EQ(desktop.applied[0].wheelLines, kWheelOneScreen);
    EXPECT_EQ(desktop.applied[1].wheelLines, 5);
}

TEST_F(AdvancedPointerTest, TheDesktopIsReadOncePerRunAndWrittenOnlyAfterThat) {
    desktop.reading.values = Reading(true, 14, 3, 500);
    Start();
    // Apply from the basic page before the advanced page was ever shown: the image still
    // holds config.bin's bytes, which must not overwrite the desktop's own settings.
    rig->PressAt(frame::kApply);
    EXPECT_EQ(desktop.reads, 0);
    EXPECT_TRUE(desktop.applied.empty());

    ShowAdvanced();
    rig->PressAt(advanced::SliderSegment(0, 3));
    rig->PressAt(frame::kPrevPage);
    desktop.reading.values = Reading(false, 20, 9, 200);  // changed behind our back
    ShowAdvanced();
    EXPECT_EQ(desktop.reads, 1);
    EXPECT_EQ(Stored().speedSteps, 3);  // the edit, not a new reading
    rig->PressAt(frame::kOk);
    ASSERT_EQ(desktop.applied.size(), 1u);
    EXPECT_EQ(desktop.applied[0], Values(true, 4, 3, 550));
}

TEST_F(AdvancedPointerTest, DefaultSetsTheDesktopAtOnceAndCancelRestoresOnlyTheBytes) {
    desktop.reading.values = Reading(true, 20, kWheelOneScreen, 200);
    Start();
    ShowAdvanced();
    rig->PressAt(advanced::kDefault);
    ASSERT_EQ(desktop.applied.size(), 1u);
    EXPECT_EQ(desktop.applied[0], Values(false, 10, 3, 500));
    EXPECT_EQ(Stored(), (PointerSettings{0, 0, 6, 3, 6}));
    EXPECT_EQ(Lit(), (std::vector<int>{6, 3, 6}));
    EXPECT_EQ(Shown(advanced::kPrecisionBox), Drawn(layout::image::kPane, advanced::kPrecisionBox));
    EXPECT_EQ(Shown(advanced::kOneScreenBox), Drawn(layout::image::kPane, advanced::kOneScreenBox));

    // A toggle then "Cancel": the flag byte comes back, the desktop hears nothing.
    rig->PressAt(frame::kApply);
    const std::size_t applied = desktop.applied.size();
    const std::uint8_t before = Stored().precisionFlag;
    rig->PressAt(advanced::kPrecisionBox);
    EXPECT_NE(Stored().precisionFlag, before);
    rig->PressAt(frame::kCancel);
    EXPECT_EQ(Stored().precisionFlag, before);
    EXPECT_EQ(desktop.applied.size(), applied);
}

TEST_F(AdvancedPointerTest, FailedCallsWarnInOrderAndTheOthersStillRun) {
    desktop.reading.values = SystemPointerReading{std::nullopt, std::nullopt, std::nullopt, 0};
    desktop.failing = PointerSettingSet::All();
    Start();
    const PointerSettings before = Stored();
    ShowAdvanced();
    const std::vector<test::Shown> reads = {{"Warning", "GETMOUSESPEED failed.", 0},
                                      {"Warning", "GETWHEELSCROLLLINES failed.", 0},
                                      {"Warning", "GetDoubleClickTime failed.", 0}};
    EXPECT_EQ(rig->warnings, reads);
    // Failed reads keep the stored speed and double-click, count no wheel lines, no precision.
    EXPECT_EQ(Stored(), (PointerSettings{0, 0, before.speedSteps, 0, before.doubleClickSteps}));

    rig->warnings.clear();
    rig->PressAt(frame::kApply);
    const std::vector<test::Shown> writes = {{"Warning", "SETMOUSE failed.", 0},
                                       {"Warning", "SETMOUSESPEED failed.", 0},
                                       {"Warning", "SETWHEELSCROLLLINES failed.", 0},
                                       {"Warning", "SPI_SETDOUBLECLICKTIME failed.", 0}};
    EXPECT_EQ(rig->warnings, writes);
}

}  // namespace
}  // namespace quarten
