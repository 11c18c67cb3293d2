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
    // Whether a tray is up now: false on desktops without one, before the panel has
    // started, and offscreen.
    static bool Available();
    // Shows the icon; where no tray is up yet it docks once one appears.
    void Show();
    void Remove();
    QSystemTrayIcon* Raw() { return tray_; }

signals:
    void clicked();  // left click or double click
    void exitRequested();

private:
    QSystemTrayIcon* tray_;  // a child, so the icon can be found from the application object
    QMenu menu_;
};

// The program's icon, drawn so that it is crisp at every tray size.
QIcon AppIcon();

}  // namespace quarten
