#include "device/DeviceListener.h"

#include <array>

#include "device/DeviceEvent.h"
#include "device/FeatureFrame.h"

namespace quarten {

DeviceListener::DeviceListener(DeviceLink& link, DeviceNoticeSink& sink)
    : link_(link), sink_(sink) {
    // The link calls this after every change of reader or readiness. Taking the mutex before
    // notifying means a change can never slip between the check and the wait in AwaitReader.
    link_.SetEventReaderObserver([this] {
        std::lock_guard lock(mutex_);
        wake_.notify_all();
    });
}

DeviceListener::~DeviceListener() {
    Stop();
    link_.SetEventReaderObserver(nullptr);
}

void DeviceListener::Start() {
    if (thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stop_ = false;
    }
    thread_ = std::thread([this] { Run(); });
}

void DeviceListener::Stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        wake_.notify_all();
    }
    if (auto reader = link_.EventReader()) reader->Interrupt();
    thread_.join();
}

std::shared_ptr<HidEventReader> DeviceListener::AwaitReader() {
    std::unique_lock lock(mutex_);
    std::shared_ptr<HidEventReader> reader;
    wake_.wait(lock, [&] {
        if (stop_) return true;
        reader = link_.Ready() ? link_.EventReader() : nullptr;
        return reader != nullptr && reader != deadReader_;
    });
    if (stop_) return nullptr;
    deadReader_.reset();
    return reader;
}

void DeviceListener::Run() {
    std::array<std::uint8_t, wire::kBlockBufferSize> buffer{};
    while (auto reader = AwaitReader()) {
        const std::size_t length =
            std::min<std::size_t>(link_.EventInputLength(), buffer.size());
        const HidEventReader::Result result = reader->Read(std::span(buffer.data(), length));
        if (result.status == HidEventReader::Status::Gone) {
            std::lock_guard lock(mutex_);
            deadReader_ = reader;
            continue;
        }
        // An interrupt means the link changed or we are stopping: look again.
        if (result.status != HidEventReader::Status::Report || !link_.Ready()) continue;
        if (auto event = DecodeDeviceEvent(std::span(buffer.data(), result.length))) {
            sink_.OnDeviceNotice(event->notice, event->value);
        }
    }
}

}  // namespace quarten
