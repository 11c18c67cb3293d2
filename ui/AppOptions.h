// Command line of the quarten application.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quarten {

struct AppOptions {
    bool simulate = false;
    // Started by the login's autostart entry: stay hidden even while no tray is up yet, as
    // the panel that brings it may start after quarten.
    bool autostart = false;
    QString dataDir;    // empty: the usual data directory
    QString traceFile;  // empty: no trace
};

// Parses the arguments; prints --help/--version or a usage error itself and then returns
// the exit code in `exitCode` with no options.
std::optional<AppOptions> ParseAppOptions(const QStringList& arguments, int& exitCode);

}  // namespace quarten
