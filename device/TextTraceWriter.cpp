#include "device/WireObserver.h"

namespace quarten {
namespace {

void PutHex(std::ostream& out, std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out.put(' ');
        out.put(kDigits[bytes[i] >> 4]);
        out.put(kDigits[bytes[i] & 0x0F]);
    }
}

}  // namespace

void TextTraceWriter::Line(const char* tag, std::span<const std::uint8_t> first,
                           const char* middle, std::span<const std::uint8_t> second) {
    out_ << tag << ' ';
    PutHex(out_, first);
    if (middle) {
        out_ << ' ' << middle << ' ';
        PutHex(out_, second);
    }
    out_ << '\n';
}

void TextTraceWriter::OnSet(const FrameBytes& plain, std::span<const std::uint8_t> wire) {
    Line("set", plain, "wire", wire);
}

void TextTraceWriter::OnGet(const FrameBytes& plain, std::span<const std::uint8_t> wire) {
    Line("get", plain, "wire", wire);
}

void TextTraceWriter::OnOut(std::span<const std::uint8_t> chunk) { Line("out", chunk, nullptr, {}); }

void TextTraceWriter::OnIn(std::span<const std::uint8_t> chunk) { Line("in", chunk, nullptr, {}); }

void TextTraceWriter::OnWait(int milliseconds) { out_ << "wait " << milliseconds << '\n'; }

}  // namespace quarten
