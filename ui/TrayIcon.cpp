#include "ui/TrayIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quarten {

TrayIcon::TrayIcon(const QIcon& icon, const QString& exitText, QObject* parent)
    : QObject(parent) {
    tray_.setIcon(icon);
    tray_.setToolTip(QStringLiteral("Gaming Mouse Setting"));
    QAction* exit = menu_.addAction(exitText);
    connect(exit, &QAction::triggered, this, &TrayIcon::exitRequested);
    tray_.setContextMenu(&menu_);
    connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick) emit clicked();
    });
}

bool TrayIcon::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TrayIcon::Show() { tray_.show(); }

void TrayIcon::Remove() { tray_.hide(); }

namespace {

QPixmap PaintIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    p.scale(s, s);
    // A mouse seen from above: body, the split between the buttons, the wheel and a glow.
    QPainterPath body;
    body.addRoundedRect(QRectF(14, 4, 36, 56), 18, 18);
    QLinearGradient shell(0, 4, 0, 60);
    shell.setColorAt(0, QColor(70, 78, 92));
    shell.setColorAt(1, QColor(22, 25, 31));
    p.fillPath(body, shell);
    p.setPen(QPen(QColor(0, 220, 230), 3));
    p.drawPath(body);
    p.setPen(QPen(QColor(0, 220, 230, 200), 2));
    p.drawLine(QPointF(32, 6), QPointF(32, 26));
    p.drawLine(QPointF(16, 26), QPointF(48, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 240, 255));
    p.drawRoundedRect(QRectF(29, 11, 6, 11), 3, 3);
    return pixmap;
}

}  // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(PaintIcon(size));
    return icon;
}

}  // namespace quarten
