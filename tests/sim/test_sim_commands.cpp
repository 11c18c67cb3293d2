// The simulated firmware's command set, driven through the HID seam with hand-built reports.
#include <gtest/gtest.h>

#include "tests/sim/SimHost.h"

namespace quarten::sim {
namespace {

using quarten::test::FakeClock;
using test::kProbe;
using test::kScrambledProbe;
using test::Pattern;
using test::SimHost;
using test::TestConfig;

constexpr FrameBytes kZero{};

class SimCommands : public ::testing::Test {
protected:
    SimConfig Config() { return TestConfig(clock); }
    FakeClock clock;
};

TEST_F(SimCommands, ProbeAnswerDependsOnVariant) {
    struct Case {
        SimVariant variant;
        FrameBytes sent;
        FrameBytes expectedWire;
        int badFrames;
    };
    const Case cases[] = {
        // The real firmware cannot read the plain probe and answers nothing.
        {SimVariant::Scrambled, kProbe, kZero, 1},
        {SimVariant::Scrambled, kScrambledProbe, kScrambledProbe, 0},
        {SimVariant::PlainEcho, kProbe, kProbe, 0},
        {SimVariant::PlainEcho, kScrambledProbe, kScrambledProbe, 0},
        {SimVariant::Silent, kProbe, kZero, 0},
        {SimVariant::Silent, kScrambledProbe, kZero, 0},
    };
    for (const Case& c : cases) {
        SimConfig config = Config();
        config.variant = c.variant;
        SimulatedMouse mouse(config);
        SimHost host(mouse);
        SCOPED_TRACE(static_cast<int>(c.variant));
        EXPECT_TRUE(host.SetRaw(c.sent));
        clock.Advance(5000);
        EXPECT_EQ(host.GetRaw(), c.expectedWire);
        EXPECT_EQ(mouse.Counters().badFrames, c.badFrames);
    }
}

TEST_F(SimCommands, ReadAnswersUnscrambleToTheConfiguredValues) {
    SimConfig config = Config();
    config.sensorType = 5;
    config.rate = 0x21;
    config.option1 = 0x42;
    config.option2 = 0x83;
    config.effect = {3, 7, 9};
    config.groups = {{{2, 100, 10}, {0x11, 0x22, 0x33}}};
    SimulatedMouse mouse(config);
    SimHost host(mouse);

    struct Case {
        FrameBytes request;
        FrameBytes answer;
    };
    const Case cases[] = {
        {{0x83, 0, 0, 0, 0, 0, 0, 0}, {0x83, 5, 0x21, 0x42, 0x83, 0, 0, 0}},
        {{0x87, 0, 0, 0, 0, 0, 0, 0}, {0x87, 0, 2, 100, 10, 0, 0, 0}},
        // The host's second group request carries the first answer's bytes along.
        {{0x87, 1, 100, 10, 0, 0, 0, 0}, {0x87, 1, 0x11, 0x22, 0x33, 0, 0, 0}},
        {{0x8D, 0, 0, 0, 0, 0, 0, 0}, {0x8D, 3, 7, 9, 0, 0, 0, 0}},
        {{0x87, 2, 0, 0, 0, 0, 0, 0}, {0x87, 2, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const FrameBytes answer = host.Exchange(c.request);
        EXPECT_EQ(answer, Sealed(c.answer)) << "opcode " << int(c.request[0]);
        EXPECT_TRUE(HasValidChecksum(answer));
    }
    EXPECT_EQ(mouse.Counters().badFrames, 0);
}

TEST_F(SimCommands, SensorAnswerHasKnownWireBytes) {
    SimConfig config = Config();
    config.sensorType = 2;
    config.rate = 3;
    config.option1 = 4;
    config.option2 = 5;
    SimulatedMouse mouse(config);
    SimHost host(mouse);
    // 83 00 00 00 00 00 00 7C scrambled with the test key.
    host.Set({0x83, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(host.GetRaw(), (FrameBytes{0x08, 0x36, 0x27, 0x72, 0x9E, 0x27, 0x56, 0xAE}));
}

TEST_F(SimCommands, FrameWritesAreStoredAndReadBack) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    host.Set({0x01, 4, 0, 0, 0, 0, 0, 0});
    host.Set({0x03, 1, 0x10, 0x20, 0x40, 0, 0, 0});
    host.Set({0x07, 0, 3, 5, 5, 0, 0, 0});
    host.Set({0x07, 1, 7, 8, 9, 0, 0, 0});
    host.Set({0x07, 2, 0xEE, 0xEE, 0xEE, 0, 0, 0});  // no such group: ignored
    host.Set({0x0D, 2, 6, 2, 0, 0, 0, 0});

    const MouseState state = mouse.State();
    EXPECT_EQ(state.reportInterval, 4);
    EXPECT_EQ(state.sensor, (std::array<std::uint8_t, 4>{1, 0x10, 0x20, 0x40}));
    EXPECT_EQ(state.groups[0], (std::array<std::uint8_t, 3>{3, 5, 5}));
    EXPECT_EQ(state.groups[1], (std::array<std::uint8_t, 3>{7, 8, 9}));
    EXPECT_EQ(state.effect, (std::array<std::uint8_t, 3>{2, 6, 2}));

    EXPECT_EQ(host.Exchange({0x83, 0, 0, 0, 0, 0, 0, 0}),
              Sealed({0x83, 1, 0x10, 0x20, 0x40, 0, 0, 0}));
    EXPECT_EQ(host.Exchange({0x8D, 0, 0, 0, 0, 0, 0, 0}), Sealed({0x8D, 2, 6, 2, 0, 0, 0, 0}));
}

TEST_F(SimCommands, WriteFramesLeaveNothingToRead) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    host.Exchange({0x83, 0, 0, 0, 0, 0, 0, 0});
    host.Set({0x01, 1, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(host.GetRaw(), kZero);
}

TEST_F(SimCommands, BlockWritesLandInTheirTables) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    const auto colours = Pattern<24>(0x30);
    const auto stages = std::array<std::uint8_t, 8>{0x01, 0x82, 0x03, 0x04, 0x80, 0x80, 0x80, 0x80};
    const auto matrix = Pattern<64>(0x50);
    const auto slot = Pattern<128>(0x90);

    host.Set({0x10, 0, 0, 0, 0, 0, 0, 0});  // header only, no chunk follows
    host.WriteBlock({0x10, 1, 24, 0, 0, 0, 0, 0}, colours, clock);
    host.WriteBlock({0x11, 4, 8, 0, 0, 0, 0, 0}, stages, clock);
    host.WriteBlock({0x12, 3, 64, 0, 0, 0, 0, 0}, matrix, clock);
    host.WriteBlock({0x13, 12, 128, 0, 0, 0, 0, 0}, slot, clock);

    const MouseState state = mouse.State();
    EXPECT_EQ(state.colourBlock, colours);
    EXPECT_EQ(state.stageCount, 4);
    EXPECT_EQ(state.stageCodes, stages);
    EXPECT_EQ(state.keyMatrices[2], matrix);
    EXPECT_EQ(state.keyMatrices[0], (std::array<std::uint8_t, 64>{}));
    EXPECT_EQ(state.macroSlots[11], slot);
    EXPECT_EQ(state.macroSlots[0], (std::array<std::uint8_t, 128>{}));

    const SimCounters counters = mouse.Counters();
    EXPECT_EQ(counters.unexpectedChunks, 0);
    EXPECT_EQ(counters.abandonedBlocks, 0);
    EXPECT_EQ(counters.pacingViolations, 0);
}

TEST_F(SimCommands, OutOfRangeTablesSwallowTheirChunks) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    host.WriteBlock({0x12, 5, 64, 0, 0, 0, 0, 0}, Pattern<64>(1), clock);
    host.WriteBlock({0x13, 0, 128, 0, 0, 0, 0, 0}, Pattern<128>(1), clock);
    const MouseState state = mouse.State();
    for (const auto& m : state.keyMatrices) EXPECT_EQ(m, (std::array<std::uint8_t, 64>{}));
    for (const auto& s : state.macroSlots) EXPECT_EQ(s, (std::array<std::uint8_t, 128>{}));
    EXPECT_EQ(mouse.Counters().unexpectedChunks, 0);
}

TEST_F(SimCommands, MacroSlotReadSendsHeaderThenFourChunks) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    const auto slot = Pattern<128>(0x11);
    host.WriteBlock({0x13, 5, 128, 0, 0, 0, 0, 0}, slot, clock);

    EXPECT_EQ(host.Exchange({0x93, 5, 0, 0, 0, 0, 0, 0}), Sealed({0x93, 5, 0x80, 0, 0, 0, 0, 0}));
    for (std::size_t i = 0; i < 4; ++i) {
        const auto chunk = host.ReadChunk();
        ASSERT_TRUE(chunk.has_value()) << "chunk " << i;
        EXPECT_TRUE(std::equal(chunk->begin(), chunk->end(), slot.begin() + 32 * i))
            << "chunk " << i;
    }
    EXPECT_FALSE(host.ReadChunk().has_value());
}

TEST_F(SimCommands, NewMacroSlotReadDropsUnfetchedChunks) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    host.WriteBlock({0x13, 2, 128, 0, 0, 0, 0, 0}, Pattern<128>(0x40), clock);
    host.Exchange({0x93, 1, 0, 0, 0, 0, 0, 0});
    host.ReadChunk();
    host.Exchange({0x93, 2, 0, 0, 0, 0, 0, 0});
    const auto first = host.ReadChunk();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ((*first)[0], 0x40);  // slot 2's first byte, not slot 1's second chunk

    // A slot number out of range answers length 0 and queues nothing.
    EXPECT_EQ(host.Exchange({0x93, 13, 0, 0, 0, 0, 0, 0}), Sealed({0x93, 13, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(host.ReadChunk().has_value());
}

TEST_F(SimCommands, BadChecksumIsCountedAndIgnored) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    const DeviceCipher cipher(test::kTestKey);
    FrameBytes frame = Sealed({0x01, 8, 0, 0, 0, 0, 0, 0});
    frame[7] ^= 0x01;
    host.SetRaw(cipher.Scramble(frame));
    EXPECT_EQ(mouse.Counters().badFrames, 1);
    EXPECT_EQ(mouse.State().reportInterval, 0);

    // A damaged read request gets no answer.
    FrameBytes read = Sealed({0x83, 0, 0, 0, 0, 0, 0, 0});
    read[2] = 0x01;
    host.SetRaw(cipher.Scramble(read));
    EXPECT_EQ(host.GetRaw(), kZero);
    EXPECT_EQ(mouse.Counters().badFrames, 2);
}

TEST_F(SimCommands, ChunksWithoutAWaitingHeaderAreUnexpected) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    host.WriteChunk(Pattern<32>(1));  // no header at all
    clock.Advance(3000);
    host.Set({0x10, 0, 0, 0, 0, 0, 0, 0});  // header only
    host.WriteChunk(Pattern<32>(2));
    clock.Advance(3000);
    host.WriteBlock({0x11, 4, 8, 0, 0, 0, 0, 0}, Pattern<8>(3), clock);
    host.WriteChunk(Pattern<32>(4));  // one more than announced
    EXPECT_EQ(mouse.Counters().unexpectedChunks, 3);
    EXPECT_EQ(mouse.State().stageCodes, Pattern<8>(3));
}

TEST_F(SimCommands, BlockCutShortByAFrameIsNotStored) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    host.Set({0x12, 1, 64, 0, 0, 0, 0, 0});
    host.WriteChunk(Pattern<32>(9));
    clock.Advance(3000);
    host.Set({0x01, 2, 0, 0, 0, 0, 0, 0});
    host.WriteChunk(Pattern<32>(9));  // the block is over, this one belongs to nothing
    EXPECT_EQ(mouse.State().keyMatrices[0], (std::array<std::uint8_t, 64>{}));
    EXPECT_EQ(mouse.Counters().abandonedBlocks, 1);
    EXPECT_EQ(mouse.Counters().unexpectedChunks, 1);
}

TEST_F(SimCommands, SilentAndPlainEchoStoreNothing) {
    for (SimVariant variant : {SimVariant::Silent, SimVariant::PlainEcho}) {
        SimConfig config = Config();
        config.variant = variant;
        SimulatedMouse mouse(config);
        SimHost host(mouse);
        const FrameBytes write = Sealed({0x01, 8, 0, 0, 0, 0, 0, 0});
        host.SetRaw(write);
        host.WriteBlock({0x12, 1, 64, 0, 0, 0, 0, 0}, Pattern<64>(5), clock);
        host.SetRaw(write);
        const MouseState state = mouse.State();
        EXPECT_EQ(state.reportInterval, 0);
        EXPECT_EQ(state.keyMatrices[0], (std::array<std::uint8_t, 64>{}));
        // Plain echo repeats the last set on every get; silent reads zeros.
        const FrameBytes expected = variant == SimVariant::PlainEcho ? write : kZero;
        EXPECT_EQ(host.GetRaw(), expected);
        EXPECT_EQ(host.GetRaw(), expected);
    }
}

TEST_F(SimCommands, LogRecordsPlainAndWireBytesWithTimes) {
    SimulatedMouse mouse(Config());
    SimHost host(mouse);
    host.SetRaw(kScrambledProbe);
    clock.Advance(5000);
    host.GetRaw();
    host.Set({0x11, 4, 8, 0, 0, 0, 0, 0});
    host.WriteChunk(Pattern<32>(0));
    host.Set({0x93, 1, 0, 0, 0, 0, 0, 0});
    host.GetRaw();
    host.ReadChunk();

    const std::vector<SimLogEntry> log = mouse.Log();
    using Kind = SimLogEntry::Kind;
    ASSERT_EQ(log.size(), 7u);
    const Kind kinds[] = {Kind::Set, Kind::Get, Kind::Set,    Kind::OutChunk,
                          Kind::Set, Kind::Get, Kind::InChunk};
    for (std::size_t i = 0; i < log.size(); ++i) EXPECT_EQ(log[i].kind, kinds[i]) << i;

    EXPECT_EQ(log[0].frame, kProbe);
    EXPECT_EQ(log[0].wire,
              (std::vector<std::uint8_t>{0, 0x05, 0x33, 0x8F, 0x75, 0xDA, 0x1E, 0x34, 0x7E}));
    EXPECT_EQ(log[0].atMicros, 1'000'000);
    EXPECT_EQ(log[1].frame, kProbe);
    EXPECT_EQ(log[1].wire, log[0].wire);
    EXPECT_EQ(log[1].atMicros, 1'005'000);
    EXPECT_EQ(log[2].frame, Sealed({0x11, 4, 8, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(log[3].ok);
    EXPECT_EQ(log[3].wire.size(), 33u);
    EXPECT_EQ(log[5].frame, Sealed({0x93, 1, 0x80, 0, 0, 0, 0, 0}));
    EXPECT_EQ(log[6].wire.size(), 33u);

    mouse.ClearLog();
    EXPECT_TRUE(mouse.Log().empty());
}

}  // namespace
}  // namespace quarten::sim
