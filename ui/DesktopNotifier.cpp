#include "ui/DesktopNotifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>
#include <QVariantMap>

#include "ui/TrayIcon.h"

namespace quarten {
namespace {

// How long the tray's own balloon stays when the service's default was asked for.
constexpr int kBalloonDefaultMs = 10000;

// Without an address Qt would auto-launch a bus through X11 that outlives the program.
bool HasSessionBus() { return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"); }

}  // namespace

QString DesktopNotifier::AppIcon() {
    const QString share = QCoreApplication::applicationDirPath() + "/../share/icons/hicolor/";
    for (const char* size : {"64x64", "48x48", "128x128"}) {
        const QFileInfo file(share + size + "/apps/quarten.png");
        if (file.isFile()) return file.canonicalFilePath();
    }
    return QStringLiteral("quarten");
}

bool DesktopNotifier::ShowOnBus(const QString& title, const QString& text, int timeoutMs) {
    if (!HasSessionBus()) return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
        "org.freedesktop.Notifications", "Notify");
    // The desktop entry's name lets the desktop group the notices under the program.
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("quarten"));
    call << QStringLiteral("QUARTEN") << lastId_ << icon_ << title << text << QStringList()
         << hints << timeoutMs;
    // A short wait: the notification service answers at once, and a missing one must not
    // hold up the window.
    const QDBusReply<quint32> reply = bus.call(call, QDBus::Block, 500);
    if (!reply.isValid()) return false;
    lastId_ = reply.value();
    return true;
}

void AnnounceKdeSettings() {
    if (!HasSessionBus()) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/KGlobalSettings"), QStringLiteral("org.kde.KGlobalSettings"),
        QStringLiteral("notifyChange"));
    constexpr int kSettingsChanged = 3;
    constexpr int kMouseSettings = 0;
    signal << kSettingsChanged << kMouseSettings;
    bus.send(signal);
}

void DesktopNotifier::Show(const QString& title, const QString& text, int timeoutMs) {
    if (ShowOnBus(title, text, timeoutMs)) return;
    if (tray_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_->showMessage(title, text, quarten::AppIcon(),
                           timeoutMs < 0 ? kBalloonDefaultMs : timeoutMs);
    }
}

}  // namespace quarten
