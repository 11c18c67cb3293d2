#include "ui/AccessNotice.h"

#include <array>

#include "ui/AppContext.h"

namespace quarten {
namespace {

struct AccessTexts {
    const char* permissionDenied;
    const char* busy;
};

// By UiLanguage: English, simplified Chinese, traditional Chinese. "%1" is the node's path.
constexpr std::array<AccessTexts, 3> kTexts{{
    {"The QUARTEN mouse is plugged in, but %1 cannot be opened: permission denied.\n\n"
     "Install the udev rule 70-quarten.rules into /etc/udev/rules.d (the package puts it "
     "into /usr/lib/udev/rules.d), then replug the mouse or run \"sudo udevadm trigger\".",
     "The QUARTEN mouse is plugged in, but %1 is in use by another program.\n\n"
     "Close that program, then replug the mouse or start quarten again."},
    {"QUARTEN 鼠标已连接，但无法打开 %1：权限不足。\n\n"
     "请将 udev 规则 70-quarten.rules 安装到 /etc/udev/rules.d（软件包会将其安装到 "
     "/usr/lib/udev/rules.d），然后重新插拔鼠标或运行“sudo udevadm trigger”。",
     "QUARTEN 鼠标已连接，但 %1 正被其他程序占用。\n\n"
     "请关闭该程序，然后重新插拔鼠标或重新启动 quarten。"},
    {"QUARTEN 滑鼠已連接，但無法開啟 %1：權限不足。\n\n"
     "請將 udev 規則 70-quarten.rules 安裝到 /etc/udev/rules.d（套件會將其安裝到 "
     "/usr/lib/udev/rules.d），然後重新插拔滑鼠或執行「sudo udevadm trigger」。",
     "QUARTEN 滑鼠已連接，但 %1 正被其他程式佔用。\n\n"
     "請關閉該程式，然後重新插拔滑鼠或重新啟動 quarten。"},
}};

}  // namespace

QString AccessNoticeText(UiLanguage language, DiscoveryFailure failure, const std::string& path) {
    const AccessTexts& texts = kTexts.at(static_cast<std::size_t>(language));
    const char* text = nullptr;
    if (failure == DiscoveryFailure::PermissionDenied) text = texts.permissionDenied;
    if (failure == DiscoveryFailure::Busy) text = texts.busy;
    if (!text) return {};
    return QString::fromUtf8(text).arg(QString::fromStdString(path));
}

bool AccessNotice::Present(const DiscoveryReport& report) {
    const QString text = AccessNoticeText(context_.language, report.failure, report.path);
    if (text.isEmpty() || !shown_.insert(report.failure).second) return false;
    context_.warn(QStringLiteral("QUARTEN"), text);
    return true;
}

}  // namespace quarten
