// Journeys through the tray: quarten starts hidden with its icon docked in trayer, opens from
// a click or double click, ends from the menu's "Exit", waits for a tray that comes late when
// autostarted, and a second start brings the running one's window back.
#include "tests/journey/Journey.h"

namespace quarten::journey {
namespace {

namespace frame = layout::frame;

class TrayJourney : public Journey {
protected:
    void SetUp() override {
        if (auto missing = MissingX()) GTEST_SKIP() << *missing;
        if (auto missing = Missing({"trayer"})) GTEST_SKIP() << *missing;
        ASSERT_TRUE(desktop_.StartX());
        ASSERT_TRUE(desktop_.StartWindowManager());
    }

    // The icon of a started quarten, docked.
    std::optional<WindowGeometry> DockedIcon() {
        std::optional<WindowGeometry> icon;
        WaitFor([&] {
            icon = screen_.TrayIcon();
            return icon.has_value();
        });
        return icon;
    }

    // Starting quarten again ends the new process with 0 and shows the running one's window.
    void ExpectASecondStartToBringTheWindowBack(Process& first) {
        Process& second = desktop_.StartQuarten();
        ASSERT_TRUE(second.WaitForExit(kPatience)) << "the second quarten keeps running\n" << Logs();
        EXPECT_EQ(second.ExitCode(), 0);
        EXPECT_TRUE(screen_.WaitForMainWindow(kPatience))
            << "the second start did not bring the window back\n"
            << Logs();
        EXPECT_TRUE(first.Running());
    }
};

TEST_F(TrayJourney, StartsHiddenAndAClickOnTheIconOpensTheWindow) {
    ASSERT_TRUE(desktop_.StartTray());
    Process& app = StartQuartenAndWait();
    ASSERT_TRUE(app.Running()) << Logs();
    ASSERT_TRUE(DockedIcon()) << "no icon in the tray\n" << Logs();
    EXPECT_TRUE(StaysFalse([&] { return screen_.MainWindow().has_value(); }))
        << "with a tray the window must start hidden";

    const auto window = OpenFromTray();
    ASSERT_TRUE(window);
    desktop_.Shot("opened-from-tray");
    // The whole window is on the screen (1280 x 900).
    EXPECT_GE(window->x, 0);
    EXPECT_GE(window->y, 0);
    EXPECT_LE(window->x + window->width, 1280);
    EXPECT_LE(window->y + window->height, 900);
    EXPECT_TRUE(app.Running());
}

TEST_F(TrayJourney, ADoubleClickOnTheIconOpensTheWindow) {
    ASSERT_TRUE(desktop_.StartTray());
    Process& app = StartQuartenAndWait();
    ASSERT_TRUE(app.Running()) << Logs();
    ASSERT_TRUE(OpenFromTray(2));
    // Both halves of the double click open it; it stays open, once.
    EXPECT_TRUE(StaysFalse([&] { return screen_.MainWindows().size() != 1; }));
}

TEST_F(TrayJourney, ExitInTheIconsMenuEndsTheProgram) {
    ASSERT_TRUE(desktop_.StartTray());
    Process& app = StartQuartenAndWait();
    const auto icon = DockedIcon();
    ASSERT_TRUE(icon) << Logs();

    screen_.ClickAt(icon->x + icon->width / 2, icon->y + icon->height / 2, 3);
    std::optional<WindowGeometry> menu;
    ASSERT_TRUE(WaitFor([&] {
        menu = screen_.OtherQuartenWindow();
        return menu.has_value();
    })) << "a right click on the icon showed no menu\n"
        << Logs();
    EXPECT_FALSE(screen_.MainWindow()) << "the right click must not open the window";
    desktop_.Shot("tray-menu");

    // "Exit" is the menu's only item.
    screen_.ClickAt(menu->x + menu->width / 2, menu->y + menu->height / 2);
    ASSERT_TRUE(app.WaitForExit(kPatience)) << "Exit did not end quarten\n" << Logs();
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return !screen_.TrayIcon(); })) << "the icon stayed in the tray";
}

TEST_F(TrayJourney, ASecondStartShowsTheHiddenWindowAndEnds) {
    ASSERT_TRUE(desktop_.StartTray());
    Process& first = StartQuartenAndWait();
    ASSERT_TRUE(OpenFromTray());
    ClickInWindow(frame::kMinimise);
    ASSERT_TRUE(screen_.WaitForNoMainWindow(kPatience)) << "the minimise button did not hide it";

    ExpectASecondStartToBringTheWindowBack(first);
    EXPECT_EQ(screen_.MainWindows().size(), 1u);
}

TEST_F(TrayJourney, WithoutATrayAStartByHandShowsTheWindowAndASecondStartBringsItBack) {
    Process& first = desktop_.StartQuarten();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience))
        << "with no tray the window must show at once\n"
        << Logs();
    ClickInWindow(frame::kMinimise);
    ASSERT_TRUE(screen_.WaitForNoMainWindow(kPatience)) << "the minimise button did not hide it";
    EXPECT_TRUE(first.Running());

    ExpectASecondStartToBringTheWindowBack(first);
}

TEST_F(TrayJourney, AnAutostartWaitsHiddenForATrayThatComesLater) {
    Process& app = StartQuartenAndWait({.extra = {"--autostart"}});
    ASSERT_TRUE(app.Running()) << Logs();
    EXPECT_TRUE(StaysFalse([&] { return screen_.MainWindow().has_value(); }))
        << "an autostart without a tray must stay hidden";

    ASSERT_TRUE(desktop_.StartTray());
    EXPECT_TRUE(DockedIcon()) << "the icon did not dock in the tray that came later\n" << Logs();
    EXPECT_TRUE(OpenFromTray());
}

}  // namespace
}  // namespace quarten::journey
