#include "ui/CPadrionApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>

#include "host/StringSettings.h"
#include "platform/DataDirectory.h"
#include "device/DeviceEvent.h"
#include "platform/HidapiTransport.h"
#include "platform/InstanceChannel.h"
#include "platform/PointerBackendChoice.h"
#include "settings/SettingsFile.h"
#include "sim/SimulatedMouse.h"
#include "ui/AccessNotice.h"
#include "ui/AppContext.h"
#include "ui/CPadrionDlg.h"
#include "ui/DesktopNotifier.h"
#include "ui/DeviceController.h"
#include "ui/NoticePresenter.h"
#include "ui/SingleInstance.h"
#include "ui/TrayIcon.h"
#include "ui/text/UiFonts.h"

namespace quarten {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The first installed family of the requested list, sized so that its cell (ascent plus
// descent) is the given pixel height, as the window was designed with.
QFont MakeFont(const FontRequest& request) {
    const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const std::string_view family : request.families) {
        if (installed.contains(FromUtf8(family))) {
            font.setFamily(FromUtf8(family));
            break;
        }
    }
    font.setPixelSize(request.pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(request.weight));
    const int cell = QFontMetrics(font).height();
    if (cell > request.pixelHeight) {
        font.setPixelSize(std::max(1, request.pixelHeight * request.pixelHeight / cell));
    }
    return font;
}

}  // namespace

CPadrionApp::CPadrionApp(AppOptions options, AppOverrides overrides)
    : options_(std::move(options)), overrides_(std::move(overrides)) {}

CPadrionApp::~CPadrionApp() {
    if (device_) device_->Shutdown();
    if (tray_) tray_->Remove();
}

std::unique_ptr<HidTransport> CPadrionApp::MakeTransport() {
    if (overrides_.transport) return std::move(overrides_.transport);
    if (!options_.simulate) return std::make_unique<HidapiTransport>();
    sim::SimConfig config;
    sim::UseHostKey(config, ConfiguredScramblerKey(context_->store, context_->paths.strIni));
    auto mouse = std::make_unique<sim::SimulatedMouse>(config);
    simulated_ = mouse.get();
    return mouse;
}

bool CPadrionApp::Start() {
    // One instance per user: a second start knocks on the first and ends.
    instance_ = std::make_unique<SingleInstance>(
        overrides_.instanceKey.isEmpty() ? QStringLiteral("quarten") : overrides_.instanceKey);
    if (!instance_->Claim()) return false;

    // The language comes first so that the device's first balloon is already translated.
    std::optional<std::filesystem::path> given;
    if (!options_.dataDir.isEmpty()) given = options_.dataDir.toStdString();
    DataPaths paths = ResolveDataDirectory(given);
    PosixFileStore probe;
    const UiLanguage language = LanguageFromCode(ReadLanguage(probe, paths.strIni));
    context_ = std::make_unique<AppContext>(std::move(paths), language);
    if (overrides_.warn) context_->warn = overrides_.warn;
    if (overrides_.pickColour) context_->pickColour = overrides_.pickColour;
    context_->pointer = overrides_.pointer ? std::move(overrides_.pointer)
                                           : MakeSessionPointerBackend(context_->store, AnnounceKdeSettings);

    // The tray icon exists before the mouse is opened, so its warning has a place to show.
    // It is made even when no tray is up yet: at login the panel may come after quarten,
    // and the icon docks as soon as a tray appears.
    const bool trayAtStart = overrides_.trayAtStart.value_or(TrayIcon::Available());
    tray_ = std::make_unique<TrayIcon>(AppIcon(), context_->Text(TextSlot::Exit), this);
    connect(tray_.get(), &TrayIcon::exitRequested, this, &CPadrionApp::Exit);
    tray_->Show();
    desktopNotifier_ = std::make_unique<DesktopNotifier>(tray_->Raw(), DesktopNotifier::AppIcon());
    context_->notifier = overrides_.notifier ? overrides_.notifier : desktopNotifier_.get();

    // The mouse: discovery and handshake, then the listener once one is accepted.
    device_ = std::make_unique<DeviceController>(
        MakeTransport(), ConfiguredScramblerKey(context_->store, context_->paths.strIni),
        context_->settings, overrides_.pacer);
    context_->device = device_.get();
    if (!options_.traceFile.isEmpty() && !device_->OpenTrace(options_.traceFile.toStdString())) {
        ShowMessage(QStringLiteral("Cannot write the trace file %1.").arg(options_.traceFile));
    }
    device_->SetNoticeHandler([this](DeviceNotice notice, std::uint32_t value) {
        PresentNotice(*context_, notice, value);
    });
    device_->StartUp();
    // A mouse that is plugged in but cannot be opened gets a box saying why and what to do,
    // at start-up and when a later arrival ends the same way (queued: not inside hotplug).
    auto access = std::make_shared<AccessNotice>(*context_);
    access->Present(device_->Link().LastDiscovery());
    connect(device_.get(), &DeviceController::deviceLost, this,
            [this, access] { access->Present(device_->Link().LastDiscovery()); },
            Qt::QueuedConnection);
    // The simulated mouse is never plugged in or out; a real one is followed through udev.
    if (!options_.simulate && overrides_.hotplug) device_->WatchHotplug();

    LoadSettings();
    ReadSkinSettings(context_->store, context_->paths.strIni, context_->paths.directory,
                     context_->language, SkinReadScope::StartUp, context_->skin);
    PrepareCanvas();

    // The window carries the menu entry's icon and name, so docks and Wayland compositors
    // match it to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("quarten"));
    window_ = std::make_unique<CPadrionDlg>(*context_);
    window_->setWindowIcon(AppIcon());
    connect(window_.get(), &CPadrionDlg::exitRequested, this, &CPadrionApp::Exit);
    connect(tray_.get(), &TrayIcon::clicked, window_.get(), &CPadrionDlg::TrayClicked);
    connect(device_.get(), &DeviceController::deviceLost, window_.get(), &CPadrionDlg::MouseLost);
    connect(device_.get(), &DeviceController::deviceArrived, window_.get(),
            &CPadrionDlg::MouseArrived);
    if (device_->Ready()) window_->ShowBasicPage();
    // Hidden start. Started by hand on a desktop without a tray, the window is the only way
    // in, so it shows at once; started at login it waits for the tray to come up.
    if (!trayAtStart && !options_.autostart) window_->Open();
    instance_->SetHandler([this](std::string_view line) { return AnswerRequest(line); });
    return true;
}

void CPadrionApp::LoadSettings() {
    const SettingsFileResult loaded =
        LoadSettingsFile(context_->store, context_->paths.configBin, context_->settings);
    if (!loaded.message.empty()) {
        context_->warn(loaded.caption.empty() ? QStringLiteral("QUARTEN")
                                              : FromUtf8(loaded.caption),
                       FromUtf8(loaded.message));
    }
    context_->settings.TakeSnapshot();
}

void CPadrionApp::PrepareCanvas() {
    AppContext& c = *context_;
    const QString folder = QString::fromStdString(c.skin.skinFolder.string());
    const auto& rgb = c.skin.textColour;
    const LanguageFonts fonts = FontsFor(c.language);
    c.canvas.SetSkin(folder, QColor(rgb[0], rgb[1], rgb[2]), MakeFont(fonts.normal),
                     MakeFont(fonts.heading));
    // The window takes the size of the basic page's background; without it there is no
    // canvas and nothing of the window can be seen.
    const QImage background =
        c.images.Load(folder + "/" + FromUtf8(layout::image::kBasicBackground));
    c.canvas.Resize(background.isNull() ? QSize() : background.size());
}

void CPadrionApp::ShowMessage(const QString& text) { context_->warn(QStringLiteral("QUARTEN"), text); }

std::string CPadrionApp::AnswerRequest(std::string_view line) {
    // Starting quarten again is how people reach a running tray program from the menu, so
    // a second start always opens the window.
    if (line == kShowRequest) {
        window_->Open();
        return std::string(kRequestDone);
    }
    if (line.starts_with(kSimEventRequest)) {
        if (!simulated_) return std::string(kRequestRefused) + "quarten runs on a real mouse, not --simulate";
        const auto report = ParseReportBytes(line.substr(kSimEventRequest.size()));
        if (!report) return std::string(kRequestRefused) + "malformed report bytes";
        if (!simulated_->EmitEvent(*report)) return std::string(kRequestRefused) + "the simulated mouse is unplugged";
        return std::string(kRequestDone);
    }
    return std::string(kRequestRefused) + "unknown request";
}

void CPadrionApp::Exit() {
    if (exited_) return;
    exited_ = true;
    // Nothing is saved here: settings reach config.bin only through "OK" and "Apply".
    if (device_) device_->Shutdown();
    if (tray_) tray_->Remove();
    if (window_) window_->hide();
    emit finished(0);
}

}  // namespace quarten
