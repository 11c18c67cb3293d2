// The text of a macro editor notice in the current language.
#pragma once

#include <optional>
#include <string>

#include "macros/MacroMessage.h"
#include "ui/text/UiText.h"

namespace quarten {

// The slot holding the message's text, or nothing for the two messages that read the same
// in every language ("Macro numbers up to 12." and the hook failure).
std::optional<TextSlot> SlotForMacroMessage(MacroMessage message);

// The full message text with the notice's numbers filled in. The caption is the caller's:
// MacroCaption::Warning reads "Warning", the application title is the window's own.
std::string MacroNoticeText(const UiText& text, const MacroNotice& notice);

}  // namespace quarten
