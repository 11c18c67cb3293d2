#include "ui/dialogs/KeyCapture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QThread>

#include <cerrno>

#include "platform/keynames/KeyDisplayName.h"

namespace quarten {
namespace {

// Qt reports the X11/evdev keycode, which is the evdev code plus 8.
constexpr int kXkbOffset = 8;

}  // namespace

KeyCapture::KeyCapture(Named named)
    : stroked_([named = std::move(named)](const Stroke& stroke) { named(stroke.name); }) {}

KeyCapture::KeyCapture(Stroked stroked) : stroked_(std::move(stroked)), leaveModal_(true) {}

KeyCapture::~KeyCapture() {
    if (installed_ && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool KeyCapture::Install(int& errorCode) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        errorCode = ENXIO;
        return false;
    }
    if (QThread::currentThread() != app->thread()) {
        errorCode = EPERM;
        return false;
    }
    app->installEventFilter(this);
    installed_ = true;
    errorCode = 0;
    return true;
}

bool KeyCapture::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    if (leaveModal_ && QApplication::activeModalWidget()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const int evdev = static_cast<int>(key->nativeScanCode()) - kXkbOffset;
    // Press and release both name the key, so the last key touched wins; none of them
    // reaches the dialog's controls (typing into the key fields would garble the names, and
    // Enter and Escape must not end the dialog).
    if (evdev >= 0) {
        stroked_({KeyDisplayName(evdev, key->modifiers().testFlag(Qt::ControlModifier)),
                  event->type() == QEvent::KeyRelease, key->isAutoRepeat()});
    }
    return true;
}

}  // namespace quarten
