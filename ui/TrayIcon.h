// The tray icon: the program's only permanent presence while the window is hidden.
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace quarten {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(const QIcon& icon, const QString& exitText, QObject* parent = nullptr);
    // False on desktops without a tray (and offscreen); the window then shows itself when a
    // second start knocks.
    static bool Available();
    void Show();
    void Remove();
    QSystemTrayIcon* Raw() { return &tray_; }

signals:
    void clicked();  // left click or double click
    void exitRequested();

private:
    QSystemTrayIcon tray_;
    QMenu menu_;
};

// The program's icon, drawn so that it is crisp at every tray size.
QIcon AppIcon();

}  // namespace quarten
