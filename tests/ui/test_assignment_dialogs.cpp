// The assignment dialogs run modally from the key lists: what OK stores and how the caption
// reads, what Cancel leaves, the field rules, key capture with real evdev codes.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <linux/input-event-codes.h>

#include "buttons/ButtonFunction.h"
#include "tests/ui/AppRig.h"
#include "ui/BasicPage.h"
#include "ui/dialogs/AssignmentDialogs.h"

namespace quarten {
namespace {

namespace basic = layout::basic;
using test::AppRig;
using test::RigOptions;

QPoint Centre(const layout::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A key as the keyboard delivers it: Qt's native scan code is the evdev code plus 8.
void SendKey(QWidget* to, QEvent::Type type, int evdev, Qt::Key key = Qt::Key_unknown,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(type, key, modifiers, static_cast<quint32>(evdev + 8), 0, 0);
    QApplication::sendEvent(to, &event);
}
void Tap(QWidget* to, int evdev, Qt::Key key = Qt::Key_unknown) {
    SendKey(to, QEvent::KeyPress, evdev, key);
    SendKey(to, QEvent::KeyRelease, evdev, key);
}

enum class Ending { Ok, Cancel, Close };

class DialogTest : public ::testing::Test {
protected:
    explicit DialogTest(RigOptions options = {}) : rig(options) {}
    void SetUp() override { ASSERT_TRUE(rig.Start()); }

    // The next dialog runs for real (exec); once it shows, `act` works on it and then it
    // ends the way asked, by a press on its button.
    template <typename Dialog>
    void Next(std::function<void(Dialog&)> act, Ending ending = Ending::Ok) {
        hiddenAfterExec = false;
        rig.Context().runDialog = [this, act, ending](QDialog& dialog) {
            QTimer::singleShot(0, &dialog, [this, &dialog, act, ending] {
                auto* typed = dynamic_cast<Dialog*>(&dialog);
                ASSERT_NE(typed, nullptr);
                if (act) act(*typed);
                const layout::DialogFrame& frame = typed->Frame();
                test::Click(*typed, Centre(ending == Ending::Ok       ? frame.ok
                                      : ending == Ending::Cancel ? frame.cancel
                                                                 : frame.close));
            });
            const int result = dialog.exec();
            // Checked here: once the choice is made the dialog object is gone.
            hiddenAfterExec = !dialog.isVisible();
            return result;
        };
    }

    // Chooses `kind` from the key list of button `k` (1..7) of the shown layer.
    void Choose(int k, AssignmentKind kind) {
        rig.PressAt(basic::KeyBox(k));
        auto& page = static_cast<BasicPage&>(*rig.Window().CurrentPageObject());
        DropdownList* list = page.KeyList(k);
        ASSERT_NE(list, nullptr);
        emit list->itemClicked(list->item(static_cast<int>(kind)));
    }

    std::array<std::uint8_t, 4> Encoded(int k) {
        const ImageBytes& image = rig.Settings().image;
        return EncodeButtonFunction(ReadKind(image, 0, k - 1), ReadButtonParameters(image, 0, k - 1))
            .bytes;
    }
    std::string Caption(int k) { return rig.Context().skin.captions.Get(0, k - 1); }

    AppRig rig;
    bool hiddenAfterExec = false;
};

using Bytes = std::array<std::uint8_t, 4>;

TEST_F(DialogTest, OkWithoutTouchingStoresEachDialogsFirstChoice) {
    struct Case {
        AssignmentKind kind;
        Bytes bytes;
        const char* caption;
    };
    const Case cases[] = {
        {AssignmentKind::Windows, {0x03, 0x00, 0x83, 0x01}, "Multimedia Player"},
        {AssignmentKind::Multimedia, {0x03, 0x00, 0xB5, 0x00}, "Multimedia-Next"},
        {AssignmentKind::FireKey, {0x0A, 0x04, 0x20, 0x01}, "Fire Key-A"},
        {AssignmentKind::SingleKey, {0x00, 0x00, 0x00, 0x00}, "Single Key-"},
        {AssignmentKind::ComboKey, {0x00, 0x00, 0x00, 0x00}, "Combo Key-"},
        {AssignmentKind::MacroKey, {0x09, 0x00, 0x01, 0x00}, "Macro Key-"},
    };
    for (const Case& c : cases) {
        Next<SkinnedDialog>({});
        Choose(4, c.kind);
        EXPECT_EQ(ReadKind(rig.Settings().image, 0, 3), static_cast<int>(c.kind)) << c.caption;
        EXPECT_EQ(Encoded(4), c.bytes) << c.caption;
        EXPECT_EQ(Caption(4), c.caption);
        EXPECT_TRUE(hiddenAfterExec);
    }
}

TEST_F(DialogTest, CancelAndCloseChangeNothing) {
    const ImageBytes before = rig.Settings().image;
    const std::string caption = Caption(5);
    for (const Ending ending : {Ending::Cancel, Ending::Close}) {
        for (int kind = 8; kind <= 13; ++kind) {
            Next<SkinnedDialog>({}, ending);
            Choose(5, static_cast<AssignmentKind>(kind));
            EXPECT_EQ(rig.Settings().image, before) << kind;
            EXPECT_EQ(Caption(5), caption) << kind;
            // The list closes either way.
            auto& page = static_cast<BasicPage&>(*rig.Window().CurrentPageObject());
            EXPECT_EQ(page.KeyList(5), nullptr);
        }
    }
}

TEST_F(DialogTest, ChoicesFromTheDialogListsAreStored) {
    Next<CMediaDialog>([](CMediaDialog& d) {
        test::Click(d, Centre(layout::media_key::kBox));
        ASSERT_NE(d.OpenList(), nullptr);
        EXPECT_EQ(d.OpenList()->count(), 7);
        emit d.OpenList()->itemClicked(d.OpenList()->item(5));
        EXPECT_EQ(d.OpenList(), nullptr);
    });
    Choose(3, AssignmentKind::Multimedia);
    EXPECT_EQ(Caption(3), "Multimedia-Vol+");
    EXPECT_EQ(ReadButtonParameters(rig.Settings().image, 0, 2).multimediaChoice, 5);

    Next<CWindowsDialog>([](CWindowsDialog& d) {
        test::Click(d, Centre(layout::windows_key::kBox));
        ASSERT_NE(d.OpenList(), nullptr);
        EXPECT_EQ(d.OpenList()->count(), 11);
        test::Click(d, QPoint(10, 150));  // outside list and box: closes, chooses nothing
        EXPECT_EQ(d.OpenList(), nullptr);
        EXPECT_EQ(d.Choice(), 0);
    });
    Choose(3, AssignmentKind::Windows);
    EXPECT_EQ(Caption(3), "Multimedia Player");

    Next<CFireKeyDialog>([](CFireKeyDialog& d) {
        test::Click(d, Centre(layout::fire_key::kBox));
        ASSERT_NE(d.OpenList(), nullptr);
        EXPECT_EQ(d.OpenList()->count(), 61);
        EXPECT_FALSE(d.SpeedField()->isEnabled());  // the number fields rest meanwhile
        EXPECT_FALSE(d.TimesField()->isEnabled());
        emit d.OpenList()->itemClicked(d.OpenList()->item(58));  // "B5-Button"
        EXPECT_TRUE(d.SpeedField()->isEnabled());
    });
    Choose(3, AssignmentKind::FireKey);
    EXPECT_EQ(Caption(3), "Fire Key-B5-Button");
    EXPECT_EQ(ReadButtonParameters(rig.Settings().image, 0, 2).fireUsage, 0xF4);
}

// One wheel notch anywhere over a dialog scrolls its open list three lines: down for a
// negative or zero turn, up for a positive one; with no list open the dialog lets it pass.
TEST_F(DialogTest, TheWheelOverTheDialogScrollsTheOpenList) {
    CFireKeyDialog d(rig.Context(), &rig.Window());
    d.resize(d.Canvas().size());
    auto turn = [&](int delta) {
        const QPoint at(10, 150);  // over the dialog, away from the list
        QWheelEvent wheel(at, d.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&d, &wheel);
        return wheel.isAccepted();
    };
    EXPECT_FALSE(turn(-120));

    test::Click(d, Centre(layout::fire_key::kBox));
    ASSERT_NE(d.OpenList(), nullptr);
    QScrollBar* bar = d.OpenList()->verticalScrollBar();
    ASSERT_GE(bar->maximum(), 6) << "61 entries should not all fit";
    struct Step {
        int delta;
        int value;
    };
    const Step steps[] = {{-120, 3}, {-120, 6}, {0, 9}, {120, 6}, {240, 3}, {120, 0}, {120, 0}};
    for (const Step& step : steps) {
        EXPECT_TRUE(turn(step.delta));
        EXPECT_EQ(bar->value(), step.value) << step.delta;
    }
    emit d.OpenList()->itemClicked(d.OpenList()->item(0));
    EXPECT_EQ(d.OpenList(), nullptr);
    EXPECT_FALSE(turn(-120));
}

TEST_F(DialogTest, FireKeyFieldsHoldTheirRanges) {
    struct Case {
        const char* speedIn;
        const char* speedShown;
        int speed;
        const char* timesIn;
        const char* timesShown;
        int times;
    };
    const Case cases[] = {
        {"3", "5", 5, "0", "0", 0},         {"255", "255", 255, "255", "255", 255},
        {"256", "5", 5, "300", "1", 1},     {"", "5", 5, "", "", 0},
        {"99999999999999999999", "5", 5, "99999999999999999999", "1", 1},
    };
    for (const Case& c : cases) {
        CFireKeyDialog d(rig.Context(), &rig.Window());
        d.SpeedField()->setText(c.speedIn);
        d.TimesField()->setText(c.timesIn);
        EXPECT_EQ(d.TimesField()->text(), c.timesShown) << c.timesIn;  // checked at each change
        EXPECT_EQ(d.Times(), c.times) << c.timesIn;
        d.accept();  // the speed is checked as the field loses the focus on closing
        EXPECT_EQ(d.SpeedField()->text(), c.speedShown) << c.speedIn;
        EXPECT_EQ(d.Speed(), c.speed) << c.speedIn;
    }
}

TEST_F(DialogTest, SingleKeyNamesTheLastKeyTouchedAndIgnoresEnterAndEscape) {
    Next<CSingleDialog>([](CSingleDialog& d) {
        Tap(&d, KEY_A);
        SendKey(&d, QEvent::KeyPress, KEY_ESC, Qt::Key_Escape);
        SendKey(&d, QEvent::KeyPress, KEY_ENTER, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());  // neither ended the dialog
        SendKey(&d, QEvent::KeyPress, KEY_LEFTMETA, Qt::Key_Meta);
        EXPECT_EQ(d.KeyName(), "Left Windows");  // captured by name all the same
        Tap(&d, KEY_RIGHTCTRL, Qt::Key_Control);
    });
    Choose(2, AssignmentKind::SingleKey);
    EXPECT_EQ(Caption(2), "Single Key-Right Ctrl");
    EXPECT_EQ(ReadButtonParameters(rig.Settings().image, 0, 1).singleUsage, 0xE4);
}

TEST_F(DialogTest, ComboKeyTakesTheModifierAndTheKeysOfTheFocusedFields) {
    Next<CComboDialog>([](CComboDialog& d) {
        test::Click(d, Centre(layout::combo_key::kModifierBox));
        ASSERT_NE(d.OpenList(), nullptr);
        EXPECT_FALSE(d.Key1Field()->isEnabled());
        emit d.OpenList()->itemClicked(d.OpenList()->item(2));  // "Left Alt"
        EXPECT_TRUE(d.Key1Field()->isEnabled());
        d.Key1Field()->setFocus();
        Tap(d.Key1Field(), KEY_TAB, Qt::Key_Tab);
    });
    Choose(6, AssignmentKind::ComboKey);
    EXPECT_EQ(Encoded(6), (Bytes{0x00, 0x04, 0x2B, 0x00}));
    EXPECT_EQ(Caption(6), "Combo Key-Left Alt+Tab");

    Next<CComboDialog>([](CComboDialog& d) {
        d.Key1Field()->setFocus();
        Tap(d.Key1Field(), KEY_A);
        d.Key2Field()->setFocus();
        Tap(d.Key2Field(), KEY_B);
        d.Key2Field()->clearFocus();
        Tap(&d, KEY_C);  // no key field has the focus: dropped
        EXPECT_EQ(d.Key2Name(), "B");
    });
    Choose(6, AssignmentKind::ComboKey);
    EXPECT_EQ(Caption(6), "Combo Key-A+B");
}

TEST_F(DialogTest, ComboKeyTypedAfterChoosingTheModifierLandsInTheFieldLeft) {
    // The person clicks key field 2, picks the modifier, then types: no click in between.
    Next<CComboDialog>([](CComboDialog& d) {
        QTest::mouseClick(d.Key2Field(), Qt::LeftButton);
        ASSERT_EQ(d.focusWidget(), d.Key2Field());
        test::Click(d, Centre(layout::combo_key::kModifierBox));
        ASSERT_NE(d.OpenList(), nullptr);
        QListWidget& list = *d.OpenList();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(0)).center());  // "Left Ctrl"
        Tap(&d, KEY_X);
        EXPECT_EQ(d.Key2Field()->text(), "X");
    });
    Choose(6, AssignmentKind::ComboKey);
    EXPECT_EQ(Encoded(6), (Bytes{0x00, 0x01, 0x00, 0x1B}));
    EXPECT_EQ(Caption(6), "Combo Key-Left Ctrl+X");
}

TEST_F(DialogTest, MacroDialogListsTheLibraryAndItsModesAreOneGroup) {
    Next<CMacroDialog>([](CMacroDialog& d) {
        test::Click(d, Centre(layout::macro_key::kBox));
        ASSERT_NE(d.OpenList(), nullptr);
        EXPECT_EQ(d.OpenList()->count(), 0);  // the factory data has no library
    });
    Choose(7, AssignmentKind::MacroKey);
    EXPECT_EQ(Caption(7), "Macro Key-");

    rig.dir.WriteFile("record.ini",
                      "[Copy]\r\nItemCount=0\r\n[Paste]\r\nItemCount=0\r\n[Reload]\r\nItemCount=0\r\n");
    Next<CMacroDialog>([](CMacroDialog& d) {
        test::Click(d, Centre(layout::macro_key::ModeBox(3)));
        test::Click(d, Centre(layout::macro_key::ModeBox(2)));
        test::Click(d, Centre(layout::macro_key::ModeBox(3)));
        EXPECT_EQ(d.Mode(), 3);
        test::Click(d, Centre(layout::macro_key::kBox));
        ASSERT_NE(d.OpenList(), nullptr);
        ASSERT_EQ(d.OpenList()->count(), 3);
        emit d.OpenList()->itemClicked(d.OpenList()->item(2));
    });
    Choose(7, AssignmentKind::MacroKey);
    EXPECT_EQ(Encoded(7), (Bytes{0x09, 0x02, 0x03, 0x00}));
    EXPECT_EQ(Caption(7), "Macro Key-Reload");
}

TEST_F(DialogTest, DelayDialogGivesTheTextAndItsValue) {
    const std::tuple<const char*, int> cases[] = {{"20", 20}, {"", 0}, {"12000", 12000}};
    for (const auto& [text, value] : cases) {
        CDelayTimeDialog d(rig.Context(), &rig.Window());
        d.Field()->setText(text);
        EXPECT_EQ(d.DelayText(), text);
        EXPECT_EQ(d.DelayValue(), value) << text;
    }
}

TEST_F(DialogTest, DpiSwitchItselfChoosesNothing) {
    const ImageBytes before = rig.Settings().image;
    Choose(2, AssignmentKind::DpiSwitch);
    EXPECT_EQ(rig.Settings().image, before);
    auto& page = static_cast<BasicPage&>(*rig.Window().CurrentPageObject());
    ASSERT_NE(page.KeyList(2), nullptr);  // the list stays open for the sub-list
    emit page.KeyList(2)->itemEntered(page.KeyList(2)->item(6));
    ASSERT_NE(page.DpiSubList(), nullptr);
    emit page.DpiSubList()->itemClicked(page.DpiSubList()->item(1));  // "DPI -"
    EXPECT_EQ(Encoded(2), (Bytes{0x07, 0x00, 0x02, 0x00}));
    EXPECT_EQ(Caption(2), "DPI -");
}

TEST_F(DialogTest, AMissingBackgroundWarnsAndTheBareDialogStillCloses) {
    std::filesystem::remove(rig.dir / "Skins" / "Default" / "windows-key.png");
    Next<CWindowsDialog>([](CWindowsDialog& d) { EXPECT_FALSE(d.Dressed()); }, Ending::Cancel);
    Choose(3, AssignmentKind::Windows);
    ASSERT_EQ(rig.warnings.size(), 1u);
    EXPECT_EQ(rig.warnings[0].title, "Windows Dialog Load background image failed!!!");
    EXPECT_EQ(rig.warnings[0].text, "error");
}

TEST_F(DialogTest, AMissingButtonImageIsSaidOnce) {
    std::filesystem::remove(rig.dir / "Skins" / "Default" / "button-over.png");
    CDelayTimeDialog d(rig.Context(), &rig.Window());
    for (int i = 0; i < 3; ++i) {
        test::Hover(d, Centre(d.Frame().ok));
        test::Hover(d, Centre(d.Frame().cancel));
    }
    ASSERT_EQ(rig.warnings.size(), 1u);
    EXPECT_EQ(rig.warnings[0].text, "LoadPng---Load image failed.");
}

TEST_F(DialogTest, FrameButtonsLightUpUnderThePointer) {
    CMediaDialog d(rig.Context(), &rig.Window());
    auto at = [&](const layout::Rect& r) { return d.Canvas().copy(ToQRect(r)); };
    const QImage okNormal = at(d.Frame().ok);
    test::Hover(d, Centre(d.Frame().ok));
    EXPECT_NE(at(d.Frame().ok), okNormal);
    test::Hover(d, Centre(d.Frame().cancel));
    EXPECT_EQ(at(d.Frame().ok), okNormal);
    test::Hover(d, QPoint(5, 100));
    const QImage cancelNormal = at(d.Frame().cancel);
    test::Hover(d, Centre(d.Frame().cancel));
    EXPECT_NE(at(d.Frame().cancel), cancelNormal);
}

class ChineseDialogTest : public DialogTest {
protected:
    ChineseDialogTest() : DialogTest({.strIniLanguage = "CHS"}) {}
};

TEST_F(ChineseDialogTest, CaptionsUseTheListTextsOfTheLanguage) {
    struct Case {
        AssignmentKind kind;
        const char* caption;
    };
    const Case cases[] = {{AssignmentKind::Multimedia, "多媒体-Next"},
                          {AssignmentKind::FireKey, "连发键-A"},
                          {AssignmentKind::SingleKey, "单键-"},
                          {AssignmentKind::MacroKey, "宏-"},
                          {AssignmentKind::KeyOff, "按键关闭"}};
    for (const Case& c : cases) {
        Next<SkinnedDialog>({});
        Choose(4, c.kind);
        EXPECT_EQ(Caption(4), c.caption);
    }
}

}  // namespace
}  // namespace quarten
