// A mouse that answers garbage, or answers too late: the host refuses or survives it, the
// stored image and config.bin stay what the user made, and a sane mouse is accepted again.
#include <gtest/gtest.h>

#include <numeric>

#include "BuildConfig.h"
#include "device/ReportScrambler.h"
#include "platform/PosixFileStore.h"
#include "platform/SteadyPacer.h"
#include "settings/ApplySequence.h"
#include "settings/DeviceCommands.h"
#include "settings/SettingsFile.h"
#include "tests/fault/FaultRig.h"
#include "tests/support/RecordingPacer.h"
#include "tests/support/SimRig.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

using test::HostileRig;

void Garble(std::mt19937& random, std::span<std::uint8_t> answer) {
    for (std::uint8_t& b : answer) b = static_cast<std::uint8_t>(random());
}

TEST(GarbageAnswers, FromTheFirstAnswerTheMouseIsRefusedAndLaterAcceptedWhenItRecovers) {
    for (unsigned seed = 0; seed < 50; ++seed) {
        HostileRig rig;
        std::mt19937 random(seed);
        rig.wrapped.onAnswer = [&](std::span<std::uint8_t> a, bool&) { Garble(random, a); };
        EXPECT_FALSE(rig.Connect()) << seed;
        EXPECT_EQ(rig.link.LastDiscovery().failure, DiscoveryFailure::Refused) << seed;

        rig.wrapped.onAnswer = nullptr;
        EXPECT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted) << seed;
    }
}

TEST(GarbageAnswers, AfterTheHandshakeTheImageAndConfigBinStayTheUsers) {
    test::TempDir dir;
    PosixFileStore store;
    const ImageBytes image = test::EditedImage();
    for (unsigned seed = 0; seed < 50; ++seed) {
        dir.WriteFile("config.bin", SettingsFileBytes(0, FactoryImage()));
        HostileRig rig;
        ASSERT_TRUE(rig.Connect());
        std::mt19937 random(seed);
        rig.wrapped.onAnswer = [&](std::span<std::uint8_t> a, bool&) { Garble(random, a); };

        DeviceSettings settings;
        settings.image = image;
        ConnectionReadBack(rig.link.Channel(), settings);
        SendSettings(rig.link.Channel(), settings);
        DeviceCommands(rig.link.Channel(), settings).ReadEffect();
        ASSERT_EQ(SaveSettingsFile(store, dir / "config.bin", settings).status,
                  SettingsFileResult::Status::Saved);

        EXPECT_EQ(settings.image, image) << seed;
        EXPECT_EQ(dir.ReadFile("config.bin"), SettingsFileBytes(1, image)) << seed;
        // Writes still reach the mouse whatever it answers; what it said about itself only
        // shapes the read-back buffers.
        EXPECT_TRUE(test::MouseHolds(rig.mouse.State(), image)) << seed;
    }
}

TEST(GarbageAnswers, MacroReadBackOfAWrongSlotOrLengthIsIgnored) {
    // Read-back answers naming slot 0, 13 or a length past one slot must not land anywhere.
    HostileRig rig;
    ASSERT_TRUE(rig.Connect());
    DeviceSettings settings;
    settings.image = test::EditedImage();
    std::copy_n(settings.image.begin() + layout::kMacroArea, layout::kMacroAreaSize,
                settings.buffers.macroBuffer.begin());
    const auto before = settings.buffers.macroBuffer;
    const ScramblerKey key = test::DefaultKey();
    int answers = 0;
    rig.wrapped.onAnswer = [&](std::span<std::uint8_t> a, bool&) {
        if (a.size() != 9) {  // a data chunk: all 0xEE
            std::fill(a.begin() + 1, a.end(), std::uint8_t{0xEE});
            return;
        }
        // Every header answer claims slot 0, 13 or 200 bytes, in turn, properly scrambled.
        FrameBytes f{0x93, 0, 128, 0, 0, 0, 0, 0};
        switch (answers++ % 3) {
            case 0:
                f[1] = 0;
                break;
            case 1:
                f[1] = 13;
                break;
            default:
                f[1] = 1;
                f[2] = 200;
                break;
        }
        f[7] = Checksum(f);
        std::copy(f.begin(), f.end(), a.begin() + 1);
        ReportScrambler::Scramble(a.subspan<1, 8>(), key);
    };
    DeviceCommands(rig.link.Channel(), settings).ReadMacros();
    EXPECT_EQ(answers, 12);
    EXPECT_EQ(settings.buffers.macroBuffer, before);
}

// Answers that are not ready when the host reads them: the firmware needs `lag` after each
// set before a get sees the answer; a get before that finds nothing to read.
void Lag(HostileRig& rig, std::int64_t lagMicros) {
    auto lastSet = std::make_shared<std::int64_t>(0);
    auto previousCount = std::make_shared<std::size_t>(0);
    rig.wrapped.onAnswer = [&rig, lagMicros, lastSet, previousCount](std::span<std::uint8_t> a,
                                                                     bool& ok) {
        const auto log = rig.mouse.Log();
        for (std::size_t i = *previousCount; i < log.size(); ++i) {
            if (log[i].kind == sim::SimLogEntry::Kind::Set) *lastSet = log[i].atMicros;
        }
        *previousCount = log.size();
        if (a.size() == 9 && rig.clock.NowMicros() - *lastSet < lagMicros) {
            std::fill(a.begin(), a.end(), std::uint8_t{0});
            ok = false;
        }
    };
}

TEST(SlowMouse, AProbeAnswerLaterThanTheWaitIsRefusedAndNothingIsRetriedForever) {
    HostileRig rig;
    Lag(rig, 8000);  // the host waits 5 ms before reading the probe back
    EXPECT_FALSE(rig.Connect());
    EXPECT_FALSE(rig.link.ProbeEchoed());
    const auto& waits = rig.pacer.Waits();
    EXPECT_EQ(std::accumulate(waits.begin(), waits.end(), 0), 10);  // two probes, 5 ms each

    rig.wrapped.onAnswer = nullptr;
    EXPECT_EQ(rig.link.HandleArrival(), DeviceLink::Change::Accepted);
}

TEST(SlowMouse, LateReadAnswersStillLetApplyThroughAndKeepTheImage) {
    HostileRig rig;
    Lag(rig, 4000);  // the probe is answered in time, no other read is
    ASSERT_TRUE(rig.Connect());
    DeviceSettings settings;
    settings.image = test::EditedImage();
    ConnectionReadBack(rig.link.Channel(), settings);
    EXPECT_EQ(settings.buffers.sensor, (std::array<std::uint8_t, 4>{0, 0, 0, 0x40}));
    SendSettings(rig.link.Channel(), settings);
    EXPECT_EQ(settings.image, test::EditedImage());
    EXPECT_TRUE(test::MouseHolds(rig.mouse.State(), settings.image));
}

TEST(SlowMouse, EveryCallTakingLongerThanUsualChangesNothingButTheTime) {
    // Real time: each call on the wire takes 300 us more than the mouse normally needs, and
    // the host paces with its real pacer; everything must arrive and in time.
    sim::SimulatedMouse mouse;
    test::WrappedMouse wrapped(mouse);
    wrapped.beforeCall = [] { std::this_thread::sleep_for(std::chrono::microseconds(300)); };
    SteadyPacer pacer;
    DeviceLink link(wrapped, pacer, test::DefaultKey());
    ASSERT_TRUE(link.FindDevice());
    link.Handshake();
    ASSERT_TRUE(link.Ready());
    DeviceSettings settings;
    settings.image = test::EditedImage();
    ConnectionReadBack(link.Channel(), settings);
    EXPECT_EQ(settings.buffers.sensor[0], 1);  // the simulated default sensor type
    SendSettings(link.Channel(), settings);
    EXPECT_TRUE(test::MouseHolds(mouse.State(), settings.image));
    EXPECT_TRUE(mouse.Violations().empty()) << mouse.Violations().front().detail;
}

}  // namespace
}  // namespace quarten
