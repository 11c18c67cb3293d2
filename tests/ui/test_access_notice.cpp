// The box that explains a mouse which is plugged in but cannot be opened: its words in each
// language, once per run, at start-up and on a later arrival.
#include <gtest/gtest.h>

#include "tests/ui/AppRig.h"
#include "ui/DeviceController.h"

namespace quarten {
namespace {

using test::AppRig;
using test::ProcessUntil;
using test::Shown;

const QString kDeniedEnglish = QStringLiteral(
    "The QUARTEN mouse is plugged in, but sim://quarten/0 cannot be opened: permission "
    "denied.\n\nInstall the udev rule 70-quarten.rules into /etc/udev/rules.d (the package "
    "puts it into /usr/lib/udev/rules.d), then replug the mouse or run \"sudo udevadm "
    "trigger\".");
const QString kBusyEnglish = QStringLiteral(
    "The QUARTEN mouse is plugged in, but sim://quarten/0 is in use by another program.\n\n"
    "Close that program, then replug the mouse or start quarten again.");

TEST(AccessNotice, AnUnopenableMouseAtStartUpGetsOneBoxInTheChosenLanguage) {
    struct Case {
        const char* language;  // Lan= of str.ini; empty keeps the factory English
        OpenError error;
        QString text;
        const char* balloon;
    };
    const Case cases[] = {
        {"", OpenError::PermissionDenied, kDeniedEnglish,
         "The system did not detect the gaming mouse!"},
        {"", OpenError::Busy, kBusyEnglish, "The system did not detect the gaming mouse!"},
        {"CHS", OpenError::PermissionDenied,
         QString::fromUtf8("QUARTEN 鼠标已连接，但无法打开 sim://quarten/0：权限不足。\n\n"
                           "请将 udev 规则 70-quarten.rules 安装到 /etc/udev/rules.d（软件包会将其"
                           "安装到 /usr/lib/udev/rules.d），然后重新插拔鼠标或运行“sudo udevadm "
                           "trigger”。"),
         "系统没有检测到游戏鼠标！"},
        {"CHS", OpenError::Busy,
         QString::fromUtf8("QUARTEN 鼠标已连接，但 sim://quarten/0 正被其他程序占用。\n\n"
                           "请关闭该程序，然后重新插拔鼠标或重新启动 quarten。"),
         "系统没有检测到游戏鼠标！"},
        {"CHT", OpenError::PermissionDenied,
         QString::fromUtf8("QUARTEN 滑鼠已連接，但無法開啟 sim://quarten/0：權限不足。\n\n"
                           "請將 udev 規則 70-quarten.rules 安裝到 /etc/udev/rules.d（套件會將其"
                           "安裝到 /usr/lib/udev/rules.d），然後重新插拔滑鼠或執行「sudo udevadm "
                           "trigger」。"),
         nullptr},
        {"CHT", OpenError::Busy,
         QString::fromUtf8("QUARTEN 滑鼠已連接，但 sim://quarten/0 正被其他程式佔用。\n\n"
                           "請關閉該程式，然後重新插拔滑鼠或重新啟動 quarten。"),
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.language) + (c.error == OpenError::Busy ? " busy" : " denied"));
        AppRig rig({.strIniLanguage = c.language});
        rig.mouse->RefuseOpen(c.error);
        ASSERT_TRUE(rig.Start());
        QCoreApplication::processEvents();
        ASSERT_EQ(rig.warnings.size(), 1u);
        EXPECT_EQ(rig.warnings[0].title, "QUARTEN");
        EXPECT_EQ(rig.warnings[0].text, c.text);
        EXPECT_FALSE(rig.app->Device()->Ready());
        // The balloon of a missing mouse still comes; the box adds the reason to it.
        ASSERT_EQ(rig.notifier.shown.size(), 1u);
        if (c.balloon) {
            EXPECT_EQ(rig.notifier.shown[0].text, QString::fromUtf8(c.balloon));
        }
    }
}

TEST(AccessNotice, AnAbsentMouseGetsNoBox) {
    AppRig rig({.mousePresent = false});
    rig.mouse->RefuseOpen(OpenError::PermissionDenied);  // nothing enumerates to be refused
    ASSERT_TRUE(rig.Start());
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.warnings.empty());
    EXPECT_EQ(rig.notifier.shown.size(), 1u);
}

TEST(AccessNotice, ALaterArrivalExplainsEachKindOfFailureOnceThenConnects) {
    AppRig rig;
    rig.mouse->Unplug();
    ASSERT_TRUE(rig.Start());
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.warnings.empty());  // not plugged in: the balloon alone

    DeviceController& device = *rig.app->Device();
    rig.mouse->Plug();
    rig.mouse->RefuseOpen(OpenError::PermissionDenied);
    device.HandleArrival();
    ASSERT_TRUE(ProcessUntil([&] { return rig.warnings.size() == 1; }));
    EXPECT_EQ(rig.warnings[0].text, kDeniedEnglish);

    // Replugging without the rule: the same reason is not shown a second time.
    device.HandleArrival();
    QCoreApplication::processEvents();
    EXPECT_EQ(rig.warnings.size(), 1u);

    rig.mouse->RefuseOpen(OpenError::Busy);
    device.HandleArrival();
    ASSERT_TRUE(ProcessUntil([&] { return rig.warnings.size() == 2; }));
    EXPECT_EQ(rig.warnings[1].text, kBusyEnglish);

    // The rule is in place now: the mouse is taken and nothing more is said.
    rig.mouse->RefuseOpen(OpenError::None);
    device.HandleArrival();
    QCoreApplication::processEvents();
    EXPECT_TRUE(device.Ready());
    EXPECT_EQ(rig.warnings.size(), 2u);
}

}  // namespace
}  // namespace quarten
