// quarten: the tray utility for the QUARTEN gaming mouse.
#include <QApplication>

#include "ui/AppOptions.h"
#include "ui/CPadrionApp.h"
#include "ui/CPadrionDlg.h"
#include "ui/ReadySignal.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quarten"));
    QApplication::setApplicationDisplayName(QStringLiteral("QUARTEN"));
    // The window hides rather than closes; only the two exits end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    int exitCode = 0;
    const auto options = quarten::ParseAppOptions(QApplication::arguments(), exitCode);
    if (!options) return exitCode;

    quarten::CPadrionApp shell(*options);
    if (!shell.Start()) return 0;  // another instance runs; it has been told
    QObject::connect(&shell, &quarten::CPadrionApp::finished, &app, &QApplication::exit);
    quarten::AnnounceReadyWhenShown(shell.Window());
    return QApplication::exec();
}
