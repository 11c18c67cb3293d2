// Apply and the connection read-back against the simulated mouse: what reaches the mouse,
// in which order, with which waits.
#include <gtest/gtest.h>

#include <algorithm>

#include "buttons/KeyMatrix.h"
#include "settings/ApplySequence.h"
#include "settings/DeviceCommands.h"
#include "settings/FactorySettings.h"
#include "tests/support/ScriptedConnection.h"
#include "tests/support/SimRig.h"

namespace quarten {
namespace {

using Kind = sim::SimLogEntry::Kind;

class ApplyTest : public ::testing::Test {
protected:
    void SetUp() override { Connect(); }
    void Connect(sim::SimConfig config = {}) {
        rig = std::make_unique<test::SimRig>(std::move(config));
        ASSERT_TRUE(rig->Connect());
        settings.image = FactoryImage();
        ConnectionReadBack(rig->link.Channel(), settings);
        rig->mouse.ClearLog();
        rig->pacer.Clear();
        before = rig->mouse.Counters();
    }
    std::vector<FrameBytes> Headers() const {
        std::vector<FrameBytes> frames;
        for (const auto& e : rig->mouse.Log()) {
            if (e.kind == Kind::Set) frames.push_back(e.frame);
        }
        return frames;
    }
    int Count(Kind kind) const {
        const auto log = rig->mouse.Log();
        return static_cast<int>(
            std::count_if(log.begin(), log.end(), [kind](const auto& e) { return e.kind == kind; }));
    }

    std::unique_ptr<test::SimRig> rig;
    DeviceSettings settings;
    sim::SimCounters before;  // the plain probe of the handshake is one bad frame
};

TEST_F(ApplyTest, SendsTheFixedSequenceWithItsWaits) {
    SendSettings(rig->link.Channel(), settings);

    const std::vector<FrameBytes> headers = Headers();
    ASSERT_EQ(headers.size(), 38u);
    EXPECT_EQ(Count(Kind::OutChunk), 58);
    EXPECT_EQ(Count(Kind::InChunk), 48);
    EXPECT_EQ(rig->pacer.CountOf(2), 34);
    EXPECT_EQ(rig->pacer.CountOf(3), 58);
    EXPECT_EQ(rig->pacer.Waits().size(), 92u);

    std::vector<std::pair<int, int>> order;  // opcode, argument 1
    for (const FrameBytes& h : headers) order.emplace_back(h[0], h[1]);
    std::vector<std::pair<int, int>> expected = {{0x01, 1},    {0x8D, 0},    {0x87, 0},
                                                 {0x87, 1},    {0x10, 0},    {0x10, 1},
                                                 {0x07, 0},    {0x07, 1},    {0x0D, 1},
                                                 {0x11, 4}};
    for (int slot = 1; slot <= 12; ++slot) expected.emplace_back(0x13, slot);
    for (int slot = 1; slot <= 12; ++slot) expected.emplace_back(0x93, slot);
    for (int table = 1; table <= 4; ++table) expected.emplace_back(0x12, table);
    EXPECT_EQ(order, expected);
    for (const FrameBytes& h : headers) EXPECT_EQ(h[7], Checksum(h));

    const sim::SimCounters counters = rig->mouse.Counters();
    EXPECT_EQ(before.badFrames, 1);
    EXPECT_EQ(counters.badFrames, before.badFrames);
    EXPECT_EQ(counters.pacingViolations, 0);
    EXPECT_EQ(counters.unexpectedChunks, 0);
    EXPECT_EQ(counters.abandonedBlocks, 0);
}

TEST_F(ApplyTest, LeavesTheMouseHoldingWhatTheImageSays) {
    for (std::size_t i = 0; i < layout::kMacroAreaSize; ++i) {
        settings.image[layout::kMacroArea + i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    SendSettings(rig->link.Channel(), settings);
    const sim::MouseState state = rig->mouse.State();

    EXPECT_EQ(state.reportInterval, 1);
    EXPECT_TRUE(std::equal(state.colourBlock.begin(), state.colourBlock.begin() + 12,
                           settings.image.begin() + layout::kDpiColour));
    EXPECT_TRUE(std::all_of(state.colourBlock.begin() + 12, state.colourBlock.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(state.stageCount, 4);
    // Factory stages on at positions 1, 3, 5, 7 of sensor type 1 (the simulated default).
    EXPECT_EQ(state.stageCodes, (std::array<std::uint8_t, 8>{2, 4, 35, 37, 0x80, 0x80, 0x80, 0x80}));
    EXPECT_EQ(state.effect, (std::array<std::uint8_t, 3>{1, 10, 2}));  // Standard, 100%
    EXPECT_EQ(state.groups[0][0], 1);
    const KeyMatrices matrices = BuildKeyMatrices(settings.image);
    for (std::size_t t = 0; t < 4; ++t) EXPECT_EQ(state.keyMatrices[t], matrices[t]) << t;
    for (std::size_t s = 0; s < 12; ++s) {
        EXPECT_TRUE(std::equal(state.macroSlots[s].begin(), state.macroSlots[s].end(),
                               settings.image.begin() + layout::MacroSlotOffset(s + 1)))
            << "slot " << s + 1;
    }
    // The read-back answers land in the macro buffer, the stored image stays as it was.
    EXPECT_TRUE(std::equal(settings.buffers.macroBuffer.begin(), settings.buffers.macroBuffer.end(),
                           settings.image.begin() + layout::kMacroArea));
}

TEST_F(ApplyTest, LightingFollowsTheModeAndKeepsWhatTheMouseReported) {
    struct Case {
        std::uint8_t mode, parameter, neonEffect;
        std::array<std::uint8_t, 3> effect, group0;
    };
    // The simulated mouse reports effect 01 05 02 and group 0 as 01 00 00 at power-on.
    sim::SimConfig config;
    config.effect = {7, 8, 9};
    config.groups = {{{4, 5, 6}, {0x11, 0x22, 0x33}}};
    const Case cases[] = {
        {0, 0, 0, {7, 8, 9}, {4, 5, 6}},     // a fresh image sends back what was read
        {1, 9, 0, {1, 10, 2}, {1, 5, 6}},    // Standard 100%
        {2, 4, 0, {2, 5, 2}, {1, 5, 6}},     // Respiration 4S
        {3, 29, 2, {3, 30, 9}, {2, 100, 10}},
        {3, 0, 3, {3, 1, 9}, {3, 5, 5}},
        {3, 5, 7, {3, 6, 9}, {4, 5, 6}},     // unknown neon effect keeps group 0
        {9, 1, 2, {7, 8, 9}, {4, 5, 6}},
    };
    for (const Case& c : cases) {
        Connect(config);
        settings.image[layout::kLightMode] = c.mode;
        settings.image[layout::kStandardBrightness] = c.parameter;
        settings.image[layout::kRespirationSpeed] = c.parameter;
        settings.image[layout::kNeonSpeed] = c.parameter;
        settings.image[layout::kNeonEffect] = c.neonEffect;
        SendSettings(rig->link.Channel(), settings);
        const sim::MouseState state = rig->mouse.State();
        EXPECT_EQ(state.effect, c.effect) << "mode " << int(c.mode);
        EXPECT_EQ(state.groups[0], c.group0) << "mode " << int(c.mode);
        EXPECT_EQ(state.groups[1], (std::array<std::uint8_t, 3>{0x11, 0x22, 0x33}));
    }
}

TEST_F(ApplyTest, StageCodesCarryTheOffBit) {
    struct Case {
        std::uint8_t sensor;
        std::array<std::uint8_t, 4> levels, enabled;
        std::array<std::uint8_t, 4> codes;
    };
    const Case cases[] = {
        {2, {0, 0, 7, 7}, {1, 0, 1, 0}, {0x02, 0x82, 42, 0x80 | 42}},
        {0, {8, 11, 0, 3}, {1, 1, 1, 1}, {37, 40, 1, 4}},
        {3, {0, 1, 2, 7}, {0, 1, 0, 1}, {0x81, 2, 0x83, 8}},
        {5, {0, 1, 2, 3}, {1, 0, 1, 0}, {0x00, 0x80, 0x00, 0x80}},  // unknown sensor: code 0
    };
    for (const Case& c : cases) {
        sim::SimConfig config;
        config.sensorType = c.sensor;
        Connect(config);
        EXPECT_EQ(settings.sensorTypeSelector, c.sensor);
        std::copy(c.levels.begin(), c.levels.end(), settings.image.begin() + layout::kDpiLevel);
        std::copy(c.enabled.begin(), c.enabled.end(), settings.image.begin() + layout::kDpiEnabled);
        SendSettings(rig->link.Channel(), settings);
        const auto codes = rig->mouse.State().stageCodes;
        EXPECT_TRUE(std::equal(c.codes.begin(), c.codes.end(), codes.begin()))
            << "sensor " << int(c.sensor);
        EXPECT_TRUE(std::all_of(codes.begin() + 4, codes.end(), [](auto b) { return b == 0x80; }));
    }
}

TEST_F(ApplyTest, BlockHeadersCarryTheirLengths) {
    SendSettings(rig->link.Channel(), settings);
    auto find = [&](std::uint8_t op, std::uint8_t arg) {
        for (const FrameBytes& h : Headers()) {
            if (h[0] == op && h[1] == arg) return h;
        }
        return FrameBytes{};
    };
    EXPECT_EQ(find(0x10, 0), (FrameBytes{0x10, 0, 0, 0, 0, 0, 0, 0xEF}));
    EXPECT_EQ(find(0x10, 1), (FrameBytes{0x10, 1, 0x18, 0, 0, 0, 0, 0xD6}));
    EXPECT_EQ(find(0x11, 4), (FrameBytes{0x11, 4, 8, 0, 0, 0, 0, 0xE2}));
    EXPECT_EQ(find(0x12, 1), (FrameBytes{0x12, 1, 0x40, 0, 0, 0, 0, 0xAC}));
    EXPECT_EQ(find(0x13, 1), (FrameBytes{0x13, 1, 0x80, 0, 0, 0, 0, 0x6B}));
    EXPECT_EQ(find(0x8D, 0), (FrameBytes{0x8D, 0, 0, 0, 0, 0, 0, 0x72}));
}

TEST_F(ApplyTest, SecondGroupReadCarriesTheFirstAnswersBytes) {
    sim::SimConfig config;
    config.groups = {{{0x21, 0x43, 0x65}, {0, 0, 0}}};
    Connect(config);
    SendSettings(rig->link.Channel(), settings);
    std::vector<FrameBytes> reads;
    for (const FrameBytes& h : Headers()) {
        if (h[0] == 0x87) reads.push_back(h);
    }
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0], (FrameBytes{0x87, 0, 0, 0, 0, 0, 0, 0x78}));
    EXPECT_EQ(reads[1][1], 1);
    EXPECT_EQ(reads[1][2], 0x21);
    EXPECT_EQ(reads[1][3], 0x43);
    EXPECT_EQ(reads[1][4], 0x65);
}

TEST_F(ApplyTest, ConnectionReadBackSetsBitSixOfOption2Only) {
    sim::SimConfig config;
    config.sensorType = 3;
    config.rate = 0x12;
    config.option1 = 0x34;
    config.option2 = 0x81;
    Connect(config);
    EXPECT_EQ(settings.sensorTypeSelector, 3);
    EXPECT_EQ(rig->mouse.State().sensor, (std::array<std::uint8_t, 4>{3, 0x12, 0x34, 0xC1}));
}

TEST(ReadMacros, IgnoresAnswersOutsideTheSlotsOrLongerThanOne) {
    test::RecordingPacer pacer;
    test::ScriptedConnection connection;
    CommandChannel channel(pacer);
    channel.Attach(&connection, {9, 33, 33});
    DeviceSettings settings;
    settings.buffers.macroBuffer.fill(0x55);
    auto answer = [&](std::uint8_t slot, std::uint8_t length, std::uint8_t fill) {
        FrameBytes a = {0x93, slot, length, 0, 0, 0, 0, 0};
        std::vector<std::uint8_t> report = {0};
        report.insert(report.end(), a.begin(), a.end());
        connection.features.push_back(report);
        for (int n = 0; n < (length + 31) / 32; ++n) {
            std::vector<std::uint8_t> chunk(33, fill);
            chunk[0] = 0;
            connection.inputs.push_back(chunk);
        }
    };
    answer(13, 128, 0xA1);  // no such slot
    answer(0, 128, 0xA2);   // no such slot
    answer(2, 200, 0xA3);   // longer than a slot
    answer(3, 16, 0xA4);    // a short answer fills only its length
    DeviceCommands(channel, settings).ReadMacros();
    const auto& buffer = settings.buffers.macroBuffer;
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.begin() + 256, [](auto b) { return b == 0x55; }));
    EXPECT_EQ(buffer[256], 0xA4);
    EXPECT_EQ(buffer[256 + 15], 0xA4);
    EXPECT_EQ(buffer[256 + 16], 0x55);
}

}  // namespace
}  // namespace quarten
