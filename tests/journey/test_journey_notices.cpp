// Journeys of the notices: "mouse found" at start and every switch made on the mouse (sent
// with quartenctl sim-event) reach the desktop's notification service with their text and
// time; with no service the tray shows a balloon, and with neither nothing shows and
// nothing hangs.
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

#include "tests/journey/Journey.h"
#include "tests/journey/Notices.h"

namespace quarten::journey {
namespace {

namespace frame = layout::frame;

constexpr const char* kFound = "The system detect the gaming mouse.";

struct Switch {
    QStringList report;  // one input report as quartenctl sim-event takes it
    const char* text;    // the notice it must bring
};

// With the factory config.bin stage 2 sits at DPI position 3, which on the simulated mouse's
// sensor (type 1: 600, 800, 1000, 1200, ...) is 1200 — as the basic page shows it.
const Switch kSwitches[] = {
    {{"06", "05", "00", "08"}, "Switch report rate into 125HZ"},
    {{"06", "07", "00", "02"}, "Switch DPI into the second stage 1200"},
    {{"06", "08", "00", "02"}, "Switch to key matrix 2"},
    {{"06", "09", "00", "03"}, "Switch to macro key3"},
};

class NoticeJourney : public Journey {
protected:
    void SetUp() override {
        if (auto missing = MissingX()) GTEST_SKIP() << *missing;
        if (auto missing = Missing(
                {"trayer", "dbus-daemon", "dbus-monitor", "dbus-send", "dunst", "dunstctl"})) {
            GTEST_SKIP() << *missing;
        }
        ASSERT_TRUE(desktop_.StartX());
        ASSERT_TRUE(desktop_.StartWindowManager());
    }

    std::vector<NotifyCall> Calls() const { return ParseNotifyCalls(desktop_.NotifyLog()); }

    // The Notify call with `body`, once the bus has carried it.
    std::optional<NotifyCall> WaitForCall(const QString& body) {
        std::optional<NotifyCall> found;
        WaitFor([&] {
            for (const auto& call : Calls()) {
                if (call.body == body) found = call;
            }
            return found.has_value();
        });
        return found;
    }

    // The notice with `body` as dunst shows it (closing what is shown to read its history).
    std::optional<ShownNotice> WaitForShown(const QString& body) {
        std::optional<ShownNotice> found;
        WaitFor([&] {
            for (const auto& notice : DunstHistory(desktop_)) {
                if (notice.body == body) found = notice;
            }
            return found.has_value();
        });
        return found;
    }

    ToolRun SimEvent(const QStringList& report) {
        return desktop_.RunQuartenctl(QStringList{"sim-event"} << report);
    }

    // A balloon (or any other window of quarten's besides the main window and the icon),
    // once it has come to rest: shown before the icon has docked, it first appears in the
    // corner of the screen and then moves next to the icon.
    std::optional<WindowGeometry> WaitForBalloon() {
        std::optional<WindowGeometry> balloon;
        int stillPolls = 0;
        WaitFor([&] {
            const auto now = screen_.OtherQuartenWindow();
            const bool same = now && balloon && now->id == balloon->id && now->x == balloon->x &&
                              now->y == balloon->y;
            stillPolls = same ? stillPolls + 1 : 0;
            balloon = now;
            return stillPolls >= 4;
        });
        return balloon;
    }

    // The balloon points at the icon: their rectangles are at most a few pixels apart.
    ::testing::AssertionResult NextToTheIcon(const WindowGeometry& balloon) {
        const auto icon = screen_.TrayIcon();
        if (!icon) return ::testing::AssertionFailure() << "no icon";
        const int gapX = std::max(
            {0, icon->x - (balloon.x + balloon.width), balloon.x - (icon->x + icon->width)});
        const int gapY = std::max(
            {0, icon->y - (balloon.y + balloon.height), balloon.y - (icon->y + icon->height)});
        if (gapX <= 24 && gapY <= 24) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "balloon at " << balloon.x << "," << balloon.y << " " << balloon.width << "x"
               << balloon.height << ", icon at " << icon->x << "," << icon->y;
    }
};

TEST_F(NoticeJourney, MouseFoundReachesTheServiceWithTheAppsNameIconAndTheDefaultExpiry) {
    ASSERT_TRUE(desktop_.StartTray());
    ASSERT_TRUE(desktop_.StartBus());
    ASSERT_TRUE(desktop_.StartNotificationService());
    desktop_.StartQuarten();

    const auto call = WaitForCall(kFound);
    ASSERT_TRUE(call) << "no \"mouse found\" notice reached the bus\n" << Logs();
    EXPECT_EQ(call->appName, QStringLiteral("QUARTEN"));
    EXPECT_EQ(call->summary, QStringLiteral("Info"));
    EXPECT_EQ(call->expireTimeout, -1) << "the service's default expiry";
    EXPECT_EQ(call->hints.value("desktop-entry"), QStringLiteral("quarten"));
    // The app's own icon: its name, or a picture of it.
    const QString icon =
        call->appIcon.startsWith("file:") ? QUrl(call->appIcon).toLocalFile() : call->appIcon;
    if (icon != "quarten") {
        EXPECT_TRUE(QFileInfo(icon).isFile()) << "app_icon " << icon.toStdString();
        EXPECT_TRUE(icon.endsWith("quarten.png")) << icon.toStdString();
    }

    const auto shown = WaitForShown(kFound);
    ASSERT_TRUE(shown) << "dunst does not show it\n" << Logs();
    EXPECT_EQ(shown->appName, QStringLiteral("QUARTEN"));
    EXPECT_EQ(shown->summary, QStringLiteral("Info"));
    EXPECT_EQ(shown->timeoutMicroseconds, Desktop::kServiceTimeoutSeconds * 1000000LL);
    if (icon != "quarten") {
        EXPECT_EQ(shown->iconPath, icon) << "dunst did not find the picture";
    }
}

TEST_F(NoticeJourney, SwitchesOnTheMouseReachTheServiceEachReplacingTheLast) {
    ASSERT_TRUE(desktop_.StartTray());
    ASSERT_TRUE(desktop_.StartBus());
    ASSERT_TRUE(desktop_.StartNotificationService());
    desktop_.StartQuarten();
    ASSERT_TRUE(WaitForCall(kFound)) << Logs();
    // "Mouse found" is on the screen; the first switch takes its place.
    ASSERT_TRUE(WaitFor([&] {
        return desktop_.Run("dunstctl", {"count", "displayed"}).out.trimmed() == "1";
    })) << "dunst does not show the first notice";

    for (const Switch& s : kSwitches) {
        SCOPED_TRACE(s.text);
        const ToolRun sent = SimEvent(s.report);
        ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString() << Logs();
        const auto call = WaitForCall(s.text);
        ASSERT_TRUE(call) << "the notice did not reach the bus\n" << Logs();
        EXPECT_EQ(call->appName, QStringLiteral("QUARTEN"));
        EXPECT_EQ(call->summary, QStringLiteral("Info"));
        EXPECT_EQ(call->expireTimeout, 5000);
        EXPECT_EQ(call->hints.value("desktop-entry"), QStringLiteral("quarten"));
        EXPECT_NE(call->replacesId, 0u) << "it must replace the notice before it";
        if (&s == &kSwitches[0]) {
            // Replaced, not stacked: still one notice on the screen, and "mouse found" is
            // gone without having been shown to the end.
            EXPECT_EQ(desktop_.Run("dunstctl", {"count", "displayed"}).out.trimmed(),
                      QStringLiteral("1"));
        }
        const auto shown = WaitForShown(s.text);
        ASSERT_TRUE(shown) << "dunst does not show it\n" << Logs();
        EXPECT_EQ(shown->appName, QStringLiteral("QUARTEN"));
        EXPECT_EQ(shown->summary, QStringLiteral("Info"));
        EXPECT_EQ(shown->timeoutMicroseconds, 5000 * 1000LL);
    }
    // Each notice named the one before it, which dunst numbered as the first.
    const auto calls = Calls();
    ASSERT_EQ(calls.size(), 1 + std::size(kSwitches));
    for (std::size_t i = 2; i < calls.size(); ++i)
        EXPECT_EQ(calls[i].replacesId, calls[1].replacesId);
    for (const auto& notice : DunstHistory(desktop_)) {
        EXPECT_NE(notice.body, kFound) << "\"mouse found\" was kept beside its replacement";
    }
}

TEST_F(NoticeJourney, SimEventSaysWhenNoQuartenRunsAndRefusesMalformedBytes) {
    const ToolRun alone = SimEvent({"06", "05", "00", "08"});
    EXPECT_EQ(alone.exitCode, 1);
    EXPECT_FALSE(alone.err.trimmed().isEmpty()) << "no message saying why";

    desktop_.StartQuarten();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience)) << Logs();
    for (const QStringList& bad : {QStringList{"06", "zz"}, QStringList{}, QStringList{"1234"}}) {
        const ToolRun refused = SimEvent(bad);
        EXPECT_EQ(refused.exitCode, 2) << bad.join(' ').toStdString();
    }
}

TEST_F(NoticeJourney, WithoutAServiceTheTrayShowsABalloon) {
    ASSERT_TRUE(desktop_.StartTray());
    ASSERT_TRUE(desktop_.StartBus());  // a session bus, but nothing serves notices on it
    Process& app = desktop_.StartQuarten();

    // "Mouse found" at start comes as the tray's balloon.
    auto balloon = WaitForBalloon();
    ASSERT_TRUE(balloon) << "no balloon for \"mouse found\"\n" << Logs();
    desktop_.Shot("found-balloon");
    EXPECT_TRUE(NextToTheIcon(*balloon));
    EXPECT_FALSE(screen_.MainWindow());
    // A click puts it away.
    screen_.ClickAt(balloon->x + balloon->width / 2, balloon->y + balloon->height / 2);
    ASSERT_TRUE(WaitFor([&] { return !screen_.OtherQuartenWindow(); })) << "the balloon stays";

    // Each switch on the mouse brings its balloon by the icon, put away with a click.
    for (const Switch& s : kSwitches) {
        SCOPED_TRACE(s.text);
        const ToolRun sent = SimEvent(s.report);
        ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString() << Logs();
        balloon = WaitForBalloon();
        ASSERT_TRUE(balloon) << "no balloon\n" << Logs();
        if (&s == &kSwitches[1]) desktop_.Shot("dpi-balloon");
        EXPECT_TRUE(NextToTheIcon(*balloon));
        screen_.ClickAt(balloon->x + balloon->width / 2, balloon->y + balloon->height / 2);
        ASSERT_TRUE(WaitFor([&] { return !screen_.OtherQuartenWindow(); })) << "it stays";
    }
    EXPECT_TRUE(app.Running());
}

TEST_F(NoticeJourney, WithNeitherServiceNorTrayNothingShowsAndNothingHangs) {
    // No tray and no bus to reach: the window shows at start, as a start by hand does.
    Process& app = desktop_.StartQuarten();
    ASSERT_TRUE(screen_.WaitForMainWindow(kPatience)) << Logs();

    for (const Switch& s : kSwitches) {
        const ToolRun sent = SimEvent(s.report);
        EXPECT_EQ(sent.exitCode, 0) << s.text << ": " << sent.err.toStdString();
    }
    EXPECT_TRUE(StaysFalse([&] { return screen_.OtherQuartenWindow().has_value(); }))
        << "something showed with no service and no tray";
    // It still answers at once: the minimise button hides the window.
    ClickInWindow(frame::kMinimise);
    EXPECT_TRUE(screen_.WaitForNoMainWindow(5000)) << "quarten does not answer\n" << Logs();
    EXPECT_TRUE(app.Running());
}

}  // namespace
}  // namespace quarten::journey
