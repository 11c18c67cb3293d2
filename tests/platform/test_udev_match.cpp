// Recognising the mouse in hotplug events by its HID id or its hid device path.
#include <gtest/gtest.h>

#include "platform/UdevMonitor.h"

namespace quarten {
namespace {

TEST(UdevMatch, TakesOnlyTheMousesIds) {
    EXPECT_TRUE(IsOurHidId("0003:000004D9:0000A09F"));
    EXPECT_TRUE(IsOurHidId("0003:000004d9:0000a09f"));
    EXPECT_FALSE(IsOurHidId("0005:000004D9:0000A09F"));  // over Bluetooth it is not this mouse
    EXPECT_FALSE(IsOurHidId("0003:000004D9:0000A0A0"));
    EXPECT_FALSE(IsOurHidId(""));
    EXPECT_TRUE(IsOurDevicePath(
        "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:04D9:A09F.0007/hidraw/hidraw3"));
    EXPECT_FALSE(IsOurDevicePath(
        "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:046D:C52B.0007/hidraw/hidraw3"));
    EXPECT_FALSE(IsOurDevicePath("/devices/virtual/misc/uhid/0003:04D9:A09F"));
}

}  // namespace
}  // namespace quarten
