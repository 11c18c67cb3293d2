#include "cli/CtlOptions.h"

#include <charconv>

#include "device/DeviceEvent.h"

namespace quarten::cli {

const char kUsageText[] =
    "Usage: quartenctl [OPTIONS] COMMAND\n"
    "Configure the QUARTEN gaming mouse from the command line.\n"
    "\n"
    "Commands:\n"
    "  devices          list the mouse's HID collections and what was made of them\n"
    "  info             connect and print the sensor, rate, option and lighting bytes\n"
    "  apply            send config.bin of the data directory to the mouse and save it\n"
    "  show [--json]    print config.bin, its captions and macros readably (or as JSON)\n"
    "  rebuild-macros   encode record.ini into the macro slots of config.bin (no mouse)\n"
    "  events           print each switch made on the mouse itself as it arrives\n"
    "  sim-event BYTE...\n"
    "                   hand one input report (hex bytes, e.g. 06 07 00 02) to the simulated\n"
    "                   mouse of this user's running 'quarten --simulate', which sends it as\n"
    "                   the mouse would: the window shows its notice\n"
    "  autostart [on|off]\n"
    "                   start quarten at login (on), no longer (off), or say which holds\n"
    "\n"
    "Options:\n"
    "  --simulate               use the built-in simulated mouse\n"
    "  --sim-sensor N           sensor type the simulated mouse reports (0-255)\n"
    "  --sim-variant V          scrambled (default), plain-echo or silent\n"
    "  --sim-events FILE        with 'events': the simulated mouse sends the reports of FILE\n"
    "                           (one hex report per line), then the command ends\n"
    "  --sim-open-error E       the simulated mouse's node cannot be opened: denied\n"
    "                           (no permission) or busy (held by another program)\n"
    "  --data-dir DIR           read and write config.bin, record.ini, str.ini in DIR\n"
    "  --trace                  print every wire operation to stdout (other output: stderr)\n"
    "  --help                   show this text\n"
    "  --version                show the version\n"
    "\n"
    "Exit status: 0 ok, 1 no usable mouse, 2 usage error, 3 file error,\n"
    "4 a write to the mouse failed.\n";

namespace {

bool ParseInt(const std::string& text, int low, int high, int& out) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

}  // namespace

std::optional<CtlOptions> ParseCtlOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    CtlOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* name) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = std::string(name) + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg == "--sim-sensor") {
            const std::string* v = value("--sim-sensor");
            if (!v) return std::nullopt;
            if (!ParseInt(*v, 0, 255, options.simSensor)) {
                error = "--sim-sensor takes a number 0-255, not '" + *v + "'";
                return std::nullopt;
            }
        } else if (arg == "--sim-variant") {
            const std::string* v = value("--sim-variant");
            if (!v) return std::nullopt;
            if (*v == "scrambled") {
                options.simVariant = sim::SimVariant::Scrambled;
            } else if (*v == "plain-echo") {
                options.simVariant = sim::SimVariant::PlainEcho;
            } else if (*v == "silent") {
                options.simVariant = sim::SimVariant::Silent;
            } else {
                error = "--sim-variant takes scrambled, plain-echo or silent, not '" + *v + "'";
                return std::nullopt;
            }
        } else if (arg == "--sim-events") {
            const std::string* v = value("--sim-events");
            if (!v) return std::nullopt;
            options.simEvents = *v;
        } else if (arg == "--sim-open-error") {
            const std::string* v = value("--sim-open-error");
            if (!v) return std::nullopt;
            if (*v == "denied") {
                options.simOpenError = OpenError::PermissionDenied;
            } else if (*v == "busy") {
                options.simOpenError = OpenError::Busy;
            } else {
                error = "--sim-open-error takes denied or busy, not '" + *v + "'";
                return std::nullopt;
            }
        } else if (arg == "--data-dir") {
            const std::string* v = value("--data-dir");
            if (!v) return std::nullopt;
            options.dataDir = *v;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg.starts_with("-")) {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.arguments.push_back(arg);
        }
    }
    if (options.help || options.version) return options;
    if (options.command.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    static const char* const kCommands[] = {"devices",        "info",   "apply",    "show",
                                            "rebuild-macros", "events", "autostart",
                                            "sim-event"};
    bool known = false;
    for (const char* c : kCommands) known = known || options.command == c;
    if (!known) {
        error = "unknown command '" + options.command + "'";
        return std::nullopt;
    }
    if (options.command == "autostart") {
        if (options.arguments.size() > 1 ||
            (options.arguments.size() == 1 && options.arguments[0] != "on" &&
             options.arguments[0] != "off")) {
            error = "'autostart' takes on, off or nothing";
            return std::nullopt;
        }
    } else if (options.command == "sim-event") {
        std::string report;
        for (const std::string& byte : options.arguments) report += byte + " ";
        if (!ParseReportBytes(report)) {
            error = "'sim-event' takes the report as hex bytes, 1 to 64 of them (06 07 00 02)";
            return std::nullopt;
        }
    } else if (!options.arguments.empty()) {
        error = "'" + options.command + "' takes no arguments";
        return std::nullopt;
    }
    if (options.json && options.command != "show") {
        error = "--json goes with 'show' only";
        return std::nullopt;
    }
    if (options.simEvents && options.command != "events") {
        error = "--sim-events goes with 'events' only";
        return std::nullopt;
    }
    if ((options.simSensor >= 0 || options.simEvents || options.simOpenError != OpenError::None) &&
        !options.simulate) {
        error = "--sim-* options need --simulate";
        return std::nullopt;
    }
    return options;
}

}  // namespace quarten::cli
