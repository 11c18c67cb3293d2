// The narrow seam to the HID layer: enumeration, one command handle, one event reader.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quarten {

// One top-level collection of a HID interface. Report lengths count the report-ID byte, as
// the HID class driver reports them (largest report of that kind plus one).
struct HidCollectionInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t version = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t featureLength = 0;
    std::uint16_t inputLength = 0;
    std::uint16_t outputLength = 0;
    std::string problem;  // why the lengths could not be learned; empty when they could
};

enum class OpenError { None, NotFound, PermissionDenied, Busy, Other };

// An open handle on the command collection. Every buffer starts with the report ID (0 for
// this mouse) followed by the report's data, whatever the backend does underneath.
class HidConnection {
public:
    virtual ~HidConnection() = default;
    virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
    virtual bool GetFeature(std::span<std::uint8_t> report) = 0;
    virtual bool WriteReport(std::span<const std::uint8_t> report) = 0;
    // Waits a bounded time for one input report; false when none came.
    virtual bool ReadReport(std::span<std::uint8_t> report) = 0;
};

// Blocking reader of the event collection's input reports.
class HidEventReader {
public:
    enum class Status { Report, Interrupted, Gone };
    struct Result {
        Status status = Status::Gone;
        std::size_t length = 0;  // bytes placed in the buffer, report ID included
    };
    virtual ~HidEventReader() = default;
    // Blocks without waking until a report arrives, Interrupt() is called or the device
    // goes away.
    virtual Result Read(std::span<std::uint8_t> report) = 0;
    // Wakes a blocked Read; callable from any thread. An interrupt with no reader waiting
    // makes the next Read return at once.
    virtual void Interrupt() = 0;
};

class HidTransport {
public:
    virtual ~HidTransport() = default;
    virtual std::vector<HidCollectionInfo> Enumerate(std::uint16_t vendorId,
                                                     std::uint16_t productId) = 0;
    virtual std::unique_ptr<HidConnection> Open(const std::string& path, OpenError& error) = 0;
    virtual std::unique_ptr<HidEventReader> OpenEventReader(const std::string& path,
                                                            OpenError& error) = 0;
};

}  // namespace quarten
