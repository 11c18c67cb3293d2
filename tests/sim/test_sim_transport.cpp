// The simulated mouse as a HID device: enumeration, handles, pacing, unplugging.
#include <gtest/gtest.h>

#include "tests/sim/SimHost.h"

namespace quarten::sim {
namespace {

using quarten::test::FakeClock;
using test::kScrambledProbe;
using test::Pattern;
using test::SimHost;
using test::TestConfig;

struct Seen {
    std::uint16_t usagePage, usage, feature, input, output;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> Collections(SimulatedMouse& mouse) {
    std::vector<Seen> seen;
    for (const HidCollectionInfo& c : mouse.Enumerate(0x04D9, 0xA09F)) {
        EXPECT_EQ(c.path, "sim://quarten/0");
        EXPECT_EQ(c.vendorId, 0x04D9);
        EXPECT_EQ(c.productId, 0xA09F);
        EXPECT_EQ(c.version, 0x0100);
        seen.push_back({c.usagePage, c.usage, c.featureLength, c.inputLength, c.outputLength});
    }
    return seen;
}

constexpr Seen kEvent{0xFF01, 0xFF01, 0, 9, 0};
constexpr Seen kCommand{0xFF00, 0xFF00, 9, 33, 33};

TEST(SimTransport, EnumeratesItsCollectionsAsConfigured) {
    struct Case {
        const char* name;
        void (*configure)(SimConfig&);
        std::vector<Seen> expected;
    };
    const Case cases[] = {
        {"default", [](SimConfig&) {}, {kEvent, kCommand}},
        {"event last", [](SimConfig& c) { c.eventAfterCommand = true; }, {kCommand, kEvent}},
        {"extra mouse",
         [](SimConfig& c) { c.extraMouseCollection = true; },
         {{0x0001, 0x0002, 0, 5, 0}, kEvent, kCommand}},
        {"long reports",
         [](SimConfig& c) {
             c.command = {17, 41, 41};
         },
         {kEvent, {0xFF00, 0xFF00, 17, 41, 41}}},
    };
    for (const Case& c : cases) {
        SimConfig config;
        c.configure(config);
        SimulatedMouse mouse(config);
        EXPECT_EQ(Collections(mouse), c.expected) << c.name;
    }
}

TEST(SimTransport, OnlyItsOwnIdsAndPathAnswer) {
    SimulatedMouse mouse;
    EXPECT_TRUE(mouse.Enumerate(0x04D9, 0xA0A0).empty());
    EXPECT_TRUE(mouse.Enumerate(0x046D, 0xA09F).empty());
    OpenError error = OpenError::None;
    EXPECT_EQ(mouse.Open("sim://quarten/1", error), nullptr);
    EXPECT_EQ(error, OpenError::NotFound);
    error = OpenError::None;
    EXPECT_EQ(mouse.OpenEventReader("/dev/hidraw0", error), nullptr);
    EXPECT_EQ(error, OpenError::NotFound);
}

TEST(SimTransport, RefusesReportsTooShortOrWithAnotherId) {
    SimulatedMouse mouse;
    SimHost host(mouse);
    HidConnection& c = host.Connection();
    std::array<std::uint8_t, 8> shortFeature{};
    std::array<std::uint8_t, 32> shortChunk{};
    std::array<std::uint8_t, 9> otherId{};
    otherId[0] = 6;
    EXPECT_FALSE(c.SetFeature(shortFeature));
    EXPECT_FALSE(c.GetFeature(shortFeature));
    EXPECT_FALSE(c.WriteReport(shortChunk));
    EXPECT_FALSE(c.ReadReport(shortChunk));
    EXPECT_FALSE(c.SetFeature(otherId));
    EXPECT_TRUE(mouse.Log().empty());

    // Longer buffers than the frame are fine, as with a 16-byte send buffer.
    std::array<std::uint8_t, 16> longFeature{};
    EXPECT_TRUE(c.SetFeature(longFeature));
}

class SimPacing : public ::testing::Test {
protected:
    FakeClock clock;
    SimulatedMouse mouse{TestConfig(clock)};
    SimHost host{mouse};
};

TEST_F(SimPacing, OutputChunksNeedThreeMillisecondsBetweenThem) {
    host.Set({0x12, 1, 64, 0, 0, 0, 0, 0});
    host.WriteChunk(Pattern<32>(1));
    clock.Advance(2999);
    host.WriteChunk(Pattern<32>(2));
    clock.Advance(3000);
    host.Set({0x12, 2, 64, 0, 0, 0, 0, 0});
    host.WriteChunk(Pattern<32>(3));
    clock.Advance(3000);
    host.WriteChunk(Pattern<32>(4));

    const std::vector<PacingViolation> violations = mouse.Violations();
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0].kind, PacingViolation::Kind::ChunkGap);
    EXPECT_EQ(violations[0].gapMicros, 2999);
    EXPECT_EQ(violations[0].requiredMicros, 3000);
    EXPECT_EQ(violations[0].atMicros, 1'002'999);
    EXPECT_FALSE(violations[0].detail.empty());
    EXPECT_EQ(mouse.Counters().pacingViolations, 1);
    // Pacing is the host's fault, not the data's: both tables still arrive.
    EXPECT_EQ(mouse.State().keyMatrices[1][0], Pattern<32>(3)[0]);
}

TEST_F(SimPacing, ProbeNeedsFiveMillisecondsBeforeItsRead) {
    struct Case {
        FrameBytes probe;
        std::int64_t wait;
        bool violation;
    };
    const Case cases[] = {
        {kScrambledProbe, 5000, false},
        {kScrambledProbe, 4999, true},
        {test::kProbe, 0, true},  // the plain attempt is paced too, though it is a bad frame
        {test::kProbe, 5000, false},
    };
    int expected = 0;
    for (const Case& c : cases) {
        host.SetRaw(c.probe);
        clock.Advance(c.wait);
        host.GetRaw();
        expected += c.violation ? 1 : 0;
        EXPECT_EQ(mouse.Counters().pacingViolations, expected) << "wait " << c.wait;
    }
    EXPECT_EQ(mouse.Violations().back().kind, PacingViolation::Kind::ProbeWait);

    // Other reads need no wait, and only the first get after the probe is timed.
    host.SetRaw(kScrambledProbe);
    clock.Advance(5000);
    host.GetRaw();
    host.GetRaw();
    host.Exchange({0x83, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(mouse.Counters().pacingViolations, expected);
}

TEST(SimPlug, UnpluggedMouseFailsEverythingAndComesBackAfterPlug) {
    FakeClock clock;
    SimulatedMouse mouse(TestConfig(clock));
    auto host = std::make_unique<SimHost>(mouse);
    host->WriteBlock({0x12, 1, 64, 0, 0, 0, 0, 0}, Pattern<64>(7), clock);
    host->Exchange({0x93, 1, 0, 0, 0, 0, 0, 0});  // chunks left queued

    mouse.Unplug();
    EXPECT_FALSE(mouse.Plugged());
    EXPECT_TRUE(mouse.Enumerate(0x04D9, 0xA09F).empty());
    OpenError error = OpenError::None;
    EXPECT_EQ(mouse.Open("sim://quarten/0", error), nullptr);
    EXPECT_EQ(error, OpenError::NotFound);

    HidConnection& dead = host->Connection();
    test::FeatureReport feature{};
    test::ChunkReport chunk{};
    EXPECT_FALSE(dead.SetFeature(feature));
    feature.fill(0);
    chunk.fill(0);
    EXPECT_FALSE(dead.WriteReport(chunk));
    feature[5] = 0x55;
    EXPECT_FALSE(dead.GetFeature(feature));
    EXPECT_EQ(feature, test::FeatureReport{});
    chunk[0] = 0;
    chunk[7] = 0x55;
    EXPECT_FALSE(dead.ReadReport(chunk));
    EXPECT_EQ(chunk, test::ChunkReport{});

    mouse.Plug();
    EXPECT_EQ(mouse.Enumerate(0x04D9, 0xA09F).size(), 2u);
    // A handle from before the unplug stays dead; a fresh one works.
    EXPECT_FALSE(host->Set({0x01, 2, 0, 0, 0, 0, 0, 0}));
    SimHost fresh(mouse);
    EXPECT_TRUE(fresh.Set({0x01, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mouse.State().reportInterval, 2);
    // Stored tables survive; the queued read-back chunks did not.
    EXPECT_EQ(mouse.State().keyMatrices[0], Pattern<64>(7));
    EXPECT_FALSE(fresh.ReadChunk().has_value());
}

TEST(SimPlug, FailAfterUnplugsRightAfterTheNthCall) {
    FakeClock clock;
    SimulatedMouse mouse(TestConfig(clock));
    SimHost host(mouse);
    mouse.FailAfter(3);
    EXPECT_TRUE(host.Set({0x01, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(host.Set({0x01, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(host.Set({0x01, 4, 0, 0, 0, 0, 0, 0}));  // the third call still lands
    EXPECT_FALSE(mouse.Plugged());
    EXPECT_FALSE(host.Set({0x01, 8, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mouse.State().reportInterval, 4);

    mouse.Plug();
    SimHost fresh(mouse);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(fresh.Set({0x01, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(mouse.Plugged()) << "Plug() must cancel a pending failure";

    mouse.FailAfter(0);
    EXPECT_FALSE(mouse.Plugged());
}

TEST(SimPlug, HandlesOutliveTheTransport) {
    std::unique_ptr<HidConnection> connection;
    {
        SimulatedMouse mouse;
        OpenError error = OpenError::Other;
        connection = mouse.Open("sim://quarten/0", error);
        ASSERT_NE(connection, nullptr);
    }
    test::FeatureReport report{};
    EXPECT_FALSE(connection->SetFeature(report));
}

}  // namespace
}  // namespace quarten::sim
