// Macro editor notices to texts: slot lookup, fixed English messages, number placeholders.
#include "ui/text/MacroNoticeText.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quarten {
namespace {

constexpr std::string_view kMacroNumbersUpTo12 = "Macro numbers up to 12.";
// The platform's error code follows the colon; the line break is part of the message.
constexpr std::string_view kHookInstallFailedPrefix = "JournalRecordHook Install error code :";

// Replaces "%1" and "%2" with the decimal numbers; any other '%' is kept.
std::string FillNumbers(std::string_view pattern, int first, int second) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += std::to_string(pattern[i + 1] == '1' ? first : second);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace

std::optional<TextSlot> SlotForMacroMessage(MacroMessage message) {
    switch (message) {
        case MacroMessage::NameBlank:
            return TextSlot::MacroNameBlank;
        case MacroMessage::NameAlreadyExists:
            return TextSlot::MacroNameExists;
        case MacroMessage::NameTooLong:
            return TextSlot::MacroNameTooLong;
        case MacroMessage::NameHasBracket:
            return TextSlot::MacroNameHasBracket;
        case MacroMessage::NameHasLineBreak:
            return TextSlot::MacroNameHasLineBreak;
        case MacroMessage::NameHasControlCharacter:
            return TextSlot::MacroNameHasControlCharacter;
        case MacroMessage::NameHasSurroundingBlanks:
            return TextSlot::MacroNameHasSurroundingBlanks;
        case MacroMessage::StartRecording:
            return TextSlot::StartRecording;
        case MacroMessage::StopRecording:
            return TextSlot::StopRecording;
        case MacroMessage::NotRecording:
            return TextSlot::NotRecording;
        case MacroMessage::RecordingTitle:
            return TextSlot::PressCtrlBreakToStop;
        case MacroMessage::MacroDoesNotFit:
            return TextSlot::MacroDoesNotFit;
        case MacroMessage::MacroHasNoSlot:
            return TextSlot::MacroHasNoSlot;
        case MacroMessage::WriteFailed:
            return TextSlot::MacroFileWriteFailed;
        case MacroMessage::MacroNumbersUpTo12:
        case MacroMessage::HookInstallFailed:
            return std::nullopt;
    }
    return std::nullopt;
}

std::string MacroNoticeText(const UiText& text, const MacroNotice& notice) {
    if (notice.message == MacroMessage::MacroNumbersUpTo12) {
        return std::string(kMacroNumbersUpTo12);
    }
    if (notice.message == MacroMessage::HookInstallFailed) {
        return std::string(kHookInstallFailedPrefix) + std::to_string(notice.number) + "\n";
    }
    const auto slot = SlotForMacroMessage(notice.message);
    if (!slot) {
        return {};
    }
    return FillNumbers(text.Get(*slot), notice.number, notice.secondNumber);
}

}  // namespace quarten
