// UTF-8 validation with replacement, UTF-16 conversion and UTF-16 lengths.
#include "macros/TextEncoding.h"

#include <algorithm>
#include <cstdint>

namespace quarten {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Length of the well-formed UTF-8 sequence at text[i], or 0 if the bytes there are not one.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    if (byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// Decodes `count` UTF-16 units delivered by unitAt(i); lone surrogates become U+FFFD.
template <typename UnitAt>
std::string DecodeUtf16(std::size_t count, UnitAt unitAt, bool replaceNul) {
    std::string out;
    out.reserve(count * 2);
    std::size_t i = 0;
    while (i < count) {
        const char16_t u = unitAt(i++);
        if (u >= 0xD800 && u <= 0xDBFF && i < count) {
            const char16_t next = unitAt(i);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                ++i;
                AppendUtf8(out,
                           0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(next) - 0xDC00));
                continue;
            }
        }
        const bool bad = (u >= 0xD800 && u <= 0xDFFF) || (replaceNul && u == 0);
        AppendUtf8(out, bad ? kReplacement : char32_t(u));
    }
    return out;
}

std::string FromUtf16Bytes(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) -> char16_t {
        const auto a = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto b = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::string out = DecodeUtf16(bytes.size() / 2, unitAt, true);
    if (bytes.size() % 2 != 0) {
        AppendUtf8(out, kReplacement);  // odd trailing byte
    }
    return out;
}

// A file whose mark was doubled (an editor that adds its own to a file that had one) starts
// with U+FEFF after decoding. It is a mark as well: kept, it would be written back as the
// UTF-8 mark, and the saved file would then read differently from the one we had.
std::string WithoutLeadingMarks(std::string text) {
    std::size_t marks = 0;
    while (std::string_view(text).substr(marks).starts_with("\xEF\xBB\xBF")) {
        marks += 3;
    }
    text.erase(0, marks);
    return text;
}

}  // namespace

std::string SanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = SequenceLength(bytes, i);
        if (length == 0 || bytes[i] == '\0') {
            AppendUtf8(out, kReplacement);
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string DecodeTextFile(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return WithoutLeadingMarks(SanitizeUtf8(bytes.substr(3)));
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return WithoutLeadingMarks(FromUtf16Bytes(bytes.substr(2), false));
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return WithoutLeadingMarks(FromUtf16Bytes(bytes.substr(2), true));
    }
    return SanitizeUtf8(bytes);
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto b = static_cast<std::uint8_t>(c);
        if ((b & 0xC0) != 0x80) {
            units += (b >= 0xF0) ? 2 : 1;
        }
    }
    return units;
}

std::string_view Utf16Prefix(std::string_view utf8, std::size_t maxUnits) {
    std::size_t units = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        const std::size_t width = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::size_t cost = width == 4 ? 2 : 1;
        if (units + cost > maxUnits) {
            break;
        }
        units += cost;
        i = std::min(i + width, utf8.size());
    }
    return utf8.substr(0, i);
}

std::u16string ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t length = SequenceLength(utf8, i);
        if (length == 0) {
            out.push_back(static_cast<char16_t>(kReplacement));
            ++i;
            continue;
        }
        static constexpr std::uint8_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
        char32_t cp = static_cast<std::uint8_t>(utf8[i]) & kLeadMask[length];
        for (std::size_t k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        }
        i += length;
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string ToUtf8(std::u16string_view utf16) {
    return DecodeUtf16(
        utf16.size(), [&](std::size_t i) { return utf16[i]; }, false);
}

}  // namespace quarten
