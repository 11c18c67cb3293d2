#include "ui/AppContext.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

namespace quarten {

AppContext::AppContext(DataPaths dataPaths, UiLanguage uiLanguage)
    : paths(std::move(dataPaths)), language(uiLanguage), text(UiText::For(uiLanguage)) {
    warn = [](const QString& caption, const QString& message) {
        QMessageBox::warning(QApplication::activeWindow(), caption, message);
    };
    // The chooser opens on black, with the default options.
    pickColour = [] { return QColorDialog::getColor(Qt::black, QApplication::activeWindow()); };
    runDialog = [](QDialog& dialog) { return dialog.exec(); };
}

}  // namespace quarten
