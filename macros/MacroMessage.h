// What the macro editor asks the window to tell the user: text-slot identifiers, not texts.
#pragma once

namespace quarten {

enum class MacroMessage {
    NameBlank,           // "Macro name is blank"
    MacroNumbersUpTo12,  // "Macro numbers up to 12."
    NameAlreadyExists,   // "Macro name already exists"
    NameTooLong,         // more than 31 characters
    NameHasBracket,      // "[" or "]" would break the section header
    NameHasLineBreak,
    NameHasControlCharacter,
    NameHasSurroundingBlanks,  // the file trims them, so the name would not read back
    StartRecording,            // "Start Recording"
    StopRecording,             // "Stop Recording"
    NotRecording,              // "It doesn’t start recording, unnecessary to press Stop key!"
    HookInstallFailed,         // "JournalRecordHook Install error code :%d\n", number = code
    RecordingTitle,            // window title "Press Ctrl+Break key to stop recording"
    MacroDoesNotFit,           // number = events stored in the slot, secondNumber = dropped
    MacroHasNoSlot,            // the confirmed macro is past the names the slots take
    WriteFailed,               // record.ini could not be rewritten; number = error code
};

enum class MacroCaption { ApplicationTitle, Warning };

struct MacroNotice {
    MacroMessage message{};
    MacroCaption caption = MacroCaption::ApplicationTitle;
    int number = 0;
    int secondNumber = 0;
    friend bool operator==(const MacroNotice&, const MacroNotice&) = default;
};

}  // namespace quarten
