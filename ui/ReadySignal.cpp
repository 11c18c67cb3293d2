#include "ui/ReadySignal.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

namespace quarten {
namespace {

void WriteReady(int descriptor) {
    QFile out;
    if (out.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        out.write("ready\n");
        out.close();
    }
}

// Waits for the window's first paint, then announces on the next turn of the event loop,
// when that paint has been flushed to the screen.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget* window, int descriptor) : QObject(window), descriptor_(descriptor) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, [descriptor = descriptor_] { WriteReady(descriptor); });
            deleteLater();
        }
        return false;
    }

private:
    int descriptor_;
};

}  // namespace

void AnnounceReadyWhenShown(QWidget* window) {
    const QByteArray value = qgetenv("QUARTEN_READY_FD");
    if (value.isEmpty()) return;
    qunsetenv("QUARTEN_READY_FD");
    bool ok = false;
    const int descriptor = value.toInt(&ok);
    if (!ok || descriptor < 0) return;
    if (window && window->isVisible()) {
        new FirstPaintWatcher(window, descriptor);
    } else {
        QTimer::singleShot(0, [descriptor] { WriteReady(descriptor); });
    }
}

}  // namespace quarten
