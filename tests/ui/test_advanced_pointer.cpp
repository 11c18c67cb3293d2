// The advanced page's pointer settings against the desktop, driven by clicks on the window:
// read once per run, written only where the user changed them, "Default" with the desktop's
// own defaults, "Cancel" giving back what the desktop had; with GNOME's real GSettings (a
// keyfile in a private folder) and a scripted desktop for what GNOME cannot express.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "platform/GSettingsPointerBackend.h"
#include "settings/SettingsFile.h"
#include "tests/support/GnomeMouseKeyfile.h"
#include "tests/ui/AppRig.h"

namespace quarten {
namespace {

namespace frame = layout::frame;
namespace advanced = layout::advanced;
using test::AppRig;

// Before GIO reads its environment.
const bool kKeyfileBackend = test::UseGnomeKeyfile();

std::map<std::string, std::string> GnomeKeys() { return test::GnomeMouseKeys(); }
double AsDouble(const std::string& text) { return test::KeyfileDouble(text); }
constexpr PointerSettingSet kNone{};
constexpr PointerSettingSet kAll = PointerSettingSet::All();

const PointerPlaces kKdePlaces{"~/.config/kcminputrc [Mouse] XLbInptAccelProfileFlat",
                               "~/.config/kcminputrc [Mouse] XLbInptPointerAcceleration",
                               "~/.config/kdeglobals [KDE] WheelScrollLines",
                               "~/.config/kdeglobals [KDE] DoubleClickInterval"};

// A desktop whose answers the test writes and whose every call is recorded.
struct ScriptedDesktop {
    PointerBackendReading reading{{}, kAll, kKdePlaces, {}};
    SystemPointerReading defaults;  // what it holds after a Restore to its defaults
    PointerSettingSet failing;
    int reads = 0;
    struct Applied {
        SystemPointerValues values;
        PointerSettingSet which;
    };
    std::vector<Applied> applied;
    struct Restored {
        SavedPointerValues saved;
        PointerSettingSet which;
    };
    std::vector<Restored> restored;
};

class ScriptedBackend final : public PointerBackend {
public:
    explicit ScriptedBackend(ScriptedDesktop& desktop) : desktop_(desktop) {}
    PointerBackendReading Read() override {
        ++desktop_.reads;
        return desktop_.reading;
    }
    PointerApplyReport Apply(const SystemPointerValues& values, PointerSettingSet which) override {
        desktop_.applied.push_back({values, which});
        return {kAll, desktop_.failing & which, kKdePlaces};
    }
    PointerApplyReport Restore(const SavedPointerValues& saved, PointerSettingSet which) override {
        desktop_.restored.push_back({saved, which});
        if (saved == SavedPointerValues{}) {
            desktop_.reading.values = desktop_.defaults;
            desktop_.reading.saved = {};
        }
        return {kAll, desktop_.failing & which, kKdePlaces};
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

// How a case starts the app.
struct StartWith {
    bool gnome = false;
    bool noDesktop = false;  // the backend of a session without a known desktop
    std::string language;    // str.ini's Lan=
    // config.bin's five pointer bytes, as an earlier run left them.
    std::optional<PointerSettings> stored;
};

class AdvancedPointerTest : public ::testing::Test {
protected:
    // Starts the app on the scripted desktop, or on GNOME's settings.
    void Start(StartWith setup = {}) {
        test::RigOptions options;
        options.strIniLanguage = setup.language;
        if (setup.gnome) {
            options.pointer = [] { return std::make_unique<GSettingsPointerBackend>(); };
        } else if (setup.noDesktop) {
            options.pointer = [] { return std::make_unique<NullPointerBackend>(); };
        } else {
            options.pointer = [this] { return std::make_unique<ScriptedBackend>(desktop); };
        }
        rig = std::make_unique<AppRig>(options);
        if (setup.stored) {
            std::string bin = rig->dir.ReadFile("config.bin");
            ImageBytes image;
            std::copy(bin.begin() + 1, bin.end(), image.begin());
            setup.stored->StoreTo(image);
            rig->dir.WriteFile("config.bin", SettingsFileBytes(1, image));
        }
        ASSERT_TRUE(rig->Start());
    }
    // GNOME as a person left it: speed -0.3, the profile of their choice, 300 ms.
    bool SetGnome(const char* profile) {
        GSettingsPointerBackend gnome;
        if (gnome.Available() == PointerSettingSet{}) return false;
        SavedPointerValues own;
        own.speed = "-0.3";
        if (profile) own.acceleration = std::string("'") + profile + "'";
        own.doubleClick = "300";
        gnome.Restore({}, kAll);
        return gnome.Restore(own, kAll).failed == kNone;
    }
    // A click in the middle of a region of the window, as a person gives it.
    void Click(const layout::Rect& r) {
        test::Click(rig->Window(), QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    void ShowAdvanced() { Click(frame::kNextPage); }
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
    bool Ticked(const layout::Rect& box) {
        return Shown(box) == Drawn(layout::image::kPaneTick, box);
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

#define REQUIRE_GNOME(profile)                                                             \
    ASSERT_TRUE(kKeyfileBackend);                                                          \
    if (!SetGnome(profile)) {                                                              \
        GTEST_SKIP() << "the GNOME schemas are not installed (gsettings-desktop-schemas)"; \
    }

TEST_F(AdvancedPointerTest, GnomeCancelThenApplyLeavesTheDesktopAsItWas) {
    REQUIRE_GNOME(nullptr);  // profile 'default'
    const auto desktopHad = GnomeKeys();
    // config.bin of an earlier run: speed 11 steps (1.0), no precision (flat), 760 ms.
    Start({.gnome = true, .stored = PointerSettings{0, 0, 11, 3, 3}});
    ShowAdvanced();
    EXPECT_TRUE(rig->warnings.empty());  // GNOME has no wheel lines: that is no failure
    EXPECT_TRUE(Ticked(advanced::kPrecisionBox));
    EXPECT_EQ(Lit(), (std::vector<int>{4, 3, 9}));  // -0.3 and 300 ms

    Click(frame::kCancel);
    EXPECT_FALSE(rig->Window().isVisible());
    rig->ClickTray();
    ASSERT_TRUE(rig->Window().isVisible());
    // The page shows the desktop again, not config.bin.
    EXPECT_EQ(Lit(), (std::vector<int>{4, 3, 9}));
    EXPECT_TRUE(Ticked(advanced::kPrecisionBox));
    Click(frame::kApply);
    Click(frame::kOk);
    EXPECT_EQ(GnomeKeys(), desktopHad);
    EXPECT_EQ(AsDouble(GnomeKeys()["speed"]), -0.3);
    EXPECT_EQ(GnomeKeys().count("accel-profile"), 0u);  // still the desktop's 'default'
    // config.bin keeps the page's bytes, as always.
    EXPECT_EQ(rig->ConfigBin()[1 + layout::kPointerSettings + layout::pointer::kSpeedSteps], 4);
    EXPECT_TRUE(rig->warnings.empty());
}

TEST_F(AdvancedPointerTest, GnomeApplyOfAnUntouchedPageWritesNothing) {
    REQUIRE_GNOME("adaptive");
    GSettingsPointerBackend().Apply(Values(true, 10, 3, 400), {false, false, false, true});
    const auto desktopHad = GnomeKeys();
    ASSERT_EQ(desktopHad.at("double-click"), "400");
    Start({.gnome = true});
    ShowAdvanced();
    Click(frame::kApply);
    // Neither -0.3 -> -0.4 nor 400 ms -> 410 ms through the eleven steps.
    EXPECT_EQ(GnomeKeys(), desktopHad);
}

TEST_F(AdvancedPointerTest, GnomeAChangedSliderWritesOnlyThatSetting) {
    REQUIRE_GNOME(nullptr);
    const auto desktopHad = GnomeKeys();
    Start({.gnome = true});
    ShowAdvanced();
    Click(advanced::SliderSegment(0, 11));
    Click(frame::kApply);
    auto keys = GnomeKeys();
    EXPECT_EQ(AsDouble(keys["speed"]), 1.0);
    EXPECT_EQ(keys.count("accel-profile"), 0u);
    EXPECT_EQ(keys["double-click"], desktopHad.at("double-click"));

    // Then only the tick box: the profile goes flat, the speed stays what was applied.
    Click(advanced::kPrecisionBox);
    Click(frame::kApply);
    keys = GnomeKeys();
    EXPECT_EQ(keys["accel-profile"], "'flat'");
    EXPECT_EQ(AsDouble(keys["speed"]), 1.0);
    EXPECT_EQ(keys["double-click"], "300");
    EXPECT_TRUE(rig->warnings.empty());
}

TEST_F(AdvancedPointerTest, GnomeDefaultIsTheSchemasAndCancelGivesTheDesktopBack) {
    REQUIRE_GNOME("adaptive");
    const auto desktopHad = GnomeKeys();
    Start({.gnome = true, .stored = PointerSettings{0, 1, 2, 9, 2}});
    ShowAdvanced();
    Click(advanced::SliderSegment(2, 1));
    Click(advanced::kDefault);
    // The schema's own defaults: speed 0, profile 'default' (accelerating), 400 ms; GNOME
    // has no wheel lines, so that slider takes the stored default of 3 lines.
    EXPECT_TRUE(GnomeKeys().empty());
    EXPECT_EQ(Lit(), (std::vector<int>{6, 3, 8}));
    EXPECT_TRUE(Ticked(advanced::kPrecisionBox));
    EXPECT_FALSE(Ticked(advanced::kOneScreenBox));

    Click(frame::kCancel);
    EXPECT_EQ(GnomeKeys(), desktopHad);
    EXPECT_EQ(AsDouble(GnomeKeys()["speed"]), -0.3);
    EXPECT_EQ(GnomeKeys()["accel-profile"], "'adaptive'");
    rig->ClickTray();
    EXPECT_EQ(Lit(), (std::vector<int>{4, 9, 9}));

    // "Default" and then "Apply": the defaults stay, and a later "Cancel" keeps them.
    Click(advanced::kDefault);
    Click(frame::kApply);
    EXPECT_TRUE(GnomeKeys().empty());
    Click(frame::kCancel);
    EXPECT_TRUE(GnomeKeys().empty());
    EXPECT_TRUE(rig->warnings.empty());
}

TEST_F(AdvancedPointerTest, SystemValuesBecomeSegmentsAndAreNotWrittenBack) {
    struct Case {
        const char* what;
        SystemPointerReading system;
        PointerSettings shown;
        std::vector<int> lit;
    };
    const Case cases[] = {
        {"the middle", Reading(false, 10, 3, 500), {0, 0, 6, 3, 6}, {6, 3, 6}},
        {"one screen per notch",
         Reading(true, 20, kWheelOneScreen, 200),
         {1, 1, 11, 0, 11},
         {11, 0, 11}},
        {"slowest double-click", Reading(false, 1, 0, 900), {0, 0, 1, 0, 1}, {1, 0, 1}},
        // Beyond the sliders: drawn at their ends.
        {"40 lines, 1000 ms", Reading(false, 10, 40, 1000), {0, 0, 6, 40, 1}, {6, 11, 1}},
        {"150 ms", Reading(false, 10, 3, 150), {0, 0, 6, 3, 11}, {6, 3, 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop = {};
        desktop.reading.values = c.system;
        Start();
        ShowAdvanced();
        EXPECT_EQ(Stored(), c.shown);
        EXPECT_EQ(Lit(), c.lit);
        Click(frame::kApply);
        EXPECT_TRUE(desktop.applied.empty());
        rig.reset();
    }
}

TEST_F(AdvancedPointerTest, EachChangedSettingIsWrittenAloneByTheMapping) {
    desktop.reading.values = Reading(false, 10, 3, 500);
    Start();
    ShowAdvanced();
    struct Case {
        const char* what;
        layout::Rect click;
        PointerSettingSet which;
        SystemPointerValues values;
    };
    const Case cases[] = {
        {"speed 11",
         advanced::SliderSegment(0, 11),
         {false, true, false, false},
         Values(false, 20, 3, 550)},
        {"speed 1",
         advanced::SliderSegment(0, 1),
         {false, true, false, false},
         Values(false, 1, 3, 550)},
        {"speed 2",
         advanced::SliderSegment(0, 2),
         {false, true, false, false},
         Values(false, 2, 3, 550)},
        {"5 lines",
         advanced::SliderSegment(1, 5),
         {false, false, true, false},
         Values(false, 2, 5, 550)},
        {"double-click 11",
         advanced::SliderSegment(2, 11),
         {false, false, false, true},
         Values(false, 2, 5, 200)},
        {"precision",
         advanced::kPrecisionBox,
         {true, false, false, false},
         Values(true, 2, 5, 200)},
        {"one screen",
         advanced::kOneScreenBox,
         {false, false, true, false},
         Values(true, 2, kWheelOneScreen, 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.applied.clear();
        Click(c.click);
        Click(frame::kApply);
        ASSERT_EQ(desktop.applied.size(), 1u);
        EXPECT_EQ(desktop.applied[0].which, c.which);
        EXPECT_EQ(desktop.applied[0].values, c.values);
    }
}

TEST_F(AdvancedPointerTest, OneScreenStaysWhateverTheScrollSliderShowsUntilUnticked) {
    desktop.reading.values = Reading(false, 10, kWheelOneScreen, 500);
    Start();
    ShowAdvanced();
    Click(advanced::SliderSegment(1, 5));
    Click(frame::kApply);
    EXPECT_TRUE(desktop.applied.empty());  // still one screen per notch
    Click(advanced::kOneScreenBox);
    Click(frame::kApply);
    ASSERT_EQ(desktop.applied.size(), 1u);
    EXPECT_EQ(desktop.applied[0].which, (PointerSettingSet{false, false, true, false}));
    EXPECT_EQ(desktop.applied[0].values.wheelLines, 5);
}

TEST_F(AdvancedPointerTest, TheDesktopIsReadOncePerRunAndWrittenOnlyAfterThat) {
    desktop.reading.values = Reading(true, 14, 3, 500);
    Start();
    // Apply from the basic page before the advanced page was ever shown: the image still
    // holds config.bin's bytes, which must not overwrite the desktop's own settings.
    Click(frame::kApply);
    EXPECT_EQ(desktop.reads, 0);
    EXPECT_TRUE(desktop.applied.empty());

    ShowAdvanced();
    Click(advanced::SliderSegment(0, 3));
    Click(frame::kPrevPage);
    desktop.reading.values = Reading(false, 20, 9, 200);  // changed behind our back
    ShowAdvanced();
    EXPECT_EQ(desktop.reads, 1);
    EXPECT_EQ(Stored().speedSteps, 3);  // the edit, not a new reading
    Click(frame::kOk);
    ASSERT_EQ(desktop.applied.size(), 1u);
    EXPECT_EQ(desktop.applied[0].which, (PointerSettingSet{false, true, false, false}));
    EXPECT_EQ(desktop.applied[0].values.speed, 4);
}

TEST_F(AdvancedPointerTest, CancelThenApplyWritesNothing) {
    desktop.reading.values = Reading(true, 14, 3, 500);
    Start({.stored = PointerSettings{0, 1, 11, 0, 1}});
    ShowAdvanced();
    Click(advanced::SliderSegment(0, 2));
    Click(advanced::kPrecisionBox);
    Click(frame::kCancel);
    rig->ClickTray();
    EXPECT_EQ(Stored(), (PointerSettings{1, 0, 8, 3, 6}));  // the desktop's, not config.bin's
    EXPECT_EQ(Lit(), (std::vector<int>{8, 3, 6}));
    Click(frame::kApply);
    EXPECT_TRUE(desktop.applied.empty());
    EXPECT_TRUE(desktop.restored.empty());
}

TEST_F(AdvancedPointerTest, DefaultSetsTheDesktopsDefaultsAndCancelGivesBackWhatItHad) {
    desktop.reading.values = Reading(false, 20, kWheelOneScreen, 200);
    desktop.reading.saved = {"true", "1.00", "-1", "200"};
    desktop.defaults = Reading(true, 10, 3, 400);
    Start();
    ShowAdvanced();
    Click(advanced::kDefault);
    ASSERT_EQ(desktop.restored.size(), 1u);
    EXPECT_EQ(desktop.restored[0].saved, SavedPointerValues{});
    EXPECT_EQ(desktop.restored[0].which, kAll);
    EXPECT_TRUE(desktop.applied.empty());
    // The page shows the steps of what the desktop now holds.
    EXPECT_EQ(Stored(), (PointerSettings{1, 0, 6, 3, 8}));
    EXPECT_EQ(Lit(), (std::vector<int>{6, 3, 8}));
    EXPECT_TRUE(Ticked(advanced::kPrecisionBox));
    EXPECT_FALSE(Ticked(advanced::kOneScreenBox));

    Click(frame::kCancel);
    ASSERT_EQ(desktop.restored.size(), 2u);
    EXPECT_EQ(desktop.restored[1].saved, (SavedPointerValues{"true", "1.00", "-1", "200"}));
    EXPECT_EQ(desktop.restored[1].which, kAll);
    EXPECT_EQ(Stored(), (PointerSettings{0, 1, 11, 0, 11}));
    EXPECT_TRUE(desktop.applied.empty());
}

TEST_F(AdvancedPointerTest, ATickBoxAndCancelRestoreTheByteWithoutTouchingTheDesktop) {
    desktop.reading.values = Reading(true, 10, 3, 500);
    Start();
    ShowAdvanced();
    Click(advanced::kPrecisionBox);
    EXPECT_EQ(Stored().precisionFlag, 0);
    Click(frame::kCancel);
    EXPECT_EQ(Stored().precisionFlag, 1);
    EXPECT_TRUE(desktop.applied.empty());
    EXPECT_TRUE(desktop.restored.empty());
}

TEST_F(AdvancedPointerTest, WithoutADesktopDefaultStoresTheMiddleSteps) {
    Start({.noDesktop = true, .stored = PointerSettings{1, 1, 11, 0, 1}});
    ShowAdvanced();
    EXPECT_EQ(Stored(), (PointerSettings{1, 1, 11, 0, 1}));
    Click(advanced::kDefault);
    EXPECT_EQ(Stored(), (PointerSettings{0, 0, 6, 3, 6}));
    EXPECT_EQ(Lit(), (std::vector<int>{6, 3, 6}));
    EXPECT_TRUE(rig->warnings.empty());
}

TEST_F(AdvancedPointerTest, FailuresShowOneBoxNamingTheSettingsAndWhereTheyLive) {
    desktop.reading.values =
        SystemPointerReading{kPrecisionOnAcceleration, std::nullopt, std::nullopt, 0};
    desktop.failing = {true, false, false, true};
    Start();
    ShowAdvanced();
    const std::vector<test::Shown> read = {
        {"Warning",
         "These desktop pointer settings could not be read:\n\n"
         "• Mouse Speed: ~/.config/kcminputrc [Mouse] XLbInptPointerAcceleration\n"
         "• Scrolling Speed: ~/.config/kdeglobals [KDE] WheelScrollLines\n"
         "• Double-Click Speed: ~/.config/kdeglobals [KDE] DoubleClickInterval\n\n"
         "QUARTEN leaves them as they are unless you change them on this page.",
         0}};
    EXPECT_EQ(rig->warnings, read);

    rig->warnings.clear();
    Click(advanced::kPrecisionBox);
    Click(advanced::SliderSegment(0, 9));
    Click(advanced::SliderSegment(2, 9));
    Click(frame::kApply);
    ASSERT_EQ(desktop.applied.size(), 1u);
    EXPECT_EQ(desktop.applied[0].which, (PointerSettingSet{true, true, false, true}));
    const std::vector<test::Shown> write = {
        {"Warning",
         "These desktop pointer settings could not be written:\n\n"
         "• Enhance Pointer Precision: ~/.config/kcminputrc [Mouse] XLbInptAccelProfileFlat\n"
         "• Double-Click Speed: ~/.config/kdeglobals [KDE] DoubleClickInterval\n\n"
         "The desktop keeps its own values for them.",
         0}};
    EXPECT_EQ(rig->warnings, write);

    // The failed ones are tried again by the next Apply; the speed went through.
    rig->warnings.clear();
    Click(frame::kApply);
    ASSERT_EQ(desktop.applied.size(), 2u);
    EXPECT_EQ(desktop.applied[1].which, (PointerSettingSet{true, false, false, true}));
    EXPECT_EQ(rig->warnings.size(), 1u);
}

TEST_F(AdvancedPointerTest, TheFailureBoxIsInTheChosenLanguage) {
    struct Case {
        const char* language;
        const char* read;
        const char* write;
    };
    const Case cases[] = {
        {"CHS",
         "无法读取以下桌面指针设置：\n\n"
         "• 鼠标速度：~/.config/kcminputrc [Mouse] XLbInptPointerAcceleration\n\n"
         "除非您在此页面上更改这些设置，QUARTEN 不会改动它们。",
         "无法写入以下桌面指针设置：\n\n"
         "• 提高指针精确度：~/.config/kcminputrc [Mouse] XLbInptAccelProfileFlat\n"
         "• 滚轮速度：~/.config/kdeglobals [KDE] WheelScrollLines\n\n"
         "桌面将保留这些设置原有的值。"},
        {"CHT",
         "無法讀取以下桌面指針設定：\n\n"
         "• 滑鼠速度：~/.config/kcminputrc [Mouse] XLbInptPointerAcceleration\n\n"
         "除非您在此頁面上變更這些設定，QUARTEN 不會改動它們。",
         "無法寫入以下桌面指針設定：\n\n"
         "• 提高指針精確度：~/.config/kcminputrc [Mouse] XLbInptAccelProfileFlat\n"
         "• 滾輪速度：~/.config/kdeglobals [KDE] WheelScrollLines\n\n"
         "桌面將保留這些設定原有的值。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        desktop = {};
        desktop.reading.values =
            SystemPointerReading{kPrecisionOnAcceleration, std::nullopt, 3, 500};
        desktop.failing = kAll;
        Start({.language = c.language});
        ShowAdvanced();
        ASSERT_EQ(rig->warnings.size(), 1u);
        EXPECT_EQ(rig->warnings[0].title, "Warning");
        EXPECT_EQ(rig->warnings[0].text, QString::fromUtf8(c.read));
        // Two failed writes of one "Apply": one box.
        rig->warnings.clear();
        Click(advanced::kPrecisionBox);
        Click(advanced::kOneScreenBox);
        Click(frame::kApply);
        ASSERT_EQ(rig->warnings.size(), 1u);
        EXPECT_EQ(rig->warnings[0].text, QString::fromUtf8(c.write));
        rig.reset();
    }
}

}  // namespace
}  // namespace quarten
