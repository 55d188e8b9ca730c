#pragma once
// Texts are UTF-8 inside the client and GBK (code page 936) on the wire and
// in files. These are the conversions and the column measure of texts.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vask {

// UTF-8 <-> code points. Invalid UTF-8 bytes decode as U+FFFD.
std::u32string Utf8ToCodePoints(std::string_view utf8);
std::string CodePointsToUtf8(std::u32string_view points);
void AppendUtf8(std::string& out, char32_t point);

// GBK bytes of one code point: 1 byte below 128, else 2; '?' when GBK has none.
void AppendGbk(std::string& out, char32_t point);
std::string Utf8ToGbk(std::string_view utf8);

// Decodes GBK the way the client reads the wire: a byte below 128 is one
// character, a byte of 128 or more leads a pair with the next byte. A pair
// GBK does not define becomes U+FFFD; a lead byte with no byte after it is
// dropped. Decoding stops at the first 0 byte.
std::string GbkToUtf8(std::span<const std::uint8_t> gbk);
std::string GbkToUtf8(std::string_view gbk);

// Columns a text takes: a double-byte (non-ASCII) character counts 2.
int DisplayWidth(std::string_view utf8);

// The first n characters of a text.
std::string FirstChars(std::string_view utf8, std::size_t n);

// One byte a character (command 3 names, account names): byte b is U+00bb.
std::string Latin1ToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace vask
