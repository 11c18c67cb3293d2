// The macro editor without its window: recorder, event-list edits, loop times, list operations.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "macros/MacroEditor.h"
#include "tests/support/MemoryFileStore.h"

namespace quarten {
namespace {

using Lines = std::vector<std::string>;

class FakeHook : public KeyboardHook {
public:
    InstallResult Install() override {
        ++installs;
        return failWith ? InstallResult{false, *failWith} : InstallResult{true, 0};
    }
    void Remove() override { ++removes; }

    std::optional<int> failWith;
    int installs = 0;
    int removes = 0;
};

class MacroEditorTest : public ::testing::Test {
protected:
    const std::filesystem::path path_ = "/app/record.ini";
    test::MemoryFileStore store_;
    MacroLibrary library_{store_, path_};
    ImageBytes image_{};
    MacroEditor editor_{library_, image_};
    FakeHook hook_;

    void LoadLibrary(const std::string& text) {
        store_.Put(path_, text);
        editor_.Load();
    }
    void Press(const char* key, bool repeat = false) { editor_.HookKeyEvent(key, false, repeat); }
    void Release(const char* key) { editor_.HookKeyEvent(key, true, false); }
    void StartRecording() {
        ASSERT_EQ(editor_.StartRecordingNotice().message, MacroMessage::StartRecording);
        ASSERT_FALSE(editor_.BeginRecording(hook_).has_value());
    }
    std::string File() const { return store_.Read(path_).value_or("<missing>"); }
};

const std::string kThreeMacros =
    "[first]\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n"
    "[second]\nItemCount=1\nItem0=B   Dn\n"
    "[third]\nItemCount=0\n";

// --- recorder ---

TEST_F(MacroEditorTest, RecordsTwoKeysAsSevenLines) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    Press("A");
    Release("A");
    Press("B");
    Release("B");
    EXPECT_EQ(editor_.Events().Lines(),
              (Lines{"A   Dn", "50 ms", "A   Up", "50 ms", "B   Dn", "50 ms", "B   Up"}));
    EXPECT_EQ(editor_.Events().Selection(), 6u);
    EXPECT_EQ(editor_.Recorder().State(), MacroRecorder::FirstEvent::Pressed);
    EXPECT_EQ(editor_.Recorder().WindowTitle(), MacroMessage::RecordingTitle);
}

TEST_F(MacroEditorTest, AutoRepeatOfTheLastPressIsDropped) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    Press("Shift");
    Press("Shift", true);
    Press("Shift", true);
    Press("A");
    Press("Shift", true);  // flagged as repeat but not the last pressed key: recorded
    Release("A");
    EXPECT_EQ(editor_.Events().Lines(),
              (Lines{"Shift   Dn", "50 ms", "A   Dn", "50 ms", "Shift   Dn", "50 ms", "A   Up"}));
}

TEST_F(MacroEditorTest, ReleaseBeforeAnyPressStartsWithADelay) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    Release("Enter");
    Press("A");  // still the first press, so no pause before it
    EXPECT_EQ(editor_.Events().Lines(), (Lines{"50 ms", "Enter   Up", "A   Dn"}));
}

TEST_F(MacroEditorTest, KeyNamesAreCutToTheirBuffer) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    const std::string longName(40, 'k');
    editor_.HookKeyEvent(longName, false, false);
    editor_.HookKeyEvent(longName, false, true);
    EXPECT_EQ(editor_.Events().Lines(), (Lines{std::string(31, 'k') + "   Dn"}));
}

TEST_F(MacroEditorTest, RecorderMessageCodesOtherThanPressAndReleaseAreIgnored) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    editor_.RecorderMessage(2, "A");
    editor_.RecorderMessage(-1, "A");
    EXPECT_TRUE(editor_.Events().Empty());
    editor_.RecorderMessage(1, "A");
    EXPECT_EQ(editor_.Events().Lines(), (Lines{"50 ms", "A   Up"}));
}

TEST_F(MacroEditorTest, NothingIsRecordedWithoutASelectedMacro) {
    LoadLibrary(kThreeMacros);
    ASSERT_TRUE(editor_.Delete().has_value());  // leaves two macros, none selected
    StartRecording();
    EXPECT_EQ(hook_.installs, 1);
    Press("A");
    Release("A");
    EXPECT_TRUE(editor_.Events().Empty());
}

TEST_F(MacroEditorTest, StartWithAnEmptyListIsRefused) {
    LoadLibrary("");
    EXPECT_EQ(editor_.StartRecordingNotice(),
              (MacroNotice{MacroMessage::NameBlank, MacroCaption::Warning}));
    EXPECT_EQ(editor_.BeginRecording(hook_)->message, MacroMessage::NameBlank);
    EXPECT_EQ(hook_.installs, 0);
    EXPECT_FALSE(editor_.Recorder().Recording());
}

TEST_F(MacroEditorTest, FailedHookInstallReportsTheErrorCode) {
    LoadLibrary(kThreeMacros);
    hook_.failWith = 1428;
    const auto failure = editor_.BeginRecording(hook_);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure,
              (MacroNotice{MacroMessage::HookInstallFailed, MacroCaption::ApplicationTitle, 1428}));
    EXPECT_TRUE(editor_.Events().Empty());  // the list was emptied before the attempt
    EXPECT_FALSE(editor_.Recorder().Recording());
    Press("A");
    EXPECT_TRUE(editor_.Events().Empty());
}

TEST_F(MacroEditorTest, StartingAgainReplacesTheHookAndEmptiesTheList) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    Press("A");
    StartRecording();
    EXPECT_EQ(hook_.installs, 2);
    EXPECT_EQ(hook_.removes, 1);
    EXPECT_TRUE(editor_.Events().Empty());
    Press("B");
    EXPECT_EQ(editor_.Events().Lines(), (Lines{"B   Dn"}));
}

TEST_F(MacroEditorTest, StopTwiceWarnsTheSecondTime) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    const MacroNotice stop{MacroMessage::StopRecording, MacroCaption::ApplicationTitle};
    const MacroNotice notStarted{MacroMessage::NotRecording, MacroCaption::Warning};
    EXPECT_EQ(editor_.StopRecording(hook_), std::vector<MacroNotice>{stop});
    EXPECT_EQ(editor_.Recorder().State(), MacroRecorder::FirstEvent::Stopped);
    EXPECT_EQ(editor_.StopRecording(hook_), (std::vector<MacroNotice>{stop, notStarted}));
    EXPECT_EQ(hook_.removes, 1);
    Press("A");
    EXPECT_TRUE(editor_.Events().Empty());
}

TEST_F(MacroEditorTest, LeavingThePageRemovesTheHookButKeepsTheFlags) {
    LoadLibrary(kThreeMacros);
    StartRecording();
    Press("A");
    editor_.LeavePage(hook_);
    EXPECT_EQ(hook_.removes, 1);
    EXPECT_TRUE(editor_.Recorder().Recording());
    Press("B");  // no hook, no event
    EXPECT_EQ(editor_.Events().Lines(), (Lines{"A   Dn"}));
    EXPECT_EQ(editor_.StopRecording(hook_).size(), 1u);
    EXPECT_EQ(hook_.removes, 1);
    EXPECT_EQ(editor_.Recorder().State(), MacroRecorder::FirstEvent::Pressed);
    EXPECT_FALSE(editor_.Recorder().Recording());
}

// --- event list edits ---

TEST(MacroEventListInsert, MouseEventsAtTheSelection) {
    constexpr std::size_t kRClick = 1;
    constexpr std::size_t kLDown = 3;
    struct Case {
        const char* what;
        Lines before;
        std::optional<std::size_t> selection;
        bool macroSelected;
        std::size_t label;
        Lines after;
        std::optional<std::size_t> selectionAfter;
    };
    const Case cases[] = {
        {"click into an empty list",
         {},
         std::nullopt,
         true,
         kRClick,
         {"R-Button   Dn", "50 ms", "R-Button   Up", "50 ms"},
         std::nullopt},
        {"plain label into an empty list",
         {},
         std::nullopt,
         true,
         kLDown,
         {"L-Button   Dn", "50 ms"},
         std::nullopt},
        {"empty list without a selected macro", {}, std::nullopt, false, kRClick, {}, std::nullopt},
        {"lines but no selection",
         {"A   Dn"},
         std::nullopt,
         true,
         kRClick,
         {"A   Dn"},
         std::nullopt},
        {"click after a delay line",
         {"A   Dn", "50 ms", "A   Up"},
         1,
         true,
         kRClick,
         {"A   Dn", "50 ms", "R-Button   Dn", "50 ms", "R-Button   Up", "50 ms", "A   Up"},
         2},
        {"click after a key line",
         {"A   Dn", "50 ms"},
         0,
         true,
         kRClick,
         {"A   Dn", "50 ms", "R-Button   Dn", "50 ms", "R-Button   Up", "50 ms"},
         2},
        {"plain label after a delay line",
         {"50 ms"},
         0,
         true,
         kLDown,
         {"50 ms", "L-Button   Dn", "50 ms"},
         1},
        {"plain label after a key line",
         {"A   Up"},
         0,
         true,
         kLDown,
         {"A   Up", "50 ms", "L-Button   Dn"},
         2},
    };
    for (const Case& c : cases) {
        MacroEventList list;
        list.Assign(c.before);
        list.Select(c.selection);
        EXPECT_TRUE(list.InsertMouseEvent(c.label, c.macroSelected)) << c.what;
        EXPECT_EQ(list.Lines(), c.after) << c.what;
        EXPECT_EQ(list.Selection(), c.selectionAfter) << c.what;
    }
    MacroEventList list;
    EXPECT_FALSE(list.InsertMouseEvent(kMouseEventLabels.size(), true));
    EXPECT_TRUE(list.Empty());
}

TEST(MacroEventListInsert, EveryClickLabelSplitsIntoPressAndRelease) {
    for (std::size_t i = 0; i < 3; ++i) {
        MacroEventList list;
        list.InsertMouseEvent(i, true);
        const std::string button(kMouseEventLabels[i].substr(0, 8));
        EXPECT_EQ(list.Lines(), (Lines{button + "   Dn", "50 ms", button + "   Up", "50 ms"}));
    }
}

TEST(MacroEventListDelay, DialogValueRules) {
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"20000", "10 ms"},       {"10000", "10000 ms"}, {"10001", "10 ms"},
        {"20", "20 ms"},          {"0", "0 ms"},         {"", " ms"},
        {"99999999999", "10 ms"}, {"-1", "10 ms"},  // negative reads as a huge unsigned
    };
    for (const Case& c : cases) {
        MacroEventList list;
        list.Assign({"A   Dn", "50 ms", "A   Up"});
        list.Select(1);
        ASSERT_TRUE(list.CanEditDelay());
        list.ApplyDelay(c.text);
        EXPECT_EQ(list.Lines(), (Lines{"A   Dn", c.line, "A   Up"})) << '"' << c.text << '"';
        EXPECT_EQ(list.Selection(), 1u);
    }
}

TEST(MacroEventListDelay, OnlyDelayLinesCanBeEdited) {
    MacroEventList list;
    list.Assign({"A   Dn", "50 ms"});
    EXPECT_FALSE(list.CanEditDelay());
    list.Select(0);
    EXPECT_FALSE(list.CanEditDelay());
    list.ApplyDelay("300");
    EXPECT_EQ(list.Lines(), (Lines{"A   Dn", "50 ms"}));
}

TEST(MacroEventListDelete, RemovesTheSelectedLineOnly) {
    MacroEventList list;
    list.Assign({"A   Dn", "50 ms", "A   Up"});
    list.DeleteSelected();
    EXPECT_EQ(list.Lines().size(), 3u);
    list.Select(2);
    list.DeleteSelected();
    EXPECT_EQ(list.Lines(), (Lines{"A   Dn", "50 ms"}));
    EXPECT_FALSE(list.Selection().has_value());
    list.Select(7);  // past the end: no selection
    EXPECT_FALSE(list.Selection().has_value());
}

TEST_F(MacroEditorTest, DropdownBoxShowsTheChosenLabel) {
    LoadLibrary("[m]\nItemCount=0\n");
    editor_.InsertMouseEvent(2);
    EXPECT_EQ(editor_.MouseEventBox(), "M-Button Click");
    EXPECT_EQ(editor_.Events().Lines().size(), 4u);
}

// --- loop times ---

TEST_F(MacroEditorTest, LoopTimesRule) {
    LoadLibrary(kThreeMacros);
    editor_.SelectMacro(1);  // writes go to slot 2
    struct Case {
        const char* text;
        const char* field;
        std::uint8_t high;
        std::uint8_t low;
    };
    const Case cases[] = {
        {"5", "5", 0x00, 0x05},     {"300", "300", 0x01, 0x2C}, {"65535", "65535", 0xFF, 0xFF},
        {"65536", "1", 0x00, 0x01}, {"", "1", 0x00, 0x01},      {"0", "1", 0x00, 0x01},
        {"abc", "1", 0x00, 0x01},   {"-3", "1", 0x00, 0x01},    {"99999999999", "1", 0x00, 0x01},
    };
    for (const Case& c : cases) {
        image_[layout::MacroSlotOffset(2)] = 0xEE;
        image_[layout::MacroSlotOffset(2) + 1] = 0xEE;
        editor_.SetLoopTimesText(c.text);
        EXPECT_EQ(editor_.LoopTimesField(), c.field) << '"' << c.text << '"';
        EXPECT_EQ(image_[layout::MacroSlotOffset(2)], c.high) << '"' << c.text << '"';
        EXPECT_EQ(image_[layout::MacroSlotOffset(2) + 1], c.low) << '"' << c.text << '"';
    }
    EXPECT_EQ(image_[layout::MacroSlotOffset(1) + 1], 0x01);  // only slot 1 from the load
    EXPECT_EQ(image_[layout::MacroSlotOffset(3) + 1], 0x00);
}

TEST_F(MacroEditorTest, LoopTimesWithoutAMacroWritesNothing) {
    LoadLibrary(kThreeMacros);
    editor_.Delete();
    const ImageBytes before = image_;
    editor_.SetLoopTimesText("40");
    EXPECT_EQ(editor_.LoopTimesField(), "40");
    EXPECT_EQ(image_, before);
}

TEST_F(MacroEditorTest, PositionsPastTheTwelfthSlotHaveNoLoopCount) {
    std::string text;
    for (int i = 1; i <= 13; ++i)
        text += "[m" + std::to_string(i) + "]\nItemCount=1\nItem0=A   Dn\n";
    LoadLibrary(text);
    ASSERT_EQ(editor_.MacroNames().size(), 13u);
    editor_.SetLoopTimesText("9");
    const ImageBytes before = image_;
    editor_.SelectMacro(12);
    EXPECT_EQ(editor_.LoopTimesField(), "9");
    editor_.SetLoopTimesText("77");
    EXPECT_EQ(image_, before);
}

// --- list operations ---

TEST_F(MacroEditorTest, LoadShowsTheFirstMacroAndSlotOnesLoopCount) {
    SetLoopCount(SlotOf(image_, 1), 7);
    LoadLibrary(kThreeMacros);
    EXPECT_EQ(editor_.MacroNames(), (Lines{"first", "second", "third"}));
    EXPECT_EQ(editor_.SelectedMacro(), 0u);
    EXPECT_EQ(editor_.NameField(), "first");
    EXPECT_EQ(editor_.Events().Lines(), (Lines{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(editor_.LoopTimesField(), "7");
}

TEST_F(MacroEditorTest, LoadGivesAZeroLoopCountTheValueOne) {
    LoadLibrary(kThreeMacros);
    EXPECT_EQ(editor_.LoopTimesField(), "1");
    EXPECT_EQ(LoopCount(SlotOf(std::as_const(image_), 1)), 1);
}

TEST_F(MacroEditorTest, LoadWithoutTheFileOrWithoutMacros) {
    editor_.Load();
    EXPECT_TRUE(editor_.MacroNames().empty());
    EXPECT_EQ(editor_.LoopTimesField(), "");
    LoadLibrary("; nothing yet\n");
    EXPECT_TRUE(editor_.MacroNames().empty());
    EXPECT_EQ(editor_.LoopTimesField(), "1");
    EXPECT_EQ(image_, ImageBytes{});
}

TEST_F(MacroEditorTest, SelectShowsTheMacroAndItsSlotsLoopCount) {
    LoadLibrary(kThreeMacros);
    SetLoopCount(SlotOf(image_, 2), 12);
    SetLoopCount(SlotOf(image_, 3), 30);
    editor_.SelectMacro(1);
    EXPECT_EQ(editor_.NameField(), "second");
    EXPECT_EQ(editor_.Events().Lines(), (Lines{"B   Dn"}));
    EXPECT_EQ(editor_.LoopTimesField(), "12");
    editor_.SelectMacro(2);  // no lines: the field keeps its text
    EXPECT_EQ(editor_.NameField(), "third");
    EXPECT_TRUE(editor_.Events().Empty());
    EXPECT_EQ(editor_.LoopTimesField(), "12");
    editor_.SelectMacro(std::nullopt);
    EXPECT_EQ(editor_.SelectedMacro(), 2u);
}

TEST_F(MacroEditorTest, NewRefusesBadNames) {
    struct Case {
        const char* what;
        std::string name;
        std::optional<MacroMessage> expected;
    };
    const Case cases[] = {
        {"empty", "", MacroMessage::NameBlank},
        {"equal but for case", "SECOND", MacroMessage::NameAlreadyExists},
        {"31 characters", std::string(31, 'x'), std::nullopt},
        {"32 characters", std::string(32, 'x'), MacroMessage::NameTooLong},
        {"31 CJK characters",
         [] {
             std::string s;
             for (int i = 0; i < 31; ++i) s += "\xE5\xAE\x8F";
             return s;
         }(),
         std::nullopt},
        {"opening bracket", "a[b", MacroMessage::NameHasBracket},
        {"closing bracket", "a]b", MacroMessage::NameHasBracket},
        {"line feed", "a\nb", MacroMessage::NameHasLineBreak},
        {"carriage return", "a\rb", MacroMessage::NameHasLineBreak},
        {"tab", "a\tb", MacroMessage::NameHasControlCharacter},
        {"leading blank", " ab", MacroMessage::NameHasSurroundingBlanks},
        {"trailing blank", "ab ", MacroMessage::NameHasSurroundingBlanks},
        {"only blanks", "   ", MacroMessage::NameHasSurroundingBlanks},
        {"inner blanks", "a b", std::nullopt},
    };
    for (const Case& c : cases) {
        LoadLibrary(kThreeMacros);
        editor_.SetNameField(c.name);
        const auto notice = editor_.New();
        EXPECT_EQ(notice ? std::optional(notice->message) : std::nullopt, c.expected) << c.what;
        EXPECT_EQ(editor_.MacroNames().size(), c.expected ? 3u : 4u) << c.what;
    }
}

TEST_F(MacroEditorTest, NewRefusesAThirteenthMacro) {
    std::string text;
    for (int i = 1; i <= 12; ++i) text += "[m" + std::to_string(i) + "]\nItemCount=0\n";
    LoadLibrary(text);
    editor_.SetNameField("m13");
    EXPECT_EQ(editor_.New(),
              (MacroNotice{MacroMessage::MacroNumbersUpTo12, MacroCaption::Warning}));
}

TEST_F(MacroEditorTest, NewAddsToTheListOnly) {
    LoadLibrary(kThreeMacros);
    editor_.SetLoopTimesText("5");
    editor_.SetNameField("fourth");
    EXPECT_FALSE(editor_.New().has_value());
    EXPECT_EQ(editor_.MacroNames().back(), "fourth");
    EXPECT_EQ(editor_.SelectedMacro(), 3u);
    EXPECT_TRUE(editor_.Events().Empty());
    EXPECT_EQ(File(), kThreeMacros);
    editor_.SelectMacro(3);  // no section yet: empty list, loop field unchanged
    EXPECT_TRUE(editor_.Events().Empty());
    EXPECT_EQ(editor_.LoopTimesField(), "5");
}

TEST_F(MacroEditorTest, NewIntoAnEmptyListSelectsIt) {
    editor_.SetNameField("solo");
    EXPECT_FALSE(editor_.New().has_value());
    EXPECT_EQ(editor_.MacroNames(), Lines{"solo"});
    EXPECT_EQ(editor_.SelectedMacro(), 0u);
}

TEST_F(MacroEditorTest, DeleteRemovesTheSelectedMacro) {
    LoadLibrary(kThreeMacros);
    editor_.SelectMacro(1);
    const auto result = editor_.Delete();
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->ok);
    EXPECT_EQ(editor_.MacroNames(), (Lines{"first", "third"}));
    EXPECT_FALSE(editor_.SelectedMacro().has_value());
    EXPECT_EQ(editor_.NameField(), "");
    EXPECT_TRUE(editor_.Events().Empty());
    EXPECT_EQ(library_.ListMacros(), (Lines{"first", "third"}));
    EXPECT_FALSE(editor_.Delete().has_value());  // nothing selected now
}

TEST_F(MacroEditorTest, DeleteOfAnUnconfirmedMacroLeavesTheFile) {
    LoadLibrary(kThreeMacros);
    editor_.SetNameField("draft");
    editor_.New();
    const int writes = store_.WriteCount();
    ASSERT_TRUE(editor_.Delete().has_value());
    EXPECT_EQ(store_.WriteCount(), writes);
    EXPECT_EQ(File(), kThreeMacros);
}

TEST_F(MacroEditorTest, ConfirmWritesTheMacroLastAndRebuildsTheSlots) {
    LoadLibrary(kThreeMacros);
    editor_.SelectLine(2);
    editor_.InsertMouseEvent(3);
    ASSERT_EQ(editor_.Events().Lines().back(), "L-Button   Dn");
    const auto result = editor_.Confirm();
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->write.ok);
    EXPECT_EQ(library_.ListMacros(), (Lines{"second", "third", "first"}));
    EXPECT_EQ(editor_.MacroNames(), (Lines{"first", "second", "third"}));
    EXPECT_EQ(result->slot, 3u);
    EXPECT_EQ(result->fill.written, 3);
    EXPECT_TRUE(result->notices.empty());
    EXPECT_EQ(DescribeMacroSlot(SlotOf(std::as_const(image_), 1)), "B Dn 0 ms");
    EXPECT_EQ(DescribeMacroSlot(SlotOf(std::as_const(image_), 3)),
              "A Dn 50 ms, A Up 50 ms, L-Button Dn 0 ms");
}

TEST_F(MacroEditorTest, ConfirmOfAnEmptyMacroZeroesItsSlot) {
    LoadLibrary("[only]\nItemCount=1\nItem0=A   Dn\n");
    image_[layout::MacroSlotOffset(1) + 5] = 0x77;
    editor_.SetLoopTimesText("300");
    editor_.DeleteLine();  // nothing selected: nothing happens
    editor_.SelectLine(0);
    editor_.DeleteLine();
    ASSERT_TRUE(editor_.Confirm().has_value());
    EXPECT_EQ(File(), "[only]\nItemCount=0\n");
    const auto slot = SlotOf(std::as_const(image_), 1);
    EXPECT_TRUE(std::all_of(slot.begin(), slot.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(MacroEditorTest, ConfirmSaysWhenTheMacroDoesNotFit) {
    LoadLibrary("[long]\nItemCount=0\n");
    editor_.InsertMouseEvent(0);
    for (int i = 1; i < 40; ++i) {  // 40 clicks at the end of the list, 80 events
        editor_.SelectLine(editor_.Events().Lines().size() - 1);
        editor_.InsertMouseEvent(0);
    }
    const auto result = editor_.Confirm();
    ASSERT_TRUE(result.has_value());
    const MacroNotice notFit{MacroMessage::MacroDoesNotFit, MacroCaption::Warning, 63, 17};
    EXPECT_EQ(result->notices, std::vector<MacroNotice>{notFit});
    EXPECT_EQ(library_.ReadMacro("long").size(), 160u);  // the file keeps every line
}

TEST_F(MacroEditorTest, ConfirmSaysWhenTheMacroGetsNoSlot) {
    LoadLibrary("[" + std::string(250, 'a') + "]\nItemCount=0\n[short]\nItemCount=0\n");
    ASSERT_EQ(editor_.MacroNames().size(), 1u);
    editor_.SetNameField("b");
    editor_.New();
    const auto result = editor_.Confirm();
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->slot.has_value());
    EXPECT_EQ(result->notices.at(0).message, MacroMessage::MacroHasNoSlot);
}

TEST_F(MacroEditorTest, FailedConfirmLeavesFileAndSlots) {
    LoadLibrary(kThreeMacros);
    editor_.SelectLine(2);
    editor_.InsertMouseEvent(0);
    store_.FailWrites(true);
    const ImageBytes before = image_;
    const auto result = editor_.Confirm();
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->write.ok);
    EXPECT_EQ(result->notices.at(0).message, MacroMessage::WriteFailed);
    EXPECT_EQ(image_, before);
    EXPECT_EQ(File(), kThreeMacros);
}

TEST_F(MacroEditorTest, ConfirmNeedsASelectedMacro) {
    editor_.Load();
    EXPECT_FALSE(editor_.Confirm().has_value());
    EXPECT_FALSE(store_.Exists(path_));
}

}  // namespace
}  // namespace quarten
