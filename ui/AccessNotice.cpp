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

struct NoMouseTexts {
    const char* notFound;
    const char* refused;
    const char* permissionDenied;  // %1: the node
    const char* busy;              // %1: the node
    const char* notSent;
};

constexpr std::array<NoMouseTexts, 3> kNoMouse{{
    {"No QUARTEN mouse is connected. Plug it in; if it is plugged in, run \"quartenctl "
     "devices\" to see why it is not found. Your changes stay in this window until then.",
     "A QUARTEN mouse is plugged in but did not answer as expected. Replug it; \"quartenctl "
     "devices\" tells more. Your changes stay in this window until then.",
     "The QUARTEN mouse is plugged in, but %1 cannot be opened (permission denied). Install "
     "the udev rule 70-quarten.rules and replug the mouse; \"quartenctl devices\" tells more.",
     "The QUARTEN mouse is plugged in, but another program holds %1. Close that program and "
     "replug the mouse; \"quartenctl devices\" tells more.",
     "The settings could not be sent: no QUARTEN mouse can be used.\n\nNothing was saved. "
     "Your changes stay in the window; press \"Apply\" again once the mouse is connected."},
    {"未连接 QUARTEN 鼠标。请插入鼠标；如已插入，请运行“quartenctl devices”查看原因。"
     "在此之前，您的更改保留在此窗口中。",
     "QUARTEN 鼠标已插入，但未按预期应答。请重新插拔；“quartenctl devices”可提供详情。"
     "在此之前，您的更改保留在此窗口中。",
     "QUARTEN 鼠标已插入，但无法打开 %1（权限不足）。请安装 udev 规则 70-quarten.rules "
     "并重新插拔鼠标；“quartenctl devices”可提供详情。",
     "QUARTEN 鼠标已插入，但 %1 正被其他程序占用。请关闭该程序并重新插拔鼠标；"
     "“quartenctl devices”可提供详情。",
     "无法发送设置：没有可用的 QUARTEN 鼠标。\n\n未保存任何内容。您的更改保留在窗口中；"
     "连接鼠标后请再次按“应用”。"},
    {"未連接 QUARTEN 滑鼠。請插入滑鼠；如已插入，請執行「quartenctl devices」查看原因。"
     "在此之前，您的變更保留在此視窗中。",
     "QUARTEN 滑鼠已插入，但未如預期回應。請重新插拔；「quartenctl devices」可提供詳情。"
     "在此之前，您的變更保留在此視窗中。",
     "QUARTEN 滑鼠已插入，但無法開啟 %1（權限不足）。請安裝 udev 規則 70-quarten.rules "
     "並重新插拔滑鼠；「quartenctl devices」可提供詳情。",
     "QUARTEN 滑鼠已插入，但 %1 正被其他程式佔用。請關閉該程式並重新插拔滑鼠；"
     "「quartenctl devices」可提供詳情。",
     "無法傳送設定：沒有可用的 QUARTEN 滑鼠。\n\n未儲存任何內容。您的變更保留在視窗中；"
     "連接滑鼠後請再按「應用」。"},
}};

}  // namespace

QString NoMouseNoticeText(UiLanguage language, const DiscoveryReport& report) {
    const NoMouseTexts& texts = kNoMouse.at(static_cast<std::size_t>(language));
    const QString node = QString::fromStdString(report.path);
    switch (report.failure) {
        case DiscoveryFailure::PermissionDenied:
            return QString::fromUtf8(texts.permissionDenied).arg(node);
        case DiscoveryFailure::Busy: return QString::fromUtf8(texts.busy).arg(node);
        case DiscoveryFailure::Refused:
        case DiscoveryFailure::OpenFailed: return QString::fromUtf8(texts.refused);
        case DiscoveryFailure::None:
        case DiscoveryFailure::NotFound: break;
    }
    return QString::fromUtf8(texts.notFound);
}

QString NotSentText(UiLanguage language) {
    return QString::fromUtf8(kNoMouse.at(static_cast<std::size_t>(language)).notSent);
}

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
