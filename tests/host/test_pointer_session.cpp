// Which desktop pointer settings a run writes: only those the user changed on the page since
// the last read or Apply, the desktop's defaults on "Default", and what the desktop had back
// on "Cancel" after a "Default".
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/PointerSession.h"

namespace quarten {
namespace {

PointerSettings Steps(int precision, int oneScreen, int speed, int scroll, int doubleClick) {
    return {static_cast<std::uint8_t>(precision), static_cast<std::uint8_t>(oneScreen),
            static_cast<std::uint8_t>(speed), static_cast<std::uint8_t>(scroll),
            static_cast<std::uint8_t>(doubleClick)};
}

constexpr PointerSettingSet kNone{};
constexpr PointerSettingSet kSpeed{false, true, false, false};
constexpr PointerSettingSet kAll = PointerSettingSet::All();

// A desktop holding one integer per setting (acceleration 0/1, speed 1..20, wheel lines,
// double-click ms), each either the user's own value or the desktop's default. Saved texts
// are "own:<value>", so a test sees exactly what was given back.
class FakeDesktop final : public PointerBackend {
public:
    PointerBackendReading Read() override {
        ++reads;
        PointerBackendReading r;
        r.available = available;
        r.places = places;
        const PerPointerSetting<int> v = Current();
        if (available.acceleration && !unreadable.acceleration) {
            r.values.acceleration =
                v.acceleration ? kPrecisionOnAcceleration : kPrecisionOffAcceleration;
        }
        if (available.speed && !unreadable.speed) r.values.speed = v.speed;
        if (available.wheelLines && !unreadable.wheelLines) r.values.wheelLines = v.wheelLines;
        if (available.doubleClick && !unreadable.doubleClick) {
            r.values.doubleClickMs = static_cast<unsigned>(v.doubleClick);
        }
        for (const PointerSetting s : kPointerSettingOrder) {
            if (available[s] && own[s]) r.saved[s] = "own:" + std::to_string(value[s]);
        }
        return r;
    }
    PointerApplyReport Apply(const SystemPointerValues& v, PointerSettingSet which) override {
        applied.push_back(which);
        const PerPointerSetting<std::optional<int>> asked{v.acceleration.acceleration != 0 ? 1 : 0,
                                                          v.speed, v.wheelLines,
                                                          static_cast<int>(v.doubleClickMs)};
        return Set(asked, which);
    }
    PointerApplyReport Restore(const SavedPointerValues& saved, PointerSettingSet which) override {
        restored.push_back(which);
        PerPointerSetting<std::optional<int>> asked;  // empty: back to the default
        for (const PointerSetting s : kPointerSettingOrder) {
            if (saved[s]) asked[s] = std::stoi(saved[s]->substr(4));
        }
        return Set(asked, which);
    }
    PointerApplyReport Set(const PerPointerSetting<std::optional<int>>& asked,
                           PointerSettingSet which) {
        PointerApplyReport report{available, failing & which & available, places};
        for (const PointerSetting s : kPointerSettingOrder) {
            if (!which[s] || !available[s] || failing[s]) continue;
            own[s] = asked[s].has_value();
            if (asked[s]) value[s] = *asked[s];
        }
        return report;
    }

    PerPointerSetting<int> Current() const {
        PerPointerSetting<int> v;
        for (const PointerSetting s : kPointerSettingOrder) v[s] = own[s] ? value[s] : defaults[s];
        return v;
    }

    PointerSettingSet available = kAll;
    PointerSettingSet failing;
    PointerSettingSet unreadable;
    // Speed 7 and 300 ms are the user's; the acceleration and 3 lines are the defaults.
    PerPointerSetting<int> value{0, 7, 0, 300};
    PointerSettingSet own{false, true, false, true};
    PerPointerSetting<int> defaults{1, 10, 3, 400};
    PointerPlaces places{"profile key", "speed key", "wheel key", "double-click key"};
    int reads = 0;
    std::vector<PointerSettingSet> applied;
    std::vector<PointerSettingSet> restored;
};

class PointerSessionTest : public ::testing::Test {
protected:
    // What the page shows after reading the fake desktop: on, 7 -> 4 steps, 3, 300 ms -> 9.
    const PointerSettings read = Steps(1, 0, 4, 3, 9);
    // What the fake's defaults map to: on, 10 -> 6, 3, 400 ms -> 8.
    const PointerSettings defaults = Steps(1, 0, 6, 3, 8);

    PointerSettings Read() {
        const PointerOutcome outcome = session.Read(desktop, Steps(0, 0, 11, 5, 3));
        EXPECT_FALSE(outcome.problems.Any());
        return outcome.shown;
    }
    void Edit(PointerSetting setting, PointerSettings& shown) { session.Edit(setting, shown); }

    FakeDesktop desktop;
    PointerSession session;
};

TEST_F(PointerSessionTest, NothingReadNothingChanged) {
    EXPECT_FALSE(session.HasRead());
    EXPECT_EQ(Read(), read);
    EXPECT_TRUE(session.HasRead());
    EXPECT_EQ(session.Changed(), kNone);
}

TEST_F(PointerSessionTest, ApplyingWhatWasReadWritesNothing) {
    const PointerSettings shown = Read();
    EXPECT_FALSE(session.Apply(desktop, shown).problems.Any());
    EXPECT_TRUE(desktop.applied.empty());
    // Not even after one more Apply, nor with config.bin's old bytes in the image.
    session.Apply(desktop, Steps(0, 1, 11, 0, 3));
    EXPECT_TRUE(desktop.applied.empty());
}

TEST_F(PointerSessionTest, AChangedSettingIsTheOnlyOneWritten) {
    PointerSettings shown = Read();
    shown.speedSteps = 11;
    Edit(PointerSetting::Speed, shown);
    EXPECT_EQ(session.Changed(), kSpeed);
    session.Apply(desktop, shown);
    ASSERT_EQ(desktop.applied, std::vector<PointerSettingSet>{kSpeed});
    EXPECT_EQ(desktop.Current(), (PerPointerSetting<int>{1, 20, 3, 300}));
    EXPECT_EQ(desktop.own, (PointerSettingSet{false, true, false, true}));

    // After Apply the written value is the baseline: a second Apply writes nothing.
    EXPECT_EQ(session.Changed(), kNone);
    session.Apply(desktop, shown);
    EXPECT_EQ(desktop.applied.size(), 1u);
}

TEST_F(PointerSessionTest, SettingAValueBackIsNoChange) {
    PointerSettings shown = Read();
    shown.doubleClickSteps = 2;
    Edit(PointerSetting::DoubleClick, shown);
    shown.doubleClickSteps = 9;
    Edit(PointerSetting::DoubleClick, shown);
    // Ticking "Scroll One Screen" and unticking it again.
    shown.oneScreenFlag = 1;
    Edit(PointerSetting::WheelLines, shown);
    EXPECT_EQ(session.Changed(), (PointerSettingSet{false, false, true, false}));
    shown.oneScreenFlag = 0;
    Edit(PointerSetting::WheelLines, shown);
    EXPECT_EQ(session.Changed(), kNone);
    session.Apply(desktop, shown);
    EXPECT_TRUE(desktop.applied.empty());
}

TEST_F(PointerSessionTest, CancelDropsTheChangesAndShowsWhatTheDesktopHas) {
    PointerSettings shown = Read();
    shown.precisionFlag = 0;
    Edit(PointerSetting::Acceleration, shown);
    const PointerOutcome cancelled = session.Cancel(desktop);
    EXPECT_EQ(cancelled.shown, read);
    EXPECT_FALSE(cancelled.problems.Any());
    EXPECT_EQ(session.Changed(), kNone);
    // "Cancel", then "Apply" with config.bin's bytes back in the image: nothing is written.
    session.Apply(desktop, Steps(0, 0, 11, 3, 3));
    EXPECT_TRUE(desktop.applied.empty());
    EXPECT_TRUE(desktop.restored.empty());
}

TEST_F(PointerSessionTest, DefaultWritesTheDesktopsDefaultsAndShowsTheirSteps) {
    PointerSettings shown = Read();
    shown.speedSteps = 2;
    Edit(PointerSetting::Speed, shown);
    const PointerOutcome outcome = session.Default(desktop, shown);
    EXPECT_EQ(desktop.restored, std::vector<PointerSettingSet>{kAll});
    EXPECT_EQ(desktop.own, kNone);
    EXPECT_EQ(outcome.shown, defaults);
    EXPECT_FALSE(outcome.problems.Any());
    // The desktop already has what the page shows: Apply writes nothing, and after it
    // "Cancel" has nothing to give back.
    EXPECT_EQ(session.Changed(), kNone);
    session.Apply(desktop, outcome.shown);
    EXPECT_TRUE(desktop.applied.empty());
    EXPECT_EQ(session.Cancel(desktop).shown, defaults);
    EXPECT_EQ(desktop.restored.size(), 1u);
}

TEST_F(PointerSessionTest, CancelAfterDefaultGivesBackWhatTheDesktopHad) {
    PointerSettings shown = Read();
    shown = session.Default(desktop, shown).shown;
    shown.speedSteps = 9;  // a change after "Default", never applied
    Edit(PointerSetting::Speed, shown);
    session.Default(desktop, shown);  // a second "Default" keeps the first one's memory
    const PointerOutcome cancelled = session.Cancel(desktop);
    EXPECT_EQ(cancelled.shown, read);
    ASSERT_EQ(desktop.restored.size(), 3u);
    EXPECT_EQ(desktop.restored[2], kAll);
    // The user's own values come back as they were; the defaults stay defaults.
    EXPECT_EQ(desktop.own, (PointerSettingSet{false, true, false, true}));
    EXPECT_EQ(desktop.Current(), (PerPointerSetting<int>{1, 7, 3, 300}));
    EXPECT_TRUE(desktop.applied.empty());
    // Nothing is left to give back.
    session.Cancel(desktop);
    EXPECT_EQ(desktop.restored.size(), 3u);
}

TEST_F(PointerSessionTest, AFailedWriteIsReportedAndTriedAgain) {
    desktop.failing = kSpeed;
    PointerSettings shown = Read();
    shown.speedSteps = 11;
    shown.doubleClickSteps = 1;
    Edit(PointerSetting::Speed, shown);
    Edit(PointerSetting::DoubleClick, shown);
    PointerOutcome outcome = session.Apply(desktop, shown);
    EXPECT_EQ(outcome.problems.unwritable, kSpeed);
    EXPECT_EQ(outcome.problems.places.speed, "speed key");
    EXPECT_EQ(desktop.Current().doubleClick, 900);
    EXPECT_EQ(session.Changed(), kSpeed);
    outcome = session.Apply(desktop, shown);
    EXPECT_EQ(desktop.applied.back(), kSpeed);
    // "Cancel" shows what the desktop kept: the old speed, the new double-click time.
    EXPECT_EQ(session.Cancel(desktop).shown, Steps(1, 0, 4, 3, 1));
}

TEST_F(PointerSessionTest, AFailedDefaultIsReportedAndNotGivenBack) {
    desktop.failing = kSpeed;
    const PointerOutcome outcome = session.Default(desktop, Read());
    EXPECT_EQ(outcome.problems.unwritable, kSpeed);
    EXPECT_EQ(outcome.shown, Steps(1, 0, 4, 3, 8));  // the speed the desktop kept
    session.Cancel(desktop);
    EXPECT_EQ(desktop.restored.back(), (PointerSettingSet{true, false, true, true}));
}

TEST_F(PointerSessionTest, ReadFailuresNameTheirPlaces) {
    desktop.unreadable = {true, false, true, false};
    const PointerOutcome outcome = session.Read(desktop, Steps(0, 0, 11, 5, 3));
    EXPECT_EQ(outcome.problems.unreadable, desktop.unreadable);
    EXPECT_EQ(outcome.problems.unwritable, kNone);
    EXPECT_EQ(outcome.problems.places, desktop.places);
}

TEST_F(PointerSessionTest, SettingsTheDesktopLacksAreNeverWrittenAndDefaultToTheStoredSteps) {
    desktop.available = {true, true, false, true};  // GNOME: no wheel lines
    PointerSettings shown = session.Read(desktop, Steps(0, 1, 11, 5, 3)).shown;
    EXPECT_EQ(shown, Steps(1, 1, 4, 5, 9));
    shown.oneScreenFlag = 0;
    Edit(PointerSetting::WheelLines, shown);
    session.Apply(desktop, shown);
    EXPECT_TRUE(desktop.applied.empty());
    EXPECT_EQ(session.Default(desktop, shown).shown, Steps(1, 0, 6, 3, 8));
    EXPECT_EQ(desktop.restored, std::vector<PointerSettingSet>{desktop.available});
}

TEST_F(PointerSessionTest, WithoutADesktopDefaultStoresTheOldDefaults) {
    NullPointerBackend none;
    const PointerSettings stored = Steps(1, 1, 11, 5, 3);
    EXPECT_EQ(session.Read(none, stored).shown, stored);
    const PointerOutcome outcome = session.Default(none, stored);
    EXPECT_EQ(outcome.shown, DefaultPointerSettings());
    EXPECT_FALSE(outcome.problems.Any());
    EXPECT_EQ(session.Cancel(none).shown, stored);
}

}  // namespace
}  // namespace quarten
