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

// How long a release waits for the press that would make it half of an auto-repeat. The X
// server sends both halves together, so the press is normally queued already.
constexpr int kReleaseWaitMs = 30;

}  // namespace

KeyCapture::KeyCapture(Named named)
    : KeyCapture(Stroked([named = std::move(named)](const Stroke& stroke) { named(stroke.name); })) {
    leaveModal_ = false;
}

KeyCapture::KeyCapture(Stroked stroked) : stroked_(std::move(stroked)), leaveModal_(true) {
    releaseTimer_.setSingleShot(true);
    releaseTimer_.setInterval(kReleaseWaitMs);
    connect(&releaseTimer_, &QTimer::timeout, this, &KeyCapture::FlushRelease);
}

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

void KeyCapture::FlushRelease() {
    releaseTimer_.stop();
    if (!heldRelease_) return;
    const Stroke stroke = heldRelease_->stroke;
    heldRelease_.reset();
    stroked_(stroke);
}

bool KeyCapture::eventFilter(QObject*, QEvent* event) {
    // A click (on "Stop Recording", say) comes after the key released before it.
    if (event->type() == QEvent::MouseButtonPress) FlushRelease();
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    if (leaveModal_ && QApplication::activeModalWidget()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // A held key repeats as release and press pairs. Qt marks them when it sees both halves
    // at once; otherwise the pair shows itself by a press of the same key at the very time
    // of the release, which no person types. Neither half is a stroke.
    if (key->isAutoRepeat()) return true;
    const bool released = event->type() == QEvent::KeyRelease;
    if (!released && heldRelease_ && heldRelease_->scanCode == key->nativeScanCode() &&
        heldRelease_->timestamp == key->timestamp()) {
        heldRelease_.reset();
        releaseTimer_.stop();
        return true;
    }
    FlushRelease();
    const int evdev = static_cast<int>(key->nativeScanCode()) - kXkbOffset;
    // Press and release both name the key, so the last key touched wins; none of them
    // reaches the dialog's controls (typing into the key fields would garble the names, and
    // Enter and Escape must not end the dialog).
    if (evdev < 0) return true;
    const Stroke stroke{KeyDisplayName(evdev, key->modifiers().testFlag(Qt::ControlModifier)),
                        released};
    if (released) {
        heldRelease_ = HeldRelease{stroke, key->nativeScanCode(), key->timestamp()};
        releaseTimer_.start();
    } else {
        stroked_(stroke);
    }
    return true;
}

}  // namespace quarten
