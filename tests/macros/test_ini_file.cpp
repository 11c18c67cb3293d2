// The INI document: lookups, edits, rewriting and the encodings it reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/IniFile.h"
#include "macros/TextEncoding.h"

namespace quarten {
namespace {

const std::string kSample =
    "; macro library\n"
    "[First]\n"
    "ItemCount = 2\n"
    "Item0=A   Dn\n"
    "  Item1  =  50 ms  \n"
    "stray line without equals\n"
    "\n"
    "[Second]\n"
    "ItemCount=1\n"
    "ItemCount=9\n"
    "Item0=B   Up\n";

TEST(IniFileRead, LookupRules) {
    const IniFile file = IniFile::Parse(kSample);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"First", "Item0", "A   Dn"},  // inner blanks kept
        {"First", "Item1", "50 ms"},   // blanks around key and value trimmed
        {"FIRST", "itemcount", "2"},   // names compare without case
        {"first", "ITEM0", "A   Dn"},
        {"Second", "ItemCount", "1"},      // the first of two equal keys wins
        {"Second", "Item1", ""},           // missing key
        {"Third", "Item0", ""},            // missing section
        {"First", "; macro library", ""},  // comment lines are not keys
        {"First", "stray line without equals", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file.Read(c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"First", "Second"}));
    EXPECT_TRUE(file.HasSection("second"));
    EXPECT_FALSE(file.HasSection("Sec"));
}

TEST(IniFileRead, SectionViewMatchesRead) {
    const IniFile file = IniFile::Parse(kSample);
    const IniSection second = file.Section("SECOND");
    EXPECT_EQ(second.Value("itemcount"), "1");
    EXPECT_EQ(second.Value("Item0"), "B   Up");
    EXPECT_FALSE(second.Has("Item1"));
    EXPECT_TRUE(file.Section("Missing").FoldedKeys().empty());
}

TEST(IniFileRead, LineEndingsAndHeaders) {
    const IniFile file = IniFile::Parse("[A]\r\nk=crlf\r[B]\rk=cr\n[ C ] trailing\nk=lf");
    EXPECT_EQ(file.Read("A", "k"), "crlf");
    EXPECT_EQ(file.Read("B", "k"), "cr");
    EXPECT_EQ(file.Read("C", "k"), "lf");
    // A "[" line without "]" is no header: its key stays in the section before it.
    EXPECT_EQ(IniFile::Parse("[A]\n[broken\nk=1\n").Read("A", "k"), "1");
}

TEST(IniFileRead, ValuesAreCutToTheirRoom) {
    const std::string longValue(1500, 'x');
    EXPECT_EQ(IniFile::Parse("[S]\nk=" + longValue).Read("S", "k"), std::string(1023, 'x'));

    // U+1F600 takes two UTF-16 units; at the boundary it is left out whole, never halved.
    const std::string emoji = "\xF0\x9F\x98\x80";
    const std::string value = std::string(1022, 'y') + emoji;
    EXPECT_EQ(IniFile::Parse("[S]\nk=" + value).Read("S", "k"), std::string(1022, 'y'));
    const std::string fits = std::string(1021, 'y') + emoji;
    EXPECT_EQ(IniFile::Parse("[S]\nk=" + fits).Read("S", "k"), fits);
}

TEST(IniFileEncoding, DecodesBomsAndRepairsBadBytes) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string expectedValue;
    };
    const std::string utf16le("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x2D\x4E\x3D\xD8\x00\xDE\n\0", 22);
    const std::string utf16be("\xFE\xFF\0[\0S\0]\0\n\0k\0=\x4E\x2D", 16);
    const Case cases[] = {
        {"plain UTF-8", "[S]\nk=\xE4\xB8\xAD", "\xE4\xB8\xAD"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF[S]\nk=v", "v"},
        {"UTF-16LE with BOM, BMP and surrogate pair", utf16le, "\xE4\xB8\xAD\xF0\x9F\x98\x80"},
        {"UTF-16BE with BOM", utf16be, "\xE4\xB8\xAD"},
        {"invalid UTF-8 bytes", "[S]\nk=a\xFF\xC0\x80z", "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDz"},
        {"truncated sequence at the end", "[S]\nk=a\xE4\xB8", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"encoded surrogate", "[S]\nk=\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"NUL byte", std::string("[S]\nk=a\0b", 9),
         "a\xEF\xBF\xBD"
         "b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IniFile::Parse(c.bytes).Read("S", "k"), c.expectedValue) << c.what;
    }
}

TEST(IniFileEncoding, BrokenUtf16NeverFails) {
    // Lone surrogates and an odd trailing byte become replacement characters.
    const std::string bytes(
        "\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xDC\x3D\xD8"
        "A\0\x41",
        21);
    EXPECT_EQ(IniFile::Parse(bytes).Read("S", "k"),
              "\xEF\xBF\xBD\xEF\xBF\xBD"
              "A\xEF\xBF\xBD");
}

TEST(IniFileEncoding, SavesUtf8WithoutBom) {
    const std::string utf16le("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x2D\x4E", 16);
    EXPECT_EQ(IniFile::Parse(utf16le).Serialize(), "[S]\nk=\xE4\xB8\xAD\n");
    EXPECT_EQ(IniFile::Parse("\xEF\xBB\xBF[S]\nk=v\n").Serialize(), "[S]\nk=v\n");
}

TEST(IniFileWrite, EditsKeepEverythingElse) {
    struct Case {
        const char* what;
        const char* section;
        const char* key;
        const char* value;
        std::string expected;
    };
    const std::string before =
        "; top comment\n"
        "[A]\n"
        "Key = old\n"
        "; inside A\n"
        "\n"
        "[B]\n"
        "x=1\n";
    const Case cases[] = {
        {"changes an existing key in place, keeping its spelling", "a", "KEY", "new",
         "; top comment\n[A]\nKey=new\n; inside A\n\n[B]\nx=1\n"},
        {"adds a missing key after the section's last non-blank line", "A", "Other", "v",
         "; top comment\n[A]\nKey = old\n; inside A\nOther=v\n\n[B]\nx=1\n"},
        {"adds to the last section", "B", "y", "2",
         "; top comment\n[A]\nKey = old\n; inside A\n\n[B]\nx=1\ny=2\n"},
        {"creates a missing section at the end", "C", "z", "3",
         "; top comment\n[A]\nKey = old\n; inside A\n\n[B]\nx=1\n[C]\nz=3\n"},
        {"keeps one line per entry", "B", "x", "two\nlines",
         "; top comment\n[A]\nKey = old\n; inside A\n\n[B]\nx=two lines\n"},
    };
    for (const Case& c : cases) {
        IniFile file = IniFile::Parse(before);
        file.Write(c.section, c.key, c.value);
        EXPECT_EQ(file.Serialize(), c.expected) << c.what;
    }
}

TEST(IniFileWrite, KeepsWindowsLineEndings) {
    IniFile file = IniFile::Parse("[A]\r\nk=1\r\n");
    file.Write("A", "j", "2");
    EXPECT_EQ(file.Serialize(), "[A]\r\nk=1\r\nj=2\r\n");
}

TEST(IniFileWrite, DeleteSectionRemovesEveryCopyWithItsLines) {
    IniFile file = IniFile::Parse("[A]\na=1\n; a's note\n[b]\nb=2\n[C]\nc=3\n[B]\nb=4\n");
    file.DeleteSection("B");
    EXPECT_EQ(file.Serialize(), "[A]\na=1\n; a's note\n[C]\nc=3\n");
    file.DeleteSection("missing");
    EXPECT_EQ(file.Serialize(), "[A]\na=1\n; a's note\n[C]\nc=3\n");
}

TEST(IniFileWrite, ReplaceSectionEqualsDeleteThenWrites) {
    const std::string before = "[A]\nx=1\n[B]\ny=2\n";
    IniFile replaced = IniFile::Parse(before);
    replaced.ReplaceSection("a", {{"k1", "v1"}, {"k2", "v2"}});
    IniFile written = IniFile::Parse(before);
    written.DeleteSection("a");
    written.Write("a", "k1", "v1");
    written.Write("a", "k2", "v2");
    EXPECT_EQ(replaced.Serialize(), written.Serialize());
    EXPECT_EQ(replaced.Serialize(), "[B]\ny=2\n[a]\nk1=v1\nk2=v2\n");
}

TEST(IniFileSectionList, EmulatesTheWideListBuffer) {
    const IniFile small = IniFile::Parse("[One]\n[Two]\n");
    EXPECT_EQ(small.SectionNameList(), std::u16string(u"One\0Two\0\0", 9));
    EXPECT_EQ(IniFile().SectionNameList(), std::u16string(1, u'\0'));

    // Names of 8 characters take 9 units with their NUL: 113 of them fill 1017 of the 1023
    // units a name may use, so the 114th is cut to its first 5 units and the list closed.
    std::string text;
    for (int i = 0; i < 120; ++i) {
        text += "[Name" + std::to_string(1000 + i) + "]\n";
    }
    const std::u16string list = IniFile::Parse(text).SectionNameList();
    EXPECT_EQ(list.size(), 1024u);
    EXPECT_EQ(list.substr(1008), std::u16string(u"Name1112\0Name1\0\0", 16));
    EXPECT_EQ(list.back(), u'\0');
}

TEST(IniInteger, ParsesLikeTheCRuntime) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"  \t-17", -17},
        {"+5", 5},
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {" ms", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
        {"0012", 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseIniInteger(c.text), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace quarten
