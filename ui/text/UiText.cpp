// Language choice and slot lookup over the static text tables.
#include "ui/text/UiText.h"

#include <cstddef>

#include "ui/text/TextTable.h"

namespace quarten {
namespace {

const text_tables::TextTable& TableFor(UiLanguage language) {
    switch (language) {
        case UiLanguage::Simplified:
            return text_tables::SimplifiedChinese();
        case UiLanguage::Traditional:
            return text_tables::TraditionalChinese();
        case UiLanguage::English:
            break;
    }
    return text_tables::English();
}

}  // namespace

UiText UiText::For(UiLanguage language) {
    switch (language) {
        case UiLanguage::English:
        case UiLanguage::Simplified:
        case UiLanguage::Traditional:
            return UiText(language);
    }
    return UiText(UiLanguage::English);
}

std::string_view UiText::Get(TextSlot slot) const {
    const auto index = static_cast<std::size_t>(slot);
    if (index >= kSlotCount) {
        return {};
    }
    return TableFor(language_)[index].text;
}

std::string_view UiText::SectionName() const { return CaptionSectionName(language_); }

}  // namespace quarten
