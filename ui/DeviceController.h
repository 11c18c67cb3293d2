// The mouse seen from the window: discovery at start-up, hotplug, the listener and the
// hand-off of its notices to the GUI thread.
#pragma once

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>

#include "device/DeviceLink.h"
#include "device/DeviceListener.h"
#include "device/WireObserver.h"
#include "platform/SteadyPacer.h"
#include "settings/DeviceSettings.h"

class QSocketNotifier;

namespace quarten {

class UdevMonitor;

// Runs each listener notice on the GUI thread and waits for it there, as a synchronous
// hand-off; Stop() releases a waiting listener so that joining it can never deadlock with
// a GUI thread that is itself waiting for the join.
class NoticeBridge : public QObject, public DeviceNoticeSink {
    Q_OBJECT
public:
    using Handler = std::function<void(DeviceNotice, std::uint32_t)>;
    explicit NoticeBridge(Handler handler) : handler_(std::move(handler)) {}
    void OnDeviceNotice(DeviceNotice notice, std::uint32_t value) override;
    void Stop();

private:
    Handler handler_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool stopping_ = false;
    std::uint64_t handled_ = 0;
};

class DeviceController : public QObject {
    Q_OBJECT
public:
    using NoticeHandler = std::function<void(DeviceNotice, std::uint32_t)>;

    DeviceController(std::unique_ptr<HidTransport> transport, const ScramblerKey& key,
                     DeviceSettings& settings, Pacer* pacer = nullptr);
    ~DeviceController() override;

    // Appends every wire operation to the file, in the trace format of quartenctl.
    bool OpenTrace(const std::string& path);
    void SetNoticeHandler(NoticeHandler handler);

    // Discovery and handshake at start-up (notice 15 when no mouse is found); the listener
    // is created and runs once a mouse has been accepted.
    void StartUp();
    // Follows arrival and removal of the mouse through udev. False when no monitor can be had.
    bool WatchHotplug();
    void HandleArrival();
    void HandleRemoval();
    // Stops the listener and closes the mouse; called once at exit.
    void Shutdown();

    bool Ready() const { return link_.Ready(); }
    DeviceLink& Link() { return link_; }
    CommandChannel& Channel() { return link_.Channel(); }
    HidTransport& Transport() { return *transport_; }

signals:
    // A mouse arrived and was accepted.
    void deviceArrived();
    // Arrival or removal left no usable mouse: the window hides.
    void deviceLost();

private:
    static constexpr int kArrivalRetries = 5;
    static constexpr int kArrivalRetryMs = 300;
    void ArriveAllowingRetries(int retries);
    void StartListenerWhenReady();
    void OnHotplugReadable();

    std::unique_ptr<HidTransport> transport_;
    SteadyPacer steadyPacer_;
    DeviceSettings& settings_;
    DeviceLink link_;
    NoticeHandler handler_;
    std::unique_ptr<NoticeBridge> bridge_;
    std::unique_ptr<DeviceListener> listener_;
    class LinkSink : public DeviceNoticeSink {
    public:
        explicit LinkSink(DeviceController& owner) : owner_(owner) {}
        void OnDeviceNotice(DeviceNotice notice, std::uint32_t value) override {
            if (owner_.handler_) owner_.handler_(notice, value);
        }

    private:
        DeviceController& owner_;
    } linkSink_{*this};
    std::unique_ptr<UdevMonitor> monitor_;
    QSocketNotifier* hotplugNotifier_ = nullptr;
    std::ofstream traceFile_;
    std::unique_ptr<TextTraceWriter> trace_;
};

}  // namespace quarten
