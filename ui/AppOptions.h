// Command line of the quarten application.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quarten {

struct AppOptions {
    bool simulate = false;
    QString dataDir;    // empty: the usual data directory
    QString traceFile;  // empty: no trace
};

// Parses the arguments; prints --help/--version or a usage error itself and then returns
// the exit code in `exitCode` with no options.
std::optional<AppOptions> ParseAppOptions(const QStringList& arguments, int& exitCode);

}  // namespace quarten
