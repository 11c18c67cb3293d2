// Mouse-event insertion, delay editing and line deletion in the macro event list.
#include "macros/MacroEventList.h"

#include <cstdint>

#include "macros/IniFile.h"

namespace quarten {
namespace {

constexpr std::string_view kClick = " Click";
constexpr std::uint32_t kLargestDelay = 10000;

std::string Replaced(std::string_view label, std::string_view with) {
    std::string line(label);
    line.replace(line.find(kClick), kClick.size(), with);
    return line;
}

}  // namespace

void MacroEventList::Select(std::optional<std::size_t> index) {
    selection_ = (index && *index < lines_.size()) ? index : std::nullopt;
}

void MacroEventList::Assign(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    selection_.reset();
}

void MacroEventList::SelectLast() {
    Select(lines_.empty() ? std::nullopt : std::optional(lines_.size() - 1));
}

void MacroEventList::InsertAt(std::size_t at, std::vector<std::string> lines) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
}

bool MacroEventList::InsertMouseEvent(std::size_t labelIndex, bool macroSelected) {
    if (labelIndex >= kMouseEventLabels.size()) {
        return false;
    }
    const std::string_view label = kMouseEventLabels[labelIndex];
    const bool click = label.find(kClick) != std::string_view::npos;
    const std::string press = click ? Replaced(label, kPressSuffix) : std::string(label);
    const std::string release = click ? Replaced(label, kReleaseSuffix) : std::string();
    const std::string delay(kStepDelay);

    if (!selection_) {
        if (lines_.empty() && macroSelected) {
            InsertAt(0,
                     click ? std::vector{press, delay, release, delay} : std::vector{press, delay});
        }
        return true;
    }
    const std::size_t f = *selection_;
    if (lines_[f].find("ms") != std::string::npos) {
        // After a delay line the event comes first, then its own pause.
        InsertAt(f + 1,
                 click ? std::vector{press, delay, release, delay} : std::vector{press, delay});
        Select(f + 1);
    } else {
        // After a key line a pause comes first.
        InsertAt(f + 1,
                 click ? std::vector{delay, press, delay, release} : std::vector{delay, press});
        Select(f + 2);
    }
    return true;
}

bool MacroEventList::CanEditDelay() const {
    return selection_ && lines_[*selection_].find("ms") != std::string::npos;
}

void MacroEventList::ApplyDelay(std::string_view dialogText) {
    if (!CanEditDelay()) {
        return;
    }
    // The dialog's value is read as unsigned, so a negative number counts as too large.
    const auto value = static_cast<std::uint32_t>(ParseIniInteger(dialogText));
    lines_[*selection_] =
        value > kLargestDelay ? std::string("10 ms") : std::string(dialogText) + " ms";
}

void MacroEventList::DeleteSelected() {
    if (!selection_) {
        return;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*selection_));
    selection_.reset();
}

}  // namespace quarten
