// The macro editor of the advanced page without its window: macro list, name field,
// event list, loop-times field and recorder, and the operations on them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroEventList.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroMessage.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroSlot.h"
#include "settings/DeviceSettings.h"

namespace quarten {

inline constexpr std::size_t kMaxMacroNameLength = 31;  // UTF-16 units
inline constexpr std::size_t kMaxMacros = 12;

// Why a name cannot be a macro name, or nothing when it can. An empty name is NameBlank.
std::optional<MacroMessage> CheckMacroName(std::string_view name);

struct ConfirmResult {
    WriteResult write;
    MacroRebuildReport rebuild;       // empty when the write failed: nothing was rebuilt
    std::optional<std::size_t> slot;  // 1..12, the slot the confirmed macro now fills
    EventAreaFill fill;               // how much of it the slot holds
    std::vector<MacroNotice> notices;
};

class MacroEditor {
public:
    MacroEditor(MacroLibrary& library, ImageBytes& image);
    MacroEditor(MacroLibrary& library, ImageBytes& image, KeyLookup lookup);

    // Fills the lists from the library as a freshly built page does.
    void Load();
    // The user selects a macro (nothing selected does nothing).
    void SelectMacro(std::optional<std::size_t> index);
    std::optional<MacroNotice> New();
    // nullopt when nothing was selected; otherwise the result of removing the section.
    std::optional<WriteResult> Delete();
    // nullopt when nothing was selected.
    std::optional<ConfirmResult> Confirm();

    const std::vector<std::string>& MacroNames() const { return names_; }
    std::optional<std::size_t> SelectedMacro() const { return selected_; }
    const std::string& NameField() const { return nameField_; }
    void SetNameField(std::string text) { nameField_ = std::move(text); }

    // Every change of the loop-times text: 1..65535 or the field becomes "1"; the value goes
    // big-endian into the slot the selected macro fills, found by its place in record.ini
    // (after a "Confirm" that is no longer its place in the list). A macro not yet in the
    // file has no slot; it gets the field's count when "Confirm" gives it one.
    void SetLoopTimesText(std::string_view text);
    const std::string& LoopTimesField() const { return loopTimesField_; }

    const MacroEventList& Events() const { return events_; }
    void SelectLine(std::optional<std::size_t> index) { events_.Select(index); }
    void InsertMouseEvent(std::size_t labelIndex);
    // The label the dropdown box shows after a choice.
    const std::string& MouseEventBox() const { return mouseEventBox_; }
    bool CanEditDelay() const { return events_.CanEditDelay(); }
    void ApplyDelay(std::string_view dialogText) { events_.ApplyDelay(dialogText); }
    void DeleteLine() { events_.DeleteSelected(); }

    // "Start Recording" in two steps: show the notice, then Begin if it was StartRecording.
    MacroNotice StartRecordingNotice() const;
    std::optional<MacroNotice> BeginRecording(KeyboardHook& hook);
    // One key message seen by the hook: filtered for auto-repeat, then recorded.
    void HookKeyEvent(std::string_view keyName, bool released, bool autoRepeat);
    // The recorder message as the window receives it (code 0 press, 1 release).
    void RecorderMessage(int code, std::string_view keyName);
    std::vector<MacroNotice> StopRecording(KeyboardHook& hook) { return recorder_.Stop(hook); }
    void LeavePage(KeyboardHook& hook) { recorder_.LeavePage(hook); }
    const MacroRecorder& Recorder() const { return recorder_; }

private:
    // The slot (1..12) the listed macro at `position` fills: its place among the file's
    // macros, or nothing when it is not in the file or past the last slot.
    std::optional<std::size_t> SlotOfListed(std::size_t position) const;
    std::optional<std::uint16_t> SlotLoopCount(std::size_t position) const;
    void WriteLoopCount(std::uint16_t count);

    MacroLibrary& library_;
    ImageBytes& image_;
    KeyLookup lookup_;
    std::vector<std::string> names_;
    std::optional<std::size_t> selected_;
    std::string nameField_;
    std::string loopTimesField_;
    std::string mouseEventBox_;
    MacroEventList events_;
    MacroRecorder recorder_;
};

}  // namespace quarten
