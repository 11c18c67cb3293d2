// Caption storage and the string-file key of each caption.
#include "buttons/ButtonCaptions.h"

#include <stdexcept>
#include <utility>

namespace quarten {

namespace {

std::pair<std::size_t, std::size_t> Index(int mode, int button) {
    if (mode < 0 || mode > 1 || button < 0 || button >= static_cast<int>(layout::kButtonCount)) {
        throw std::out_of_range("caption position outside two modes of eight buttons");
    }
    return {static_cast<std::size_t>(mode), static_cast<std::size_t>(button)};
}

}  // namespace

const std::string& ButtonCaptions::Get(int mode, int button) const {
    const auto [m, b] = Index(mode, button);
    return captions_[m][b];
}

void ButtonCaptions::Set(int mode, int button, std::string caption) {
    const auto [m, b] = Index(mode, button);
    captions_[m][b] = std::move(caption);
}

std::string CaptionKey(int mode, int button) {
    const auto [m, b] = Index(mode, button);
    std::string key = "Item" + std::to_string(b + 1);
    if (m == 1) key += '3';
    return key;
}

}  // namespace quarten
