#include "platform/UdevMonitor.h"

#include <libudev.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "device/Diagnostics.h"

namespace quarten {
namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

}  // namespace

bool IsOurHidId(std::string_view hidId) {
    const std::string id = Upper(hidId);
    return id == "0003:000004D9:0000A09F";
}

bool IsOurDevicePath(std::string_view devpath) {
    return Upper(devpath).find("/0003:04D9:A09F.") != std::string::npos;
}

std::unique_ptr<UdevMonitor> UdevMonitor::Create() {
    struct udev* udev = udev_new();
    if (!udev) return nullptr;
    // Without udevd nothing reaches a "udev" monitor; the kernel's own events still do.
    const bool kernel = ::access("/run/udev/control", F_OK) != 0;
    struct udev_monitor* monitor = udev_monitor_new_from_netlink(udev, kernel ? "kernel" : "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor) udev_monitor_unref(monitor);
        udev_unref(udev);
        return nullptr;
    }
    return std::unique_ptr<UdevMonitor>(new UdevMonitor(udev, monitor, kernel));
}

UdevMonitor::UdevMonitor(::udev* udev, ::udev_monitor* monitor, bool kernelSource)
    : udev_(udev), monitor_(monitor), kernelSource_(kernelSource) {}

UdevMonitor::~UdevMonitor() {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

int UdevMonitor::Descriptor() const { return udev_monitor_get_fd(monitor_); }

std::vector<UdevMonitor::Action> UdevMonitor::Receive() {
    std::vector<Action> actions;
    while (struct udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* devpath = udev_device_get_devpath(device);
        bool ours = devpath && IsOurDevicePath(devpath);
        if (!ours) {
            struct udev_device* hid =
                udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
            const char* hidId = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
            ours = hidId && IsOurHidId(hidId);
        }
        if (ours && action) {
            const std::string_view what = action;
            Diagnose("hotplug %s %s", action, devpath ? devpath : "");
            if (what == "add") actions.push_back(Action::Added);
            if (what == "remove") actions.push_back(Action::Removed);
        }
        udev_device_unref(device);
    }
    return actions;
}

}  // namespace quarten
