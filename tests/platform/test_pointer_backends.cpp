// The desktop pointer backends against real storage: GSettings with GIO's keyfile backend in
// a private folder and the installed GNOME schemas, KDE's files in a temporary folder, and
// the choice between them.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "host/PointerBackend.h"
#include "platform/GSettingsPointerBackend.h"
#include "platform/KdePointerBackend.h"
#include "platform/PointerBackendChoice.h"
#include "platform/PosixFileStore.h"
#include "tests/support/GnomeMouseKeyfile.h"
#include "tests/support/MemoryFileStore.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

// Before GIO reads its environment.
const bool kKeyfileBackend = test::UseGnomeKeyfile();

std::map<std::string, std::string> Keyfile() { return test::GnomeMouseKeys(); }
double AsDouble(const std::string& text) { return test::KeyfileDouble(text); }
constexpr PointerSettingSet kGnomeHas{true, true, false, true};
constexpr PointerSettingSet kNone{};

SystemPointerValues Values(bool precision, int speed, int lines, unsigned ms) {
    return {precision ? kPrecisionOnAcceleration : kPrecisionOffAcceleration, speed, lines, ms};
}

class GSettingsPointerBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kKeyfileBackend);
        if (backend.Available() == PointerSettingSet{}) {
            GTEST_SKIP() << "the GNOME schemas are not installed (gsettings-desktop-schemas)";
        }
        // Each case starts from the schema's defaults.
        ASSERT_EQ(backend.Restore({}, PointerSettingSet::All()).failed, kNone);
        ASSERT_TRUE(Keyfile().empty());
    }
    // The desktop as a person left it: speed -0.3, profile 'adaptive', 300 ms.
    void SetUsersOwn() {
        SavedPointerValues own;
        own.speed = "-0.3";
        own.acceleration = "'adaptive'";
        own.doubleClick = "300";
        ASSERT_EQ(backend.Restore(own, PointerSettingSet::All()).failed, kNone);
    }
    GSettingsPointerBackend backend;
};

TEST_F(GSettingsPointerBackendTest, ReadsAndAppliesTheMouseSchema) {
    EXPECT_EQ(backend.Available(), kGnomeHas);  // no wheel-lines key on GNOME

    // The schema's defaults: speed 0.0, profile 'default' (accelerating), 400 ms.
    PointerBackendReading fresh = backend.Read();
    EXPECT_EQ(fresh.available, kGnomeHas);
    EXPECT_EQ(fresh.values.speed, 10);
    EXPECT_EQ(fresh.values.acceleration, kPrecisionOnAcceleration);
    EXPECT_FALSE(fresh.values.wheelLines);
    EXPECT_EQ(fresh.values.doubleClickMs, 400u);
    EXPECT_EQ(fresh.saved, SavedPointerValues{});  // no value of the user's own anywhere
    EXPECT_EQ(fresh.places, (PointerPlaces{std::string(kSchema) + " accel-profile",
                                           std::string(kSchema) + " speed", "",
                                           std::string(kSchema) + " double-click"}));

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
        const PointerApplyReport report = backend.Apply(c.applied, PointerSettingSet::All());
        EXPECT_EQ(report.failed, PointerSettingSet{});
        // A second handle sees what the first wrote.
        const PointerBackendReading back = GSettingsPointerBackend().Read();
        EXPECT_EQ(back.values.speed, c.speedBack);
        EXPECT_EQ(back.values.acceleration, c.applied.acceleration);
        EXPECT_EQ(back.values.doubleClickMs, c.applied.doubleClickMs);
    }
}

TEST_F(GSettingsPointerBackendTest, OnlyTheSettingsAskedForAreWritten) {
    SetUsersOwn();
    const auto before = Keyfile();
    backend.Apply(Values(false, 20, 3, 900), PointerSettingSet{false, true, false, false});
    auto after = Keyfile();
    EXPECT_EQ(AsDouble(after["speed"]), 1.0);
    EXPECT_EQ(after["accel-profile"], before.at("accel-profile"));
    EXPECT_EQ(after["double-click"], before.at("double-click"));

    // Nothing asked for: nothing written.
    backend.Apply(Values(false, 1, 3, 200), kNone);
    EXPECT_EQ(Keyfile(), after);
}

TEST_F(GSettingsPointerBackendTest, RestoreGivesBackExactlyWhatWasSaved) {
    // Values the 1..20 speed and the ticked box cannot hold.
    SavedPointerValues own;
    own.speed = "-0.35";
    own.acceleration = "'default'";
    own.doubleClick = "333";
    ASSERT_EQ(backend.Restore(own, PointerSettingSet::All()).failed, kNone);
    const PointerBackendReading saved = backend.Read();
    ASSERT_TRUE(saved.saved.speed);
    EXPECT_EQ(AsDouble(*saved.saved.speed), -0.35);

    backend.Apply(Values(false, 20, 3, 200), PointerSettingSet::All());
    EXPECT_EQ(Keyfile()["accel-profile"], "'flat'");
    ASSERT_EQ(backend.Restore(saved.saved, PointerSettingSet::All()).failed, kNone);
    const auto back = Keyfile();
    EXPECT_EQ(AsDouble(back.at("speed")), -0.35);
    EXPECT_EQ(back.at("accel-profile"), "'default'");
    EXPECT_EQ(back.at("double-click"), "333");
}

TEST_F(GSettingsPointerBackendTest, AnEmptySavedValueIsTheSchemasDefault) {
    SetUsersOwn();
    EXPECT_EQ(Keyfile().size(), 3u);
    // Only the speed goes back to its default; the key leaves the user's settings.
    backend.Restore({}, PointerSettingSet{false, true, false, false});
    EXPECT_EQ(Keyfile().count("speed"), 0u);
    EXPECT_EQ(Keyfile().size(), 2u);
    backend.Restore({}, PointerSettingSet::All());
    EXPECT_TRUE(Keyfile().empty());
    const PointerBackendReading r = backend.Read();
    EXPECT_EQ(r.values.speed, 10);
    EXPECT_EQ(r.values.acceleration, kPrecisionOnAcceleration);  // 'default'
    EXPECT_EQ(r.values.doubleClickMs, 400u);
}

TEST_F(GSettingsPointerBackendTest, SavedTextThatDoesNotFitTheKeyFailsAndChangesNothing) {
    SetUsersOwn();
    const auto before = Keyfile();
    SavedPointerValues bad;
    bad.speed = "2.5";                // out of range
    bad.acceleration = "'sideways'";  // not in the enum
    bad.doubleClick = "'fast'";       // not an int
    EXPECT_EQ(backend.Restore(bad, PointerSettingSet::All()).failed, kGnomeHas);
    EXPECT_EQ(Keyfile(), before);
}

TEST(GSettingsPointerBackend, AMissingSchemaMeansNothingIsAvailableAndNothingComplains) {
    test::TempDir noSchemas;
    GSettingsPointerBackend backend(noSchemas.Path());
    EXPECT_EQ(backend.Available(), PointerSettingSet{});
    const PointerBackendReading reading = backend.Read();
    EXPECT_EQ(UnreadableSettings(reading), kNone);
    EXPECT_EQ(backend.Apply(Values(true, 20, 3, 500), PointerSettingSet::All()).failed, kNone);
    EXPECT_EQ(backend.Restore({}, PointerSettingSet::All()).failed, kNone);

    // The page keeps every stored byte when the desktop has none of the settings.
    const PointerSettings stored{1, 1, 4, 9, 2};
    EXPECT_EQ(PointerSettingsFromBackend(reading, stored), stored);
}

class KdePointerBackendTest : public ::testing::Test {
protected:
    KdePointerBackend Backend() {
        return KdePointerBackend(store, "/home/u/.config", [this] { ++announced; });
    }
    std::string Input() { return store.Read("/home/u/.config/kcminputrc").value_or(""); }
    std::string Globals() { return store.Read("/home/u/.config/kdeglobals").value_or(""); }
    test::MemoryFileStore store;
    int announced = 0;
};

TEST_F(KdePointerBackendTest, UnwrittenKeysReadAsTheDesktopDefaults) {
    const PointerBackendReading r = Backend().Read();
    EXPECT_EQ(r.available, PointerSettingSet::All());
    EXPECT_EQ(r.values.acceleration, kPrecisionOnAcceleration);
    EXPECT_EQ(r.values.speed, 10);
    EXPECT_EQ(r.values.wheelLines, 3);
    EXPECT_EQ(r.values.doubleClickMs, 400u);
    EXPECT_EQ(UnreadableSettings(r), kNone);
    EXPECT_EQ(r.saved, SavedPointerValues{});
}

TEST_F(KdePointerBackendTest, PlacesNameTheFileGroupAndKey) {
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    ::setenv("HOME", "/home/u", 1);
    const PointerPlaces places = Backend().Read().places;
    ::setenv("HOME", "/elsewhere", 1);
    const PointerPlaces elsewhere = Backend().Read().places;
    if (home)
        ::setenv("HOME", saved.c_str(), 1);
    else
        ::unsetenv("HOME");
    EXPECT_EQ(places, (PointerPlaces{"~/.config/kcminputrc [Mouse] XLbInptAccelProfileFlat",
                                     "~/.config/kcminputrc [Mouse] XLbInptPointerAcceleration",
                                     "~/.config/kdeglobals [KDE] WheelScrollLines",
                                     "~/.config/kdeglobals [KDE] DoubleClickInterval"}));
    EXPECT_EQ(elsewhere.speed, "/home/u/.config/kcminputrc [Mouse] XLbInptPointerAcceleration");
}

TEST_F(KdePointerBackendTest, ApplyingRewritesOnlyItsKeysAndAnnouncesTheChange) {
    store.Put("/home/u/.config/kcminputrc",
              "[Libinput][1133][49291][Some Mouse]\nPointerAcceleration=0.4\n\n[Mouse]\n"
              "cursorTheme=breeze\nXLbInptPointerAcceleration=0.3\n");
    store.Put("/home/u/.config/kdeglobals", "[General]\nColorScheme=Dark\n");
    const PointerApplyReport report =
        Backend().Apply(Values(false, 20, 7, 550), PointerSettingSet::All());
    EXPECT_EQ(report.failed, PointerSettingSet{});
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(
        Input(),
        "[Libinput][1133][49291][Some Mouse]\nPointerAcceleration=0.4\n\n[Mouse]\n"
        "cursorTheme=breeze\nXLbInptPointerAcceleration=1.00\nXLbInptAccelProfileFlat=true\n");
    EXPECT_EQ(Globals(),
              "[General]\nColorScheme=Dark\n[KDE]\nWheelScrollLines=7\nDoubleClickInterval=550\n");

    const PointerBackendReading back = Backend().Read();
    EXPECT_EQ(back.values.acceleration, kPrecisionOffAcceleration);
    EXPECT_EQ(back.values.speed, 20);
    EXPECT_EQ(back.values.wheelLines, 7);
    EXPECT_EQ(back.values.doubleClickMs, 550u);
}

TEST_F(KdePointerBackendTest, OnlyTheSettingsAskedForAreWritten) {
    store.Put("/home/u/.config/kcminputrc", "[Mouse]\nXLbInptPointerAcceleration=-0.35\n");
    const std::string globals = "[KDE]\nWheelScrollLines=5\nDoubleClickInterval=333\n";
    store.Put("/home/u/.config/kdeglobals", globals);
    Backend().Apply(Values(false, 20, 3, 900), PointerSettingSet{false, false, false, true});
    EXPECT_EQ(Input(), "[Mouse]\nXLbInptPointerAcceleration=-0.35\n");
    EXPECT_EQ(Globals(), "[KDE]\nWheelScrollLines=5\nDoubleClickInterval=900\n");
    // A file none of whose keys is asked for is not even rewritten.
    const int writes = store.WriteCount();
    Backend().Apply(Values(false, 20, 3, 900), PointerSettingSet{false, false, false, false});
    EXPECT_EQ(store.WriteCount(), writes);
    EXPECT_EQ(announced, 1);
}

TEST_F(KdePointerBackendTest, DefaultsAreKdesOwnAndRestoreGivesTheTextBack) {
    store.Put("/home/u/.config/kcminputrc",
              "[Mouse]\nXLbInptAccelProfileFlat=true\nXLbInptPointerAcceleration=-0.35\n");
    store.Put("/home/u/.config/kdeglobals", "[KDE]\nWheelScrollLines=5\n");
    const PointerBackendReading before = Backend().Read();
    EXPECT_EQ(before.saved, (SavedPointerValues{"true", "-0.35", "5", std::nullopt}));

    EXPECT_EQ(Backend().Restore({}, PointerSettingSet::All()).failed, kNone);
    EXPECT_EQ(Input(), "[Mouse]\nXLbInptAccelProfileFlat=false\nXLbInptPointerAcceleration=0\n");
    EXPECT_EQ(Globals(), "[KDE]\nWheelScrollLines=3\nDoubleClickInterval=400\n");
    const PointerBackendReading defaults = Backend().Read();
    EXPECT_EQ(defaults.values.acceleration, kPrecisionOnAcceleration);  // adaptive
    EXPECT_EQ(defaults.values.speed, 10);
    EXPECT_EQ(defaults.values.wheelLines, 3);
    EXPECT_EQ(defaults.values.doubleClickMs, 400u);

    // Given back: the texts as they were; the key that was never written holds the default.
    EXPECT_EQ(Backend().Restore(before.saved, PointerSettingSet::All()).failed, kNone);
    EXPECT_EQ(Input(), "[Mouse]\nXLbInptAccelProfileFlat=true\nXLbInptPointerAcceleration=-0.35\n");
    EXPECT_EQ(Globals(), "[KDE]\nWheelScrollLines=5\nDoubleClickInterval=400\n");
}

TEST_F(KdePointerBackendTest, WhatCannotBeReadOrWrittenIsReportedPerSetting) {
    store.Put("/home/u/.config/kcminputrc",
              "[Mouse]\nXLbInptPointerAcceleration=fast\nXLbInptAccelProfileFlat=maybe\n");
    store.Put("/home/u/.config/kdeglobals",
              "[KDE]\nWheelScrollLines=many\nDoubleClickInterval=0\n");
    const PointerBackendReading r = Backend().Read();
    EXPECT_EQ(UnreadableSettings(r), PointerSettingSet::All());

    // One screen per notch is not a setting of this desktop: the other lines are written.
    PointerApplyReport report =
        Backend().Apply(Values(true, 10, kWheelOneScreen, 500), PointerSettingSet::All());
    EXPECT_EQ(report.failed, (PointerSettingSet{false, false, true, false}));
    EXPECT_NE(Globals().find("WheelScrollLines=many\n"), std::string::npos);

    store.FailWrites(true);
    report = Backend().Apply(Values(true, 10, 3, 500), PointerSettingSet::All());
    EXPECT_EQ(report.failed, PointerSettingSet::All());
    EXPECT_EQ(announced, 1);  // only the write that went through was announced
}

// A real folder, the way the running program writes it, under a locale with a decimal comma:
// KDE reads these files in the C locale, and so does our own next read.
TEST(KdePointerBackendLocale, NumbersAreWrittenAndReadWithAPointInACommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not generated (scripts/deps.sh generates "
                        "it; or: sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen && "
                        "locale-gen)";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_STREQ(probe, "0,5");  // the locale is really in force

    test::TempDir folder;
    PosixFileStore store;
    KdePointerBackend backend(store, folder.Path(), {});
    const PointerApplyReport report =
        backend.Apply(Values(false, 14, 3, 500), PointerSettingSet{false, true, false, false});
    const std::string input = folder.ReadFile("kcminputrc");
    const PointerBackendReading back = backend.Read();
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_EQ(report.failed, kNone);
    EXPECT_EQ(input, "[Mouse]\nXLbInptPointerAcceleration=0.40\n");
    EXPECT_EQ(back.values.speed, 14);
    EXPECT_EQ(UnreadableSettings(back), kNone);
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
