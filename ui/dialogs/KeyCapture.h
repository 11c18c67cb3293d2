// Key capture for the key dialogs and the macro recorder: while installed, every key press
// and release that reaches the application is named by the key-name service and handed on,
// and kept from the controls it was meant for.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace quarten {

class KeyCapture : public QObject {
    Q_OBJECT
public:
    // Auto-repeats of a held key never come out: the key went down once and up once.
    struct Stroke {
        std::string name;
        bool released = false;
    };
    using Named = std::function<void(const std::string& name)>;
    using Stroked = std::function<void(const Stroke& stroke)>;
    explicit KeyCapture(Named named);
    // The recorder's form: whole strokes, and keys meant for a message box or dialog that
    // is open on top are left to it, so such a box can still be answered by keyboard.
    explicit KeyCapture(Stroked stroked);
    ~KeyCapture() override;

    // Installs the application-wide filter. False, with errorCode set, when it cannot be
    // installed: there is no application, or the caller is not on its thread.
    bool Install(int& errorCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A release waits here until it is known not to be the first half of an auto-repeat.
    struct HeldRelease {
        Stroke stroke;
        quint32 scanCode = 0;
        quint64 timestamp = 0;
    };
    void FlushRelease();

    Stroked stroked_;
    bool leaveModal_ = false;
    bool installed_ = false;
    std::optional<HeldRelease> heldRelease_;
    QTimer releaseTimer_;
};

}  // namespace quarten
