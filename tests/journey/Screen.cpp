#include "tests/journey/Screen.h"

#include <QRegularExpression>

#include "tests/journey/Wait.h"

namespace quarten::journey {
namespace {

// xwininfo and xdotool print ids in hex and decimal; compare them as numbers.
bool SameWindow(const QString& a, const QString& b) {
    bool okA = false;
    bool okB = false;
    const qulonglong x = a.toULongLong(&okA, 0);
    const qulonglong y = b.toULongLong(&okB, 0);
    return okA && okB && x == y;
}

QStringList Lines(const QString& text) { return text.split('\n', Qt::SkipEmptyParts); }

}  // namespace

QString Screen::Xdotool(const QStringList& arguments) const {
    return desktop_.Run("xdotool", arguments).out.trimmed();
}

QStringList Screen::VisibleQuartenWindows() const {
    return Lines(Xdotool({"search", "--onlyvisible", "--class", "^quarten$"}));
}

std::optional<WindowGeometry> Screen::Geometry(const QString& id) const {
    const ToolRun info = desktop_.Run("xwininfo", {"-id", id});
    if (info.exitCode != 0) return std::nullopt;
    WindowGeometry g;
    g.id = id;
    auto number = [&](const char* label) {
        const QRegularExpression re(QStringLiteral("%1:\\s*(-?\\d+)").arg(label));
        return re.match(info.out).captured(1).toInt();
    };
    g.x = number("Absolute upper-left X");
    g.y = number("Absolute upper-left Y");
    g.width = number("Width");
    g.height = number("Height");
    g.viewable = info.out.contains("Map State: IsViewable");
    return g;
}

std::vector<WindowGeometry> Screen::MainWindows() const {
    std::vector<WindowGeometry> found;
    // The tray icon carries the same title; the size tells the main window apart.
    for (const QString& id : Lines(Xdotool({"search", "--onlyvisible", "--name", "^QUARTEN$"}))) {
        const auto g = Geometry(id);
        if (g && g->viewable && g->width == layout::kMainWindowSize.width &&
            g->height == layout::kMainWindowSize.height) {
            found.push_back(*g);
        }
    }
    return found;
}

std::optional<WindowGeometry> Screen::MainWindow() const {
    const auto all = MainWindows();
    if (all.empty()) return std::nullopt;
    return all.front();
}

std::optional<WindowGeometry> Screen::TrayIcon() const {
    // "      0x600006 "QUARTEN": ("quarten" "quarten")  22x30+0+0  +1257+1": a window of
    // quarten's class nested inside the tray's, small, at its absolute place.
    static const QRegularExpression line(
        QStringLiteral(R"(^( +)(0x[0-9a-f]+) .*\("quarten" "quarten"\)\s+)"
                       R"((\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+?(-?\d+)\+?(-?\d+))"));
    for (const QString& text : Lines(desktop_.Run("xwininfo", {"-root", "-tree"}).out)) {
        const auto m = line.match(text);
        if (!m.hasMatch() || m.captured(1).size() <= 5) continue;
        const int w = m.captured(3).toInt();
        const int h = m.captured(4).toInt();
        if (w > 64 || h > 64 || w < 8 || h < 8) continue;
        WindowGeometry g;
        g.id = m.captured(2);
        g.width = w;
        g.height = h;
        g.x = m.captured(5).toInt();
        g.y = m.captured(6).toInt();
        g.viewable = true;
        return g;
    }
    return std::nullopt;
}

std::optional<WindowGeometry> Screen::OtherQuartenWindow(const QStringList& known) const {
    const auto mains = MainWindows();
    const auto icon = TrayIcon();
    for (const QString& id : VisibleQuartenWindows()) {
        bool skip = icon && SameWindow(id, icon->id);
        for (const auto& m : mains) skip = skip || SameWindow(id, m.id);
        for (const auto& k : known) skip = skip || SameWindow(id, k);
        if (skip) continue;
        const auto g = Geometry(id);
        // Qt keeps 1 x 1 helper windows of its own; nothing a person could see.
        if (g && g->viewable && g->width > 2 && g->height > 2) return g;
    }
    return std::nullopt;
}

void Screen::MoveTo(int x, int y) const {
    // No --sync: it waits for a motion that never comes when the pointer is already there.
    // Each xdotool run ends with a round trip, so the server has the motion before the next.
    Xdotool({"mousemove", QString::number(x), QString::number(y)});
}

void Screen::ClickAt(int x, int y, int button, int repeat) const {
    Xdotool({"mousemove", QString::number(x), QString::number(y), "click", "--repeat",
             QString::number(repeat), "--delay", "120", QString::number(button)});
}

void Screen::Click(const WindowGeometry& window, const layout::Rect& rect) const {
    ClickAt(CentreX(window, rect), CentreY(window, rect));
}

void Screen::Press(int button) const { Xdotool({"mousedown", QString::number(button)}); }

void Screen::Release(int button) const { Xdotool({"mouseup", QString::number(button)}); }

void Screen::Key(const QString& keys) const { Xdotool({"key", keys}); }

std::optional<WindowGeometry> Screen::WaitForMainWindow(int milliseconds) const {
    std::optional<WindowGeometry> window;
    WaitFor(
        [&] {
            window = MainWindow();
            return window.has_value();
        },
        milliseconds);
    return window;
}

bool Screen::WaitForNoMainWindow(int milliseconds) const {
    return WaitFor([&] { return !MainWindow(); }, milliseconds);
}

}  // namespace quarten::journey
