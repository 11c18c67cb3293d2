// Transient desktop notifications (the tray's balloons): one function, so tests can record.
#pragma once

#include <QString>

namespace quarten {

class Notifier {
public:
    virtual ~Notifier() = default;
    // Shows the notification, replacing the previous one of this program.
    virtual void Show(const QString& title, const QString& text, int timeoutMs) = 0;
};

}  // namespace quarten
