#include "device/DeviceLink.h"

#include <utility>

#include "device/Diagnostics.h"

namespace quarten {
namespace {

constexpr FrameBytes kProbe = {0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0xDB};

std::string OpenErrorText(OpenError error) {
    switch (error) {
        case OpenError::PermissionDenied: return "permission denied";
        case OpenError::Busy: return "in use by another program";
        case OpenError::NotFound: return "gone";
        default: return "could not be opened";
    }
}

DiscoveryFailure FailureOf(OpenError error) {
    switch (error) {
        case OpenError::PermissionDenied: return DiscoveryFailure::PermissionDenied;
        case OpenError::Busy: return DiscoveryFailure::Busy;
        default: return DiscoveryFailure::OpenFailed;
    }
}

// A command collection must carry a whole frame and a whole chunk, and no more than the
// report buffers hold.
std::string CommandLengthProblem(const HidCollectionInfo& c) {
    if (c.featureLength < wire::kFeatureReportMinimum || c.featureLength > wire::kFeatureBufferSize)
        return "feature report length " + std::to_string(c.featureLength) + " outside 9..16";
    if (c.inputLength < wire::kChunkReportMinimum || c.inputLength > wire::kBlockBufferSize)
        return "input report length " + std::to_string(c.inputLength) + " outside 33..40";
    if (c.outputLength < wire::kChunkReportMinimum || c.outputLength > wire::kBlockBufferSize)
        return "output report length " + std::to_string(c.outputLength) + " outside 33..40";
    return {};
}

}  // namespace

DeviceLink::DeviceLink(HidTransport& transport, Pacer& pacer, const ScramblerKey& key)
    : transport_(transport), channel_(pacer), key_(key) {
    channel_.SetScrambling(false, key_);
}

DeviceLink::~DeviceLink() { Close(); }

bool DeviceLink::FindDevice() {
    report_ = {};
    std::unique_ptr<HidConnection> command;
    std::shared_ptr<HidEventReader> reader;
    ReportLengths lengths;
    std::uint16_t eventLength = 0;
    bool stop = false;

    for (const HidCollectionInfo& info : transport_.Enumerate(kVendorId, kProductId)) {
        CollectionVerdict& entry = report_.collections.emplace_back();
        entry.info = info;
        if (stop) {
            entry.verdict = "not examined";
            continue;
        }
        if (info.vendorId != kVendorId || info.productId != kProductId) {
            entry.verdict = "another device";
            continue;
        }
        Diagnose("PID:%04x\n,VID:%04x\n,VersionNumber:%04x\n", info.productId, info.vendorId,
                 info.version);
        Diagnose("Usage:0x%04x\n, UsagePage:0x%04x\n,FeatureReportByteLength:0x%04x\n,"
                 "InputReportByteLength:0x%x\n,OutputReportByteLength:0x%x\n",
                 info.usage, info.usagePage, info.featureLength, info.inputLength,
                 info.outputLength);
        const bool isEvent = info.usagePage == kEventUsagePage && info.usage == kEventUsage;
        const bool isCommand = info.usagePage == kCommandUsagePage && info.usage == kCommandUsage;
        if (!info.problem.empty() && (isEvent || isCommand)) {
            entry.verdict = "refused: " + info.problem;
            report_.failure = DiscoveryFailure::Refused;
            continue;
        }
        if (isEvent) {
            entry.role = CollectionVerdict::Role::Event;
            if (reader) {
                entry.verdict = "skipped: an event collection is already open";
            } else if (info.inputLength == 0) {
                entry.verdict = "skipped: no input reports";
            } else if (info.inputLength > wire::kBlockBufferSize) {
                const std::string problem =
                    "input report length " + std::to_string(info.inputLength) + " above 40";
                entry.verdict = "refused: " + problem;
                Diagnose("refused %s: %s", info.path.c_str(), problem.c_str());
            } else {
                OpenError error = OpenError::None;
                reader = transport_.OpenEventReader(info.path, error);
                if (!reader) {
                    entry.verdict = "event collection " + OpenErrorText(error);
                    report_.failure = FailureOf(error);
                    report_.path = info.path;
                    stop = true;
                    continue;
                }
                eventLength = info.inputLength;
                entry.verdict = "event collection opened";
                if (command) stop = true;
            }
            continue;
        }
        if (isCommand) {
            entry.role = CollectionVerdict::Role::Command;
            if (command) {
                entry.verdict = "skipped: a command collection is already open";
                continue;
            }
            if (info.featureLength == 0) {
                entry.verdict = "skipped: no feature reports";
                continue;
            }
            if (std::string problem = CommandLengthProblem(info); !problem.empty()) {
                entry.verdict = "refused: " + problem;
                report_.failure = DiscoveryFailure::Refused;
                report_.path = info.path;
                Diagnose("refused %s: %s", info.path.c_str(), problem.c_str());
                continue;
            }
            OpenError error = OpenError::None;
            command = transport_.Open(info.path, error);
            report_.path = info.path;
            if (!command) {
                entry.verdict = "command collection " + OpenErrorText(error);
                report_.failure = FailureOf(error);
                stop = true;
                continue;
            }
            lengths = {info.featureLength, info.inputLength, info.outputLength};
            entry.verdict = "command collection opened";
            // The listener needs the event collection too; keep looking when it comes later.
            if (reader) stop = true;
            continue;
        }
        entry.verdict = "skipped: not a vendor collection";
    }

    const bool openFailed = report_.failure == DiscoveryFailure::PermissionDenied ||
                            report_.failure == DiscoveryFailure::Busy ||
                            report_.failure == DiscoveryFailure::OpenFailed;
    if (!command || openFailed) {
        Close();
        return false;
    }
    report_.failure = DiscoveryFailure::None;
    channel_.Detach();
    command_ = std::move(command);
    channel_.Attach(command_.get(), lengths);
    eventInputLength_ = eventLength;
    ready_ = true;
    ReplaceEventReader(std::move(reader));
    return true;
}

bool DeviceLink::ProbeAttempt(bool scrambled) {
    FeatureFrame probe{kProbe};
    channel_.PutFrame(probe, scrambled);
    channel_.Wait(5);
    const FeatureFrame answer = channel_.FetchFrame(scrambled);
    return answer[1] == kProbe[1] && answer[2] == kProbe[2] && answer[3] == kProbe[3] &&
           answer[4] == kProbe[4];
}

void DeviceLink::Handshake() {
    channel_.SetScrambling(false, key_);
    bool accepted = false;
    if (ProbeAttempt(false)) {
        // A mouse that answers the plain probe is not one that speaks our protocol.
        probeEchoed_ = true;
    } else {
        probeEchoed_ = ProbeAttempt(true);
        accepted = probeEchoed_;
    }
    channel_.SetScrambling(accepted, key_);
    if (accepted) {
        Notify(DeviceNotice::Found);
        ready_ = true;
    } else {
        Diagnose("handshake refused: %s", probeEchoed_ ? "plain echo" : "no echo");
        report_.failure = DiscoveryFailure::Refused;
        Notify(DeviceNotice::Missing);
        ready_ = false;
    }
    // The event collection may have been opened before readiness was settled; make a waiting
    // listener look again now that it is.
    WakeListener();
}

DeviceLink::Change DeviceLink::HandleArrival() {
    if (!FindDevice()) {
        Notify(DeviceNotice::Missing);
        ready_ = false;
        return Change::Missing;
    }
    Notify(DeviceNotice::Found);
    Handshake();
    return ready_ ? Change::Accepted : Change::Refused;
}

DeviceLink::Change DeviceLink::HandleRemoval() {
    if (!FindDevice()) {
        Notify(DeviceNotice::Missing);
        ready_ = false;
        return Change::Missing;
    }
    Handshake();
    return ready_ ? Change::Accepted : Change::Refused;
}

void DeviceLink::Close() {
    ready_ = false;
    channel_.Detach();
    command_.reset();
    eventInputLength_ = 0;
    ReplaceEventReader(nullptr);
}

std::shared_ptr<HidEventReader> DeviceLink::EventReader() const {
    std::lock_guard lock(readerMutex_);
    return eventReader_;
}

void DeviceLink::SetEventReaderObserver(std::function<void()> observer) {
    std::lock_guard lock(readerMutex_);
    readerObserver_ = std::move(observer);
}

void DeviceLink::ReplaceEventReader(std::shared_ptr<HidEventReader> reader) {
    std::shared_ptr<HidEventReader> old;
    {
        std::lock_guard lock(readerMutex_);
        old = std::exchange(eventReader_, std::move(reader));
    }
    // A listener blocked on the old reader still holds it; waking it lets it drop it.
    if (old) old->Interrupt();
    WakeListener();
}

void DeviceLink::WakeListener() {
    std::function<void()> observer;
    std::shared_ptr<HidEventReader> reader;
    {
        std::lock_guard lock(readerMutex_);
        observer = readerObserver_;
        reader = eventReader_;
    }
    if (reader) reader->Interrupt();
    if (observer) observer();
}

void DeviceLink::Notify(DeviceNotice notice) {
    if (sink_) sink_->OnDeviceNotice(notice, 0);
}

}  // namespace quarten
