// The main window: the press dispatch and its order, OK/Apply/Cancel against the snapshot,
// the keyboard, hover highlighting, dropdown lists, sliders and the basic page's controls.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "buttons/ButtonFunction.h"
#include "tests/ui/AppRig.h"
#include "ui/BasicPage.h"
#include "ui/DeviceController.h"
#include "ui/DropdownList.h"

namespace quarten {
namespace {

namespace basic = layout::basic;
namespace frame = layout::frame;
namespace advanced = layout::advanced;
using test::AppRig;
using test::RigOptions;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Start()); }

    BasicPage& Basic() { return static_cast<BasicPage&>(*rig.Window().CurrentPageObject()); }
    QImage Canvas(const layout::Rect& r) { return rig.Context().canvas.Image().copy(ToQRect(r)); }
    void Hover(const layout::Rect& r) {
        rig.HoverAt(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    void Key(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&rig.Window(), &press);
    }
    std::uint8_t ModeAKind(int button) {
        return rig.Byte(layout::kModeA + layout::mode::kKind + static_cast<std::size_t>(button));
    }

    AppRig rig;  // no tray: the window is shown at start
};

TEST_F(MainWindowTest, OkAppliesSavesSnapshotsAndHides) {
    rig.PressAt(basic::RateSegment(1));  // 125 Hz
    EXPECT_EQ(rig.Byte(layout::kReportInterval), 8);
    EXPECT_NE(rig.mouse->State().reportInterval, 8);  // nothing sent before "OK"

    rig.PressAt(frame::kOk);
    EXPECT_EQ(rig.mouse->State().reportInterval, 8);
    EXPECT_EQ(static_cast<std::uint8_t>(rig.ConfigBin().at(134)), 8);
    EXPECT_EQ(rig.Settings().snapshot, rig.Settings().image);
    EXPECT_FALSE(rig.Window().isVisible());
}

TEST_F(MainWindowTest, ApplyKeepsTheWindowAndCancelRestoresTheLastApplied) {
    rig.PressAt(basic::RateSegment(2));  // 250 Hz, applied
    rig.PressAt(frame::kApply);
    EXPECT_TRUE(rig.Window().isVisible());
    const ImageBytes applied = rig.Settings().image;
    const std::string savedFile = rig.ConfigBin();

    // Several edits, then "Cancel": every byte is back, nothing reaches mouse or file.
    rig.PressAt(basic::RateSegment(4));
    rig.PressAt(basic::DpiSegment(2, 3));
    rig.PressAt(basic::kModeB);
    rig.PressAt(basic::StageBox(4));
    ASSERT_NE(rig.Settings().image, applied);
    rig.mouse->ClearLog();
    rig.PressAt(frame::kCancel);
    EXPECT_EQ(rig.Settings().image, applied);
    EXPECT_FALSE(rig.Window().isVisible());
    EXPECT_TRUE(rig.mouse->Log().empty());
    EXPECT_EQ(rig.ConfigBin(), savedFile);

    // The next opening redraws the page from the restored image.
    const QImage stale = Canvas(basic::RateSegment(4));
    rig.ClickTray();
    EXPECT_TRUE(rig.Window().isVisible());
    EXPECT_NE(Canvas(basic::RateSegment(4)), stale);
}

TEST_F(MainWindowTest, WithoutAMouseOkAndApplyDoNothingButCancelWorks) {
    rig.mouse->Unplug();
    rig.app->Device()->HandleRemoval();
    rig.Window().show();
    const std::string file = rig.ConfigBin();
    rig.PressAt(basic::RateSegment(1));
    rig.PressAt(frame::kApply);
    rig.PressAt(frame::kOk);
    EXPECT_TRUE(rig.Window().isVisible());
    EXPECT_EQ(rig.ConfigBin(), file);
    rig.PressAt(frame::kCancel);
    EXPECT_FALSE(rig.Window().isVisible());
    EXPECT_NE(rig.Byte(layout::kReportInterval), 8);
}

TEST_F(MainWindowTest, FrameButtonsActInTheirOrder) {
    rig.PressAt(frame::kNextPage);
    EXPECT_EQ(rig.Window().CurrentPage(), CPadrionDlg::PageState::Advanced);
    rig.PressAt(frame::kPrevPage);
    EXPECT_EQ(rig.Window().CurrentPage(), CPadrionDlg::PageState::Basic);
    rig.PressAt(frame::kMinimise);
    EXPECT_FALSE(rig.Window().isVisible());
    EXPECT_EQ(rig.exitCode, -1);  // hiding is not leaving
    rig.ClickTray();
    rig.PressAt(frame::kClose);
    EXPECT_EQ(rig.exitCode, 0);
}

TEST_F(MainWindowTest, EnterAndEscapeOnlyHide) {
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        rig.ClickTray();
        rig.PressAt(basic::RateSegment(3));
        Key(key);
        EXPECT_FALSE(rig.Window().isVisible()) << key;
        rig.ClickTray();
        // Still pending: neither applied nor cancelled.
        EXPECT_EQ(rig.Byte(layout::kReportInterval), 2) << key;
        EXPECT_NE(rig.mouse->State().reportInterval, 2) << key;
    }
}

TEST_F(MainWindowTest, ClosingTheWindowHidesIt) {
    rig.Window().close();
    EXPECT_FALSE(rig.Window().isVisible());
    EXPECT_EQ(rig.exitCode, -1);
}

TEST_F(MainWindowTest, HoverLightsOneMemberOfAGroupAndGoesOutWhenThePointerLeaves) {
    const QImage okNormal = Canvas(frame::kOk);
    const QImage applyNormal = Canvas(frame::kApply);
    Hover(frame::kOk);
    const QImage okOver = Canvas(frame::kOk);
    EXPECT_NE(okOver, okNormal);

    Hover(frame::kApply);
    EXPECT_EQ(Canvas(frame::kOk), okNormal);
    EXPECT_NE(Canvas(frame::kApply), applyNormal);

    rig.HoverAt(QPoint(450, 120));  // an empty part of the page
    EXPECT_EQ(Canvas(frame::kApply), applyNormal);

    // Key boxes light up too, with their number and text kept.
    const QImage boxNormal = Canvas(basic::KeyBox(3));
    Hover(basic::KeyBox(3));
    EXPECT_NE(Canvas(basic::KeyBox(3)), boxNormal);
    Hover(basic::KeyBox(4));
    EXPECT_EQ(Canvas(basic::KeyBox(3)), boxNormal);

    // Leaving the window puts the lit button out, and so does hiding it: nothing is left
    // lit that the pointer is no longer over.
    const QImage cancelNormal = Canvas(frame::kCancel);
    Hover(frame::kCancel);
    ASSERT_NE(Canvas(frame::kCancel), cancelNormal);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&rig.Window(), &leave);
    EXPECT_EQ(Canvas(frame::kCancel), cancelNormal);
    Hover(frame::kOk);
    rig.PressAt(frame::kMinimise);
    rig.ClickTray();
    EXPECT_EQ(Canvas(frame::kOk), okNormal);
}

TEST_F(MainWindowTest, ReportRatePositionsStoreTheirIntervals) {
    const std::pair<int, int> cases[] = {{1, 8}, {2, 4}, {3, 2}, {4, 1}};
    for (const auto& [position, interval] : cases) {
        rig.PressAt(basic::RateSegment(position));
        EXPECT_EQ(rig.Byte(layout::kReportInterval), interval) << position;
    }
}

TEST_F(MainWindowTest, DpiSegmentsAboveEightAreRefusedForEightLevelSensors) {
    ASSERT_EQ(rig.Settings().sensorTypeSelector, 1);  // the simulated sensor has 8 levels
    rig.PressAt(basic::DpiSegment(2, 3));
    EXPECT_EQ(rig.Byte(layout::kDpiLevel + 1), 2);
    const QImage lit = Canvas(basic::DpiSegment(2, 3));
    const QImage dark = Canvas(basic::DpiSegment(2, 4));
    EXPECT_NE(lit, dark);
    EXPECT_EQ(Canvas(basic::DpiSegment(2, 1)), lit);

    for (int n = 9; n <= 12; ++n) {
        rig.PressAt(basic::DpiSegment(2, n));
        EXPECT_EQ(rig.Byte(layout::kDpiLevel + 1), 2) << "segment " << n;
    }
    // A sensor with twelve levels takes them.
    rig.Settings().sensorTypeSelector = 0;
    rig.PressAt(basic::DpiSegment(2, 10));
    EXPECT_EQ(rig.Byte(layout::kDpiLevel + 1), 9);
}

TEST_F(MainWindowTest, TheLastStageOnStaysOnAndOffStagesHaveNoColourPicker) {
    for (int s = 1; s <= 4; ++s) rig.Settings().At(layout::kDpiEnabled + s - 1) = s == 1 ? 1 : 0;
    rig.Settings().At(layout::kDpiEnabled + 1) = 1;  // stages 1 and 2 on
    rig.PressAt(basic::StageBox(1));
    EXPECT_EQ(rig.Byte(layout::kDpiEnabled), 0);
    rig.PressAt(basic::StageBox(2));
    EXPECT_EQ(rig.Byte(layout::kDpiEnabled + 1), 1);  // the only one left

    int asked = 0;
    rig.Context().pickColour = [&] {
        ++asked;
        return QColor(10, 20, 30);
    };
    rig.PressAt(basic::StageSwatch(1));  // off: no picker
    EXPECT_EQ(asked, 0);
    rig.PressAt(basic::StageSwatch(2));
    EXPECT_EQ(asked, 1);
    const std::size_t c = layout::kDpiColour + 3;
    EXPECT_EQ(rig.Byte(c), 10);
    EXPECT_EQ(rig.Byte(c + 1), 20);
    EXPECT_EQ(rig.Byte(c + 2), 30);

    rig.Context().pickColour = [] { return QColor(); };  // cancelled
    rig.PressAt(basic::StageSwatch(2));
    EXPECT_EQ(rig.Byte(c), 10);
}

TEST_F(MainWindowTest, KeyListsOpenCloseAndReplaceEachOther) {
    rig.PressAt(basic::KeyBox(2));
    ASSERT_NE(Basic().KeyList(2), nullptr);
    EXPECT_TRUE(Basic().KeyList(2)->isVisible());
    EXPECT_EQ(Basic().KeyList(2)->count(), 16);

    rig.PressAt(basic::KeyBox(3));  // opening another closes the first
    EXPECT_EQ(Basic().KeyList(2), nullptr);
    ASSERT_NE(Basic().KeyList(3), nullptr);

    rig.PressAt(basic::KeyBox(3));  // the same box again closes it
    EXPECT_EQ(Basic().KeyList(3), nullptr);

    rig.PressAt(basic::KeyBox(4));
    rig.Press(700, 120);  // anywhere else on the page
    EXPECT_EQ(Basic().KeyList(4), nullptr);
}

TEST_F(MainWindowTest, ChoosingFromAKeyListAssignsAndRedraws) {
    rig.PressAt(basic::KeyBox(5));
    DropdownList* list = Basic().KeyList(5);
    ASSERT_NE(list, nullptr);
    const QImage before = Canvas(basic::KeyBox(5));
    emit list->itemClicked(list->item(static_cast<int>(AssignmentKind::KeyOff)));
    EXPECT_EQ(ModeAKind(4), static_cast<int>(AssignmentKind::KeyOff));
    EXPECT_EQ(rig.Context().skin.captions.Get(0, 4), "Key Off");
    EXPECT_EQ(Basic().KeyList(5), nullptr);
    EXPECT_NE(Canvas(basic::KeyBox(5)), before);
}

TEST_F(MainWindowTest, HoveringDpiSwitchOffersItsSubListAndItsChoiceIsStored) {
    rig.PressAt(basic::KeyBox(2));
    DropdownList* list = Basic().KeyList(2);
    ASSERT_NE(list, nullptr);
    emit list->itemEntered(list->item(6));
    ASSERT_NE(Basic().DpiSubList(), nullptr);
    EXPECT_EQ(Basic().DpiSubList()->count(), 3);
    EXPECT_EQ(list->currentRow(), 6);  // hovering selects
    emit list->itemEntered(list->item(5));
    EXPECT_EQ(Basic().DpiSubList(), nullptr);

    emit list->itemEntered(list->item(6));
    DropdownList* sub = Basic().DpiSubList();
    ASSERT_NE(sub, nullptr);
    emit sub->itemClicked(sub->item(1));
    EXPECT_EQ(ModeAKind(1), static_cast<int>(AssignmentKind::DpiSwitch));
    EXPECT_EQ(Basic().KeyList(2), nullptr);
    EXPECT_EQ(Basic().DpiSubList(), nullptr);
}

TEST_F(MainWindowTest, TheOnlyLeftClickKeepsItsListClosedWithAWarning) {
    ASSERT_EQ(ModeAKind(0), static_cast<int>(AssignmentKind::LeftClick));
    rig.PressAt(basic::KeyBox(1));
    EXPECT_EQ(Basic().KeyList(1), nullptr);
    ASSERT_EQ(rig.warnings.size(), 1u);
    EXPECT_EQ(rig.warnings[0].title, "Warning");
    EXPECT_EQ(rig.warnings[0].text, "Left key must be selected!");

    // Once another button clicks left, button 1 may be changed.
    rig.PressAt(basic::KeyBox(2));
    emit Basic().KeyList(2)->itemClicked(Basic().KeyList(2)->item(0));
    rig.PressAt(basic::KeyBox(1));
    EXPECT_NE(Basic().KeyList(1), nullptr);
}

TEST_F(MainWindowTest, LightingListsFollowTheMode) {
    rig.PressAt(basic::LightBox(0));
    DropdownList* modes = Basic().LightList(0);
    ASSERT_NE(modes, nullptr);
    ASSERT_EQ(modes->count(), 3);
    emit modes->itemClicked(modes->item(2));  // Neon
    EXPECT_EQ(rig.Byte(layout::kLightMode), 3);

    rig.PressAt(basic::LightBox(1));
    ASSERT_NE(Basic().LightList(1), nullptr);
    EXPECT_EQ(Basic().LightList(1)->count(), 30);  // the neon speeds
    emit Basic().LightList(1)->itemClicked(Basic().LightList(1)->item(4));
    EXPECT_EQ(rig.Byte(layout::kNeonSpeed), 4);

    rig.PressAt(basic::LightBox(2));
    ASSERT_NE(Basic().LightList(2), nullptr);
    emit Basic().LightList(2)->itemClicked(Basic().LightList(2)->item(1));
    EXPECT_EQ(rig.Byte(layout::kNeonEffect), 3);

    // Standard has one effect: its box opens no list.
    rig.PressAt(basic::LightBox(0));
    emit Basic().LightList(0)->itemClicked(Basic().LightList(0)->item(0));
    EXPECT_EQ(rig.Byte(layout::kLightMode), 1);
    rig.PressAt(basic::LightBox(2));
    EXPECT_EQ(Basic().LightList(2), nullptr);
}

TEST_F(MainWindowTest, ModeButtonsChooseTheShownKeyMatrix) {
    rig.PressAt(basic::kModeB);
    EXPECT_EQ(rig.Byte(layout::kDisplayedMode), 1);
    rig.PressAt(basic::kModeA);
    EXPECT_EQ(rig.Byte(layout::kDisplayedMode), 0);
}

TEST_F(MainWindowTest, AdvancedSlidersSetTheirValueByPress) {
    rig.PressAt(frame::kNextPage);
    const std::size_t speed = layout::kPointerSettings + layout::pointer::kSpeedSteps;
    rig.PressAt(advanced::SliderSegment(0, 11));
    EXPECT_EQ(rig.Byte(speed), 11);
    const QImage light = Canvas(advanced::SliderSegment(0, 1));
    EXPECT_EQ(Canvas(advanced::SliderSegment(0, 11)), light);

    rig.PressAt(advanced::SliderSegment(0, 1));
    EXPECT_EQ(rig.Byte(speed), 1);
    EXPECT_EQ(Canvas(advanced::SliderSegment(0, 1)), light);
    EXPECT_NE(Canvas(advanced::SliderSegment(0, 2)), light);
}

}  // namespace
}  // namespace quarten
