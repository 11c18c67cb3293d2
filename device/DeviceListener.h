// The thread that reads the mouse's event reports and hands each notice to a sink.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "device/DeviceLink.h"

namespace quarten {

// Blocks, without ever waking on a timer, until the link is ready with an event reader, then
// in the reader until a report arrives; each recognised report goes to the sink on this
// thread, synchronously. The sink must return even while Stop() is waiting for the thread.
class DeviceListener {
public:
    DeviceListener(DeviceLink& link, DeviceNoticeSink& sink);
    ~DeviceListener();
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    void Start();  // once; later calls do nothing
    void Stop();   // wakes the thread and joins it
    bool Started() const { return thread_.joinable(); }

private:
    void Run();
    // Waits until there is a reader to read from (or a stop); null means stop.
    std::shared_ptr<HidEventReader> AwaitReader();

    DeviceLink& link_;
    DeviceNoticeSink& sink_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    // The reader that reported Gone; held so that no new reader can take its address while
    // we wait for the link to offer a different one.
    std::shared_ptr<HidEventReader> deadReader_;
    std::thread thread_;
};

}  // namespace quarten
