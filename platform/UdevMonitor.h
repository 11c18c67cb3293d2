// Hotplug of the mouse: a libudev monitor on the hidraw subsystem.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

struct udev;
struct udev_monitor;

namespace quarten {

class UdevMonitor {
public:
    enum class Action { Added, Removed };

    // Connects to udevd's events, or to the kernel's when udevd does not run (containers,
    // minimal systems). Null when neither can be had.
    static std::unique_ptr<UdevMonitor> Create();
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // Readable when events are waiting; the window watches it with its event loop.
    int Descriptor() const;
    // Takes every waiting event and returns those that concern our mouse, in order.
    std::vector<Action> Receive();
    // Kernel events arrive before udev has set the node's permissions, so an open right
    // after one may need a few retries.
    bool KernelSource() const { return kernelSource_; }

private:
    UdevMonitor(::udev* udev, ::udev_monitor* monitor, bool kernelSource);
    ::udev* udev_;
    ::udev_monitor* monitor_;
    bool kernelSource_;
};

// True when a hidraw device belongs to the mouse: by the HID_ID of its parent hid device
// ("0003:000004D9:0000A09F"), or, once the parent is gone on removal, by the hid device's
// name in the device path ("0003:04D9:A09F.NNNN").
bool IsOurHidId(std::string_view hidId);
bool IsOurDevicePath(std::string_view devpath);

}  // namespace quarten
