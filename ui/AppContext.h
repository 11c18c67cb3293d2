// What the window, its pages and its dialogs share for the whole run.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

#include "host/PointerBackend.h"
#include "host/PointerSession.h"
#include "host/StringSettings.h"
#include "platform/DataDirectory.h"
#include "platform/PosixFileStore.h"
#include "settings/DeviceSettings.h"
#include "ui/SkinCanvas.h"
#include "ui/SkinImages.h"
#include "ui/text/UiText.h"

namespace quarten {

class DeviceController;
class Notifier;

struct AppContext {
    AppContext(DataPaths dataPaths, UiLanguage uiLanguage);

    QString Text(TextSlot slot) const {
        const std::string_view t = text.Get(slot);
        return QString::fromUtf8(t.data(), static_cast<int>(t.size()));
    }

    DataPaths paths;
    PosixFileStore store;
    UiLanguage language;
    UiText text;
    DeviceSettings settings;
    SkinState skin;
    SkinImages images;
    SkinCanvas canvas{images};
    DeviceController* device = nullptr;
    Notifier* notifier = nullptr;
    // The desktop's pointer settings, and what this run read of them and which of them the
    // user changed (the first showing of the advanced page reads them; until then the
    // image's bytes are config.bin's, not the desktop's).
    std::unique_ptr<PointerBackend> pointer = std::make_unique<NullPointerBackend>();
    PointerSession pointerSession;

    // How the window asks the user something; message boxes and the colour chooser by
    // default, replaced by tests.
    std::function<void(const QString& caption, const QString& text)> warn;
    std::function<QColor()> pickColour;  // invalid when the user cancels
    // Runs a dialog modally; QDialog::Accepted when the user confirmed it.
    std::function<int(QDialog&)> runDialog;
};

}  // namespace quarten
