// The event listener: decoding, hand-off, device loss and return, stopping, and no idle
// wake-ups.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "device/DeviceEvent.h"
#include "device/DeviceListener.h"
#include "tests/support/SimRig.h"

namespace quarten {
namespace {

using Notices = std::vector<std::pair<int, std::uint32_t>>;

// Waits (bounded) until the recorder holds `count` notices.
Notices AwaitNotices(const test::NoticeRecorder& recorder, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (recorder.Notices().size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return recorder.Notices();
}

TEST(DecodeDeviceEvent, OnlyReportSixWithAKnownCodeIsANotice) {
    struct Case {
        std::vector<std::uint8_t> report;
        std::optional<std::pair<int, std::uint32_t>> notice;
    };
    const Case cases[] = {
        {{0x06, 0x05, 0x00, 0x08}, {{5, 8}}},
        {{0x06, 0x07, 0x00, 0x02}, {{7, 2}}},
        {{0x06, 0x08, 0x00, 0x03}, {{8, 3}}},  // passed on; the window decides to show nothing
        {{0x06, 0x09, 0x00, 0x0C}, {{9, 12}}},
        {{0x06, 0x09, 0xFF, 0xFF, 0x77}, {{9, 255}}},
        {{0x05, 0x07, 0x00, 0x01}, std::nullopt},
        {{0x06, 0x06, 0x00, 0x01}, std::nullopt},
        {{0x06, 0x0E, 0x00, 0x01}, std::nullopt},
        {{0x06, 0x07, 0x00}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto event = DecodeDeviceEvent(c.report);
        ASSERT_EQ(event.has_value(), c.notice.has_value());
        if (event) {
            EXPECT_EQ(static_cast<int>(event->notice), c.notice->first);
            EXPECT_EQ(event->value, c.notice->second);
        }
    }
}

TEST(ParseReportBytes, TakesBlankSeparatedHexBytesAndNothingElse) {
    using Bytes = std::vector<std::uint8_t>;
    const std::pair<const char*, std::optional<Bytes>> cases[] = {
        {"06 07 00 02", Bytes{0x06, 0x07, 0x00, 0x02}},
        {"  6\t7 a FF ", Bytes{0x06, 0x07, 0x0A, 0xFF}},
        {"0c", Bytes{0x0C}},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"0x06", std::nullopt},
        {"106", std::nullopt},
        {"06 -1", std::nullopt},
        {"06 +1", std::nullopt},
        {"06,07", std::nullopt},
        {"g6", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseReportBytes(text), expected) << text;
    std::string longest;
    for (int i = 0; i < 64; ++i) longest += "01 ";
    EXPECT_EQ(ParseReportBytes(longest)->size(), 64u);
    EXPECT_FALSE(ParseReportBytes(longest + "01"));
}

class ListenerTest : public ::testing::Test {
protected:
    bool Emit(std::vector<std::uint8_t> report) { return rig.mouse.EmitEvent(report); }
    test::SimRig rig;
    test::NoticeRecorder received;
};

TEST_F(ListenerTest, HandsOverRecognisedReportsInOrder) {
    ASSERT_TRUE(rig.Connect());
    DeviceListener listener(rig.link, received);
    listener.Start();
    Emit({0x06, 0x05, 0x00, 0x08});
    Emit({0x05, 0x07, 0x00, 0x01});
    Emit({0x06, 0x06, 0x00, 0x01});
    Emit({0x06, 0x07, 0x00, 0x02});
    Emit({0x06, 0x09, 0x00, 0x0C});
    EXPECT_EQ(AwaitNotices(received, 3), (Notices{{5, 8}, {7, 2}, {9, 12}}));
}

TEST_F(ListenerTest, WaitsForAnAcceptedMouseAndFollowsItThroughUnplugAndReplug) {
    DeviceListener listener(rig.link, received);
    listener.Start();  // started before any mouse: it must wait, not spin or fail
    ASSERT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted);
    Emit({0x06, 0x08, 0x00, 0x02});
    ASSERT_EQ(AwaitNotices(received, 1), (Notices{{8, 2}}));

    rig.mouse.Unplug();
    EXPECT_EQ(rig.link.HandleRemoval(), DeviceLink::Change::Missing);
    rig.mouse.Plug();
    ASSERT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted);
    Emit({0x06, 0x07, 0x00, 0x04});
    EXPECT_EQ(AwaitNotices(received, 2), (Notices{{8, 2}, {7, 4}}));
}

TEST_F(ListenerTest, ARefusedMouseIsNotListenedTo) {
    sim::SimConfig config;
    config.variant = sim::SimVariant::PlainEcho;
    test::SimRig refused(config);
    ASSERT_FALSE(refused.Connect());
    DeviceListener listener(refused.link, received);
    listener.Start();
    refused.mouse.EmitEvent(std::vector<std::uint8_t>{0x06, 0x05, 0x00, 0x01});
    listener.Stop();  // joins: the thread never took the report
    EXPECT_TRUE(received.Notices().empty());
}

TEST_F(ListenerTest, StopsWhileBlockedInARead) {
    ASSERT_TRUE(rig.Connect());
    DeviceListener listener(rig.link, received);
    listener.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it block
    listener.Stop();
    EXPECT_FALSE(listener.Started());
}

std::set<std::string> Tasks() {
    std::set<std::string> tasks;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        tasks.insert(entry.path().filename().string());
    }
    return tasks;
}

long VoluntarySwitches(const std::string& tid) {
    std::ifstream status("/proc/self/task/" + tid + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("voluntary_ctxt_switches:")) return std::stol(line.substr(24));
    }
    return -1;
}

TEST_F(ListenerTest, MakesNoWakeUpsWhileTheMouseIsIdle) {
    ASSERT_TRUE(rig.Connect());
    const std::set<std::string> before = Tasks();
    DeviceListener listener(rig.link, received);
    listener.Start();
    Emit({0x06, 0x05, 0x00, 0x02});  // proves the thread is in its read loop
    ASSERT_EQ(AwaitNotices(received, 1).size(), 1u);
    std::string tid;
    for (const std::string& task : Tasks()) {
        if (!before.contains(task)) tid = task;
    }
    ASSERT_FALSE(tid.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // settle into the read
    const long start = VoluntarySwitches(tid);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long end = VoluntarySwitches(tid);
    ASSERT_GE(start, 0);
    EXPECT_EQ(end, start) << "the listener woke up while nothing happened";
}

}  // namespace
}  // namespace quarten
