#include "settings/FactorySettings.h"

#include "buttons/ButtonAssignment.h"

namespace quarten {

ImageBytes FactoryImage() {
    ImageBytes image{};
    image[layout::kReportInterval] = 1;
    // Positions 1, 3, 5, 7 exist on every sensor type (500/1000/1500/2000 DPI on type 0).
    constexpr std::uint8_t kLevels[] = {1, 3, 5, 7};
    constexpr std::uint8_t kColours[][3] = {{0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00},
                                            {0x00, 0x60, 0xFF}, {0xFF, 0xC0, 0x00}};
    for (std::size_t s = 0; s < layout::kStageCount; ++s) {
        image[layout::kDpiLevel + s] = kLevels[s];
        image[layout::kDpiEnabled + s] = 1;
        for (std::size_t c = 0; c < 3; ++c) image[layout::kDpiColour + 3 * s + c] = kColours[s][c];
    }
    image[layout::kLightMode] = 1;            // Standard
    image[layout::kStandardBrightness] = 9;   // 100%
    image[layout::kRespirationSpeed] = 0;
    image[layout::kNeonSpeed] = 0;
    image[layout::kStandardEffect] = 1;       // RGB Effect
    image[layout::kRespirationEffect] = 1;
    image[layout::kNeonEffect] = 2;           // RGB Flash
    ButtonCaptions captions;
    ResetButtonAssignments(image, captions);
    constexpr std::uint8_t kPointer[] = {0, 0, 6, 3, 6};
    for (std::size_t i = 0; i < layout::pointer::kSize; ++i) {
        image[layout::kPointerSettings + i] = kPointer[i];
    }
    return image;
}

}  // namespace quarten
