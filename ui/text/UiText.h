// The user-interface texts of one language, chosen once at start-up from the language code.
#pragma once

#include <string_view>

#include "host/StringSettings.h"
#include "ui/text/TextSlot.h"

namespace quarten {

// A view of the static table of one language; cheap to copy, texts live for the whole run.
class UiText {
public:
    static UiText For(UiLanguage language);

    UiLanguage language() const { return language_; }
    // The slot's text, UTF-8. A value outside the enumeration gives the empty text.
    std::string_view Get(TextSlot slot) const;
    // The str.ini section holding the button captions of this language.
    std::string_view SectionName() const;

private:
    explicit UiText(UiLanguage language) : language_(language) {}

    UiLanguage language_;
};

}  // namespace quarten
