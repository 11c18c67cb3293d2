// Font faces per language and the installed families that stand in for them.
#include "ui/text/UiFonts.h"

#include <array>

namespace quarten {
namespace {

// Song faces first, then the common Hei faces, so Chinese never falls back to boxes.
constexpr std::array<std::string_view, 5> kSongSimplified{
    "Noto Serif CJK SC", "AR PL UMing CN", "SimSun", "Noto Sans CJK SC", "WenQuanYi Micro Hei"};
constexpr std::array<std::string_view, 3> kHeiSimplified{"Noto Sans CJK SC",
                                                         "WenQuanYi Micro Hei", "SimHei"};
// Traditional texts prefer the TC cut of the same Hei family for the regional glyph forms.
constexpr std::array<std::string_view, 4> kHeiTraditional{
    "Noto Sans CJK TC", "Noto Sans CJK SC", "WenQuanYi Micro Hei", "SimHei"};
constexpr std::array<std::string_view, 3> kArial{"Arial", "Liberation Sans", "DejaVu Sans"};
constexpr std::array<std::string_view, 2> kTahoma{"Tahoma", "DejaVu Sans"};

constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

}  // namespace

LanguageFonts FontsFor(UiLanguage language) {
    switch (language) {
        case UiLanguage::Simplified:
            return {{"宋体", kSongSimplified, 13, kNormalWeight},
                    {"宋体", kSongSimplified, 18, kBoldWeight}};
        case UiLanguage::Traditional:
            return {{"黑体", kHeiTraditional, 14, kNormalWeight},
                    {"黑体", kHeiTraditional, 18, kBoldWeight}};
        case UiLanguage::English:
            break;
    }
    return {{"Arial", kArial, 14, kNormalWeight}, {"Tahoma", kTahoma, 18, kBoldWeight}};
}

}  // namespace quarten
