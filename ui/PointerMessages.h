// The one message box of a read or a write of the desktop's pointer settings that did not
// fully work: which settings, and where the desktop keeps them.
#pragma once

#include <QString>

#include "host/PointerSession.h"
#include "host/StringSettings.h"

namespace quarten {

struct AppContext;

// The text in the given language, naming each setting that could not be read or written with
// its place; empty when there was no problem.
QString PointerProblemText(UiLanguage language, const PointerProblems& problems);

// Shows that text, when there is one, through the context's warn() with the caption
// "Warning" (the caption of every pointer message, the same in all languages).
void ShowPointerProblems(AppContext& context, const PointerProblems& problems);

}  // namespace quarten
