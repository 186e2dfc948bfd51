// Shift-JIS (code page 932) helpers shared by the engine, the readings and
// the front ends. Text is a NUL-terminated byte string.
#pragma once

#include <cstddef>

// All literals are compiled to Shift-JIS; a build without
// -fexec-charset=CP932 would silently produce UTF-8 and wrong readings.
static_assert(sizeof("山") == 3, "string literals must be compiled to Shift-JIS (CP932)");

namespace namori {

// A lead byte of a double-byte character of code page 932.
constexpr bool isLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length in bytes of the character starting at p: 0 at the terminator, 2 for a
// lead byte followed by any non-zero byte, 1 otherwise (a single-byte
// character, or a lone lead byte just before the terminator). Never reads past
// the terminator.
inline std::size_t charLength(const char* p) {
  const unsigned char b = static_cast<unsigned char>(p[0]);
  if (b == 0) return 0;
  return (isLeadByte(b) && p[1] != 0) ? 2 : 1;
}

// Cuts s in place to at most maxBytes bytes without leaving half a character:
// a double-byte character that would not fit whole is dropped, and so is a
// lone lead byte at the end.
void cutToWholeCharacters(char* s, std::size_t maxBytes);

}  // namespace namori
