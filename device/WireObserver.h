// Watches every operation on the command collection: the trace of quartenctl and the app.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "device/FeatureFrame.h"

namespace quarten {

class WireObserver {
public:
    virtual ~WireObserver() = default;
    // plain: the frame as the device must read it (checksum included); wire: the report sent.
    virtual void OnSet(const FrameBytes& plain, std::span<const std::uint8_t> wire) = 0;
    // plain: the answer after unscrambling; wire: the report as received.
    virtual void OnGet(const FrameBytes& plain, std::span<const std::uint8_t> wire) = 0;
    virtual void OnOut(std::span<const std::uint8_t> chunk) = 0;
    virtual void OnIn(std::span<const std::uint8_t> chunk) = 0;
    virtual void OnWait(int milliseconds) = 0;
};

// One line per operation, upper-case hex bytes separated by single spaces:
//   set <8 plain> wire <9 sent>   get <8 plain> wire <9 received>
//   out <32 data>   in <32 data>   wait <ms>
class TextTraceWriter : public WireObserver {
public:
    explicit TextTraceWriter(std::ostream& out) : out_(out) {}
    void OnSet(const FrameBytes& plain, std::span<const std::uint8_t> wire) override;
    void OnGet(const FrameBytes& plain, std::span<const std::uint8_t> wire) override;
    void OnOut(std::span<const std::uint8_t> chunk) override;
    void OnIn(std::span<const std::uint8_t> chunk) override;
    void OnWait(int milliseconds) override;

private:
    void Line(const char* tag, std::span<const std::uint8_t> first, const char* middle,
              std::span<const std::uint8_t> second);
    std::ostream& out_;
};

}  // namespace quarten
