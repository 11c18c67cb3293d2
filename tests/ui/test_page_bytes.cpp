// What the pages draw agrees with the bytes behind them: lighting effect, switched-off DPI
// stages, unknown sensors, a replaced "Shift", the loop count after a reordering "Confirm",
// and the recording hint; driven by real Qt mouse and key events, checked on config.bin and
// the simulated mouse.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "buttons/KeyMatrix.h"
#include "settings/SettingsFile.h"
#include "tests/ui/AppRig.h"
#include "ui/AdvancedPage.h"
#include "ui/BasicPage.h"
#include "ui/MacroPanel.h"
#include "ui/dialogs/AssignmentDialogs.h"

namespace quarten {
namespace {

namespace basic = layout::basic;
namespace frame = layout::frame;
namespace advanced = layout::advanced;
using test::AppRig;
using test::RigOptions;

QPoint Centre(const layout::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A click on row `row` of a list, where a person would click it.
void ClickRow(QListWidget& list, int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(row)).center());
}

class PageBytesTest : public ::testing::Test {
protected:
    explicit PageBytesTest(RigOptions options = {}) : rig(options) {}
    void SetUp() override { ASSERT_TRUE(rig.Start()); }

    BasicPage& Basic() { return static_cast<BasicPage&>(*rig.Window().CurrentPageObject()); }
    QImage Canvas(const layout::Rect& r) { return rig.Context().canvas.Image().copy(ToQRect(r)); }
    // The page background under `r` with `text` drawn as the page draws its labels.
    QImage Drawn(const layout::Rect& r, const QString& text, int flags) {
        SkinCanvas reference(rig.Context().images);
        const SkinCanvas& page = rig.Context().canvas;
        reference.SetSkin(page.Folder(), page.TextColour(), page.NormalFont(), page.HeadingFont());
        reference.Resize(page.Size());
        EXPECT_TRUE(reference.Reset(layout::image::kBasicBackground));
        reference.Text(r, text, flags, page.NormalFont(), page.TextColour());
        return reference.Image().copy(ToQRect(r));
    }
    std::uint8_t FileByte(std::size_t imageOffset) {
        return static_cast<std::uint8_t>(
            rig.ConfigBin().at(kSettingsFileSize - layout::kImageSize + imageOffset));
    }

    AppRig rig;
};

TEST_F(PageBytesTest, StandardAndRespirationShowAndStoreTheirOneEffect) {
    // An older file named another effect for Standard; Neon is shown.
    rig.Settings().At(layout::kStandardEffect) = 0;
    rig.Settings().At(layout::kRespirationEffect) = 0;
    rig.Settings().At(layout::kLightMode) = 3;
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    for (int mode : {0, 1}) {  // Standard, Respiration
        rig.PressAt(basic::LightBox(0));
        ASSERT_NE(Basic().LightList(0), nullptr);
        ClickRow(*Basic().LightList(0), mode);
        EXPECT_EQ(Canvas(basic::LightBoxLabel(2)),
                  Drawn(basic::LightBoxLabel(2), QStringLiteral("RGB Effect"), left))
            << mode;
        rig.PressAt(basic::LightBox(2));  // no list: the box names the one effect
        EXPECT_EQ(Basic().LightList(2), nullptr);
        rig.PressAt(frame::kApply);
        EXPECT_EQ(rig.mouse->State().effect[0], mode + 1);
        EXPECT_EQ(FileByte(mode == 0 ? layout::kStandardEffect : layout::kRespirationEffect), 1)
            << mode;
    }
}

TEST_F(PageBytesTest, AStageThatIsOffKeepsItsLevelBarAndColour) {
    DeviceSettings& s = rig.Settings();
    for (int st = 0; st < 4; ++st) s.At(layout::kDpiEnabled + st) = st == 0 ? 1 : 0;
    s.At(layout::kDpiLevel) = 7;
    s.At(layout::kDpiLevel + 2) = 0;                    // stage 3: only its first segment lit
    const std::size_t colour = layout::kDpiColour + 3;  // stage 2
    s.At(colour) = 200;
    s.At(colour + 1) = 10;
    s.At(colour + 2) = 60;
    rig.PressAt(basic::DpiSegment(2, 5));  // the level of the off stage, as a person sets it
    EXPECT_EQ(rig.Byte(layout::kDpiLevel + 1), 4);
    EXPECT_EQ(rig.Byte(layout::kDpiEnabled + 1), 0);
    const QImage lit = Canvas(basic::DpiSegment(1, 1));
    ASSERT_NE(lit, Canvas(basic::DpiSegment(2, 6)));
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(Canvas(basic::DpiSegment(2, n)), lit) << n;
    EXPECT_EQ(Canvas(basic::DpiSegment(2, 6)), Canvas(basic::DpiSegment(3, 6)));
    EXPECT_EQ(rig.Context().canvas.Image().pixelColor(Centre(basic::StageSwatch(2))),
              QColor(200, 10, 60));
    EXPECT_NE(Canvas(basic::StageBox(2)), Canvas(basic::StageBox(1)));  // no tick: it is off
}

TEST_F(PageBytesTest, ReplacingShiftGivesBothModesTheWholeFunction) {
    rig.PressAt(basic::KeyBox(3));
    ASSERT_NE(Basic().KeyList(3), nullptr);
    ClickRow(*Basic().KeyList(3), 14);  // "Shift"
    ASSERT_EQ(rig.Context().skin.captions.Get(1, 2), "Shift");
    rig.PressAt(basic::kModeB);
    rig.Context().runDialog = [](QDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent key(type, Qt::Key_Q, Qt::NoModifier, KEY_Q + 8, 0, 0);
                QApplication::sendEvent(&dialog, &key);
            }
            auto& typed = dynamic_cast<CSingleDialog&>(dialog);
            test::ProcessUntil([&] { return typed.KeyName() == "Q"; });
            test::Click(typed, Centre(typed.Frame().ok));
        });
        return dialog.exec();
    };
    rig.PressAt(basic::KeyBox(3));
    ASSERT_NE(Basic().KeyList(3), nullptr);
    ClickRow(*Basic().KeyList(3), 11);  // "Single Key"
    rig.PressAt(frame::kApply);

    const ButtonFunction singleQ{{0x00, 0x00, 0x14, 0x00}};
    const auto& tables = rig.mouse->State().keyMatrices;
    EXPECT_EQ(KeyMatrixEntry(tables[key_matrix::kModeBTable], 2).bytes, singleQ.bytes);
    EXPECT_EQ(KeyMatrixEntry(tables[key_matrix::kModeATable], 2).bytes, singleQ.bytes);
    for (int mode : {0, 1}) {
        EXPECT_EQ(rig.Context().skin.captions.Get(mode, 2), "Single Key-Q") << mode;
        EXPECT_EQ(FileByte(layout::ModeByte(mode, layout::mode::kSingleUsage, 2)), 0x14) << mode;
    }
}

class UnknownSensorTest : public PageBytesTest {
protected:
    UnknownSensorTest() : PageBytesTest(RigOptions{.sensorType = 5}) {}
};

TEST_F(UnknownSensorTest, ShowsAndTakesTheTwelveLevelsOfSensorZero) {
    ASSERT_EQ(rig.Settings().sensorTypeSelector, 5);
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    EXPECT_EQ(Canvas(basic::DpiLevelLabel(12)),
              Drawn(basic::DpiLevelLabel(12), QStringLiteral("4000"), right));
    EXPECT_EQ(Canvas(basic::DpiLevelLabel(9)),
              Drawn(basic::DpiLevelLabel(9), QStringLiteral("2500"), right));
    rig.PressAt(basic::DpiSegment(2, 11));
    EXPECT_EQ(rig.Byte(layout::kDpiLevel + 1), 10);
    EXPECT_EQ(Canvas(basic::DpiSegment(2, 11)), Canvas(basic::DpiSegment(2, 1)));
}

class MacroBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.dir.WriteFile("record.ini",
                          "[first]\nItemCount=1\nItem0=A   Dn\n[second]\nItemCount=1\n"
                          "Item0=B   Dn\n[third]\nItemCount=1\nItem0=C   Dn\n");
        ASSERT_TRUE(rig.Start());
        rig.PressAt(frame::kNextPage);
        rig.warnings.clear();
    }
    MacroPanel& Panel() {
        return *static_cast<AdvancedPage&>(*rig.Window().CurrentPageObject()).Macros();
    }
    void TypeLoopTimes(const char* digits) {
        QLineEdit& field = *Panel().LoopTimesField();
        QTest::mouseClick(&field, Qt::LeftButton);
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&field, digits);
    }
    std::uint16_t MouseLoopCount(int slot) {
        const auto bytes = rig.mouse->State().macroSlots[static_cast<std::size_t>(slot - 1)];
        return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    }
    std::uint16_t FileLoopCount(int slot) {
        const std::string bin = rig.ConfigBin();
        const std::size_t at = kSettingsFileSize - layout::kImageSize +
                               layout::MacroSlotOffset(static_cast<std::size_t>(slot));
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bin.at(at)) << 8 |
                                          static_cast<std::uint8_t>(bin.at(at + 1)));
    }

    AppRig rig;
};

TEST_F(MacroBytesTest, LoopTimesLandInTheSlotOfTheChosenMacroAfterConfirmReorders) {
    TypeLoopTimes("5");               // "first", slot 1
    rig.PressAt(advanced::kConfirm);  // file order now second, third, first
    ASSERT_EQ(rig.dir.ReadFile("record.ini").rfind("[first]"),
              rig.dir.ReadFile("record.ini").find("[first]"));
    ClickRow(*Panel().MacroList(), 1);  // "second", now in slot 1
    ASSERT_EQ(Panel().NameField()->text(), "second");
    TypeLoopTimes("7");
    ClickRow(*Panel().MacroList(), 2);  // "third", now in slot 2
    TypeLoopTimes("9");
    rig.PressAt(frame::kApply);
    EXPECT_EQ(MouseLoopCount(1), 7);
    EXPECT_EQ(MouseLoopCount(2), 9);
    EXPECT_EQ(MouseLoopCount(3), 5);  // "first" kept the count the field showed for it
    EXPECT_EQ(FileLoopCount(1), 7);
    EXPECT_EQ(FileLoopCount(2), 9);
    EXPECT_EQ(FileLoopCount(3), 5);

    // Choosing "first" again shows the count its slot holds.
    ClickRow(*Panel().MacroList(), 0);
    EXPECT_EQ(Panel().LoopTimesField()->text(), "5");
}

TEST_F(MacroBytesTest, ARecordingSaysOnThePageHowItEnds) {
    EXPECT_FALSE(Panel().RecordingHint()->isVisible());
    rig.PressAt(advanced::kRecordStart);
    QLabel* hint = Panel().RecordingHint();
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), "Press Ctrl+Break key to stop recording");
    EXPECT_TRUE(rig.Window().rect().contains(hint->geometry()));
    // Nothing else of the page lies under it.
    for (const layout::Rect& r : {advanced::kNew, advanced::kDelete, advanced::kConfirm,
                                  advanced::kMacroList, advanced::kSequenceList, frame::kOk}) {
        EXPECT_FALSE(hint->geometry().intersects(ToQRect(r)));
    }
    rig.PressAt(advanced::kRecordStop);
    EXPECT_FALSE(hint->isVisible());
}

}  // namespace
}  // namespace quarten
