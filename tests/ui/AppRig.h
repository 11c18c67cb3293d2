// A running application on the simulated mouse: its own data folder (a copy of the factory
// files), a recording notifier, recorded warnings and a scripted colour chooser.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QTest>
#include <QUuid>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/SimulatedMouse.h"
#include "tests/support/RecordingPacer.h"
#include "tests/support/TempDir.h"
#include "ui/AppContext.h"
#include "ui/CPadrionApp.h"
#include "ui/CPadrionDlg.h"
#include "ui/Notifier.h"

namespace quarten::test {

struct Shown {
    QString title;
    QString text;
    int timeoutMs;
    friend bool operator==(const Shown&, const Shown&) = default;
};

class RecordingNotifier : public Notifier {
public:
    void Show(const QString& title, const QString& text, int timeoutMs) override {
        shown.push_back({title, text, timeoutMs});
    }
    std::vector<Shown> shown;
};

inline void CopyFactoryData(const std::filesystem::path& to) {
    std::filesystem::copy(std::filesystem::path(QUARTEN_BINARY_DIR) / "share" / "quarten", to,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

// Runs the event loop until `done` holds or two seconds pass.
template <typename Predicate>
bool ProcessUntil(Predicate done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

struct RigOptions {
    bool mousePresent = true;
    bool tray = false;       // whether the desktop has a tray at start
    bool autostart = false;  // started by the login's autostart entry
    std::uint8_t sensorType = 1;
    std::string strIniLanguage;  // replaces Lan= of the factory str.ini when set
    // The desktop's pointer settings; unset: none at all, so no test reaches the real ones.
    std::function<std::unique_ptr<PointerBackend>()> pointer;
};

// A left click at `at`, as a person gives it.
inline void Click(QWidget& widget, QPoint at) {
    QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
}

// The pointer moves to `at` over the widget with no button held.
inline void Hover(QWidget& widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

class AppRig {
public:
    explicit AppRig(RigOptions options = {}, QString instanceKey = {}) {
        CopyFactoryData(dir.Path());
        if (!options.strIniLanguage.empty()) {
            std::string ini = dir.ReadFile("str.ini");
            const auto at = ini.find("Lan=EN");
            ini.replace(at, 6, "Lan=" + options.strIniLanguage);
            dir.WriteFile("str.ini", ini);
        }
        sim::SimConfig config;
        config.sensorType = options.sensorType;
        config.nowMicros = [this] { return clock.NowMicros(); };
        // A mouse of another maker is all the bus holds when ours is not plugged in.
        if (!options.mousePresent) config.vendorId = 0x1234;
        auto transport = std::make_unique<sim::SimulatedMouse>(config);
        mouse = transport.get();

        AppOverrides overrides;
        overrides.transport = std::move(transport);
        overrides.pacer = &pacer;
        overrides.notifier = &notifier;
        overrides.trayAtStart = options.tray;
        overrides.hotplug = false;
        overrides.instanceKey = instanceKey.isEmpty()
                                    ? "quarten-test-" + QUuid::createUuid().toString(QUuid::Id128)
                                    : instanceKey;
        overrides.warn = [this](const QString& caption, const QString& text) {
            warnings.push_back({caption, text, 0});
        };
        overrides.pickColour = [this] { return nextColour; };
        overrides.pointer = options.pointer ? options.pointer()
                                            : std::make_unique<NullPointerBackend>();
        AppOptions appOptions;
        appOptions.dataDir = QString::fromStdString(dir.Path().string());
        appOptions.autostart = options.autostart;
        app = std::make_unique<CPadrionApp>(appOptions, std::move(overrides));
        QObject::connect(app.get(), &CPadrionApp::finished, [this](int code) { exitCode = code; });
    }

    bool Start() { return app->Start(); }
    CPadrionDlg& Window() { return *app->Window(); }
    AppContext& Context() { return *app->Context(); }
    DeviceSettings& Settings() { return Context().settings; }
    std::uint8_t Byte(std::size_t offset) { return Settings().At(offset); }
    std::string ConfigBin() { return dir.ReadFile("config.bin"); }
    // A click of the left button, as a person gives it.
    void Press(int x, int y) { Click(Window(), QPoint(x, y)); }
    void PressAt(const layout::Rect& r) { Press((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    // The pointer moves over the window with no button held.
    void HoverAt(QPoint at) { Hover(Window(), at); }
    // The program's tray icon, as the desktop's tray sees it.
    QSystemTrayIcon& Tray() { return *app->findChild<QSystemTrayIcon*>(); }
    void ClickTray(QSystemTrayIcon::ActivationReason how = QSystemTrayIcon::Trigger) {
        emit Tray().activated(how);
    }
    // "Exit" of the tray icon's menu.
    void ChooseTrayExit() { Tray().contextMenu()->actions().front()->trigger(); }

    TempDir dir;
    FakeClock clock;
    RecordingPacer pacer{&clock};
    RecordingNotifier notifier;
    std::vector<Shown> warnings;
    QColor nextColour;  // what the colour chooser answers; invalid = cancelled
    sim::SimulatedMouse* mouse = nullptr;
    std::unique_ptr<CPadrionApp> app;
    int exitCode = -1;
};

}  // namespace quarten::test
