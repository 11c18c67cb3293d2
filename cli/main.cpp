// quartenctl: the command-line front of the QUARTEN configuration core.
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <iostream>
#include <memory>

#include "BuildConfig.h"
#include "cli/CtlOptions.h"
#include "cli/ShowSettings.h"
#include "device/DeviceEvent.h"
#include "device/DeviceLink.h"
#include "device/DeviceListener.h"
#include "device/WireObserver.h"
#include "host/StringSettings.h"
#include "macros/MacroSlot.h"
#include "platform/AutostartEntry.h"
#include "platform/DataDirectory.h"
#include "platform/HidapiTransport.h"
#include "platform/InstanceChannel.h"
#include "platform/PosixFileStore.h"
#include "platform/SteadyPacer.h"
#include "platform/Termination.h"
#include "settings/ApplySequence.h"
#include "settings/DeviceCommands.h"
#include "settings/DpiTables.h"
#include "settings/LightingTables.h"
#include "settings/SettingsFile.h"
#include "sim/SimulatedMouse.h"

namespace quarten::cli {
namespace {

// Everything one run of a command needs: the transport, the link and where to print.
class Session {
public:
    explicit Session(const CtlOptions& options) : options_(options) {
        paths_ = ResolveDataDirectory(options.dataDir);
        const ScramblerKey key = ConfiguredKey();
        if (options.simulate) {
            sim::SimConfig config;
            sim::UseHostKey(config, key);
            if (options.simSensor >= 0) config.sensorType = static_cast<std::uint8_t>(options.simSensor);
            config.variant = options.simVariant;
            auto mouse = std::make_unique<sim::SimulatedMouse>(config);
            mouse->RefuseOpen(options.simOpenError);
            simulated_ = mouse.get();
            transport_ = std::move(mouse);
        } else {
            transport_ = std::make_unique<HidapiTransport>();
        }
        link_ = std::make_unique<DeviceLink>(*transport_, pacer_, key);
        if (options.trace) {
            trace_ = std::make_unique<TextTraceWriter>(std::cout);
            link_->Channel().SetObserver(trace_.get());
        }
    }

    std::ostream& Out() { return options_.trace ? std::cerr : std::cout; }
    std::ostream& Err() { return std::cerr; }
    DeviceLink& Link() { return *link_; }
    const DataPaths& Paths() const { return paths_; }
    PosixFileStore& Store() { return store_; }
    sim::SimulatedMouse* Simulated() { return simulated_; }

    // Discovery and handshake; says why when no mouse can be used.
    bool Connect() {
        if (!link_->FindDevice()) {
            Err() << "quartenctl: " << FailureText(link_->LastDiscovery()) << '\n';
            return false;
        }
        link_->Handshake();
        if (!link_->Ready()) {
            Err() << "quartenctl: the mouse at " << link_->LastDiscovery().path
                  << " did not answer the handshake in scrambled form ("
                  << (link_->ProbeEchoed() ? "it echoed the plain probe" : "no answer")
                  << "); it was refused\n";
            return false;
        }
        return true;
    }

    static std::string FailureText(const DiscoveryReport& report) {
        switch (report.failure) {
            case DiscoveryFailure::PermissionDenied:
                return "the mouse is present but " + report.path +
                       " cannot be opened: permission denied.\n"
                       "Install the udev rule (70-quarten.rules into /etc/udev/rules.d or "
                       "/usr/lib/udev/rules.d), then replug the mouse or run "
                       "'sudo udevadm trigger'.";
            case DiscoveryFailure::Busy:
                return "the mouse is present but " + report.path +
                       " is in use by another program; close it and try again.";
            case DiscoveryFailure::OpenFailed:
                return "the mouse is present but " + report.path + " could not be opened.";
            case DiscoveryFailure::Refused:
                return "the mouse was found but refused; run 'quartenctl devices' for the reason.";
            default:
                return "The system did not detect the gaming mouse!";
        }
    }

private:
    ScramblerKey ConfiguredKey() { return ConfiguredScramblerKey(store_, paths_.strIni); }

    const CtlOptions& options_;
    DataPaths paths_;
    PosixFileStore store_;
    SteadyPacer pacer_;
    std::unique_ptr<HidTransport> transport_;
    sim::SimulatedMouse* simulated_ = nullptr;
    std::unique_ptr<DeviceLink> link_;
    std::unique_ptr<TextTraceWriter> trace_;
};

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string out;
    char byte[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", bytes[i]);
        out += byte;
    }
    return out;
}

int Devices(Session& session) {
    const bool found = session.Link().FindDevice();
    const DiscoveryReport report = session.Link().LastDiscovery();
    if (report.collections.empty()) {
        session.Out() << "no HID collection with vendor 04D9 and product A09F\n";
    }
    char line[256];
    for (const CollectionVerdict& c : report.collections) {
        const HidCollectionInfo& i = c.info;
        std::snprintf(line, sizeof line,
                      "%s  %04X:%04X v%04X  usage %04X/%04X  feature %u input %u output %u",
                      i.path.c_str(), i.vendorId, i.productId, i.version, i.usagePage, i.usage,
                      i.featureLength, i.inputLength, i.outputLength);
        session.Out() << line << "\n    " << c.verdict << '\n';
    }
    if (!found) {
        session.Err() << "quartenctl: " << Session::FailureText(report) << '\n';
        return kNoMouse;
    }
    session.Link().Handshake();
    if (!session.Link().Ready()) {
        session.Out() << "handshake: refused ("
                      << (session.Link().ProbeEchoed() ? "echoed the plain probe" : "no echo")
                      << ")\n";
        return kNoMouse;
    }
    session.Out() << "handshake: accepted, scrambled mode\n";
    return kOk;
}

int Info(Session& session) {
    if (!session.Connect()) return kNoMouse;
    DeviceSettings settings;
    CommandChannel& channel = session.Link().Channel();
    ConnectionReadBack(channel, settings);
    DeviceCommands commands(channel, settings);
    commands.ReadEffect();
    commands.ReadGroups();
    const auto& b = settings.buffers;
    char line[128];
    std::snprintf(line, sizeof line,
                  "sensor type:  %u\nrate:         0x%02X\noption1:      0x%02X\n"
                  "option2:      0x%02X (bit 6 set on connection)\n",
                  b.sensor[0], b.sensor[1], b.sensor[2], b.sensor[3]);
    session.Out() << line;
    session.Out() << "effect:       " << Hex(b.effect) << '\n'
                  << "group 0:      " << Hex(b.group[0]) << '\n'
                  << "group 1:      " << Hex(b.group[1]) << '\n';
    return channel.FailedWrites() ? kWriteFailed : kOk;
}

// config.bin must be present and whole before anything reaches the mouse: an empty image
// sent from the command line would wipe the mouse's buttons.
bool LoadImage(Session& session, DeviceSettings& settings) {
    const SettingsFileResult loaded =
        LoadSettingsFile(session.Store(), session.Paths().configBin, settings);
    if (loaded.status == SettingsFileResult::Status::Loaded) return true;
    session.Err() << "quartenctl: " << session.Paths().configBin.string() << ": "
                  << (loaded.status == SettingsFileResult::Status::Missing
                          ? "missing"
                          : "not a settings file (must be exactly 1850 bytes)")
                  << '\n';
    return false;
}

int Apply(Session& session) {
    DeviceSettings settings;
    if (!LoadImage(session, settings)) return kFileError;
    if (!session.Connect()) return kNoMouse;
    CommandChannel& channel = session.Link().Channel();
    ConnectionReadBack(channel, settings);
    channel.ResetFailedWrites();
    SendSettings(channel, settings);
    const int failed = channel.FailedWrites();
    const SettingsFileResult saved =
        SaveSettingsFile(session.Store(), session.Paths().configBin, settings);
    if (saved.status != SettingsFileResult::Status::Saved) {
        session.Err() << "quartenctl: " << session.Paths().configBin.string()
                      << " not saved: " << saved.message << '\n';
        return kFileError;
    }
    if (failed) {
        session.Err() << "quartenctl: " << failed << " writes did not reach the mouse\n";
        return kWriteFailed;
    }
    session.Out() << "applied " << session.Paths().configBin.string() << '\n';
    return kOk;
}

int Show(Session& session, bool json) {
    DeviceSettings settings;
    if (!LoadImage(session, settings)) return kFileError;
    const DataPaths& paths = session.Paths();
    SkinState skin;
    ReadSkinSettings(session.Store(), paths.strIni, paths.directory,
                     LanguageFromCode(ReadLanguage(session.Store(), paths.strIni)),
                     SkinReadScope::StartUp, skin);
    if (json) {
        PrintSettingsJson(std::cout, settings.firstRunFlag, settings.image, skin.captions);
    } else {
        PrintSettings(std::cout, settings.firstRunFlag, settings.image, skin.captions);
    }
    return kOk;
}

int RebuildMacros(Session& session) {
    DeviceSettings settings;
    if (!LoadImage(session, settings)) return kFileError;
    const DataPaths& paths = session.Paths();
    if (!session.Store().Exists(paths.recordIni)) {
        session.Err() << "quartenctl: " << paths.recordIni.string()
                      << ": missing; the macro slots are left as they are\n";
        return kFileError;
    }
    const MacroRebuildReport report = RebuildMacroSlots(session.Store(), paths.recordIni,
                                                        settings.image);
    for (std::size_t n = 0; n < report.outcomes.size(); ++n) {
        const MacroSlotOutcome& slot = report.outcomes[n];
        if (slot.fill.dropped > 0) {
            session.Err() << "quartenctl: macro \"" << report.names[n] << "\" (slot " << n + 1
                          << ") does not fit the mouse: " << slot.fill.written
                          << " events kept, " << slot.fill.dropped << " dropped\n";
        }
    }
    if (report.namesWithoutSlot > 0) {
        session.Err() << "quartenctl: " << report.namesWithoutSlot
                      << " macros beyond the twelfth have no slot and were not encoded\n";
    }
    // The first-run byte stays as it was: nothing has been applied to a mouse.
    const WriteResult written = session.Store().WriteAtomic(
        paths.configBin, SettingsFileBytes(settings.firstRunFlag, settings.image));
    if (!written.ok) {
        session.Err() << "quartenctl: " << paths.configBin.string() << " not saved: "
                      << written.detail << '\n';
        return kFileError;
    }
    session.Out() << "encoded " << report.names.size() - std::min(report.names.size(),
                                                                  report.namesWithoutSlot)
                  << " macros into " << paths.configBin.string() << '\n';
    return kOk;
}

// Prints each notice as the listener hands it over, and counts them for --sim-events.
class EventPrinter : public DeviceNoticeSink {
public:
    EventPrinter(std::ostream& out, const DeviceSettings& settings, bool haveImage)
        : out_(out), settings_(settings), haveImage_(haveImage) {}

    void OnDeviceNotice(DeviceNotice notice, std::uint32_t value) override {
        std::ostringstream line;
        switch (notice) {
            case DeviceNotice::ReportRate:
                if (const int hz = ReportRateHz(static_cast<std::uint8_t>(value))) {
                    line << "report-rate " << hz << " Hz";
                } else {
                    line << "report-rate interval " << value;
                }
                break;
            case DeviceNotice::DpiStage:
                line << "dpi-stage " << value;
                if (haveImage_ && value >= 1 && value <= layout::kStageCount) {
                    const auto label = DpiLabel(settings_.sensorTypeSelector,
                                                settings_.At(layout::kDpiLevel + value - 1));
                    if (!label.empty()) line << ' ' << label;
                }
                break;
            case DeviceNotice::KeyLayer: line << "key-layer " << value; break;
            case DeviceNotice::Macro: line << "macro " << value; break;
            default: return;
        }
        std::lock_guard lock(mutex_);
        out_ << line.str() << std::endl;
        ++count_;
        changed_.notify_all();
    }

    // Waits until `count` notices were printed; false when they did not come in time.
    bool AwaitCount(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return count_ >= count; });
    }

private:
    std::ostream& out_;
    const DeviceSettings& settings_;
    bool haveImage_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

// One report per line as hex bytes; blank lines and lines starting with '#' are skipped.
std::optional<std::vector<std::vector<std::uint8_t>>> ReadEventFile(const std::filesystem::path& path,
                                                                    std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path.string() + ": cannot be read";
        return std::nullopt;
    }
    std::vector<std::vector<std::uint8_t>> reports;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        std::istringstream words(line);
        std::vector<std::uint8_t> report;
        for (std::string word; words >> word;) {
            if (word.starts_with('#')) break;
            if (word.size() > 2 || word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
                error = path.string() + ":" + std::to_string(number) + ": '" + word +
                        "' is not a hex byte";
                return std::nullopt;
            }
            report.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
        }
        if (!report.empty()) reports.push_back(std::move(report));
    }
    return reports;
}

int Events(Session& session, const CtlOptions& options) {
    std::optional<std::vector<std::vector<std::uint8_t>>> script;
    if (options.simEvents) {
        std::string error;
        script = ReadEventFile(*options.simEvents, error);
        if (!script) {
            session.Err() << "quartenctl: " << error << '\n';
            return kFileError;
        }
    }
    // The DPI labels come from config.bin when there is one; the events work without it.
    DeviceSettings settings;
    const bool haveImage = LoadSettingsFile(session.Store(), session.Paths().configBin, settings)
                               .status == SettingsFileResult::Status::Loaded;
    if (!script) BlockTerminationSignals();
    if (!session.Connect()) return kNoMouse;
    ConnectionReadBack(session.Link().Channel(), settings);
    EventPrinter printer(std::cout, settings, haveImage);
    DeviceListener listener(session.Link(), printer);
    listener.Start();
    if (!script) {
        WaitForTermination();
        return kOk;
    }
    int expected = 0;
    for (const auto& report : *script) {
        if (DecodeDeviceEvent(report)) ++expected;
        session.Simulated()->EmitEvent(report);
    }
    if (!printer.AwaitCount(expected)) {
        session.Err() << "quartenctl: not every event arrived\n";
        return kNoMouse;
    }
    return kOk;
}

// Needs no mouse and no data directory: only the entry in the user's autostart folder.
int Autostart(const CtlOptions& options) {
    const std::filesystem::path entry = AutostartEntryPath();
    if (entry.empty()) {
        std::cerr << "quartenctl: neither XDG_CONFIG_HOME nor HOME is set; no autostart folder\n";
        return kFileError;
    }
    PosixFileStore store;
    if (options.arguments.empty()) {
        std::cout << "autostart: " << (AutostartEnabled(store, entry) ? "on" : "off") << " ("
                  << entry.string() << ")\n";
        return kOk;
    }
    const bool on = options.arguments[0] == "on";
    const std::string problem =
        on ? EnableAutostart(store, entry, AutostartProgram()) : DisableAutostart(entry);
    if (!problem.empty()) {
        std::cerr << "quartenctl: " << problem << '\n';
        return kFileError;
    }
    std::cout << "autostart: " << (on ? "on" : "off") << " (" << entry.string() << ")\n";
    return kOk;
}

// Needs no mouse: the report goes to the simulated mouse of this user's running quarten.
int SimEvent(const CtlOptions& options) {
    std::string why;
    const std::filesystem::path folder = UserRuntimeFolder(why);
    if (folder.empty()) {
        std::cerr << "quartenctl: " << why << '\n';
        return kNoMouse;
    }
    std::string request(kSimEventRequest);
    for (const std::string& byte : options.arguments) request += " " + byte;
    const auto answer = SendInstanceRequest(InstancePathsFor(folder, "quarten"), request, 3000, why);
    if (!answer) {
        std::cerr << "quartenctl: " << why << "; start 'quarten --simulate' first\n";
        return kNoMouse;
    }
    if (*answer != kRequestDone) {
        std::cerr << "quartenctl: quarten refused the report: "
                  << answer->substr(answer->starts_with(kRequestRefused) ? kRequestRefused.size() : 0)
                  << '\n';
        return kNoMouse;
    }
    return kOk;
}

}  // namespace
}  // namespace quarten::cli

int main(int argc, char** argv) {
    using namespace quarten::cli;
    std::string error;
    const auto options = ParseCtlOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "quartenctl: " << error << "\nTry 'quartenctl --help'.\n";
        return kUsage;
    }
    if (options->help) {
        std::cout << kUsageText;
        return kOk;
    }
    if (options->version) {
        std::cout << "quartenctl " << quarten::build::kVersion << '\n';
        return kOk;
    }
    if (options->command == "autostart") return Autostart(*options);
    if (options->command == "sim-event") return SimEvent(*options);
    Session session(*options);
    if (options->command == "devices") return Devices(session);
    if (options->command == "info") return Info(session);
    if (options->command == "apply") return Apply(session);
    if (options->command == "rebuild-macros") return RebuildMacros(session);
    if (options->command == "events") return Events(session, *options);
    return Show(session, options->json);
}
