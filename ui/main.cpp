// quarten: the tray utility for the QUARTEN gaming mouse.
#include <QApplication>
#include <QCoreApplication>
#include <QPixmapCache>

#include <optional>

#include "ui/AppOptions.h"
#include "ui/CPadrionApp.h"
#include "ui/CPadrionDlg.h"
#include "ui/ReadySignal.h"

int main(int argc, char** argv) {
    // The command line is read before any window system is touched, so --help, --version
    // and usage errors also work without a display.
    int exitCode = 0;
    std::optional<quarten::AppOptions> options;
    {
        QCoreApplication parsing(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("quarten"));
        options = quarten::ParseAppOptions(QCoreApplication::arguments(), exitCode);
    }
    if (!options) return exitCode;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quarten"));
    QApplication::setApplicationDisplayName(QStringLiteral("QUARTEN"));
    // The window hides rather than closes; only the two exits end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's shared pixmap cache would wake the idle program once, half a minute after the
    // window icon was first rendered, to age its entries; everything quarten draws comes
    // from its own decoded-image cache, so Qt's is switched off.
    QPixmapCache::setCacheLimit(0);

    quarten::CPadrionApp shell(*options);
    if (!shell.Start()) return 0;  // another instance runs; it has been told
    QObject::connect(&shell, &quarten::CPadrionApp::finished, &app, &QApplication::exit);
    quarten::AnnounceReadyWhenShown(shell.Window());
    return QApplication::exec();
}
