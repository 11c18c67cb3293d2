// The X screen as a person meets it: which windows are on it and where, and the pointer and
// keyboard, driven only through xdotool. Window facts come from xdotool and xwininfo.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "tests/journey/Desktop.h"
#include "ui/layout/SkinLayout.h"

namespace quarten::journey {

struct WindowGeometry {
    QString id;  // as xdotool prints it (decimal)
    int x = 0;   // absolute position of the top-left corner
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false;
};

class Screen {
public:
    explicit Screen(Desktop& desktop) : desktop_(desktop) {}

    // xdotool with the arguments; its standard output, trimmed.
    QString Xdotool(const QStringList& arguments) const;

    // Windows that are mapped (viewable) and whose WM_CLASS is "quarten".
    QStringList VisibleQuartenWindows() const;
    std::optional<WindowGeometry> Geometry(const QString& id) const;
    // quarten's main window (title "QUARTEN", 900 x 660) when it is on the screen.
    std::optional<WindowGeometry> MainWindow() const;
    // Every main window on the screen (more than one with two users).
    std::vector<WindowGeometry> MainWindows() const;
    // quarten's icon docked in the tray: a small window of class "quarten" inside another.
    std::optional<WindowGeometry> TrayIcon() const;
    // A visible quarten window other than the main window, the tray icon and `known`
    // (a message box, a balloon, a menu).
    std::optional<WindowGeometry> OtherQuartenWindow(const QStringList& known = {}) const;

    // Input.
    void MoveTo(int x, int y) const;
    void ClickAt(int x, int y, int button = 1, int repeat = 1) const;
    void Click(const WindowGeometry& window, const layout::Rect& rect) const;
    void Press(int button = 1) const;
    void Release(int button = 1) const;
    void Key(const QString& keys) const;

    // Waits for the main window to appear or go; its geometry when it appeared.
    std::optional<WindowGeometry> WaitForMainWindow(int milliseconds) const;
    bool WaitForNoMainWindow(int milliseconds) const;

private:
    Desktop& desktop_;
};

// Centre of a layout rectangle inside a window, in screen coordinates.
inline int CentreX(const WindowGeometry& w, const layout::Rect& r) {
    return w.x + (r.left + r.right) / 2;
}
inline int CentreY(const WindowGeometry& w, const layout::Rect& r) {
    return w.y + (r.top + r.bottom) / 2;
}

}  // namespace quarten::journey
