// Recording keyboard events into macro lines with a fixed 50 ms pause between them.
#include "macros/MacroRecorder.h"

#include "macros/TextEncoding.h"

namespace quarten {

MacroNotice MacroRecorder::StartNotice(bool macroListEmpty) {
    if (macroListEmpty) {
        return {MacroMessage::NameBlank, MacroCaption::Warning};
    }
    return {MacroMessage::StartRecording, MacroCaption::ApplicationTitle};
}

std::optional<MacroNotice> MacroRecorder::Begin(KeyboardHook& hook, MacroEventList& events) {
    if (hookInstalled_) {
        hook.Remove();
        hookInstalled_ = false;
    }
    events.Clear();
    const KeyboardHook::InstallResult result = hook.Install();
    if (!result.installed) {
        return MacroNotice{MacroMessage::HookInstallFailed, MacroCaption::ApplicationTitle,
                           result.errorCode};
    }
    hookInstalled_ = true;
    recording_ = true;
    firstEvent_ = FirstEvent::NoneYet;
    title_ = MacroMessage::RecordingTitle;
    return std::nullopt;
}

std::optional<int> MacroRecorder::Filter(std::string_view keyName, bool released,
                                         bool autoRepeat) const {
    // A held key repeats as release and press pairs on some desktops (X11, Wayland), both
    // halves marked as repeats: the key never went up, so neither half is a line.
    if (released) {
        return autoRepeat ? std::nullopt : std::optional<int>(kReleaseMessage);
    }
    const std::string_view name = Utf16Prefix(keyName, kKeyNameRoom);
    if (autoRepeat && name == lastPressed_) {
        return std::nullopt;
    }
    return kPressMessage;
}

void MacroRecorder::OnMessage(int code, std::string_view keyName, bool macroSelected,
                              MacroEventList& events) {
    if ((code != kPressMessage && code != kReleaseMessage) || !macroSelected) {
        return;
    }
    const std::string name(Utf16Prefix(keyName, kKeyNameRoom));
    if (code == kPressMessage) {
        // The first press of a recording has no pause before it.
        if (firstEvent_ == FirstEvent::NoneYet) {
            firstEvent_ = FirstEvent::Pressed;
        } else {
            events.Append(std::string(kStepDelay));
        }
        events.Append(name + std::string(kPressSuffix));
        lastPressed_ = name;
    } else {
        events.Append(std::string(kStepDelay));
        events.Append(name + std::string(kReleaseSuffix));
    }
    events.SelectLast();
}

std::vector<MacroNotice> MacroRecorder::Stop(KeyboardHook& hook) {
    std::vector<MacroNotice> notices{{MacroMessage::StopRecording, MacroCaption::ApplicationTitle}};
    if (!recording_) {
        notices.push_back({MacroMessage::NotRecording, MacroCaption::Warning});
        return notices;
    }
    if (hookInstalled_) {
        hook.Remove();
        hookInstalled_ = false;
        firstEvent_ = FirstEvent::Stopped;
    }
    recording_ = false;
    return notices;
}

void MacroRecorder::LeavePage(KeyboardHook& hook) {
    if (hookInstalled_) {
        hook.Remove();
        hookInstalled_ = false;
    }
}

}  // namespace quarten
