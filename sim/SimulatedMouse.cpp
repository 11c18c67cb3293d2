#include "sim/SimulatedMouse.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "device/FeatureFrame.h"
#include "sim/MouseFirmware.h"

namespace quarten::sim {

// Everything behind the seam, shared by the transport and the handles it gave out.
struct SimDevice {
    explicit SimDevice(SimConfig c) : config(std::move(c)), firmware(config) {
        if (!config.nowMicros) {
            config.nowMicros = [] {
                using namespace std::chrono;
                return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
            };
        }
    }

    bool Alive(std::uint64_t handleGeneration) const {
        return plugged && handleGeneration == generation;
    }

    void UnplugLocked() {
        plugged = false;
        ++generation;
        failAfter.reset();
        events.clear();
        firmware.PowerCycle();
        eventsChanged.notify_all();
    }

    // Called once per call on a live command connection, after its work is done.
    void CountOperation() {
        if (failAfter && --*failAfter <= 0) UnplugLocked();
    }

    SimConfig config;
    mutable std::mutex mutex;
    std::condition_variable eventsChanged;
    MouseFirmware firmware;
    bool plugged = true;
    std::uint64_t generation = 0;  // bumped by every unplug; older handles stay dead
    std::optional<int> failAfter;
    OpenError openRefusal = OpenError::None;
    std::deque<std::vector<std::uint8_t>> events;
};

namespace {

class SimConnection : public HidConnection {
public:
    SimConnection(std::shared_ptr<SimDevice> device, std::uint64_t generation)
        : device_(std::move(device)), generation_(generation) {}

    bool SetFeature(std::span<const std::uint8_t> report) override {
        return Run(report.size() >= wire::kFeatureReportMinimum && report[0] == 0,
                   [&](std::int64_t now) { device_->firmware.ReceiveFeature(report, now); });
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        const bool fits = report.size() >= wire::kFeatureReportMinimum && report[0] == 0;
        std::fill(report.begin(), report.end(), std::uint8_t{0});
        return Run(fits, [&](std::int64_t now) { device_->firmware.AnswerFeature(report, now); });
    }

    bool WriteReport(std::span<const std::uint8_t> report) override {
        return Run(report.size() >= wire::kChunkReportMinimum && report[0] == 0,
                   [&](std::int64_t now) { device_->firmware.ReceiveChunk(report, now); });
    }

    bool ReadReport(std::span<std::uint8_t> report) override {
        const bool fits = report.size() >= wire::kChunkReportMinimum;
        std::fill(report.begin(), report.end(), std::uint8_t{0});
        bool delivered = false;
        const bool ran = Run(
            fits, [&](std::int64_t now) { delivered = device_->firmware.SendChunk(report, now); });
        return ran && delivered;
    }

private:
    // A dead handle fails without counting; a malformed report fails but still counts as a
    // call the mouse saw.
    template <typename Work>
    bool Run(bool wellFormed, Work work) {
        std::lock_guard lock(device_->mutex);
        if (!device_->Alive(generation_)) return false;
        if (wellFormed) work(device_->config.nowMicros());
        device_->CountOperation();
        return wellFormed;
    }

    std::shared_ptr<SimDevice> device_;
    std::uint64_t generation_;
};

class SimEventReader : public HidEventReader {
public:
    SimEventReader(std::shared_ptr<SimDevice> device, std::uint64_t generation)
        : device_(std::move(device)), generation_(generation) {}

    Result Read(std::span<std::uint8_t> report) override {
        std::unique_lock lock(device_->mutex);
        device_->eventsChanged.wait(lock, [&] {
            return !device_->Alive(generation_) || interrupted_ || !device_->events.empty();
        });
        if (!device_->Alive(generation_)) return {Status::Gone, 0};
        if (interrupted_) {
            interrupted_ = false;
            return {Status::Interrupted, 0};
        }
        const std::vector<std::uint8_t> event = std::move(device_->events.front());
        device_->events.pop_front();
        const std::size_t length = std::min(event.size(), report.size());
        std::copy_n(event.begin(), length, report.begin());
        return {Status::Report, length};
    }

    void Interrupt() override {
        std::lock_guard lock(device_->mutex);
        interrupted_ = true;
        device_->eventsChanged.notify_all();
    }

private:
    std::shared_ptr<SimDevice> device_;
    std::uint64_t generation_;
    bool interrupted_ = false;  // guarded by the device mutex
};

}  // namespace

SimulatedMouse::SimulatedMouse(SimConfig config)
    : device_(std::make_shared<SimDevice>(std::move(config))) {}

SimulatedMouse::~SimulatedMouse() { Unplug(); }

std::vector<HidCollectionInfo> SimulatedMouse::Enumerate(std::uint16_t vendorId,
                                                         std::uint16_t productId) {
    std::lock_guard lock(device_->mutex);
    const SimConfig& c = device_->config;
    if (!device_->plugged || vendorId != c.vendorId || productId != c.productId) return {};

    auto collection = [&](std::uint16_t page, std::uint16_t usage, const CollectionLengths& l) {
        return HidCollectionInfo{.path = c.path,
                                 .vendorId = c.vendorId,
                                 .productId = c.productId,
                                 .version = c.version,
                                 .usagePage = page,
                                 .usage = usage,
                                 .featureLength = l.feature,
                                 .inputLength = l.input,
                                 .outputLength = l.output,
                                 .problem = {}};
    };
    std::vector<HidCollectionInfo> list;
    if (c.extraMouseCollection) list.push_back(collection(0x0001, 0x0002, {0, 5, 0}));
    const HidCollectionInfo command = collection(0xFF00, 0xFF00, c.command);
    const HidCollectionInfo event = collection(0xFF01, 0xFF01, c.event);
    if (c.eventAfterCommand) {
        list.push_back(command);
        list.push_back(event);
    } else {
        list.push_back(event);
        list.push_back(command);
    }
    return list;
}

std::unique_ptr<HidConnection> SimulatedMouse::Open(const std::string& path, OpenError& error) {
    std::lock_guard lock(device_->mutex);
    if (!device_->plugged || path != device_->config.path) {
        error = OpenError::NotFound;
        return nullptr;
    }
    error = device_->openRefusal;
    if (error != OpenError::None) return nullptr;
    return std::make_unique<SimConnection>(device_, device_->generation);
}

std::unique_ptr<HidEventReader> SimulatedMouse::OpenEventReader(const std::string& path,
                                                                OpenError& error) {
    std::lock_guard lock(device_->mutex);
    if (!device_->plugged || path != device_->config.path) {
        error = OpenError::NotFound;
        return nullptr;
    }
    error = device_->openRefusal;
    if (error != OpenError::None) return nullptr;
    return std::make_unique<SimEventReader>(device_, device_->generation);
}

bool SimulatedMouse::EmitEvent(std::span<const std::uint8_t> report) {
    std::lock_guard lock(device_->mutex);
    if (!device_->plugged) return false;
    const std::size_t length =
        device_->config.event.input ? device_->config.event.input : report.size();
    std::vector<std::uint8_t> event(length, 0);
    std::copy_n(report.begin(), std::min(length, report.size()), event.begin());
    device_->events.push_back(std::move(event));
    device_->eventsChanged.notify_all();
    return true;
}

void SimulatedMouse::Unplug() {
    std::lock_guard lock(device_->mutex);
    if (device_->plugged) device_->UnplugLocked();
}

void SimulatedMouse::Plug() {
    std::lock_guard lock(device_->mutex);
    device_->plugged = true;
    device_->failAfter.reset();
}

bool SimulatedMouse::Plugged() const {
    std::lock_guard lock(device_->mutex);
    return device_->plugged;
}

void SimulatedMouse::FailAfter(int operations) {
    std::lock_guard lock(device_->mutex);
    if (!device_->plugged) return;
    if (operations <= 0) {
        device_->UnplugLocked();
    } else {
        device_->failAfter = operations;
    }
}

void SimulatedMouse::RefuseOpen(OpenError error) {
    std::lock_guard lock(device_->mutex);
    device_->openRefusal = error;
}

MouseState SimulatedMouse::State() const {
    std::lock_guard lock(device_->mutex);
    return device_->firmware.State();
}

std::vector<SimLogEntry> SimulatedMouse::Log() const {
    std::lock_guard lock(device_->mutex);
    return device_->firmware.Log();
}

void SimulatedMouse::ClearLog() {
    std::lock_guard lock(device_->mutex);
    device_->firmware.ClearLog();
}

SimCounters SimulatedMouse::Counters() const {
    std::lock_guard lock(device_->mutex);
    return device_->firmware.Counters();
}

std::vector<PacingViolation> SimulatedMouse::Violations() const {
    std::lock_guard lock(device_->mutex);
    return device_->firmware.Violations();
}

}  // namespace quarten::sim
