// Ten thousand event reports at once: the listener hands each one over, in order, and holds
// no more than the one report it is handing over, whatever the sink takes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "device/DeviceListener.h"
#include "tests/support/SimRig.h"

namespace quarten {
namespace {

constexpr int kFlood = 10'000;

// Counts the reads the listener makes on the event collection.
class CountingTransport : public HidTransport {
public:
    explicit CountingTransport(HidTransport& inner) : inner_(inner) {}
    std::vector<HidCollectionInfo> Enumerate(std::uint16_t v, std::uint16_t p) override {
        return inner_.Enumerate(v, p);
    }
    std::unique_ptr<HidConnection> Open(const std::string& path, OpenError& error) override {
        return inner_.Open(path, error);
    }
    std::unique_ptr<HidEventReader> OpenEventReader(const std::string& path,
                                                    OpenError& error) override {
        auto reader = inner_.OpenEventReader(path, error);
        if (!reader) return nullptr;
        return std::make_unique<Reader>(std::move(reader), reads);
    }
    std::atomic<int> reads{0};

private:
    class Reader : public HidEventReader {
    public:
        Reader(std::unique_ptr<HidEventReader> inner, std::atomic<int>& reads)
            : inner_(std::move(inner)), reads_(reads) {}
        Result Read(std::span<std::uint8_t> report) override {
            const Result result = inner_->Read(report);
            if (result.status == Status::Report) ++reads_;
            return result;
        }
        void Interrupt() override { inner_->Interrupt(); }

    private:
        std::unique_ptr<HidEventReader> inner_;
        std::atomic<int>& reads_;
    };
    HidTransport& inner_;
};

// A sink that can hold the listener inside the hand-over, as a busy window does.
class GatedSink : public DeviceNoticeSink {
public:
    void OnDeviceNotice(DeviceNotice notice, std::uint32_t value) override {
        std::unique_lock lock(mutex_);
        ++entered_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
        received_.emplace_back(static_cast<int>(notice), value);
        changed_.notify_all();
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    // Bounded waits, so a lost report fails the test instead of hanging it.
    bool AwaitEntered(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return entered_ >= count; });
    }
    bool AwaitReceived(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20),
                                 [&] { return received_.size() >= count; });
    }
    std::vector<std::pair<int, std::uint32_t>> Received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    int entered_ = 0;
    std::vector<std::pair<int, std::uint32_t>> received_;
};

TEST(EventFlood, TenThousandReportsArriveInOrderOneHandOverAtATime) {
    test::FakeClock clock;
    sim::SimulatedMouse mouse(test::Clocked({}, clock));
    CountingTransport transport(mouse);
    test::RecordingPacer pacer(&clock);
    DeviceLink link(transport, pacer, test::DefaultKey());
    ASSERT_TRUE(link.FindDevice());
    link.Handshake();
    ASSERT_TRUE(link.Ready());

    // Every fourth report is one the decoder drops: another report ID or an unknown code.
    // The last one is a notice, so that its arrival means every report has been read.
    std::vector<std::pair<int, std::uint32_t>> expected;
    for (int i = 0; i < kFlood; ++i) {
        const auto value = static_cast<std::uint8_t>(i % 251);
        std::vector<std::uint8_t> report{0x06, 0x07, 0x00, value};
        const bool last = i == kFlood - 1;
        if (i % 8 == 3) report[0] = 0x05;           // another report ID
        if (i % 8 == 7 && !last) report[1] = 0x0E;  // a code the mouse never sends
        ASSERT_TRUE(mouse.EmitEvent(report));
        if (i % 4 != 3 || last) expected.emplace_back(7, value);
    }

    GatedSink sink;
    DeviceListener listener(link, sink);
    listener.Start();
    ASSERT_TRUE(sink.AwaitEntered(1));
    // While the first notice is being handed over, the rest wait in the mouse, not in the host.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(transport.reads.load(), 1);

    sink.Open();
    ASSERT_TRUE(sink.AwaitReceived(expected.size()));
    listener.Stop();
    EXPECT_EQ(sink.Received(), expected);
    EXPECT_EQ(transport.reads.load(), kFlood);
}

}  // namespace
}  // namespace quarten
