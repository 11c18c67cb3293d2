// What the notification service got: the Notify calls the bus carried (from dbus-monitor)
// and what dunst itself shows in its history.
#pragma once

#include <QMap>
#include <QString>
#include <vector>

#include "tests/journey/Desktop.h"

namespace quarten::journey {

// One org.freedesktop.Notifications.Notify call, as the service received it.
struct NotifyCall {
    QString appName;
    quint32 replacesId = 0;
    QString appIcon;
    QString summary;
    QString body;
    QMap<QString, QString> hints;  // hint name → its value as dbus-monitor prints it
    int expireTimeout = 0;         // milliseconds; -1 the server's default
};

std::vector<NotifyCall> ParseNotifyCalls(const QString& monitorLog);

// One notice as dunst keeps it.
struct ShownNotice {
    qint64 id = 0;
    QString appName;
    QString summary;
    QString body;
    QString iconPath;
    qint64 timeoutMicroseconds = 0;
};

// Closes what dunst shows, which moves it into dunst's history, and reads the history.
std::vector<ShownNotice> DunstHistory(const Desktop& desktop);

}  // namespace quarten::journey
