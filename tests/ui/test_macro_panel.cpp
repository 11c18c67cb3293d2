// The macro editor on the advanced page: recording real key events through the application's
// key capture, the mouse-event dropdown, delay edits through the real dialog, the loop-times
// field, and "New", "Delete" and "Confirm" against record.ini.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTimer>

#include <linux/input-event-codes.h>

#include "tests/ui/AppRig.h"
#include "ui/AdvancedPage.h"
#include "ui/MacroPanel.h"
#include "ui/dialogs/AssignmentDialogs.h"

namespace quarten {
namespace {

namespace frame = layout::frame;
namespace advanced = layout::advanced;
using test::AppRig;
using test::Shown;
using Lines = std::vector<std::string>;

const Shown kStartBox{"QUARTEN", "Start Recording", 0};
const Shown kStopBox{"QUARTEN", "Stop Recording", 0};

// A key as the keyboard delivers it: Qt's native scan code is the evdev code plus 8.
void SendKey(QWidget* to, QEvent::Type type, int evdev, bool autoRepeat = false,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent event(type, Qt::Key_unknown, modifiers, static_cast<quint32>(evdev + 8), 0, 0, text,
                    autoRepeat);
    QApplication::sendEvent(to, &event);
}

class MacroPanelTest : public ::testing::Test {
protected:
    void Start(const std::string& library) {
        if (!library.empty()) rig.dir.WriteFile("record.ini", library);
        ASSERT_TRUE(rig.Start());
        rig.PressAt(frame::kNextPage);
        ASSERT_NE(Panel(), nullptr);
        rig.warnings.clear();
    }
    AdvancedPage& Page() { return static_cast<AdvancedPage&>(*rig.Window().CurrentPageObject()); }
    MacroPanel* Panel() { return Page().Macros(); }
    QWidget* Window() { return &rig.Window(); }
    Lines EventLines() {
        Lines lines;
        for (int i = 0; i < Panel()->EventList()->count(); ++i) {
            lines.push_back(Panel()->EventList()->item(i)->text().toStdString());
        }
        return lines;
    }
    Lines MacroNames() {
        Lines names;
        for (int i = 0; i < Panel()->MacroList()->count(); ++i) {
            names.push_back(Panel()->MacroList()->item(i)->text().toStdString());
        }
        return names;
    }
    void Tap(int evdev) {
        SendKey(Window(), QEvent::KeyPress, evdev);
        SendKey(Window(), QEvent::KeyRelease, evdev);
    }
    void ChooseEvent(int index) {
        rig.PressAt(advanced::kEventBox);
        DropdownList* list = Panel()->EventDropdown();
        ASSERT_NE(list, nullptr);
        emit list->itemClicked(list->item(index));
    }
    void SelectLine(int row) { Panel()->EventList()->setCurrentRow(row); }
    std::uint16_t LoopCount(int slot) {
        const std::size_t at = layout::MacroSlotOffset(static_cast<std::size_t>(slot));
        return static_cast<std::uint16_t>(rig.Byte(at) << 8 | rig.Byte(at + 1));
    }

    AppRig rig;
};

const char kTwoMacros[] =
    "[first]\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n"
    "[second]\nItemCount=1\nItem0=B   Dn\n";

TEST_F(MacroPanelTest, TheLibraryFillsTheListsAndSelectingShowsAMacro) {
    Start(kTwoMacros);
    EXPECT_EQ(MacroNames(), (Lines{"first", "second"}));
    EXPECT_EQ(Panel()->MacroList()->currentRow(), 0);
    EXPECT_EQ(Panel()->NameField()->text(), "first");
    EXPECT_EQ(EventLines(), (Lines{"A   Dn", "50 ms", "A   Up"}));

    Panel()->MacroList()->setCurrentRow(1);
    EXPECT_EQ(Panel()->NameField()->text(), "second");
    EXPECT_EQ(EventLines(), (Lines{"B   Dn"}));
}

TEST_F(MacroPanelTest, RecordingTakesKeysFromTheKeyboardUntilStopped) {
    Start(kTwoMacros);
    rig.PressAt(advanced::kRecordStart);
    EXPECT_EQ(rig.warnings, (std::vector<Shown>{kStartBox}));
    EXPECT_EQ(Window()->windowTitle(), "Press Ctrl+Break key to stop recording");
    EXPECT_TRUE(EventLines().empty());  // a recording starts from an empty list

    // The release of the key that closed the box comes first; A is held and repeats; then B;
    // Ctrl+Break is recorded like any key and does not stop the recording.
    SendKey(Window(), QEvent::KeyRelease, KEY_ENTER);
    SendKey(Window(), QEvent::KeyPress, KEY_A);
    SendKey(Window(), QEvent::KeyPress, KEY_A, true);
    SendKey(Window(), QEvent::KeyPress, KEY_A, true);
    SendKey(Window(), QEvent::KeyRelease, KEY_A);
    Tap(KEY_B);
    SendKey(Window(), QEvent::KeyPress, KEY_PAUSE, false, Qt::ControlModifier);
    // A release sets no first-event state: the first press still comes without a delay.
    EXPECT_EQ(EventLines(), (Lines{"50 ms", "Enter   Up", "A   Dn", "50 ms", "A   Up", "50 ms",
                                   "B   Dn", "50 ms", "B   Up", "50 ms", "Break   Dn"}));
    EXPECT_EQ(Panel()->EventList()->currentRow(), 10);

    // Keys meant for the fields are taken by the recording, not typed.
    SendKey(Panel()->NameField(), QEvent::KeyPress, KEY_X, false, Qt::NoModifier, "x");
    EXPECT_EQ(Panel()->NameField()->text(), "first");

    rig.PressAt(advanced::kRecordStop);
    rig.PressAt(advanced::kRecordStop);
    EXPECT_EQ(rig.warnings,
              (std::vector<Shown>{kStartBox, kStopBox, kStopBox,
                                  {"Warning",
                                   QString::fromUtf8("It doesn\u2019t start recording, unnecessary to "
                                                     "press Stop key!"),
                                   0}}));
    const std::size_t lines = EventLines().size();
    Tap(KEY_C);
    EXPECT_EQ(EventLines().size(), lines);  // stopped: no more lines
}

TEST_F(MacroPanelTest, SevenLinesForATypedThenB) {
    Start(kTwoMacros);
    rig.PressAt(advanced::kRecordStart);
    Tap(KEY_A);
    Tap(KEY_B);
    // The last release is written once it is clear no auto-repeat press follows it.
    const Lines seven{"A   Dn", "50 ms", "A   Up", "50 ms", "B   Dn", "50 ms", "B   Up"};
    test::ProcessUntil([&] { return EventLines() == seven; });
    EXPECT_EQ(EventLines(), seven);
}

TEST_F(MacroPanelTest, RecordingNeedsAMacroAndASelectionAndEndsWithThePage) {
    Start("");
    rig.PressAt(advanced::kRecordStart);
    EXPECT_EQ(rig.warnings, (std::vector<Shown>{{"Warning", "Macro name is blank", 0}}));
    EXPECT_FALSE(Page().Editor().Recorder().HookInstalled());

    // A deleted macro leaves no selection: the hook goes in, nothing is recorded.
    rig.dir.WriteFile("record.ini", kTwoMacros);
    rig.PressAt(frame::kPrevPage);
    rig.PressAt(frame::kNextPage);
    rig.PressAt(advanced::kDelete);
    rig.PressAt(advanced::kRecordStart);
    EXPECT_TRUE(Page().Editor().Recorder().HookInstalled());
    Tap(KEY_A);
    EXPECT_TRUE(EventLines().empty());

    // Leaving the page removes the capture: Enter reaches the window again and hides it.
    rig.PressAt(frame::kPrevPage);
    ASSERT_TRUE(Window()->isVisible());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, KEY_ENTER + 8, 0, 0);
    QApplication::sendEvent(Window(), &enter);
    EXPECT_FALSE(Window()->isVisible());

    // The recording flag stayed: stopping later is no "not started" case.
    rig.ClickTray();
    rig.PressAt(frame::kNextPage);
    rig.warnings.clear();
    rig.PressAt(advanced::kRecordStop);
    EXPECT_EQ(rig.warnings, (std::vector<Shown>{kStopBox}));
}

TEST_F(MacroPanelTest, MouseEventsGoInRelativeToTheSelectedLine) {
    Start("[m]\nItemCount=0\n");
    ChooseEvent(1);  // "R-Button Click" into the empty list of a selected macro
    EXPECT_EQ(EventLines(), (Lines{"R-Button   Dn", "50 ms", "R-Button   Up", "50 ms"}));
    EXPECT_EQ(Panel()->EventBoxLabel()->text(), "R-Button Click");
    EXPECT_EQ(Panel()->EventDropdown(), nullptr);

    SelectLine(1);  // a delay line: the event follows it
    ChooseEvent(3);  // "L-Button   Dn"
    EXPECT_EQ(EventLines(), (Lines{"R-Button   Dn", "50 ms", "L-Button   Dn", "50 ms",
                                   "R-Button   Up", "50 ms"}));
    EXPECT_EQ(Panel()->EventList()->currentRow(), 2);

    SelectLine(0);  // a key line: a delay goes between
    ChooseEvent(2);  // "M-Button Click"
    EXPECT_EQ(EventLines(), (Lines{"R-Button   Dn", "50 ms", "M-Button   Dn", "50 ms",
                                   "M-Button   Up", "50 ms", "L-Button   Dn", "50 ms",
                                   "R-Button   Up", "50 ms"}));
    EXPECT_EQ(Panel()->EventList()->currentRow(), 2);

    // A press elsewhere closes an open list without choosing.
    rig.PressAt(advanced::kEventBox);
    ASSERT_NE(Panel()->EventDropdown(), nullptr);
    rig.Press(300, 100);
    EXPECT_EQ(Panel()->EventDropdown(), nullptr);
    EXPECT_EQ(EventLines().size(), 10u);
}

TEST_F(MacroPanelTest, DelayLinesAreEditedThroughTheDelayDialog) {
    Start(kTwoMacros);
    struct Case {
        const char* typed;
        const char* line;
    };
    for (const Case c : {Case{"20000", "10 ms"}, Case{"10000", "10000 ms"}, Case{"7", "7 ms"}}) {
        rig.Context().runDialog = [&](QDialog& dialog) {
            auto* delay = dynamic_cast<CDelayTimeDialog*>(&dialog);
            EXPECT_NE(delay, nullptr);
            if (!delay) return 0;
            QTimer::singleShot(0, delay, [delay, c] {
                delay->Field()->setText(c.typed);
                const layout::DialogFrame& f = delay->Frame();
                test::Click(*delay, QPoint((f.ok.left + f.ok.right) / 2, (f.ok.top + f.ok.bottom) / 2));
            });
            return dialog.exec();
        };
        SelectLine(1);
        Panel()->EditSelectedDelay();
        EXPECT_EQ(EventLines()[1], c.line) << c.typed;
        EXPECT_EQ(Panel()->EventList()->currentRow(), 1);
    }
    // A key line opens no dialog.
    bool opened = false;
    rig.Context().runDialog = [&](QDialog&) { return opened = true, 0; };
    SelectLine(0);
    Panel()->EditSelectedDelay();
    EXPECT_FALSE(opened);
}

TEST_F(MacroPanelTest, DeletingALineTakesOnlyThatLine) {
    Start(kTwoMacros);
    Panel()->EventList()->setCurrentRow(-1);
    Panel()->DeleteSelectedLine();
    EXPECT_EQ(EventLines().size(), 3u);
    SelectLine(0);
    Panel()->DeleteSelectedLine();
    EXPECT_EQ(EventLines(), (Lines{"50 ms", "A   Up"}));
}

TEST_F(MacroPanelTest, LoopTimesOutsideTheirRangeBecomeOne) {
    Start(kTwoMacros);
    struct Case {
        const char* typed;
        const char* shown;
        std::uint16_t stored;
    };
    for (const Case c : {Case{"300", "300", 300}, Case{"70000", "1", 1}, Case{"", "1", 1},
                         Case{"65535", "65535", 65535}, Case{"0", "1", 1}}) {
        Panel()->LoopTimesField()->setText(c.typed);
        EXPECT_EQ(Panel()->LoopTimesField()->text(), c.shown) << c.typed;
        EXPECT_EQ(LoopCount(1), c.stored) << c.typed;
    }
}

TEST_F(MacroPanelTest, NewRefusesBlankDuplicateAndThirteenthNames) {
    std::string twelve;
    for (int i = 1; i <= 11; ++i) twelve += "[m" + std::to_string(i) + "]\nItemCount=0\n";
    twelve += "[First]\nItemCount=0\n";
    Start(kTwoMacros);

    Panel()->NameField()->setText("");
    rig.PressAt(advanced::kNew);
    Panel()->NameField()->setText("FIRST");
    rig.PressAt(advanced::kNew);
    EXPECT_EQ(rig.warnings, (std::vector<Shown>{{"QUARTEN", "Macro name is blank", 0},
                                                {"QUARTEN", "Macro name already exists", 0}}));
    EXPECT_EQ(MacroNames(), (Lines{"first", "second"}));

    // A new name is listed and selected with an empty event list; the file is not touched.
    const std::string before = rig.dir.ReadFile("record.ini");
    Panel()->NameField()->setText("third");
    rig.PressAt(advanced::kNew);
    EXPECT_EQ(MacroNames(), (Lines{"first", "second", "third"}));
    EXPECT_EQ(Panel()->MacroList()->currentRow(), 2);
    EXPECT_TRUE(EventLines().empty());
    EXPECT_EQ(rig.dir.ReadFile("record.ini"), before);

    rig.dir.WriteFile("record.ini", twelve);
    rig.PressAt(frame::kPrevPage);
    rig.PressAt(frame::kNextPage);
    rig.warnings.clear();
    Panel()->NameField()->setText("thirteenth");
    rig.PressAt(advanced::kNew);
    EXPECT_EQ(rig.warnings, (std::vector<Shown>{{"Warning", "Macro numbers up to 12.", 0}}));
}

TEST_F(MacroPanelTest, ConfirmWritesTheSelectedMacroLastAndFillsItsSlot) {
    Start(kTwoMacros + std::string("[third]\nItemCount=0\n"));
    rig.PressAt(advanced::kRecordStart);
    Tap(KEY_Z);
    rig.PressAt(advanced::kRecordStop);
    rig.PressAt(advanced::kConfirm);
    EXPECT_EQ(rig.dir.ReadFile("record.ini"),
              "[second]\nItemCount=1\nItem0=B   Dn\n[third]\nItemCount=0\n"
              "[first]\nItemCount=3\nItem0=Z   Dn\nItem1=50 ms\nItem2=Z   Up\n");
    EXPECT_EQ(MacroNames(), (Lines{"first", "second", "third"}));  // until the page is rebuilt

    // "first" is now the file's third macro: slot 3 holds Z, slot 1 holds "second".
    const std::size_t slot3 = layout::MacroSlotOffset(3);
    EXPECT_NE(rig.Byte(slot3 + 2), 0);

    // Delete of a macro that was never confirmed leaves the file alone.
    const std::string file = rig.dir.ReadFile("record.ini");
    Panel()->NameField()->setText("fresh");
    rig.PressAt(advanced::kNew);
    rig.PressAt(advanced::kDelete);
    EXPECT_EQ(rig.dir.ReadFile("record.ini"), file);
    EXPECT_EQ(MacroNames(), (Lines{"first", "second", "third"}));
    EXPECT_EQ(Panel()->NameField()->text(), "");
}

TEST_F(MacroPanelTest, AMacroTooLongForTheMouseIsSaidAtConfirm) {
    std::string lines;
    for (int i = 0; i < 80; ++i) {
        lines += "Item" + std::to_string(2 * i) + "=A   Dn\nItem" + std::to_string(2 * i + 1) +
                 "=50 ms\n";
    }
    Start("[long]\nItemCount=160\n" + lines);
    rig.PressAt(advanced::kConfirm);
    ASSERT_EQ(rig.warnings.size(), 1u);
    EXPECT_TRUE(rig.warnings[0].text.startsWith("Macro is too long for the mouse: "))
        << rig.warnings[0].text.toStdString();
    EXPECT_EQ(rig.warnings[0].title, "Warning");
}

}  // namespace
}  // namespace quarten
