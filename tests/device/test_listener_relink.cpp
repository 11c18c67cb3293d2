// The link replacing the event reader while the listener is blocked in the old one, with a
// reader that, like the hidraw one, shares no lock with discovery: the listener must take
// the new reader with its length and go on delivering.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "device/DeviceListener.h"
#include "tests/support/SimRig.h"

namespace quarten {
namespace {

// Event readers fed by the test; each blocks on its own lock only.
class QuietReaders : public HidTransport {
public:
    explicit QuietReaders(HidTransport& commands) : commands_(commands) {}
    std::vector<HidCollectionInfo> Enumerate(std::uint16_t v, std::uint16_t p) override {
        return commands_.Enumerate(v, p);
    }
    std::unique_ptr<HidConnection> Open(const std::string& path, OpenError& error) override {
        return commands_.Open(path, error);
    }
    std::unique_ptr<HidEventReader> OpenEventReader(const std::string&, OpenError& error) override {
        error = OpenError::None;
        auto reader = std::make_unique<Reader>();
        std::lock_guard lock(mutex_);
        latest_ = reader.get();
        return reader;
    }
    // Hands a report to the reader opened last.
    void Emit(std::vector<std::uint8_t> report) {
        std::lock_guard lock(mutex_);
        latest_->Push(std::move(report));
    }

private:
    class Reader : public HidEventReader {
    public:
        Result Read(std::span<std::uint8_t> report) override {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return interrupted_ || !queue_.empty(); });
            if (interrupted_) {
                interrupted_ = false;
                return {Status::Interrupted, 0};
            }
            const std::vector<std::uint8_t> next = std::move(queue_.front());
            queue_.pop_front();
            const std::size_t n = std::min(next.size(), report.size());
            std::copy_n(next.begin(), n, report.begin());
            return {Status::Report, n};
        }
        void Interrupt() override {
            std::lock_guard lock(mutex_);
            interrupted_ = true;
            changed_.notify_all();
        }
        void Push(std::vector<std::uint8_t> report) {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(report));
            changed_.notify_all();
        }

    private:
        std::mutex mutex_;
        std::condition_variable changed_;
        std::deque<std::vector<std::uint8_t>> queue_;
        bool interrupted_ = false;
    };

    HidTransport& commands_;
    std::mutex mutex_;
    Reader* latest_ = nullptr;  // owned by the link
};

TEST(ListenerRelink, ARepeatedDiscoveryWhileTheListenerReadsHandsItTheNewReader) {
    test::FakeClock clock;
    sim::SimulatedMouse mouse(test::Clocked({}, clock));
    QuietReaders transport(mouse);
    test::RecordingPacer pacer(&clock);
    DeviceLink link(transport, pacer, test::DefaultKey());
    test::NoticeRecorder received;
    DeviceListener listener(link, received);
    listener.Start();
    ASSERT_EQ(link.HandleArrival(), DeviceLink::Change::Accepted);

    for (std::uint8_t round = 1; round <= 20; ++round) {
        transport.Emit({0x06, 0x07, 0x00, round});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (received.Notices().size() < round && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(received.Notices().size(), round);
        EXPECT_EQ(received.Notices().back(), (std::pair<int, std::uint32_t>{7, round}));
        // A removal of another interface of the mouse: discovery runs again while the
        // listener is blocked in the reader it has.
        ASSERT_EQ(link.HandleRemoval(), DeviceLink::Change::Accepted);
    }
    listener.Stop();
}

}  // namespace
}  // namespace quarten
