// The desktop's pointer settings during one run of the window: read once, changed per setting
// by the advanced page, and written only where the user asked for it.
#pragma once

#include "host/PointerBackend.h"
#include "host/PointerSettings.h"

namespace quarten {

// What one read, write or both could not do, for one message to the user.
struct PointerProblems {
    PointerSettingSet unreadable;
    PointerSettingSet unwritable;
    PointerPlaces places;  // where the desktop keeps each setting
    bool Any() const { return unreadable.Any() || unwritable.Any(); }
};

struct PointerOutcome {
    PointerSettings shown;  // the page's bytes from now on
    PointerProblems problems;
};

// The rule: a desktop setting is written only when the user changed it on the page since the
// last read or Apply (a slider segment, a tick box), or pressed the page's "Default". A value
// read and not changed is never written back, so neither config.bin's old bytes nor the
// eleven-step mapping (-0.3 shown as 4 steps goes back as -0.4) ever reach the desktop
// unasked. "Cancel" gives back what the desktop had at the last read or Apply.
class PointerSession {
public:
    // Whether this run has read the desktop (the first showing of the advanced page does;
    // until then the image's bytes are config.bin's, not the desktop's).
    bool HasRead() const { return read_; }

    // Reads the desktop: its values become the page's bytes and the baseline. Settings the
    // desktop lacks keep `stored`.
    PointerOutcome Read(PointerBackend& backend, const PointerSettings& stored);

    // The user set `setting` on the page to what `shown` holds. It counts as changed while it
    // differs from what the desktop has; setting it back undoes the change.
    void Edit(PointerSetting setting, const PointerSettings& shown);
    PointerSettingSet Changed() const { return changed_; }

    // "OK" and "Apply": writes the changed settings from `shown`; they and everything the
    // page shows become the baseline. A setting whose write failed stays changed, so the next
    // Apply tries again, and "Cancel" still shows what the desktop kept.
    PointerOutcome Apply(PointerBackend& backend, const PointerSettings& shown);

    // The page's "Default": the desktop's own defaults go to the desktop at once, and the page
    // shows what it then holds. Settings it lacks get DefaultPointerSettings().
    PointerOutcome Default(PointerBackend& backend, const PointerSettings& shown);

    // "Cancel": drops the changes; settings "Default" wrote since the last Apply are given back
    // exactly as the desktop had them. The page shows the baseline again.
    PointerOutcome Cancel(PointerBackend& backend);

private:
    bool read_ = false;
    PointerSettingSet available_;
    PointerPlaces places_;
    PointerSettings committed_;  // the page's bytes at the last read or Apply
    PointerSettings desktop_;    // the page's bytes for what the desktop holds now
    PointerSettingSet changed_;
    PointerSettingSet restore_;  // written by "Default" since the last read or Apply
    SavedPointerValues saved_;   // what the desktop had there before
};

}  // namespace quarten
