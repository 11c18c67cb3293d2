#include "tests/journey/Journey.h"

#include <sys/stat.h>

#include <QStandardPaths>

namespace quarten::journey {

std::optional<std::string> Journey::Missing(std::initializer_list<const char*> programs) {
    std::string missing;
    for (const char* program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing += std::string(" ") + program;
    }
    if (missing.empty()) return std::nullopt;
    return "not installed:" + missing + " (scripts/deps.sh installs the journey packages)";
}

std::optional<std::string> Journey::MissingX() {
    return Missing({"Xvfb", "openbox", "xdotool", "xdpyinfo", "xwininfo", "xprop"});
}

QByteArray Journey::Config(const User* user) {
    return FileBytes((user ? *user : desktop_.Me()).dataDir + "/config.bin");
}

int Journey::ConfigByte(int offset, const User* user) {
    const QByteArray bytes = Config(user);
    return offset < bytes.size() ? static_cast<std::uint8_t>(bytes[offset]) : -1;
}

QString Journey::Trace(const User* user) {
    return QString::fromUtf8(FileBytes((user ? *user : desktop_.Me()).traceFile));
}

Journey::FileStamp Journey::Stamp(const QString& path) {
    struct stat s {};
    if (::stat(path.toLocal8Bit().constData(), &s) != 0) return {};
    return {static_cast<quint64>(s.st_ino), s.st_mtim.tv_sec * 1000000000LL + s.st_mtim.tv_nsec};
}

Journey::FileStamp Journey::ConfigStamp(const User* user) {
    return Stamp((user ? *user : desktop_.Me()).dataDir + "/config.bin");
}

Process& Journey::StartQuartenAndWait(QuartenStart start) {
    start.announceReady = true;
    Process& app = desktop_.StartQuarten(start);
    WaitFor([&] { return app.PipeText().contains("ready") || !app.Running(); });
    return app;
}

std::optional<WindowGeometry> Journey::OpenFromTray(int repeat) {
    std::optional<WindowGeometry> icon;
    if (!WaitFor([&] {
            icon = screen_.TrayIcon();
            return icon.has_value();
        })) {
        ADD_FAILURE() << "quarten's icon never docked in the tray\n" << Logs();
        return std::nullopt;
    }
    screen_.ClickAt(icon->x + icon->width / 2, icon->y + icon->height / 2, 1, repeat);
    auto window = screen_.WaitForMainWindow(kPatience);
    if (!window) ADD_FAILURE() << "a click on the tray icon did not open the window\n" << Logs();
    return window;
}

void Journey::ClickInWindow(const layout::Rect& rect) {
    const auto window = screen_.MainWindow();
    if (!window) {
        ADD_FAILURE() << "no main window to click in";
        return;
    }
    screen_.Click(*window, rect);
}

}  // namespace quarten::journey
