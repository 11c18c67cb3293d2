// The keyboard recorder of the macro editor: hook state, auto-repeat filter, recorded lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroEventList.h"
#include "macros/MacroMessage.h"

namespace quarten {

// The keyboard hook of the window's own thread; the window supplies it.
class KeyboardHook {
public:
    struct InstallResult {
        bool installed = false;
        int errorCode = 0;  // the platform's error code when not installed
    };
    virtual ~KeyboardHook() = default;
    virtual InstallResult Install() = 0;
    virtual void Remove() = 0;
};

class MacroRecorder {
public:
    enum class FirstEvent { NoneYet = 0, Pressed = 1, Stopped = 2 };
    // Key names are cut to this many UTF-16 units, the room of the key-name buffer.
    static constexpr std::size_t kKeyNameRoom = 31;
    // Recorder message codes.
    static constexpr int kPressMessage = 0;
    static constexpr int kReleaseMessage = 1;

    // First half of "Start Recording": the notice to show before anything happens.
    // NameBlank means stop there; StartRecording means go on with Begin once it is closed.
    static MacroNotice StartNotice(bool macroListEmpty);
    // Second half: replaces any hook, empties the list, installs the hook. Returns the
    // failure notice when the hook cannot be installed.
    std::optional<MacroNotice> Begin(KeyboardHook& hook, MacroEventList& events);

    // What the hook procedure does with one key message: the recorder message code to send,
    // or nothing for an auto-repeat (the press of the last recorded key, or any release
    // marked as a repeat).
    std::optional<int> Filter(std::string_view keyName, bool released, bool autoRepeat) const;
    // The recorder message: adds the key's lines while a macro is selected.
    void OnMessage(int code, std::string_view keyName, bool macroSelected, MacroEventList& events);

    // "Stop Recording": always its own notice first, then NotRecording if none was running.
    std::vector<MacroNotice> Stop(KeyboardHook& hook);
    // Another page is shown: the hook goes, the flags stay.
    void LeavePage(KeyboardHook& hook);

    bool Recording() const { return recording_; }
    bool HookInstalled() const { return hookInstalled_; }
    FirstEvent State() const { return firstEvent_; }
    const std::string& LastPressed() const { return lastPressed_; }
    // Set once a recording has started; nothing here puts the old title back.
    std::optional<MacroMessage> WindowTitle() const { return title_; }

private:
    bool recording_ = false;
    bool hookInstalled_ = false;
    FirstEvent firstEvent_ = FirstEvent::NoneYet;
    std::string lastPressed_;
    std::optional<MacroMessage> title_;
};

}  // namespace quarten
