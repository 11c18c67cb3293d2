// Any bytes as a HID report descriptor: the parser must stay inside the buffer and its
// arithmetic, and a refusal must say why.
#include <cstdlib>

#include "device/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto parsed = quarten::ParseReportDescriptor(std::span(data, size), &error);
    if (!parsed && error.empty()) std::abort();
    return 0;
}
