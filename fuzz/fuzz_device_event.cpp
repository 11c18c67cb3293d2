// Any input reports from the event collection, as the listener hands them to the decoder:
// each is a notice only for report ID 6 with a known code, and carries byte 3 as its value.
#include "FuzzSupport.h"
#include "device/DeviceEvent.h"
#include "device/FeatureFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quarten;
    // The input is a run of reports, each a length byte (cut to the listener's buffer) and
    // its bytes.
    std::size_t at = 0;
    while (at < size) {
        const std::size_t length =
            std::min<std::size_t>(data[at] % (wire::kBlockBufferSize + 1), size - at - 1);
        const std::span<const std::uint8_t> report(data + at + 1, length);
        at += 1 + length;
        const auto event = DecodeDeviceEvent(report);
        if (!event) continue;
        fuzz::Check(report.size() >= 4 && report[0] == kEventReportId, "a foreign report decoded");
        fuzz::Check(static_cast<int>(event->notice) == report[1] && event->value == report[3],
                    "the notice is not the report's code and value");
        const int code = static_cast<int>(event->notice);
        fuzz::Check(code == 5 || code == 7 || code == 8 || code == 9, "an unknown code decoded");
    }
    return 0;
}
