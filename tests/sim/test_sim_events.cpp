// Event reports of the simulated mouse, read by a blocked listener thread.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "sim/SimulatedMouse.h"

namespace quarten::sim {
namespace {

using namespace std::chrono_literals;
using Status = HidEventReader::Status;

struct ReadOutcome {
    HidEventReader::Result result;
    std::array<std::uint8_t, 40> buffer{};
};

class SimEvents : public ::testing::Test {
protected:
    void SetUp() override {
        OpenError error = OpenError::Other;
        reader = mouse.OpenEventReader("sim://quarten/0", error);
        ASSERT_NE(reader, nullptr);
    }

    // Starts one Read on another thread and checks that it is still blocked a while later.
    std::future<ReadOutcome> StartBlockedRead() {
        auto future = std::async(std::launch::async, [this] {
            ReadOutcome outcome;
            outcome.result = reader->Read(outcome.buffer);
            return outcome;
        });
        EXPECT_EQ(future.wait_for(50ms), std::future_status::timeout) << "Read did not block";
        return future;
    }

    static ReadOutcome Finish(std::future<ReadOutcome>& future) {
        // Generous bound so a broken wake-up fails the test instead of hanging it.
        EXPECT_EQ(future.wait_for(5s), std::future_status::ready);
        return future.get();
    }

    SimulatedMouse mouse;
    std::unique_ptr<HidEventReader> reader;
};

TEST_F(SimEvents, EmitWakesABlockedRead) {
    auto future = StartBlockedRead();
    const std::uint8_t report[] = {0x06, 0x07, 0x00, 0x02};
    EXPECT_TRUE(mouse.EmitEvent(report));
    const ReadOutcome outcome = Finish(future);
    EXPECT_EQ(outcome.result.status, Status::Report);
    // Padded to the event collection's 9-byte report.
    ASSERT_EQ(outcome.result.length, 9u);
    const std::array<std::uint8_t, 9> expected = {0x06, 0x07, 0x00, 0x02, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), outcome.buffer.begin()));
}

TEST_F(SimEvents, InterruptWakesABlockedRead) {
    auto future = StartBlockedRead();
    reader->Interrupt();
    EXPECT_EQ(Finish(future).result.status, Status::Interrupted);
}

TEST_F(SimEvents, UnplugEndsABlockedReadWithGone) {
    auto future = StartBlockedRead();
    mouse.Unplug();
    EXPECT_EQ(Finish(future).result.status, Status::Gone);

    // After plugging back in the old reader stays gone; a new one hears new events.
    mouse.Plug();
    std::array<std::uint8_t, 40> buffer{};
    EXPECT_EQ(reader->Read(buffer).status, Status::Gone);
    OpenError error = OpenError::Other;
    auto fresh = mouse.OpenEventReader("sim://quarten/0", error);
    ASSERT_NE(fresh, nullptr);
    const std::uint8_t report[] = {0x06, 0x05, 0x00, 0x08};
    mouse.EmitEvent(report);
    const auto result = fresh->Read(buffer);
    EXPECT_EQ(result.status, Status::Report);
    EXPECT_EQ(buffer[3], 0x08);
}

TEST_F(SimEvents, InterruptBeforeReadReturnsAtOnceAndOnlyOnce) {
    reader->Interrupt();
    std::array<std::uint8_t, 40> buffer{};
    EXPECT_EQ(reader->Read(buffer).status, Status::Interrupted);
    auto future = StartBlockedRead();
    reader->Interrupt();
    EXPECT_EQ(Finish(future).result.status, Status::Interrupted);
}

TEST_F(SimEvents, ReportsArriveInOrderAndUnpluggedEmitsAreLost) {
    const std::uint8_t first[] = {0x06, 0x09, 0x00, 0x0C};
    const std::uint8_t second[] = {0x05, 0x07, 0x00, 0x01};
    const std::uint8_t tooLong[] = {0x06, 0x08, 0x00, 0x02, 1, 2, 3, 4, 5, 6, 7};
    mouse.EmitEvent(first);
    mouse.EmitEvent(second);
    mouse.EmitEvent(tooLong);
    std::array<std::uint8_t, 40> buffer{};
    ASSERT_EQ(reader->Read(buffer).status, Status::Report);
    EXPECT_EQ(buffer[1], 0x09);
    ASSERT_EQ(reader->Read(buffer).status, Status::Report);
    EXPECT_EQ(buffer[0], 0x05);
    const auto cut = reader->Read(buffer);
    EXPECT_EQ(cut.length, 9u);
    EXPECT_EQ(buffer[8], 5);
    EXPECT_EQ(buffer[9], 0) << "bytes beyond the report length must not arrive";

    mouse.Unplug();
    EXPECT_FALSE(mouse.EmitEvent(first));
}

TEST_F(SimEvents, ListenerAndCommandThreadsRunTogether) {
    // One thread drives commands while another drains events; neither may stall the other.
    OpenError error = OpenError::Other;
    auto connection = mouse.Open("sim://quarten/0", error);
    ASSERT_NE(connection, nullptr);
    constexpr int kEvents = 200;
    std::thread listener([&] {
        std::array<std::uint8_t, 40> buffer{};
        for (int i = 0; i < kEvents; ++i) {
            const auto result = reader->Read(buffer);
            ASSERT_EQ(result.status, Status::Report);
            ASSERT_EQ(buffer[3], static_cast<std::uint8_t>(i));
        }
    });
    std::array<std::uint8_t, 9> frame{};
    for (int i = 0; i < kEvents; ++i) {
        const std::uint8_t report[] = {0x06, 0x07, 0x00, static_cast<std::uint8_t>(i)};
        mouse.EmitEvent(report);
        connection->SetFeature(frame);
        connection->GetFeature(frame);
    }
    listener.join();
    EXPECT_EQ(mouse.Log().size(), 2u * kEvents);
}

}  // namespace
}  // namespace quarten::sim
