// The message box that says why a mouse that is plugged in cannot be used: its hidraw node
// may not be opened by this user, or another program holds it.
#pragma once

#include <QString>

#include <set>
#include <string>

#include "device/DeviceLink.h"
#include "host/StringSettings.h"

namespace quarten {

struct AppContext;

// The text for a discovery that failed for want of access, in the given language, naming
// the node; empty for every other outcome (found, not present, refused).
QString AccessNoticeText(UiLanguage language, DiscoveryFailure failure, const std::string& path);

// What the window says on its page while no mouse can be used: that none is connected, or
// why the one plugged in cannot be opened, and what to do, in the given language.
QString NoMouseNoticeText(UiLanguage language, const DiscoveryReport& report);

// The box of "OK" and "Apply" while no mouse can be used: nothing was sent and the edits
// stay in the window.
QString NotSentText(UiLanguage language);

// Shows that text through the context's warn() when discovery failed for want of access.
// Each kind of failure is shown once per run: a mouse plugged in again and again, or udev
// retrying, must not stack up the same box.
class AccessNotice {
public:
    explicit AccessNotice(AppContext& context) : context_(context) {}
    // True when a box was shown for this report.
    bool Present(const DiscoveryReport& report);

private:
    AppContext& context_;
    std::set<DiscoveryFailure> shown_;
};

}  // namespace quarten
