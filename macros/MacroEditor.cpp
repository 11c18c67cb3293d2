// Macro list operations of the editor: load, select, New, Delete, Confirm, loop times.
#include "macros/MacroEditor.h"

#include <algorithm>
#include <cstdint>

#include "buttons/KeyNameTable.h"
#include "macros/IniFile.h"
#include "macros/TextEncoding.h"

namespace quarten {
namespace {

constexpr std::int32_t kMaxLoopTimes = 65535;

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

}  // namespace

std::optional<MacroMessage> CheckMacroName(std::string_view name) {
    if (name.empty()) {
        return MacroMessage::NameBlank;
    }
    if (Utf16Length(name) > kMaxMacroNameLength) {
        return MacroMessage::NameTooLong;
    }
    if (name.find_first_of("[]") != std::string_view::npos) {
        return MacroMessage::NameHasBracket;
    }
    if (std::any_of(name.begin(), name.end(), IsLineBreak)) {
        return MacroMessage::NameHasLineBreak;
    }
    if (std::any_of(name.begin(), name.end(), IsControl)) {
        return MacroMessage::NameHasControlCharacter;
    }
    if (name.front() == ' ' || name.back() == ' ') {
        return MacroMessage::NameHasSurroundingBlanks;
    }
    return std::nullopt;
}

MacroEditor::MacroEditor(MacroLibrary& library, ImageBytes& image)
    : MacroEditor(library, image, [](std::string_view name) { return KeyUsageFromName(name); }) {}

MacroEditor::MacroEditor(MacroLibrary& library, ImageBytes& image, KeyLookup lookup)
    : library_(library), image_(image), lookup_(std::move(lookup)) {}

std::optional<std::size_t> MacroEditor::SlotOfListed(std::size_t position) const {
    if (position >= names_.size()) {
        return std::nullopt;
    }
    const std::vector<std::string> inFile = library_.ListMacros();
    const auto found = std::find_if(inFile.begin(), inFile.end(), [&](const std::string& name) {
        return IniNamesEqual(name, names_[position]);
    });
    const auto index = static_cast<std::size_t>(found - inFile.begin());
    if (found == inFile.end() || index >= layout::kMacroSlotCount) {
        return std::nullopt;
    }
    return index + 1;
}

std::optional<std::uint16_t> MacroEditor::SlotLoopCount(std::size_t position) const {
    const auto slot = SlotOfListed(position);
    if (!slot) {
        return std::nullopt;
    }
    return LoopCount(SlotOf(image_, *slot));
}

void MacroEditor::WriteLoopCount(std::uint16_t count) {
    if (!selected_) {
        return;
    }
    if (const auto slot = SlotOfListed(*selected_)) {
        SetLoopCount(SlotOf(image_, *slot), count);
    }
}

void MacroEditor::Load() {
    names_.clear();
    selected_.reset();
    nameField_.clear();
    loopTimesField_.clear();
    events_.Clear();
    if (!library_.Exists()) {
        return;
    }
    names_ = library_.ListMacros();
    if (names_.empty()) {
        SetLoopTimesText("");
        return;
    }
    nameField_ = names_.front();
    events_.Assign(library_.ReadMacro(names_.front()));
    selected_ = 0;
    SetLoopTimesText(std::to_string(SlotLoopCount(0).value_or(0)));
}

void MacroEditor::SelectMacro(std::optional<std::size_t> index) {
    if (!index || *index >= names_.size()) {
        return;
    }
    selected_ = index;
    nameField_ = names_[*index];
    events_.Assign(library_.ReadMacro(nameField_));
    if (!events_.Empty()) {
        // Past the twelfth slot there is no loop count to show.
        if (const auto count = SlotLoopCount(*index)) {
            SetLoopTimesText(std::to_string(*count));
        }
    }
}

std::optional<MacroNotice> MacroEditor::New() {
    if (nameField_.empty()) {
        return MacroNotice{MacroMessage::NameBlank, MacroCaption::ApplicationTitle};
    }
    if (names_.size() >= kMaxMacros) {
        return MacroNotice{MacroMessage::MacroNumbersUpTo12, MacroCaption::Warning};
    }
    if (const auto problem = CheckMacroName(nameField_)) {
        return MacroNotice{*problem, MacroCaption::Warning};
    }
    if (names_.empty()) {
        names_.push_back(nameField_);
        selected_ = 0;
        return std::nullopt;
    }
    const bool taken = std::any_of(names_.begin(), names_.end(), [&](const std::string& listed) {
        return IniNamesEqual(listed, nameField_);
    });
    if (taken) {
        return MacroNotice{MacroMessage::NameAlreadyExists, MacroCaption::ApplicationTitle};
    }
    names_.push_back(nameField_);
    events_.Clear();
    selected_ = names_.size() - 1;
    return std::nullopt;
}

std::optional<WriteResult> MacroEditor::Delete() {
    if (!selected_) {
        return std::nullopt;
    }
    const std::string name = names_[*selected_];
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(*selected_));
    selected_.reset();
    events_.Clear();
    nameField_.clear();
    return library_.DeleteMacro(name);
}

std::optional<ConfirmResult> MacroEditor::Confirm() {
    if (!selected_) {
        return std::nullopt;
    }
    const std::string name = names_[*selected_];
    ConfirmResult result;
    result.write = library_.WriteMacro(name, events_.Lines());
    if (!result.write.ok) {
        result.notices.push_back(
            {MacroMessage::WriteFailed, MacroCaption::Warning, result.write.errorCode});
        return result;
    }
    result.rebuild = RebuildMacroSlots(library_.Store(), library_.Path(), image_, lookup_);
    // The rewritten section is the file's last, so the last equal name is this macro.
    const auto& taken = result.rebuild.names;
    const auto found = std::find_if(taken.rbegin(), taken.rend(), [&](const std::string& listed) {
        return IniNamesEqual(listed, name);
    });
    if (found == taken.rend()) {
        result.notices.push_back({MacroMessage::MacroHasNoSlot, MacroCaption::Warning});
        return result;
    }
    const auto index = static_cast<std::size_t>(taken.rend() - found) - 1;
    result.slot = index + 1;
    result.fill = result.rebuild.outcomes[index].fill;
    // The macro moved to the last slot, whose count belonged to another; the field still
    // shows this macro's count, so the slot takes it (an empty macro's slot stays all zero).
    if (result.rebuild.outcomes[index].action == MacroSlotOutcome::Action::Encoded) {
        const std::int32_t shown = ParseIniInteger(loopTimesField_);
        if (shown >= 1 && shown <= kMaxLoopTimes) {
            SetLoopCount(SlotOf(image_, index + 1), static_cast<std::uint16_t>(shown));
        }
    }
    if (result.fill.dropped > 0) {
        result.notices.push_back({MacroMessage::MacroDoesNotFit, MacroCaption::Warning,
                                  result.fill.written, result.fill.dropped});
    }
    return result;
}

void MacroEditor::SetLoopTimesText(std::string_view text) {
    std::int32_t value = ParseIniInteger(text);
    loopTimesField_ = std::string(text);
    if (value < 1 || value > kMaxLoopTimes) {
        loopTimesField_ = "1";
        value = 1;
    }
    WriteLoopCount(static_cast<std::uint16_t>(value));
}

void MacroEditor::InsertMouseEvent(std::size_t labelIndex) {
    if (events_.InsertMouseEvent(labelIndex, selected_.has_value())) {
        mouseEventBox_ = std::string(kMouseEventLabels[labelIndex]);
    }
}

MacroNotice MacroEditor::StartRecordingNotice() const {
    return MacroRecorder::StartNotice(names_.empty());
}

std::optional<MacroNotice> MacroEditor::BeginRecording(KeyboardHook& hook) {
    if (names_.empty()) {
        return StartRecordingNotice();
    }
    return recorder_.Begin(hook, events_);
}

void MacroEditor::HookKeyEvent(std::string_view keyName, bool released, bool autoRepeat) {
    if (!recorder_.HookInstalled()) {
        return;
    }
    if (const auto code = recorder_.Filter(keyName, released, autoRepeat)) {
        RecorderMessage(*code, keyName);
    }
}

void MacroEditor::RecorderMessage(int code, std::string_view keyName) {
    recorder_.OnMessage(code, keyName, selected_.has_value(), events_);
}

}  // namespace quarten
