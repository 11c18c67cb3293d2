// The open connection to the mouse: discovery, the probe handshake, arrival and removal.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/CommandChannel.h"
#include "device/DeviceNotice.h"
#include "device/HidTransport.h"

namespace quarten {

inline constexpr std::uint16_t kVendorId = 0x04D9;
inline constexpr std::uint16_t kProductId = 0xA09F;
inline constexpr std::uint16_t kCommandUsagePage = 0xFF00;
inline constexpr std::uint16_t kCommandUsage = 0xFF00;
inline constexpr std::uint16_t kEventUsagePage = 0xFF01;
inline constexpr std::uint16_t kEventUsage = 0xFF01;

// What discovery made of one enumerated collection, for `quartenctl devices` and the log.
struct CollectionVerdict {
    HidCollectionInfo info;
    enum class Role { Other, Command, Event } role = Role::Other;
    std::string verdict;  // "command collection opened", "refused: ...", "skipped", ...
};

enum class DiscoveryFailure { None, NotFound, Refused, PermissionDenied, Busy, OpenFailed };

struct DiscoveryReport {
    std::vector<CollectionVerdict> collections;
    DiscoveryFailure failure = DiscoveryFailure::NotFound;
    std::string path;  // the interface whose command collection was used or refused
};

class DeviceLink {
public:
    DeviceLink(HidTransport& transport, Pacer& pacer, const ScramblerKey& key);
    ~DeviceLink();

    bool FindDevice();
    void Handshake();
    enum class Change { Accepted, Refused, Missing };
    // Re-run discovery after the platform announced our device; on Accepted the caller runs
    // the connection read-back.
    Change HandleArrival();
    Change HandleRemoval();
    void Close();

    bool Ready() const { return ready_.load(); }
    bool ProbeEchoed() const { return probeEchoed_; }
    CommandChannel& Channel() { return channel_; }
    const DiscoveryReport& LastDiscovery() const { return report_; }
    std::uint16_t EventInputLength() const { return eventInputLength_.load(); }

    void SetNoticeSink(DeviceNoticeSink* sink) { sink_ = sink; }
    // The listener takes the current event reader from here; the link never closes a reader
    // while someone else holds it.
    std::shared_ptr<HidEventReader> EventReader() const;
    // Called with the new reader (or null) whenever discovery replaces it or a handshake
    // changes readiness, so that a waiting listener re-examines the link.
    void SetEventReaderObserver(std::function<void()> observer);

private:
    void Notify(DeviceNotice notice);
    void ReplaceEventReader(std::shared_ptr<HidEventReader> reader);
    void WakeListener();
    bool ProbeAttempt(bool scrambled);

    HidTransport& transport_;
    CommandChannel channel_;
    ScramblerKey key_;
    std::unique_ptr<HidConnection> command_;
    mutable std::mutex readerMutex_;
    std::shared_ptr<HidEventReader> eventReader_;
    std::function<void()> readerObserver_;
    // Read by the listener thread while discovery may be replacing it.
    std::atomic<std::uint16_t> eventInputLength_{0};
    std::atomic<bool> ready_{false};
    bool probeEchoed_ = false;
    DeviceNoticeSink* sink_ = nullptr;
    DiscoveryReport report_;
};

}  // namespace quarten
