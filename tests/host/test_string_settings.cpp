// str.ini: language, skin choice, button captions and the scrambler key override.
#include <gtest/gtest.h>

#include <string>

#include "host/StringSettings.h"
#include "tests/support/MemoryFileStore.h"

namespace quarten {
namespace {

const std::filesystem::path kApp = "/opt/quarten";
const std::filesystem::path kStrIni = kApp / "str.ini";

class StringSettingsTest : public ::testing::Test {
protected:
    test::MemoryFileStore store_;

    SkinState ReadAtStartUp(const std::string& text, UiLanguage language = UiLanguage::English) {
        store_.Put(kStrIni, text);
        SkinState skin;
        ReadSkinSettings(store_, kStrIni, kApp, language, SkinReadScope::StartUp, skin);
        return skin;
    }
    std::string File() const { return store_.Read(kStrIni).value_or("<missing>"); }
};

using Colour = std::array<std::uint8_t, 3>;

TEST(UiLanguageCode, OnlyExactCodesChooseChinese) {
    struct Case {
        const char* code;
        UiLanguage language;
        const char* section;
    };
    const Case cases[] = {
        {"CHS", UiLanguage::Simplified, "Setting-CHS"},
        {"CHT", UiLanguage::Traditional, "Setting-CHT"},
        {"chs", UiLanguage::English, "Setting-EN"},
        {"EN", UiLanguage::English, "Setting-EN"},
        {"", UiLanguage::English, "Setting-EN"},
        {"CHSX", UiLanguage::English, "Setting-EN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageFromCode(c.code), c.language) << c.code;
        EXPECT_EQ(CaptionSectionName(LanguageFromCode(c.code)), c.section) << c.code;
    }
}

TEST_F(StringSettingsTest, ReadLanguageTrimsAndDefaultsToEmpty) {
    EXPECT_EQ(ReadLanguage(store_, kStrIni), "");
    store_.Put(kStrIni, "[skins]\nLAN =  CHT \n");
    EXPECT_EQ(ReadLanguage(store_, kStrIni), "CHT");
}

TEST_F(StringSettingsTest, StartUpReadsCaptionsColourAndFolder) {
    std::string text = "[Skins]\nRColor=12\nGColor=34\nBColor=56\nPath=Dark\n[Setting-EN]\n";
    for (int b = 1; b <= 8; ++b) {
        text += "Item" + std::to_string(b) + "=A" + std::to_string(b) + "\n";
        text += "Item" + std::to_string(b) + "3=B" + std::to_string(b) + "\n";
    }
    const SkinState skin = ReadAtStartUp(text);
    EXPECT_EQ(skin.textColour, (Colour{12, 34, 56}));
    EXPECT_EQ(skin.skinName, "Dark");
    EXPECT_EQ(skin.skinFolder, kApp / "Skins" / "Dark");
    for (int b = 0; b < 8; ++b) {
        EXPECT_EQ(skin.captions.Get(0, b), "A" + std::to_string(b + 1));
        EXPECT_EQ(skin.captions.Get(1, b), "B" + std::to_string(b + 1));
    }
}

TEST_F(StringSettingsTest, DefaultsAndMissingValues) {
    EXPECT_EQ(SkinState{}.textColour, (Colour{0, 255, 0}));  // until the file is read

    const SkinState noFile = ReadAtStartUp("");
    EXPECT_EQ(noFile.textColour, (Colour{0, 0, 0}));  // missing components read as 0
    EXPECT_EQ(noFile.skinFolder, kApp / "Skins/");
    EXPECT_EQ(noFile.captions.Get(1, 7), "");

    const SkinState partial = ReadAtStartUp("[Skins]\nGColor=200\nPath=\n");
    EXPECT_EQ(partial.textColour, (Colour{0, 200, 0}));
    EXPECT_EQ(partial.skinFolder, kApp / "Skins/");
}

TEST_F(StringSettingsTest, ColourComponentsKeepTheirLowEightBits) {
    const SkinState skin = ReadAtStartUp("[Skins]\nRColor=256\nGColor=-1\nBColor=300px\n");
    EXPECT_EQ(skin.textColour, (Colour{0, 255, 44}));
}

TEST_F(StringSettingsTest, SkinNamesThatLeaveTheSkinsFolderAreIgnored) {
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"Classic Red", "Classic Red"},
        {"..", ""},
        {"../../etc", ""},
        {"a/b", ""},
        {"/usr/share", ""},
        {"a\\..\\b", ""},
        {".", ""},
        {"x..y", "x..y"},
    };
    for (const Case& c : cases) {
        const SkinState skin = ReadAtStartUp(std::string("[Skins]\nPath=") + c.path + "\n");
        EXPECT_EQ(skin.skinName, c.name) << c.path;
        EXPECT_EQ(skin.skinFolder, kApp / "Skins" / c.name) << c.path;
        EXPECT_EQ(skin.skinFolder.parent_path(), kApp / "Skins") << c.path;
    }
}

TEST_F(StringSettingsTest, CaptionsOnlyReadLeavesTheSkinChoice) {
    store_.Put(kStrIni, "[Skins]\nRColor=1\nPath=Other\n[Setting-CHT]\nItem13=\xE5\xB7\xA6\n");
    SkinState skin;
    skin.skinName = "Dark";
    skin.skinFolder = kApp / "Skins" / "Dark";
    ReadSkinSettings(store_, kStrIni, kApp, UiLanguage::Traditional, SkinReadScope::CaptionsOnly,
                     skin);
    EXPECT_EQ(skin.captions.Get(1, 0), "\xE5\xB7\xA6");
    EXPECT_EQ(skin.textColour, (Colour{0, 255, 0}));
    EXPECT_EQ(skin.skinName, "Dark");
}

TEST_F(StringSettingsTest, CaptionsGoToTheLanguagesSectionInKeyOrder) {
    store_.Put(kStrIni, "Lan=CHT\n[Skins]\nLan=CHT\n[Setting-EN]\nItem1=Left\n");
    ButtonCaptions captions;
    const char* firstRun[] = {"Left",     "Right",    "Middle",     "Forward",
                              "Backward", "DPI Loop", "RGB On/Off", "Key Off"};
    for (int mode = 0; mode < 2; ++mode) {
        for (int b = 0; b < 8; ++b) captions.Set(mode, b, firstRun[b]);
    }
    ASSERT_TRUE(WriteButtonCaptions(store_, kStrIni, UiLanguage::Traditional, captions).ok);
    EXPECT_EQ(File(),
              "Lan=CHT\n[Skins]\nLan=CHT\n[Setting-EN]\nItem1=Left\n"
              "[Setting-CHT]\n"
              "Item1=Left\nItem2=Right\nItem3=Middle\nItem4=Forward\nItem5=Backward\n"
              "Item6=DPI Loop\nItem7=RGB On/Off\nItem8=Key Off\n"
              "Item13=Left\nItem23=Right\nItem33=Middle\nItem43=Forward\nItem53=Backward\n"
              "Item63=DPI Loop\nItem73=RGB On/Off\nItem83=Key Off\n");

    SkinState skin;
    ReadSkinSettings(store_, kStrIni, kApp, UiLanguage::Traditional, SkinReadScope::StartUp, skin);
    EXPECT_EQ(skin.captions, captions);
    ReadSkinSettings(store_, kStrIni, kApp, UiLanguage::English, SkinReadScope::StartUp, skin);
    EXPECT_EQ(skin.captions.Get(0, 0), "Left");
    EXPECT_EQ(skin.captions.Get(0, 5), "");
}

TEST_F(StringSettingsTest, SkinChoiceIsWrittenInPlace) {
    store_.Put(kStrIni, "[Skins]\r\nLan=CHS\r\nPath=Old\r\n; colours below\r\n");
    ASSERT_TRUE(WriteSkinChoice(store_, kStrIni, {255, 0, 7}, "New Skin").ok);
    EXPECT_EQ(File(),
              "[Skins]\r\nLan=CHS\r\nPath=New Skin\r\n; colours below\r\n"
              "RColor=255\r\nGColor=0\r\nBColor=7\r\n");
    const SkinState skin = ReadAtStartUp(File());
    EXPECT_EQ(skin.textColour, (Colour{255, 0, 7}));
    EXPECT_EQ(skin.skinName, "New Skin");
}

TEST_F(StringSettingsTest, FailedWriteIsReportedAndKeepsTheFile) {
    const std::string before = "[Skins]\nPath=Dark\n";
    store_.Put(kStrIni, before);
    store_.FailWrites(true);
    EXPECT_FALSE(WriteSkinChoice(store_, kStrIni, {1, 2, 3}, "Light").ok);
    EXPECT_FALSE(WriteButtonCaptions(store_, kStrIni, UiLanguage::English, ButtonCaptions{}).ok);
    EXPECT_EQ(File(), before);
}

TEST_F(StringSettingsTest, ScramblerKeyNeedsSixPrintableCharacters) {
    struct Case {
        const char* line;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"ScramblerKey=Ab3dE6", "Ab3dE6"},
        {"scramblerkey =  Ab3dE6  ", "Ab3dE6"},
        {"ScramblerKey=Ab 3E6", "Ab 3E6"},
        {"ScramblerKey=Ab3dE", std::nullopt},
        {"ScramblerKey=Ab3dE67", std::nullopt},
        {"ScramblerKey=", std::nullopt},
        {"ScramblerKey=Ab\xE4\xB8\xAD"
         "d",
         std::nullopt},  // six bytes, four characters
        {"ScramblerKey=Ab\x01"
         "dE6",
         std::nullopt},
        {"Other=Ab3dE6", std::nullopt},
    };
    EXPECT_EQ(ReadScramblerKey(store_, kStrIni), std::nullopt);
    for (const Case& c : cases) {
        store_.Put(kStrIni, std::string("[Device]\n") + c.line + "\n");
        EXPECT_EQ(ReadScramblerKey(store_, kStrIni), c.expected) << c.line;
    }
}

}  // namespace
}  // namespace quarten
