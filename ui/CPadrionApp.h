// The application: start-up in its fixed order, the single-instance rule and the two exits.
#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "device/HidTransport.h"
#include "device/Pacer.h"
#include "host/PointerBackend.h"
#include "ui/AppOptions.h"

namespace quarten {
namespace sim {
class SimulatedMouse;
}

struct AppContext;
class CPadrionDlg;
class DeviceController;
class DesktopNotifier;
class Notifier;
class SingleInstance;
class TrayIcon;

// What tests replace: the mouse and its pacing, where notices and questions go, whether a
// tray is used, the name of the instance lock. Left empty, the real parts are used.
struct AppOverrides {
    std::unique_ptr<HidTransport> transport;
    Pacer* pacer = nullptr;
    Notifier* notifier = nullptr;
    // Whether the desktop has a tray at start; unset: ask the desktop. The icon is made
    // either way and docks when a tray appears; this only decides whether the window opens.
    std::optional<bool> trayAtStart;
    QString instanceKey;
    bool hotplug = true;
    std::function<void(const QString& caption, const QString& text)> warn;
    std::function<QColor()> pickColour;
    std::unique_ptr<PointerBackend> pointer;  // unset: the backend of the session's desktop
};

class CPadrionApp : public QObject {
    Q_OBJECT
public:
    explicit CPadrionApp(AppOptions options, AppOverrides overrides = {});
    ~CPadrionApp() override;

    // Runs start-up. False when another instance already runs: this one should then end
    // with exit code 0, having shown nothing.
    bool Start();

    CPadrionDlg* Window() { return window_.get(); }
    AppContext* Context() { return context_.get(); }
    DeviceController* Device() { return device_.get(); }

signals:
    void finished(int exitCode);

private:
    std::unique_ptr<HidTransport> MakeTransport();
    void LoadSettings();
    void PrepareCanvas();
    void ShowMessage(const QString& text);
    std::string AnswerRequest(std::string_view line);
    // Closes the mouse, stops the listener and removes the tray icon; then finished(0).
    void Exit();

    AppOptions options_;
    AppOverrides overrides_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<DesktopNotifier> desktopNotifier_;
    std::unique_ptr<DeviceController> device_;
    sim::SimulatedMouse* simulated_ = nullptr;  // the built-in mouse of --simulate
    std::unique_ptr<CPadrionDlg> window_;
    bool exited_ = false;
};

}  // namespace quarten
