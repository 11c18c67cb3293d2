// Assignment rules that keep the two layers consistent: one shift button, one left click.
#include "buttons/ButtonAssignment.h"

#include <utility>

namespace quarten {

namespace {

constexpr int kButtons = static_cast<int>(layout::kButtonCount);

std::uint8_t& KindByte(ImageBytes& image, int mode, int button) {
    ReadKind(image, mode, button);  // range check
    return image[layout::ModeByte(mode, layout::mode::kKind, static_cast<std::size_t>(button))];
}

void SetKind(ImageBytes& image, int mode, int button, AssignmentKind kind) {
    KindByte(image, mode, button) = static_cast<std::uint8_t>(kind);
}

bool IsKind(const ImageBytes& image, int mode, int button, AssignmentKind kind) {
    return ReadKind(image, mode, button) == static_cast<std::uint8_t>(kind);
}

bool AnyButtonIs(const ImageBytes& image, int mode, AssignmentKind kind) {
    for (int b = 0; b < kButtons; ++b) {
        if (IsKind(image, mode, b, kind)) return true;
    }
    return false;
}

}  // namespace

bool AssignKind(ImageBytes& image, ButtonCaptions& captions, int mode, int button,
                AssignmentKind kind, std::string caption, const ButtonParameters& parameters) {
    const int other = 1 - mode;
    ReadKind(image, mode, button);  // range check before anything changes

    if (kind == AssignmentKind::Shift) {
        // The check covers the chosen button too: choosing Shift again is a no-op.
        if (AnyButtonIs(image, mode, AssignmentKind::Shift)) return false;
        for (int m : {mode, other}) {
            SetKind(image, m, button, AssignmentKind::Shift);
            captions.Set(m, button, std::string(kShiftCaption));
        }
        return true;
    }

    // A layer shift only works when the button shifts in both layers, so replacing it carries
    // the new function, parameters included, over to the other layer: that layer's caption
    // must name what its bytes do. The DPI sub-list is the one exception.
    const bool carryToOther =
        kind != AssignmentKind::DpiSwitch && IsKind(image, mode, button, AssignmentKind::Shift);

    SetKind(image, mode, button, kind);
    WriteButtonParameters(image, mode, button, kind, parameters);
    if (carryToOther) {
        SetKind(image, other, button, kind);
        WriteButtonParameters(image, other, button, kind, parameters);
        captions.Set(other, button, caption);
    }
    captions.Set(mode, button, std::move(caption));
    return true;
}

bool CanOpenAssignmentList(const ImageBytes& image, int mode, int button) {
    if (!IsKind(image, mode, button, AssignmentKind::LeftClick)) return true;
    for (int b = 0; b < kButtons; ++b) {
        if (b != button && IsKind(image, mode, b, AssignmentKind::LeftClick)) return true;
    }
    return false;
}

void ResetButtonAssignments(ImageBytes& image, ButtonCaptions& captions,
                            const DefaultCaptionTexts& texts) {
    for (int mode = 0; mode < 2; ++mode) {
        for (int b = 0; b < kButtons; ++b) {
            SetKind(image, mode, b, kDefaultKinds[static_cast<std::size_t>(b)]);
        }
        image[layout::DpiSwitchByte(mode, kDefaultDpiButton)] =
            static_cast<std::uint8_t>(kDefaultDpiAction);
    }
    FirstRunCaptions(captions, texts);
}

void FirstRunCaptions(ButtonCaptions& captions, const DefaultCaptionTexts& texts) {
    for (int mode = 0; mode < 2; ++mode) {
        for (int b = 0; b < kButtons; ++b) {
            captions.Set(mode, b, std::string(texts[static_cast<std::size_t>(b)]));
        }
    }
}

}  // namespace quarten
