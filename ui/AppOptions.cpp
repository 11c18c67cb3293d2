#include "ui/AppOptions.h"

#include <QCommandLineParser>
#include <QTextStream>

#include "BuildConfig.h"

namespace quarten {

std::optional<AppOptions> ParseAppOptions(const QStringList& arguments, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Configuration utility for the QUARTEN gaming mouse. Starts hidden in the tray.");
    const QCommandLineOption simulate("simulate", "Use the built-in simulated mouse.");
    const QCommandLineOption autostart(
        "autostart", "Start hidden, as at login; the tray icon appears when the tray does.");
    const QCommandLineOption dataDir("data-dir", "Keep config.bin, record.ini, str.ini in DIR.",
                                     "DIR");
    const QCommandLineOption trace("trace", "Append every wire operation to FILE.", "FILE");
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption version("version", "Show the version.");
    parser.addOptions({simulate, autostart, dataDir, trace, help, version});
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parser.parse(arguments)) {
        err << "quarten: " << parser.errorText() << "\nTry 'quarten --help'.\n";
        exitCode = 2;
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        exitCode = 0;
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        out << "quarten " << build::kVersion << "\n";
        exitCode = 0;
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << "quarten: unexpected argument '" << parser.positionalArguments().first()
            << "'\nTry 'quarten --help'.\n";
        exitCode = 2;
        return std::nullopt;
    }
    AppOptions options;
    options.simulate = parser.isSet(simulate);
    options.autostart = parser.isSet(autostart);
    options.dataDir = parser.value(dataDir);
    options.traceFile = parser.value(trace);
    return options;
}

}  // namespace quarten
