// The single-frame exchange and the block transfer over the command collection.
#pragma once

#include <cstdint>
#include <span>

#include "device/FeatureFrame.h"
#include "device/HidTransport.h"
#include "device/Pacer.h"
#include "device/WireObserver.h"

namespace quarten {

struct ReportLengths {
    std::uint16_t feature = 0;
    std::uint16_t input = 0;
    std::uint16_t output = 0;
};

class CommandChannel {
public:
    explicit CommandChannel(Pacer& pacer) : pacer_(pacer) {}

    // The channel does not own the connection; a null connection fails every exchange and
    // leaves answers zeroed, as a vanished device does.
    void Attach(HidConnection* connection, ReportLengths lengths);
    void Detach() { connection_ = nullptr; }
    void SetScrambling(bool scrambled, const ScramblerKey& key);
    bool Scrambled() const { return scrambled_; }
    void SetObserver(WireObserver* observer) { observer_ = observer; }

    // Sends the frame (checksum recomputed); for a read opcode the answer replaces it.
    // Returns the set-feature success flag.
    bool SendFrame(FeatureFrame& frame);
    // Header exchange, then ceil(L/32) data chunks out of or into `data`. Chunks that do not
    // fit `data` are still moved on the wire but not copied.
    void TransferBlock(FeatureFrame& header, std::span<std::uint8_t> data);
    void Wait(int milliseconds);

    // The two halves of an exchange, for the handshake probe, which paces between them and
    // chooses scrambling per attempt.
    bool PutFrame(const FeatureFrame& frame, bool scramble);
    FeatureFrame FetchFrame(bool unscramble);

    // Set-feature and output reports the transport did not take, since the last reset. The
    // protocol never checks results; the command line uses this to say a write was lost.
    int FailedWrites() const { return failedWrites_; }
    void ResetFailedWrites() { failedWrites_ = 0; }

private:
    Pacer& pacer_;
    HidConnection* connection_ = nullptr;
    ReportLengths lengths_;
    bool scrambled_ = false;
    ScramblerKey key_{};
    WireObserver* observer_ = nullptr;
    int failedWrites_ = 0;
};

}  // namespace quarten
