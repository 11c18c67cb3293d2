#include "ui/DeviceController.h"

#include <QSocketNotifier>
#include <QTimer>

#include "platform/UdevMonitor.h"
#include "settings/ApplySequence.h"

namespace quarten {

void NoticeBridge::OnDeviceNotice(DeviceNotice notice, std::uint32_t value) {
    std::unique_lock lock(mutex_);
    if (stopping_) return;
    const std::uint64_t ticket = handled_ + 1;
    QMetaObject::invokeMethod(
        this,
        [this, notice, value, ticket] {
            {
                std::lock_guard guard(mutex_);
                if (stopping_) return;
            }
            handler_(notice, value);
            std::lock_guard guard(mutex_);
            handled_ = ticket;
            done_.notify_all();
        },
        Qt::QueuedConnection);
    done_.wait(lock, [&] { return stopping_ || handled_ >= ticket; });
}

void NoticeBridge::Stop() {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    done_.notify_all();
}

DeviceController::DeviceController(std::unique_ptr<HidTransport> transport,
                                   const ScramblerKey& key, DeviceSettings& settings, Pacer* pacer)
    : transport_(std::move(transport)),
      settings_(settings),
      link_(*transport_, pacer ? *pacer : steadyPacer_, key) {
    link_.SetNoticeSink(&linkSink_);
}

DeviceController::~DeviceController() { Shutdown(); }

bool DeviceController::OpenTrace(const std::string& path) {
    traceFile_.open(path, std::ios::app);
    if (!traceFile_) return false;
    traceFile_ << std::unitbuf;  // each line reaches the file as it happens
    trace_ = std::make_unique<TextTraceWriter>(traceFile_);
    link_.Channel().SetObserver(trace_.get());
    return true;
}

void DeviceController::SetNoticeHandler(NoticeHandler handler) {
    handler_ = std::move(handler);
    if (!bridge_) bridge_ = std::make_unique<NoticeBridge>([this](DeviceNotice n, std::uint32_t v) {
        if (handler_) handler_(n, v);
    });
}

void DeviceController::StartUp() {
    if (link_.FindDevice()) {
        link_.Handshake();
    } else {
        linkSink_.OnDeviceNotice(DeviceNotice::Missing, 0);
    }
    StartListenerWhenReady();
}

void DeviceController::StartListenerWhenReady() {
    if (!link_.Ready() || listener_) return;
    if (!bridge_) SetNoticeHandler(handler_);
    listener_ = std::make_unique<DeviceListener>(link_, *bridge_);
    listener_->Start();
}

void DeviceController::HandleArrival() { ArriveAllowingRetries(0); }

void DeviceController::ArriveAllowingRetries(int retries) {
    const DeviceLink::Change change = link_.HandleArrival();
    // Events straight from the kernel come before udev has given the node its permissions:
    // a refused open is tried again a few times before the mouse counts as missing.
    if (change == DeviceLink::Change::Missing && retries > 0 &&
        link_.LastDiscovery().failure == DiscoveryFailure::PermissionDenied) {
        QTimer::singleShot(kArrivalRetryMs, this,
                           [this, retries] { ArriveAllowingRetries(retries - 1); });
        return;
    }
    switch (change) {
        case DeviceLink::Change::Accepted:
            ConnectionReadBack(link_.Channel(), settings_);
            StartListenerWhenReady();
            emit deviceArrived();
            break;
        case DeviceLink::Change::Missing: emit deviceLost(); break;
        case DeviceLink::Change::Refused: break;
    }
}

void DeviceController::HandleRemoval() {
    if (link_.HandleRemoval() == DeviceLink::Change::Missing) emit deviceLost();
}

bool DeviceController::WatchHotplug() {
    monitor_ = UdevMonitor::Create();
    if (!monitor_) return false;
    hotplugNotifier_ = new QSocketNotifier(monitor_->Descriptor(), QSocketNotifier::Read, this);
    connect(hotplugNotifier_, &QSocketNotifier::activated, this,
            &DeviceController::OnHotplugReadable);
    return true;
}

void DeviceController::OnHotplugReadable() {
    for (const UdevMonitor::Action action : monitor_->Receive()) {
        if (action == UdevMonitor::Action::Removed) {
            HandleRemoval();
        } else if (monitor_->KernelSource()) {
            QTimer::singleShot(kArrivalRetryMs, this,
                               [this] { ArriveAllowingRetries(kArrivalRetries); });
        } else {
            HandleArrival();
        }
    }
}

void DeviceController::Shutdown() {
    if (bridge_) bridge_->Stop();
    if (listener_) listener_->Stop();
    listener_.reset();
    link_.Close();
    if (hotplugNotifier_) hotplugNotifier_->setEnabled(false);
}

}  // namespace quarten
