// Notifications through the desktop's notification service on the session bus, or through
// the tray icon's own balloon where there is no such service.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>

#include "ui/Notifier.h"

namespace quarten {

class DesktopNotifier : public Notifier {
public:
    // `icon` names the program's icon for the notification service: a file path or an
    // icon-theme name.
    DesktopNotifier(QSystemTrayIcon* tray, QString icon) : tray_(tray), icon_(std::move(icon)) {}
    void Show(const QString& title, const QString& text, int timeoutMs) override;

    // The installed icon beside the program (<prefix>/share/icons/hicolor/…/quarten.png)
    // as a file path, else the theme name "quarten".
    static QString AppIcon();

private:
    bool ShowOnBus(const QString& title, const QString& text, int timeoutMs);
    QPointer<QSystemTrayIcon> tray_;
    QString icon_;
    quint32 lastId_ = 0;  // replaced by the next notification, so only one is ever shown
};

// Tells KDE's running programs on the session bus that the mouse settings in their
// configuration files changed, so they read them again.
void AnnounceKdeSettings();

}  // namespace quarten
