// The application shell: start-up hidden or shown, notices as balloons, the single instance,
// the tray click rules and the two exits.
#include <gtest/gtest.h>
#include <malloc.h>

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include "tests/ui/AppRig.h"
#include <chrono>
#include <future>

#include "ui/AccessNotice.h"
#include "ui/DeviceController.h"
#include "ui/SingleInstance.h"
#include "ui/NoticePresenter.h"
#include "ui/TrayIcon.h"

namespace quarten {
namespace {

using test::AppRig;
using test::ProcessUntil;
using test::RigOptions;
using test::Shown;

const Shown kFound{"Info", "The system detect the gaming mouse.", -1};
const Shown kMissing{"Warning", "The system did not detect the gaming mouse!", -1};

// The tray and the window show the shipped icon, compiled into the program.
TEST(AppStartUp, TheWindowAndTheTrayCarryTheShippedIcon) {
    const QIcon icon = AppIcon();
    for (int size : {32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage shipped(QString(QUARTEN_SOURCE_DIR "/data/icons/hicolor/%1x%1/apps/quarten.png")
                                 .arg(size));
        ASSERT_FALSE(shipped.isNull());
        EXPECT_EQ(icon.pixmap(QSize(size, size)).toImage().convertToFormat(shipped.format()), shipped);
    }
    AppRig rig;
    ASSERT_TRUE(rig.Start());
    EXPECT_FALSE(rig.Window().windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName(), "quarten");
}

TEST(AppStartUp, WithATrayStartsHiddenAndATrayClickOrDoubleClickOpensTheWindow) {
    for (const auto how : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}) {
        AppRig rig({.tray = true});
        ASSERT_TRUE(rig.Start());
        EXPECT_FALSE(rig.Window().isVisible());
        EXPECT_EQ(rig.Window().CurrentPage(), CPadrionDlg::PageState::Basic);
        EXPECT_EQ(rig.notifier.shown, std::vector<Shown>{kFound});
        // The tool window never gets a task-bar entry.
        EXPECT_TRUE(rig.Window().windowFlags().testFlag(Qt::Tool));
        EXPECT_TRUE(rig.Window().windowFlags().testFlag(Qt::FramelessWindowHint));

        // The menu's own button and a middle click open nothing.
        rig.ClickTray(QSystemTrayIcon::Context);
        rig.ClickTray(QSystemTrayIcon::MiddleClick);
        EXPECT_FALSE(rig.Window().isVisible());
        rig.ClickTray(how);
        EXPECT_TRUE(rig.Window().isVisible()) << how;
        EXPECT_EQ(rig.Window().size(), QSize(900, 660));  // the basic background's size
    }
}

TEST(AppStartUp, WithoutATrayTheWindowShowsUnlessStartedAtLogin) {
    // The icon is there either way, waiting to dock once a tray comes up.
    for (const bool atLogin : {false, true}) {
        AppRig rig({.tray = false, .autostart = atLogin});
        ASSERT_TRUE(rig.Start());
        EXPECT_EQ(rig.Window().isVisible(), !atLogin) << atLogin;
        EXPECT_TRUE(rig.Tray().isVisible()) << atLogin;
        EXPECT_EQ(rig.Window().CurrentPage(), CPadrionDlg::PageState::Basic);
        rig.ClickTray();
        EXPECT_TRUE(rig.Window().isVisible()) << atLogin;
    }
}

TEST(AppStartUp, WithoutAMouseWarnsAndTheTrayClickWarnsAgain) {
    AppRig rig({.mousePresent = false, .tray = true});
    ASSERT_TRUE(rig.Start());
    EXPECT_EQ(rig.notifier.shown, std::vector<Shown>{kMissing});
    EXPECT_EQ(rig.Window().CurrentPage(), CPadrionDlg::PageState::None);

    rig.ClickTray();
    EXPECT_FALSE(rig.Window().isVisible());
    EXPECT_EQ(rig.notifier.shown, (std::vector<Shown>{kMissing, kMissing}));
}

// Without a mouse the window still opens from a start by hand: it says on the page that no
// mouse can be used, and "OK" and "Apply" say they sent nothing, keeping the edits until
// the mouse is there.
TEST(AppNoMouse, ThePageSaysSoAndTheEditsWaitForTheMouse) {
    for (const char* language : {"EN", "CHS", "CHT"}) {
        SCOPED_TRACE(language);
        AppRig rig({.tray = false, .strIniLanguage = language});
        rig.mouse->Unplug();
        ASSERT_TRUE(rig.Start());
        ASSERT_TRUE(rig.Window().isVisible());
        ASSERT_EQ(rig.Window().CurrentPage(), CPadrionDlg::PageState::Basic);
        const QRect band = ToQRect(layout::frame::kNoMouseNotice);
        const QImage withNotice = rig.Context().canvas.Image().copy(band);

        const std::string saved = rig.ConfigBin();
        rig.PressAt(layout::basic::RateSegment(1));  // 125 Hz
        rig.PressAt(layout::frame::kApply);
        rig.PressAt(layout::frame::kOk);
        const QString notSent = NotSentText(rig.Context().language);
        EXPECT_EQ(rig.warnings, (std::vector<Shown>{{"QUARTEN", notSent, 0}, {"QUARTEN", notSent, 0}}));
        EXPECT_TRUE(rig.Window().isVisible()) << "OK hid a window whose edits went nowhere";
        EXPECT_EQ(rig.ConfigBin(), saved);
        EXPECT_EQ(rig.Byte(layout::kReportInterval), 8);  // the edit is still there

        rig.mouse->Plug();
        rig.app->Device()->HandleArrival();
        EXPECT_NE(rig.Context().canvas.Image().copy(band), withNotice) << "the notice stayed";
        rig.PressAt(layout::frame::kApply);
        EXPECT_EQ(rig.mouse->State().reportInterval, 8);
        EXPECT_EQ(static_cast<std::uint8_t>(rig.ConfigBin().at(134)), 8);
    }
}

TEST(AppNoMouse, TheNoticeNamesWhatKeepsTheMouseAway) {
    DiscoveryReport report;
    report.path = "/dev/hidraw3";
    for (const UiLanguage language :
         {UiLanguage::English, UiLanguage::Simplified, UiLanguage::Traditional}) {
        report.failure = DiscoveryFailure::NotFound;
        const QString missing = NoMouseNoticeText(language, report);
        EXPECT_TRUE(missing.contains("quartenctl devices")) << missing.toStdString();
        report.failure = DiscoveryFailure::PermissionDenied;
        const QString denied = NoMouseNoticeText(language, report);
        EXPECT_TRUE(denied.contains("/dev/hidraw3") && denied.contains("70-quarten.rules"))
            << denied.toStdString();
        report.failure = DiscoveryFailure::Busy;
        EXPECT_TRUE(NoMouseNoticeText(language, report).contains("/dev/hidraw3"));
        EXPECT_NE(missing, denied);
    }
    report.failure = DiscoveryFailure::NotFound;
    EXPECT_NE(NoMouseNoticeText(UiLanguage::English, report),
              NoMouseNoticeText(UiLanguage::Simplified, report));
}

TEST(AppStartUp, TheFirstBalloonIsAlreadyInTheChosenLanguage) {
    struct Case {
        const char* code;
        const char* text;
    };
    const Case cases[] = {{"CHS", "系统没有检测到游戏鼠标！"},
                          {"CHT", "系統沒有檢測到遊戲滑鼠！"},
                          {"chs", "The system did not detect the gaming mouse!"}};
    for (const Case& c : cases) {
        AppRig rig({.mousePresent = false, .tray = true, .strIniLanguage = c.code});
        ASSERT_TRUE(rig.Start());
        ASSERT_EQ(rig.notifier.shown.size(), 1u) << c.code;
        EXPECT_EQ(rig.notifier.shown[0].text, QString::fromUtf8(c.text)) << c.code;
        EXPECT_EQ(rig.notifier.shown[0].title, "Warning") << c.code;  // never translated
    }
}

TEST(AppStartUp, AMissingSettingsFileIsReportedAndTheFactoryImageIsKept) {
    AppRig rig;
    std::filesystem::remove(rig.dir / "config.bin");
    ASSERT_TRUE(rig.Start());
    ASSERT_EQ(rig.warnings.size(), 1u);
    EXPECT_FALSE(rig.warnings[0].text.isEmpty());
    // "Apply" cannot write a file that is not there; it says so instead of creating garbage.
    rig.PressAt(layout::frame::kApply);
    EXPECT_FALSE(std::filesystem::exists(rig.dir / "config.bin"));
}

TEST(AppSingleInstance, ASecondStartOpensTheRunningWindowWithOrWithoutATray) {
    for (const bool tray : {false, true}) {
        const QString key = "quarten-test-single-" + QString::number(tray);
        AppRig first({.tray = tray}, key);
        ASSERT_TRUE(first.Start());
        first.Window().hide();

        // The second start blocks until the first answers, so it runs beside the loop.
        SingleInstance second(key);
        auto claimed = std::async(std::launch::async, [&] { return second.Claim(); });
        EXPECT_TRUE(ProcessUntil([&] {
            return first.Window().isVisible() &&
                   claimed.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        })) << "tray " << tray;
        EXPECT_FALSE(claimed.get()) << "tray " << tray;
    }
}

TEST(AppSingleInstance, TheLockIsFreeAgainOnceTheFirstHasGone) {
    const QString key = "quarten-test-relock";
    {
        AppRig first({}, key);
        ASSERT_TRUE(first.Start());
    }
    AppRig again({}, key);
    EXPECT_TRUE(again.Start());
}

TEST(AppExit, CloseButtonAndTrayExitCloseTheMouseAndEndWithZero) {
    for (const bool viaTray : {false, true}) {
        AppRig rig({.tray = true});
        ASSERT_TRUE(rig.Start());
        rig.ClickTray();
        const std::string before = rig.ConfigBin();
        rig.PressAt(layout::basic::RateSegment(1));  // an edit that leaving must not save
        if (viaTray) {
            rig.ChooseTrayExit();
        } else {
            rig.PressAt(layout::frame::kClose);
        }
        EXPECT_EQ(rig.exitCode, 0);
        EXPECT_FALSE(rig.app->Device()->Ready());
        EXPECT_FALSE(rig.Window().isVisible());
        EXPECT_EQ(rig.ConfigBin(), before);
    }
}

TEST(AppHotplug, AMousePluggedInLaterIsUsedAndRemovingItHidesTheWindow) {
    AppRig rig({.tray = true});
    rig.mouse->Unplug();
    ASSERT_TRUE(rig.Start());
    EXPECT_EQ(rig.notifier.shown, std::vector<Shown>{kMissing});

    rig.mouse->Plug();
    rig.app->Device()->HandleArrival();
    EXPECT_EQ(rig.notifier.shown.back(), kFound);
    ASSERT_TRUE(rig.app->Device()->Ready());
    rig.ClickTray();
    EXPECT_TRUE(rig.Window().isVisible());
    EXPECT_EQ(rig.Window().CurrentPage(), CPadrionDlg::PageState::Basic);

    // The listener started with the first accepted mouse.
    rig.notifier.shown.clear();
    ASSERT_TRUE(rig.mouse->EmitEvent(std::vector<std::uint8_t>{0x06, 8, 0, 1}));
    ASSERT_TRUE(ProcessUntil([&] { return !rig.notifier.shown.empty(); }));
    EXPECT_EQ(rig.notifier.shown.back().text, "Switch to key matrix 1");

    rig.mouse->Unplug();
    rig.app->Device()->HandleRemoval();
    EXPECT_FALSE(rig.Window().isVisible());
    EXPECT_EQ(rig.notifier.shown.back(), kMissing);
    rig.ClickTray();
    EXPECT_FALSE(rig.Window().isVisible());
}

TEST(AppNotices, SwitchesOnTheMouseArriveAsBalloons) {
    AppRig rig({.tray = true});
    ASSERT_TRUE(rig.Start());
    rig.notifier.shown.clear();
    rig.Settings().At(layout::kDpiLevel + 1) = 2;  // stage 2 at its third level

    struct Case {
        std::vector<std::uint8_t> report;
        Shown expected;
    };
    const Case cases[] = {
        {{0x06, 5, 0, 8}, {"Info", "Switch report rate into 125HZ", 5000}},
        {{0x06, 7, 0, 2}, {"Info", "Switch DPI into the second stage 1000", 5000}},
        {{0x06, 8, 0, 2}, {"Info", "Switch to key matrix 2", 5000}},
        {{0x06, 9, 0, 2}, {"Info", "Switch to macro key2", 5000}},
    };
    for (const Case& c : cases) {
        rig.notifier.shown.clear();
        ASSERT_TRUE(rig.mouse->EmitEvent(c.report));
        ASSERT_TRUE(ProcessUntil([&] { return !rig.notifier.shown.empty(); }))
            << c.expected.text.toStdString();
        EXPECT_EQ(rig.notifier.shown.back(), c.expected);
    }
    // Pairs without a balloon show nothing; a recognised one after them still does.
    rig.notifier.shown.clear();
    ASSERT_TRUE(rig.mouse->EmitEvent(std::vector<std::uint8_t>{0x06, 5, 0, 3}));
    ASSERT_TRUE(rig.mouse->EmitEvent(std::vector<std::uint8_t>{0x06, 8, 0, 3}));
    ASSERT_TRUE(rig.mouse->EmitEvent(std::vector<std::uint8_t>{0x06, 5, 0, 1}));
    ASSERT_TRUE(ProcessUntil([&] { return !rig.notifier.shown.empty(); }));
    ProcessUntil([] { return false; });
    const std::vector<Shown> onlyTheLast{{"Info", "Switch report rate into 1000HZ", 5000}};
    EXPECT_EQ(rig.notifier.shown, onlyTheLast);
}

// A flood of event reports from the mouse: each one reaches the notifier, in order, while the
// event loop goes on running the window's other work between them, and nothing piles up on
// the way (the listener hands over one report at a time and waits for the window).
TEST(AppNotices, AFloodOfTenThousandReportsKeepsTheLoopTurningAndTheHeapFlat) {
    AppRig rig({.tray = true});
    ASSERT_TRUE(rig.Start());
    rig.notifier.shown.clear();
    constexpr int kFlood = 10'000;
    // The mouse keeps 64 reports waiting, as the kernel's hidraw buffer holds at most, so the
    // heap measures the application and not the queue of the simulated mouse.
    constexpr int kWaiting = 64;
    int emitted = 0;
    bool emitFailed = false;
    auto topUp = [&](int presented) {
        for (; emitted < kFlood && emitted - presented < kWaiting; ++emitted) {
            const auto stage = static_cast<std::uint8_t>(1 + emitted % 4);
            emitFailed |= !rig.mouse->EmitEvent(std::vector<std::uint8_t>{0x06, 7, 0, stage});
        }
    };
    topUp(0);

    const char* const ordinals[] = {"first", "second", "third", "fourth"};
    int presented = 0;
    int outOfOrder = 0;
    int ticksDuringFlood = 0;
    std::size_t heapAtThousand = 0;
    std::size_t heapAtEnd = 0;
    // A zero-interval timer runs once per turn of the event loop: the window's other work.
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&] {
        for (const Shown& shown : rig.notifier.shown) {
            outOfOrder += !shown.text.contains(ordinals[presented % 4]);
            ++presented;
        }
        rig.notifier.shown.clear();
        topUp(presented);
        if (presented > 0 && presented < kFlood) ++ticksDuringFlood;
        if (heapAtThousand == 0 && presented >= 1000) heapAtThousand = mallinfo2().uordblks;
        if (presented >= kFlood) heapAtEnd = mallinfo2().uordblks;
    });
    turn.start();
    QElapsedTimer limit;
    limit.start();
    while (presented < kFlood && limit.elapsed() < 120'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    turn.stop();

    ASSERT_FALSE(emitFailed);
    ASSERT_EQ(presented, kFlood);
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_GT(ticksDuringFlood, 0) << "the flood held the event loop";
    // Nine thousand more reports handled leave the heap where it was, give or take what a
    // few allocations of Qt's own may keep (a byte per report kept would already show).
    const auto grown = static_cast<long long>(heapAtEnd) - static_cast<long long>(heapAtThousand);
    EXPECT_LT(grown, 16 * 1024) << "heap grew by " << grown << " bytes";
}

TEST(AppNotices, DpiStageBalloonNamesTheStoredLevelOfTheSensor) {
    AppRig rig;
    ASSERT_TRUE(rig.Start());
    struct Case {
        std::uint8_t sensor;
        std::uint8_t level;
        const char* text;
    };
    const Case cases[] = {{1, 0, "Switch DPI into the first stage 600"},
                          {2, 7, "Switch DPI into the first stage 2500"},
                          {0, 11, "Switch DPI into the first stage 4000"},
                          {4, 0, "Switch DPI into the first stage "}};
    for (const Case& c : cases) {
        rig.notifier.shown.clear();
        rig.Settings().sensorTypeSelector = c.sensor;
        rig.Settings().At(layout::kDpiLevel) = c.level;
        PresentNotice(rig.Context(), DeviceNotice::DpiStage, 1);
        ASSERT_EQ(rig.notifier.shown.size(), 1u);
        EXPECT_EQ(rig.notifier.shown[0].text, c.text) << int(c.sensor) << "/" << int(c.level);
    }
}

TEST(AppNotices, EveryRowOfTheBalloonTableReachesTheNotifier) {
    AppRig rig;
    ASSERT_TRUE(rig.Start());
    for (int stage = 0; stage < 4; ++stage) rig.Settings().At(layout::kDpiLevel + stage) = 7 - stage;
    struct Case {
        DeviceNotice notice;
        std::uint32_t value;
        std::optional<Shown> expected;
    };
    const std::vector<Case> cases = {
        {DeviceNotice::ReportRate, 1, Shown{"Info", "Switch report rate into 1000HZ", 5000}},
        {DeviceNotice::ReportRate, 2, Shown{"Info", "Switch report rate into 500HZ", 5000}},
        {DeviceNotice::ReportRate, 4, Shown{"Info", "Switch report rate into 250HZ", 5000}},
        {DeviceNotice::ReportRate, 8, Shown{"Info", "Switch report rate into 125HZ", 5000}},
        {DeviceNotice::ReportRate, 3, std::nullopt},
        {DeviceNotice::DpiStage, 1, Shown{"Info", "Switch DPI into the first stage 3200", 5000}},
        {DeviceNotice::DpiStage, 2, Shown{"Info", "Switch DPI into the second stage 2400", 5000}},
        {DeviceNotice::DpiStage, 3, Shown{"Info", "Switch DPI into the third stage 2000", 5000}},
        {DeviceNotice::DpiStage, 4, Shown{"Info", "Switch DPI into the fourth stage 1600", 5000}},
        {DeviceNotice::DpiStage, 5, std::nullopt},
        {DeviceNotice::DpiStage, 0, std::nullopt},
        {DeviceNotice::KeyLayer, 1, Shown{"Info", "Switch to key matrix 1", 5000}},
        {DeviceNotice::KeyLayer, 2, Shown{"Info", "Switch to key matrix 2", 5000}},
        {DeviceNotice::KeyLayer, 3, std::nullopt},
        {DeviceNotice::Macro, 12, Shown{"Info", "Switch to macro key12", 5000}},
        {DeviceNotice::Macro, 0, std::nullopt},
        {DeviceNotice::Found, 0, kFound},
        {DeviceNotice::Missing, 0, kMissing},
    };
    for (const Case& c : cases) {
        rig.notifier.shown.clear();
        PresentNotice(rig.Context(), c.notice, c.value);
        const std::string what = std::to_string(static_cast<int>(c.notice)) + "/" +
                                 std::to_string(c.value);
        if (c.expected) {
            EXPECT_EQ(rig.notifier.shown, std::vector<Shown>{*c.expected}) << what;
        } else {
            EXPECT_TRUE(rig.notifier.shown.empty()) << what;
        }
    }
    // Codes the listener passes on but that have no balloon.
    for (const int code : {6, 10, 11, 12, 13}) {
        rig.notifier.shown.clear();
        PresentNotice(rig.Context(), static_cast<DeviceNotice>(code), 1);
        EXPECT_TRUE(rig.notifier.shown.empty()) << code;
    }
}

TEST(AppNotices, ExitWhileTheListenerWaitsForTheWindowDoesNotHang) {
    AppRig rig;
    ASSERT_TRUE(rig.Start());
    // The listener hands this notice over and waits; the window never gets to it.
    ASSERT_TRUE(rig.mouse->EmitEvent(std::vector<std::uint8_t>{0x06, 5, 0, 8}));
    QThread::msleep(50);
    rig.ChooseTrayExit();  // joins the listener
    EXPECT_EQ(rig.exitCode, 0);
}

}  // namespace
}  // namespace quarten
