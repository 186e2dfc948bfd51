// The code page 932 table (text/cp932_table.cpp, made by
// tools/gen_cp932.py). Every character of code page 932 is in the Basic
// Multilingual Plane, so 16 bits hold its code point.
#pragma once

#include <cstddef>
#include <cstdint>

namespace namori::cp932 {

// Marks a byte or code that is not a character (U+FFFF is a noncharacter).
constexpr std::uint16_t kNone = 0xFFFF;

// Lead bytes 0x81-0x9F and 0xE0-0xFC; trail bytes 0x40-0xFC, of which 0x7F
// is never a character.
constexpr bool isLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr std::size_t kLeadCount = 60;
constexpr unsigned char kTrailFirst = 0x40;
constexpr unsigned char kTrailLast = 0xFC;
constexpr std::size_t kTrailCount = kTrailLast - kTrailFirst + 1;
constexpr std::size_t leadIndex(unsigned char lead) {
  return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
}

extern const std::uint16_t kSingle[256];
extern const std::uint16_t kDouble[kLeadCount * kTrailCount];
extern const std::size_t kEncodeCount;
extern const std::uint16_t kEncode[][2];

}  // namespace namori::cp932
