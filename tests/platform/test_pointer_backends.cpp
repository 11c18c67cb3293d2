// The desktop pointer backends against real storage: GSettings with GIO's memory backend and
// the installed GNOME schemas, KDE's files in a temporary folder, and the choice between them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/PointerBackend.h"
#include "platform/GSettingsPointerBackend.h"
#include "platform/KdePointerBackend.h"
#include "platform/PointerBackendChoice.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

// Before GIO reads its environment: nothing a test sets may reach the user's real settings.
const bool kMemoryBackend = [] { return ::setenv("GSETTINGS_BACKEND", "memory", 1) == 0; }();

constexpr PointerSettingSet kGnomeHas{true, true, false, true};

SystemPointerValues Values(bool precision, int speed, int lines, unsigned ms) {
    return {precision ? kPrecisionOnAcceleration : kPrecisionOffAcceleration, speed, lines, ms};
}

TEST(GSettingsPointerBackend, ReadsAndAppliesTheMouseSchema) {
    ASSERT_TRUE(kMemoryBackend);
    GSettingsPointerBackend backend;
    if (backend.Available() == PointerSettingSet{}) {
        GTEST_SKIP() << "the GNOME schemas are not installed (gsettings-desktop-schemas)";
    }
    EXPECT_EQ(backend.Available(), kGnomeHas);  // no wheel-lines key on GNOME

    // The schema's defaults: speed 0.0, profile 'default' (accelerating), 400 ms.
    PointerBackendReading fresh = backend.Read();
    EXPECT_EQ(fresh.available, kGnomeHas);
    EXPECT_EQ(fresh.values.speed, 10);
    EXPECT_EQ(fresh.values.acceleration, kPrecisionOnAcceleration);
    EXPECT_FALSE(fresh.values.wheelLines);
    EXPECT_EQ(fresh.values.doubleClickMs, 400u);

    struct Case {
        SystemPointerValues applied;
        int speedBack;
    };
    const Case cases[] = {
        {Values(false, 20, 3, 550), 20},
        {Values(true, 1, 3, 900), 1},
        {Values(false, 2, 3, 200), 2},
        {Values(true, 10, 3, 500), 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.applied.speed);
        const PointerApplyReport report = backend.Apply(c.applied);
        EXPECT_EQ(report.failed, PointerSettingSet{});
        EXPECT_TRUE(ApplyFailureMessages(report).empty());
        // A second handle sees what the first wrote.
        const PointerBackendReading back = GSettingsPointerBackend().Read();
        EXPECT_EQ(back.values.speed, c.speedBack);
        EXPECT_EQ(back.values.acceleration, c.applied.acceleration);
        EXPECT_EQ(back.values.doubleClickMs, c.applied.doubleClickMs);
    }
}

TEST(GSettingsPointerBackend, AMissingSchemaMeansNothingIsAvailableAndNothingComplains) {
    test::TempDir noSchemas;
    GSettingsPointerBackend backend(noSchemas.Path());
    EXPECT_EQ(backend.Available(), PointerSettingSet{});
    const PointerBackendReading reading = backend.Read();
    EXPECT_TRUE(ReadFailureMessages(reading).empty());
    EXPECT_TRUE(ApplyFailureMessages(backend.Apply(Values(true, 20, 3, 500))).empty());

    // The page keeps every stored byte when the desktop has none of the settings.
    const PointerSettings stored{1, 1, 4, 9, 2};
    EXPECT_EQ(PointerSettingsFromBackend(reading, stored), stored);
}

class KdeBackendTest : public ::testing::Test {
protected:
    KdePointerBackend Backend() {
        return KdePointerBackend(store, "/home/u/.config", [this] { ++announced; });
    }
    test::MemoryFileStore store;
    int announced = 0;
};

TEST_F(KdeBackendTest, UnwrittenKeysReadAsTheDesktopDefaults) {
    const PointerBackendReading r = Backend().Read();
    EXPECT_EQ(r.available, PointerSettingSet::All());
    EXPECT_EQ(r.values.acceleration, kPrecisionOnAcceleration);
    EXPECT_EQ(r.values.speed, 10);
    EXPECT_EQ(r.values.wheelLines, 3);
    EXPECT_EQ(r.values.doubleClickMs, 400u);
    EXPECT_TRUE(ReadFailureMessages(r).empty());
}

TEST_F(KdeBackendTest, ApplyingRewritesOnlyItsKeysAndAnnouncesTheChange) {
    store.Put("/home/u/.config/kcminputrc",
              "[Libinput][1133][49291][Some Mouse]\nPointerAcceleration=0.4\n\n[Mouse]\n"
              "cursorTheme=breeze\nXLbInptPointerAcceleration=0.3\n");
    store.Put("/home/u/.config/kdeglobals", "[General]\nColorScheme=Dark\n");
    const PointerApplyReport report = Backend().Apply(Values(false, 20, 7, 550));
    EXPECT_EQ(report.failed, PointerSettingSet{});
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(*store.Read("/home/u/.config/kcminputrc"),
              "[Libinput][1133][49291][Some Mouse]\nPointerAcceleration=0.4\n\n[Mouse]\n"
              "cursorTheme=breeze\nXLbInptPointerAcceleration=1.00\nXLbInptAccelProfileFlat=true\n");
    EXPECT_EQ(*store.Read("/home/u/.config/kdeglobals"),
              "[General]\nColorScheme=Dark\n[KDE]\nWheelScrollLines=7\nDoubleClickInterval=550\n");

    const PointerBackendReading back = Backend().Read();
    EXPECT_EQ(back.values.acceleration, kPrecisionOffAcceleration);
    EXPECT_EQ(back.values.speed, 20);
    EXPECT_EQ(back.values.wheelLines, 7);
    EXPECT_EQ(back.values.doubleClickMs, 550u);
}

TEST_F(KdeBackendTest, WhatCannotBeReadOrWrittenIsReportedPerSetting) {
    store.Put("/home/u/.config/kcminputrc", "[Mouse]\nXLbInptPointerAcceleration=fast\n");
    store.Put("/home/u/.config/kdeglobals", "[KDE]\nWheelScrollLines=many\nDoubleClickInterval=0\n");
    const PointerBackendReading r = Backend().Read();
    EXPECT_EQ(ReadFailureMessages(r),
              (std::vector<std::string_view>{"GETMOUSESPEED failed.", "GETWHEELSCROLLLINES failed.",
                                             "GetDoubleClickTime failed."}));

    // One screen per notch is not a setting of this desktop: the other lines are written.
    PointerApplyReport report = Backend().Apply(Values(true, 10, kWheelOneScreen, 500));
    EXPECT_EQ(ApplyFailureMessages(report),
              std::vector<std::string_view>{"SETWHEELSCROLLLINES failed."});
    EXPECT_NE(store.Read("/home/u/.config/kdeglobals")->find("WheelScrollLines=many\n"),
              std::string::npos);

    store.FailWrites(true);
    report = Backend().Apply(Values(true, 10, 3, 500));
    EXPECT_EQ(ApplyFailureMessages(report),
              (std::vector<std::string_view>{"SETMOUSE failed.", "SETMOUSESPEED failed.",
                                             "SETWHEELSCROLLLINES failed.",
                                             "SPI_SETDOUBLECLICKTIME failed."}));
    EXPECT_EQ(announced, 1);  // only the write that went through was announced
}

TEST(PointerBackendChoice, TheSessionsDesktopPicksTheBackend) {
    struct Case {
        const char* current;
        const char* forced;
        PointerDesktop expected;
    };
    const Case cases[] = {
        {"GNOME", "", PointerDesktop::Gnome},
        {"ubuntu:GNOME", "", PointerDesktop::Gnome},
        {"Budgie:GNOME", "", PointerDesktop::Gnome},
        {"gnome-classic:GNOME", "", PointerDesktop::Gnome},
        {"KDE", "", PointerDesktop::Kde},
        {"XFCE", "", PointerDesktop::None},
        {"", "", PointerDesktop::None},
        {"GNOMEISH", "", PointerDesktop::None},
        {"XFCE", "kde", PointerDesktop::Kde},
        {"KDE", "none", PointerDesktop::None},
        {"KDE", "GSettings", PointerDesktop::Gnome},
        {"KDE", "bogus", PointerDesktop::Kde},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointerDesktopFrom(c.current, c.forced), c.expected)
            << c.current << " / " << c.forced;
    }
}

}  // namespace
}  // namespace quarten
