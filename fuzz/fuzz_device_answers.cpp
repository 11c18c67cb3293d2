// Any answers from the mouse, through discovery, the handshake, the connection read-back
// and Apply: nothing the mouse says may reach outside the buffers, and nothing it says may
// change the settings image that config.bin stores.
#include "BuildConfig.h"
#include "FuzzSupport.h"
#include "FuzzTransport.h"
#include "device/DeviceLink.h"
#include "settings/ApplySequence.h"
#include "settings/DeviceCommands.h"
#include "settings/FactorySettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quarten;
    fuzz::InputStream in(data, size);
    fuzz::FuzzTransport transport(in);
    // The image the user edited: the factory one with a few bytes changed by the input.
    DeviceSettings settings;
    settings.image = FactoryImage();
    for (int edits = in.Byte() % 9; edits > 0; --edits) {
        const std::size_t at = (in.Byte() | std::size_t{in.Byte()} << 8) % layout::kImageSize;
        settings.image[at] = in.Byte();
    }
    const bool scrambleFallback = in.Byte() & 1;
    const ImageBytes image = settings.image;

    const ScramblerKey key =
        MakeScramblerKey(std::span<const char, 6>(build::kDefaultScramblerKey, 6));
    fuzz::NullPacer pacer;
    DeviceLink link(transport, pacer, key);

    if (link.FindDevice()) link.Handshake();
    // A mouse the handshake refused gets the same sequences on a channel of its own, so the
    // answer parsing is reached without the fuzzer having to forge a scrambled echo.
    fuzz::FuzzConnection direct(in);
    CommandChannel fallback(pacer);
    fallback.Attach(&direct, {9, 33, 33});
    fallback.SetScrambling(scrambleFallback, key);
    CommandChannel& channel = link.Ready() ? link.Channel() : fallback;

    ConnectionReadBack(channel, settings);
    SendSettings(channel, settings);
    DeviceCommands commands(channel, settings);
    commands.ReadEffect();
    commands.ReadGroups();
    fuzz::Check(settings.image == image, "the mouse's answers changed the stored image");

    link.HandleRemoval();
    if (link.HandleArrival() == DeviceLink::Change::Accepted) {
        ConnectionReadBack(link.Channel(), settings);
    }
    link.Close();
    return 0;
}
