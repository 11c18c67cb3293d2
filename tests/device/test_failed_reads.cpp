// A read the mouse does not answer (vanished, not ready, or no connection at all) gives an
// all-zero answer in scrambled mode too, never bytes made up by unscrambling nothing.
#include <gtest/gtest.h>

#include "BuildConfig.h"
#include "settings/ApplySequence.h"
#include "settings/FactorySettings.h"
#include "tests/support/RecordingPacer.h"
#include "tests/support/ScriptedConnection.h"

namespace quarten {
namespace {

TEST(FailedReads, GiveZeroAnswersWhateverTheScrambling) {
    const ScramblerKey key =
        MakeScramblerKey(std::span<const char, 6>(build::kDefaultScramblerKey, 6));
    for (const bool scrambled : {false, true}) {
        for (const bool connected : {false, true}) {
            test::RecordingPacer pacer;
            test::ScriptedConnection connection;  // nothing scripted: every get fails
            CommandChannel channel(pacer);
            channel.Attach(connected ? &connection : nullptr, {9, 33, 33});
            channel.SetScrambling(scrambled, key);

            FeatureFrame read;
            read[0] = 0x83;
            channel.SendFrame(read);
            EXPECT_EQ(read.bytes, FrameBytes{}) << scrambled << connected;

            // The connection read-back then takes sensor type 0 and writes back zeros with
            // bit 6 of option2, not bytes derived from the key.
            DeviceSettings settings;
            settings.image = FactoryImage();
            ConnectionReadBack(channel, settings);
            EXPECT_EQ(settings.sensorTypeSelector, 0) << scrambled << connected;
            EXPECT_EQ(settings.buffers.sensor, (std::array<std::uint8_t, 4>{0, 0, 0, 0x40}))
                << scrambled << connected;
        }
    }
}

}  // namespace
}  // namespace quarten
