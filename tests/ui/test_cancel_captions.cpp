// "Cancel" brings back the functions and the captions that go with them, whichever page is
// shown, so str.ini never gets a caption that names another function than the button has.
#include <gtest/gtest.h>

#include <QTest>

#include "tests/ui/AppRig.h"
#include "ui/BasicPage.h"
#include "ui/DropdownList.h"

namespace quarten {
namespace {

namespace basic = layout::basic;
namespace frame = layout::frame;
using test::AppRig;

TEST(CancelEdits, OnEitherPageRestoresTheCaptionsWithTheFunctions) {
    for (const bool fromAdvanced : {false, true}) {
        SCOPED_TRACE(fromAdvanced ? "cancelled on the advanced page" : "on the basic page");
        AppRig rig;  // no tray: the window shows at start, on the basic page
        ASSERT_TRUE(rig.Start());
        const std::size_t kindOfButton5 = layout::kModeA + layout::mode::kKind + 4;
        const std::uint8_t kind = rig.Byte(kindOfButton5);
        const std::string caption = rig.Context().skin.captions.Get(0, 4);
        const std::string strIni = rig.dir.ReadFile("str.ini");

        // Button 5 becomes "Key Off", chosen from its list with the pointer.
        rig.PressAt(basic::KeyBox(5));
        auto& page = static_cast<BasicPage&>(*rig.Window().CurrentPageObject());
        DropdownList* list = page.KeyList(5);
        ASSERT_NE(list, nullptr);
        const int keyOff = static_cast<int>(AssignmentKind::KeyOff);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(keyOff)).center());
        ASSERT_EQ(rig.Byte(kindOfButton5), keyOff);
        ASSERT_NE(rig.Context().skin.captions.Get(0, 4), caption);

        if (fromAdvanced) rig.PressAt(frame::kNextPage);
        rig.PressAt(frame::kCancel);
        rig.ClickTray();
        if (fromAdvanced) rig.PressAt(frame::kPrevPage);
        rig.PressAt(frame::kApply);

        EXPECT_EQ(rig.Byte(kindOfButton5), kind);
        EXPECT_EQ(rig.Context().skin.captions.Get(0, 4), caption);
        EXPECT_EQ(rig.dir.ReadFile("str.ini"), strIni);
    }
}

}  // namespace
}  // namespace quarten
