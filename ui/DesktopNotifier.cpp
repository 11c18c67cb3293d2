#include "ui/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace quarten {

bool DesktopNotifier::ShowOnBus(const QString& title, const QString& text, int timeoutMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
        "org.freedesktop.Notifications", "Notify");
    call << QStringLiteral("quarten") << lastId_ << QStringLiteral("input-mouse") << title << text
         << QStringList() << QVariantMap() << timeoutMs;
    // A short wait: the notification service answers at once, and a missing one must not
    // hold up the window.
    const QDBusReply<quint32> reply = bus.call(call, QDBus::Block, 500);
    if (!reply.isValid()) return false;
    lastId_ = reply.value();
    return true;
}

void AnnounceKdeSettings() {
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
    if (tray_ && tray_->isVisible()) {
        tray_->showMessage(title, text, QSystemTrayIcon::Information, timeoutMs);
    }
}

}  // namespace quarten
