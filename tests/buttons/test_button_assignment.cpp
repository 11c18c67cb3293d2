// Storing choices: the mode-shift and left-button rules, the defaults and the caption keys.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <tuple>

#include "buttons/ButtonAssignment.h"
#include "buttons/FunctionTables.h"

namespace quarten {
namespace {

constexpr int kModeA = 0;
constexpr int kModeB = 1;

// A default image, with parameter arrays holding recognisable leftovers.
class Assignment : public ::testing::Test {
protected:
    void SetUp() override {
        image.fill(0x5C);
        ResetButtonAssignments(image, captions);
    }
    AssignmentKind Kind(int mode, int button) const {
        return static_cast<AssignmentKind>(ReadKind(image, mode, button));
    }
    void SetKinds(int mode, const std::array<AssignmentKind, 8>& kinds) {
        int b = 0;
        for (AssignmentKind k : kinds) {
            image[layout::ModeByte(mode, layout::mode::kKind, static_cast<std::size_t>(b++))] =
                static_cast<std::uint8_t>(k);
        }
    }
    ImageBytes image{};
    ButtonCaptions captions;
};

TEST_F(Assignment, ShiftGoesIntoBothModes) {
    EXPECT_TRUE(AssignKind(image, captions, kModeB, 2, AssignmentKind::Shift, "ignored"));
    for (int mode : {kModeA, kModeB}) {
        EXPECT_EQ(Kind(mode, 2), AssignmentKind::Shift);
        EXPECT_EQ(captions.Get(mode, 2), "Shift");
    }
}

TEST_F(Assignment, ShiftIsRefusedWhileTheDisplayedModeHasOne) {
    ASSERT_TRUE(AssignKind(image, captions, kModeA, 2, AssignmentKind::Shift, "Shift"));
    const ImageBytes before = image;
    const ButtonCaptions captionsBefore = captions;
    // A second button, and the same button again: both change nothing.
    EXPECT_FALSE(AssignKind(image, captions, kModeA, 4, AssignmentKind::Shift, "Shift"));
    EXPECT_FALSE(AssignKind(image, captions, kModeB, 2, AssignmentKind::Shift, "Shift"));
    EXPECT_EQ(image, before);
    EXPECT_EQ(captions, captionsBefore);
}

struct ReplaceCase {
    const char* what;
    AssignmentKind before;  // the button's kind in both modes beforehand
    int displayed;
    AssignmentKind chosen;
    AssignmentKind expectedOther;
    std::string expectedOtherCaption;
};

TEST_F(Assignment, ReplacingAShiftCarriesTheChoiceToTheOtherMode) {
    const ReplaceCase cases[] = {
        {"shift replaced in Mode B", AssignmentKind::Shift, kModeB, AssignmentKind::MidClick,
         AssignmentKind::MidClick, "New"},
        {"shift replaced in Mode A by a dialog entry", AssignmentKind::Shift, kModeA,
         AssignmentKind::FireKey, AssignmentKind::FireKey, "New"},
        {"DPI sub-list only touches the displayed mode", AssignmentKind::Shift, kModeA,
         AssignmentKind::DpiSwitch, AssignmentKind::Shift, "Old"},
        {"no shift: other mode untouched", AssignmentKind::RightClick, kModeB,
         AssignmentKind::MidClick, AssignmentKind::RightClick, "Old"},
        {"no shift, Mode A displayed", AssignmentKind::Forward, kModeA, AssignmentKind::KeyOff,
         AssignmentKind::Forward, "Old"},
    };
    const int button = 3;
    for (const ReplaceCase& c : cases) {
        SetUp();
        for (int mode : {kModeA, kModeB}) {
            image[layout::ModeByte(mode, layout::mode::kKind, button)] =
                static_cast<std::uint8_t>(c.before);
            captions.Set(mode, button, "Old");
        }
        const int other = 1 - c.displayed;
        EXPECT_TRUE(AssignKind(image, captions, c.displayed, button, c.chosen, "New")) << c.what;
        EXPECT_EQ(Kind(c.displayed, button), c.chosen) << c.what;
        EXPECT_EQ(captions.Get(c.displayed, button), "New") << c.what;
        EXPECT_EQ(Kind(other, button), c.expectedOther) << c.what;
        EXPECT_EQ(captions.Get(other, button), c.expectedOtherCaption) << c.what;
    }
}

TEST_F(Assignment, DialogParametersFollowAShiftIntoTheOtherModeOnly) {
    // Replacing "Shift": both modes get the whole function, so the caption the other mode
    // now shows is what its bytes do.
    ASSERT_TRUE(AssignKind(image, captions, kModeA, 3, AssignmentKind::Shift, "Shift"));
    const ButtonParameters fire = FireKeyParameters(39, 12, 4);
    ASSERT_TRUE(AssignKind(image, captions, kModeA, 3, AssignmentKind::FireKey, "R-CTRL", fire));
    const ButtonParameters shown = ReadButtonParameters(image, kModeA, 3);
    EXPECT_EQ(shown.fireChoice, 39);
    EXPECT_EQ(shown.fireUsage, 0xE4);
    EXPECT_EQ(shown.fireSpeed, 12);
    EXPECT_EQ(shown.fireTimes, 4);
    EXPECT_EQ(ReadButtonParameters(image, kModeB, 3), shown);
    for (int mode : {kModeA, kModeB}) {
        EXPECT_EQ(
            EncodeButtonFunction(ReadKind(image, mode, 3), ReadButtonParameters(image, mode, 3))
                .bytes,
            (std::array<std::uint8_t, 4>{0x0A, 0xE4, 0x0C, 0x04}))
            << mode;
    }

    // A button that was not "Shift" changes in the displayed mode only.
    const ButtonParameters otherBefore = ReadButtonParameters(image, kModeB, 4);
    ASSERT_TRUE(AssignKind(image, captions, kModeA, 4, AssignmentKind::FireKey, "R-CTRL", fire));
    EXPECT_EQ(ReadButtonParameters(image, kModeB, 4), otherBefore);
}

TEST_F(Assignment, DpiActionOfAShiftButtonStaysInTheDisplayedMode) {
    ASSERT_TRUE(AssignKind(image, captions, kModeB, 1, AssignmentKind::Shift, "Shift"));
    ButtonParameters up;
    up.dpiAction = static_cast<std::uint8_t>(DpiSwitchAction::Up);
    ASSERT_TRUE(AssignKind(image, captions, kModeB, 1, AssignmentKind::DpiSwitch, "DPI +", up));
    EXPECT_EQ(image[1841 + 1], 1);     // Mode B's DPI array
    EXPECT_EQ(image[1833 + 1], 0x5C);  // Mode A's untouched
    EXPECT_EQ(Kind(kModeA, 1), AssignmentKind::Shift);
    EXPECT_EQ(captions.Get(kModeA, 1), "Shift");
    EXPECT_EQ(captions.Get(kModeB, 1), "DPI +");
}

TEST_F(Assignment, LeftButtonRule) {
    using K = AssignmentKind;
    struct Case {
        const char* what;
        std::array<K, 8> kinds;
        int button;
        bool opens;
    };
    const Case cases[] = {
        {"the only left click",
         {K::LeftClick, K::RightClick, K::MidClick, K::Forward, K::Backward, K::DpiSwitch,
          K::RgbOnOff, K::KeyOff},
         0,
         false},
        {"another button",
         {K::LeftClick, K::RightClick, K::MidClick, K::Forward, K::Backward, K::DpiSwitch,
          K::RgbOnOff, K::KeyOff},
         1,
         true},
        {"only left click on button 8",
         {K::RightClick, K::RightClick, K::MidClick, K::Forward, K::Backward, K::DpiSwitch,
          K::RgbOnOff, K::LeftClick},
         7,
         false},
        {"two left clicks",
         {K::LeftClick, K::RightClick, K::MidClick, K::LeftClick, K::Backward, K::DpiSwitch,
          K::RgbOnOff, K::KeyOff},
         3,
         true},
        {"no left click at all",
         {K::KeyOff, K::RightClick, K::MidClick, K::Forward, K::Backward, K::DpiSwitch, K::RgbOnOff,
          K::KeyOff},
         0,
         true},
    };
    for (const Case& c : cases) {
        SetKinds(kModeB, c.kinds);
        EXPECT_EQ(CanOpenAssignmentList(image, kModeB, c.button), c.opens) << c.what;
    }
}

TEST_F(Assignment, LeftButtonRuleLooksAtTheDisplayedModeOnly) {
    EXPECT_FALSE(CanOpenAssignmentList(image, kModeA, 0));
    ASSERT_TRUE(AssignKind(image, captions, kModeA, 6, AssignmentKind::LeftClick, "Left Click"));
    EXPECT_TRUE(CanOpenAssignmentList(image, kModeA, 0));
    EXPECT_TRUE(CanOpenAssignmentList(image, kModeA, 6));
    EXPECT_FALSE(CanOpenAssignmentList(image, kModeB, 0));
}

TEST(ResetButtonAssignments, WritesKindsDpiActionAndCaptionsOnly) {
    ImageBytes image;
    image.fill(0xAA);
    ButtonCaptions captions;
    captions.Set(1, 7, "stale");
    ResetButtonAssignments(image, captions);

    const std::uint8_t kinds[8] = {0, 1, 2, 3, 4, 6, 7, 15};
    std::set<std::size_t> written;
    for (std::size_t b = 0; b < 8; ++b) {
        EXPECT_EQ(image[0 + b], kinds[b]) << b;
        EXPECT_EQ(image[1705 + b], kinds[b]) << b;
        written.insert({0 + b, 1705 + b});
    }
    EXPECT_EQ(image[1833 + 5], 3);
    EXPECT_EQ(image[1841 + 5], 3);
    written.insert({1833 + 5, 1841 + 5});
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (!written.count(i)) {
            EXPECT_EQ(image[i], 0xAA) << "offset " << i;
        }
    }

    const char* texts[8] = {"Left Click", "Right Click", "Mid Click",  "Forward",
                            "Backward",   "DPI Loop",    "RGB On/Off", "Key Off"};
    for (int mode : {0, 1}) {
        for (int b = 0; b < 8; ++b) EXPECT_EQ(captions.Get(mode, b), texts[b]);
    }
}

TEST(ResetButtonAssignments, DefaultCaptionsAreTheListTextsOfTheDefaultKinds) {
    for (std::size_t b = 0; b < kDefaultKinds.size(); ++b) {
        const std::string_view expected =
            b == static_cast<std::size_t>(kDefaultDpiButton)
                ? kDpiSwitchTexts[static_cast<std::size_t>(kDefaultDpiAction) - 1]
                : kFunctionListTexts[static_cast<std::size_t>(kDefaultKinds[b])];
        EXPECT_EQ(kEnglishDefaultCaptions[b], expected) << b;
    }
}

TEST(FirstRunCaptions, SetsAllSixteenCaptionsFromTheGivenTexts) {
    ButtonCaptions captions;
    const DefaultCaptionTexts texts = {"a", "b", "c", "d", "e", "f", "g", "h"};
    FirstRunCaptions(captions, texts);
    for (int mode : {0, 1}) {
        for (int b = 0; b < 8; ++b) {
            EXPECT_EQ(captions.Get(mode, b), std::string(1, static_cast<char>('a' + b)));
        }
    }
}

TEST(CaptionKey, NamesTheStringFileKeys) {
    const std::tuple<int, int, const char*> cases[] = {
        {0, 0, "Item1"},  {0, 4, "Item5"},  {0, 7, "Item8"},
        {1, 0, "Item13"}, {1, 4, "Item53"}, {1, 7, "Item83"},
    };
    for (const auto& [mode, button, key] : cases) EXPECT_EQ(CaptionKey(mode, button), key);

    std::set<std::string> keys;
    for (int mode : {0, 1}) {
        for (int b = 0; b < 8; ++b) keys.insert(CaptionKey(mode, b));
    }
    EXPECT_EQ(keys.size(), 16u);
    EXPECT_THROW(CaptionKey(2, 0), std::out_of_range);
    EXPECT_THROW(CaptionKey(0, 8), std::out_of_range);
}

}  // namespace
}  // namespace quarten
