// The HID transport of Linux: hidapi's hidraw backend plus the hidraw node for events.
#pragma once

#include <map>
#include <optional>

#include "device/HidTransport.h"
#include "device/ReportDescriptor.h"

namespace quarten {

class HidapiTransport : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    std::vector<HidCollectionInfo> Enumerate(std::uint16_t vendorId,
                                             std::uint16_t productId) override;
    std::unique_ptr<HidConnection> Open(const std::string& path, OpenError& error) override;
    std::unique_ptr<HidEventReader> OpenEventReader(const std::string& path,
                                                    OpenError& error) override;

private:
    // The report descriptor of a hidraw node, read from sysfs (readable without access to
    // the node itself, so `devices` can show lengths even when opening is not permitted).
    std::optional<ParsedDescriptor> Descriptor(const std::string& path, std::string* problem);
    bool initialised_ = false;
};

// errno of an open(2) of the node mapped to the seam's error kinds.
OpenError OpenErrorFromErrno(int error);

}  // namespace quarten
