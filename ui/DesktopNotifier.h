// Notifications through the desktop's notification service on the session bus, or through
// the tray icon's own balloon where there is no such service.
#pragma once

#include <QPointer>
#include <QSystemTrayIcon>

#include "ui/Notifier.h"

namespace quarten {

class DesktopNotifier : public Notifier {
public:
    explicit DesktopNotifier(QSystemTrayIcon* tray) : tray_(tray) {}
    void Show(const QString& title, const QString& text, int timeoutMs) override;

private:
    bool ShowOnBus(const QString& title, const QString& text, int timeoutMs);
    QPointer<QSystemTrayIcon> tray_;
    quint32 lastId_ = 0;  // replaced by the next notification, so only one is ever shown
};

// Tells KDE's running programs on the session bus that the mouse settings in their
// configuration files changed, so they read them again.
void AnnounceKdeSettings();

}  // namespace quarten
