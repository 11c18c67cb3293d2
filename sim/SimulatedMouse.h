// A mouse on the far side of the HID seam, for tests and demo mode.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/HidTransport.h"
#include "sim/MouseState.h"
#include "sim/SimConfig.h"

namespace quarten::sim {

struct SimDevice;

// Presents the mouse's collections through HidTransport and runs its firmware behind the
// connections it hands out. Connections and event readers may outlive the transport object;
// once it is destroyed they behave as if the mouse had been unplugged.
//
// Thread-safe: one thread may drive a command connection while another blocks in an event
// reader and a third inspects state or emits events.
class SimulatedMouse : public HidTransport {
public:
    explicit SimulatedMouse(SimConfig config = {});
    ~SimulatedMouse() override;
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    std::vector<HidCollectionInfo> Enumerate(std::uint16_t vendorId,
                                             std::uint16_t productId) override;
    std::unique_ptr<HidConnection> Open(const std::string& path, OpenError& error) override;
    std::unique_ptr<HidEventReader> OpenEventReader(const std::string& path,
                                                    OpenError& error) override;

    // The user pressed a switch on the mouse: one input report for the event collection,
    // report ID first (06 code 00 value), padded or cut to the event report length.
    // False when the mouse is unplugged and the report is lost.
    bool EmitEvent(std::span<const std::uint8_t> report);

    // Unplugged, nothing enumerates, every open handle is dead for good and blocked event
    // reads end with Gone. Stored settings survive; exchanges in flight do not.
    void Unplug();
    // Present again; handles have to be opened anew.
    void Plug();
    bool Plugged() const;
    // Unplugs right after the n-th further call on a command connection (SetFeature,
    // GetFeature, WriteReport, ReadReport); n <= 0 unplugs at once. Plug() cancels it.
    void FailAfter(int operations);
    // The node is there but the host may not open it, as when its hidraw node lacks the
    // user's permissions (PermissionDenied) or another program holds it (Busy): every open
    // fails with `error` until it is set back to OpenError::None. Enumeration still lists it.
    void RefuseOpen(OpenError error);

    MouseState State() const;
    std::vector<SimLogEntry> Log() const;
    void ClearLog();
    SimCounters Counters() const;
    std::vector<PacingViolation> Violations() const;

private:
    std::shared_ptr<SimDevice> device_;
};

}  // namespace quarten::sim
