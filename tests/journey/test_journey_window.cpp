// Journeys in the window: OK, Apply and Cancel as a person uses them, the window moved by a
// drag and only by a drag, and the window with no mouse attached.
#include "tests/journey/Journey.h"

namespace quarten::journey {
namespace {

namespace basic = layout::basic;
namespace frame = layout::frame;

// config.bin: the report interval (1 = 1000 Hz, 2 = 500, 4 = 250, 8 = 125).
constexpr int kRateByte = 134;
// A point on the window that is no control on either page: the empty title bar.
constexpr layout::Rect kEmptySpot{440, 20, 460, 40};

class WindowJourney : public Journey {
protected:
    void SetUp() override {
        if (auto missing = MissingX()) GTEST_SKIP() << *missing;
        ASSERT_TRUE(desktop_.StartX());
        ASSERT_TRUE(desktop_.StartWindowManager());
    }

    bool TraceHas(const QString& line) { return Trace().contains("\n" + line); }

    // Moves the pointer over the screen, no button held, and says whether the window
    // followed it.
    bool WindowFollowsThePointer(const WindowGeometry& before) {
        const int x = before.x + 450;
        const int y = before.y + 300;
        for (const auto& [dx, dy] : {std::pair{60, 40}, {-80, 50}, {120, -70}, {30, 90}}) {
            screen_.MoveTo(x + dx, y + dy);
        }
        return !StaysFalse([&] {
            const auto now = screen_.MainWindow();
            return now && (now->x != before.x || now->y != before.y);
        });
    }
};

TEST_F(WindowJourney, ApplyKeepsTheWindowOkHidesItCancelForgetsTheEdit) {
    if (auto missing = Missing({"trayer"})) GTEST_SKIP() << *missing;
    ASSERT_TRUE(desktop_.StartTray());
    Process& app = StartQuartenAndWait();
    ASSERT_TRUE(app.Running()) << Logs();
    ASSERT_TRUE(OpenFromTray());
    ASSERT_TRUE(WaitFor([&] { return !Trace().isEmpty(); }));
    ASSERT_EQ(ConfigByte(kRateByte), 1) << "the factory file has 1000 Hz";

    // 125 Hz, Apply: the mouse and the file get it, the window stays.
    ClickInWindow(basic::RateSegment(1));
    ClickInWindow(frame::kApply);
    EXPECT_TRUE(WaitFor([&] { return TraceHas("set 01 08 "); }))
        << "no report-interval frame with 8 on the wire\n"
        << Logs();
    EXPECT_TRUE(WaitFor([&] { return ConfigByte(kRateByte) == 8; })) << "config.bin byte 134";
    EXPECT_TRUE(StaysFalse([&] { return !screen_.MainWindow(); })) << "Apply hid the window";

    // 250 Hz, Cancel: the window goes, nothing is sent or kept.
    ClickInWindow(basic::RateSegment(2));
    ClickInWindow(frame::kCancel);
    EXPECT_TRUE(screen_.WaitForNoMainWindow(kPatience)) << "Cancel did not hide the window";
    EXPECT_FALSE(TraceHas("set 01 04 ")) << "Cancel sent the edit to the mouse";
    EXPECT_EQ(ConfigByte(kRateByte), 8);

    // 500 Hz, OK: sent, kept, and the window goes.
    ASSERT_TRUE(OpenFromTray());
    ClickInWindow(basic::RateSegment(3));
    ClickInWindow(frame::kOk);
    EXPECT_TRUE(WaitFor([&] { return TraceHas("set 01 02 "); }))
        << "no report-interval frame with 2 on the wire\n"
        << Logs();
    EXPECT_TRUE(WaitFor([&] { return ConfigByte(kRateByte) == 2; })) << "config.bin byte 134";
    EXPECT_TRUE(screen_.WaitForNoMainWindow(kPatience)) << "OK did not hide the window";
    EXPECT_FALSE(TraceHas("set 01 04 "));
    EXPECT_TRUE(app.Running());
}

TEST_F(WindowJourney, ADragOnAnEmptyPartMovesTheWindowAndTheReleaseEndsIt) {
    desktop_.StartQuarten();
    const auto before = screen_.WaitForMainWindow(kPatience);
    ASSERT_TRUE(before) << Logs();

    // Pressed on an empty spot, the pointer goes 120 right and 80 down in small steps, as a
    // hand drags.
    const int x = CentreX(*before, kEmptySpot);
    const int y = CentreY(*before, kEmptySpot);
    screen_.MoveTo(x, y);
    screen_.Press();
    constexpr int kSteps = 12;
    for (int step = 1; step <= kSteps; ++step) {
        screen_.MoveTo(x + 120 * step / kSteps, y + 80 * step / kSteps);
    }
    // The window manager takes the move over from wherever the pointer was when the drag
    // began; on a slow machine that may be the end of the path, so the pointer wiggles
    // there until the window follows.
    int wiggle = 0;
    const bool moved = WaitFor([&] {
        const auto now = screen_.MainWindow();
        if (now && (now->x != before->x || now->y != before->y)) return true;
        ++wiggle;
        screen_.MoveTo(x + 120 - wiggle % 2 * 10, y + 80);
        return false;
    });
    screen_.MoveTo(x + 120, y + 80);
    std::optional<WindowGeometry> after;
    // Until the window manager has caught up with the last motion.
    StaysFalse(
        [&] {
            const auto now = screen_.MainWindow();
            const bool changed = now && after && (now->x != after->x || now->y != after->y);
            after = now;
            return changed;
        },
        500);
    screen_.Release();
    ASSERT_TRUE(moved) << "a drag on an empty part did not move the window\n" << Logs();
    after = screen_.MainWindow();
    ASSERT_TRUE(after);
    // It went the pointer's way, by the drag less what the pointer went before the move
    // began (at most the wiggle).
    EXPECT_GT(after->x - before->x, 0);
    EXPECT_LE(after->x - before->x, 120);
    EXPECT_GE(after->y - before->y, 0);
    EXPECT_LE(after->y - before->y, 80);
    EXPECT_GE(after->x - before->x + after->y - before->y, 10);

    // The button is up: the pointer goes on alone.
    EXPECT_FALSE(WindowFollowsThePointer(*after)) << "the window follows after the release";
}

TEST_F(WindowJourney, TheWindowDoesNotFollowThePointerAfterApplyOrOk) {
    desktop_.StartQuarten();
    const auto shown = screen_.WaitForMainWindow(kPatience);
    ASSERT_TRUE(shown) << Logs();
    ASSERT_TRUE(WaitFor([&] { return !Trace().isEmpty(); }));

    const FileStamp untouched = ConfigStamp();
    ClickInWindow(frame::kApply);
    ASSERT_TRUE(WaitFor([&] { return !(ConfigStamp() == untouched); }))
        << "Apply did not write config.bin\n"
        << Logs();
    EXPECT_FALSE(WindowFollowsThePointer(*screen_.MainWindow()))
        << "after Apply the window follows the pointer with no button held";

    const FileStamp applied = ConfigStamp();
    ClickInWindow(frame::kOk);
    ASSERT_TRUE(WaitFor([&] { return !(ConfigStamp() == applied); }))
        << "OK did not write config.bin\n"
        << Logs();
    ASSERT_TRUE(screen_.WaitForNoMainWindow(kPatience)) << "OK did not hide the window";
    // Back with a second start, it stays where it is put.
    desktop_.StartQuarten();
    const auto back = screen_.WaitForMainWindow(kPatience);
    ASSERT_TRUE(back) << Logs();
    EXPECT_FALSE(WindowFollowsThePointer(*back))
        << "after OK the window follows the pointer with no button held";
}

TEST_F(WindowJourney, WithoutAMouseOkAndApplySayTheyCouldNotSendAndKeepEverything) {
    // No --simulate: this machine has no mouse of the kind.
    Process& app = desktop_.StartQuarten({.simulate = false});
    const auto window = screen_.WaitForMainWindow(kPatience);
    ASSERT_TRUE(window) << "a start by hand without a tray must show the window\n" << Logs();
    // The page says why nothing can be set (seen on the screenshot).
    EXPECT_TRUE(StaysFalse([&] { return screen_.OtherQuartenWindow().has_value(); }))
        << "a box came up before anything was clicked";
    desktop_.Shot("no-mouse");
    const QByteArray file = Config();
    ASSERT_FALSE(file.isEmpty());

    for (const layout::Rect& button : {frame::kApply, frame::kOk}) {
        const char* name = button == frame::kOk ? "OK" : "Apply";
        ClickInWindow(button);
        std::optional<WindowGeometry> box;
        ASSERT_TRUE(WaitFor([&] {
            box = screen_.OtherQuartenWindow();
            return box.has_value();
        })) << name
            << " showed no message box\n"
            << Logs();
        if (button == frame::kApply) desktop_.Shot("no-mouse-message");
        // The person reads it and presses Enter on it.
        screen_.Xdotool({"windowactivate", "--sync", box->id});
        screen_.Key("Return");
        EXPECT_TRUE(WaitFor([&] { return !screen_.OtherQuartenWindow(); }))
            << "Enter did not close the box of " << name;
        EXPECT_TRUE(StaysFalse([&] { return !screen_.MainWindow(); }))
            << name << " hid the window though nothing was sent";
        const auto now = screen_.MainWindow();
        ASSERT_TRUE(now);
        EXPECT_FALSE(WindowFollowsThePointer(*now))
            << "after " << name << " and its box the window follows the pointer";
    }
    EXPECT_TRUE(Config() == file) << "config.bin changed without a mouse";
    EXPECT_TRUE(app.Running());
}

}  // namespace
}  // namespace quarten::journey
