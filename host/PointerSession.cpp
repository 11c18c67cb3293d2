// Which desktop pointer settings the page changed, and writing only those.
#include "host/PointerSession.h"

namespace quarten {

PointerOutcome PointerSession::Read(PointerBackend& backend, const PointerSettings& stored) {
    const PointerBackendReading reading = backend.Read();
    read_ = true;
    available_ = reading.available;
    places_ = reading.places;
    committed_ = desktop_ = PointerSettingsFromBackend(reading, stored);
    changed_ = restore_ = {};
    saved_ = {};
    return {committed_, {UnreadableSettings(reading), {}, places_}};
}

void PointerSession::Edit(PointerSetting setting, const PointerSettings& shown) {
    changed_[setting] = !SamePointerSetting(setting, shown, desktop_);
}

PointerOutcome PointerSession::Apply(PointerBackend& backend, const PointerSettings& shown) {
    PointerOutcome outcome{shown, {{}, {}, places_}};
    // Changes of a setting the desktop lacks have nowhere to go; they stay in the image.
    const PointerSettingSet which = changed_ & available_;
    if (which.Any()) {
        const PointerApplyReport report = backend.Apply(shown.ToSystem(), which);
        outcome.problems.unwritable = report.failed & which;
    }
    for (const PointerSetting s : kPointerSettingOrder) {
        if (outcome.problems.unwritable[s]) continue;
        CopyPointerSetting(s, shown, committed_);
        CopyPointerSetting(s, shown, desktop_);
        changed_[s] = false;
        restore_[s] = false;
    }
    return outcome;
}

PointerOutcome PointerSession::Default(PointerBackend& backend, const PointerSettings& shown) {
    PointerOutcome outcome{shown, {{}, {}, places_}};
    // What the desktop had right before the first "Default" since the last Apply is what
    // "Cancel" gives back; a second "Default" must not replace it with the defaults.
    const PointerBackendReading before = backend.Read();
    const PointerApplyReport report = backend.Restore({}, available_);
    const PointerBackendReading after = backend.Read();
    const PointerSettings defaults = PointerSettingsFromBackend(after, DefaultPointerSettings());
    outcome.problems.unwritable = report.failed & available_;
    outcome.problems.unreadable = UnreadableSettings(after);
    for (const PointerSetting s : kPointerSettingOrder) {
        // The page shows what the desktop holds now, also where the reset did not take.
        CopyPointerSetting(s, defaults, outcome.shown);
        CopyPointerSetting(s, defaults, desktop_);
        changed_[s] = false;
        if (available_[s] && !report.failed[s] && !restore_[s]) {
            restore_[s] = true;
            saved_[s] = before.saved[s];
        }
    }
    return outcome;
}

PointerOutcome PointerSession::Cancel(PointerBackend& backend) {
    PointerOutcome outcome{committed_, {{}, {}, places_}};
    const PointerSettingSet which = restore_ & available_;
    if (which.Any()) {
        const PointerApplyReport report = backend.Restore(saved_, which);
        outcome.problems.unwritable = report.failed & which;
    }
    for (const PointerSetting s : kPointerSettingOrder) {
        // A setting that could not be given back keeps the defaults: the page shows them, and
        // they are the desktop's from now on.
        if (outcome.problems.unwritable[s]) {
            CopyPointerSetting(s, desktop_, outcome.shown);
            CopyPointerSetting(s, desktop_, committed_);
        }
    }
    desktop_ = committed_;
    changed_ = restore_ = {};
    saved_ = {};
    return outcome;
}

}  // namespace quarten
