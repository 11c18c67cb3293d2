// Byte-to-text decoding for the INI files, and lengths counted the way the wide-string
// buffers of the INI operations count them (UTF-16 code units).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quarten {

// Turns the bytes of a text file into valid UTF-8: a UTF-8 byte-order mark is dropped,
// UTF-16LE and UTF-16BE with their mark are converted, anything else is read as UTF-8.
// After a mark, further U+FEFF at the very start (a doubled mark) are dropped as well.
// Invalid sequences and NUL characters become U+FFFD, so any input yields usable text.
std::string DecodeTextFile(std::string_view bytes);

// Valid UTF-8 of any byte string; invalid sequences become U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);

// Number of UTF-16 code units of valid UTF-8 text.
std::size_t Utf16Length(std::string_view utf8);

// The longest prefix of valid UTF-8 text that takes at most maxUnits UTF-16 code units.
// A character that would only half fit (a surrogate pair) is left out whole.
std::string_view Utf16Prefix(std::string_view utf8, std::size_t maxUnits);

// Conversions between valid UTF-8 and UTF-16; unpaired surrogates become U+FFFD.
std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

}  // namespace quarten
