#include "ui/TrayIcon.h"

namespace quarten {

TrayIcon::TrayIcon(const QIcon& icon, const QString& exitText, QObject* parent)
    : QObject(parent), tray_(new QSystemTrayIcon(this)) {
    tray_->setIcon(icon);
    tray_->setToolTip(QStringLiteral("Gaming Mouse Setting"));
    QAction* exit = menu_.addAction(exitText);
    connect(exit, &QAction::triggered, this, &TrayIcon::exitRequested);
    tray_->setContextMenu(&menu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick) emit clicked();
    });
}

bool TrayIcon::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TrayIcon::Show() { tray_->show(); }

void TrayIcon::Remove() { tray_->hide(); }

QIcon AppIcon() {
    QIcon icon;
    for (int size : {32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/quarten.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace quarten
