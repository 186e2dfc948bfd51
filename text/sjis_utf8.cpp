// Shift-JIS <-> UTF-8 over the generated code page 932 table: the same
// answers on every platform, the web build included, and no state at all.
#include "sjis_utf8.h"

#include <algorithm>
#include <cstdint>

#include "cp932_table.h"

namespace namori {

namespace {

// Code point of the character at in[0..size) and its length in *length;
// cp932::kNone when the bytes there are not a character.
std::uint16_t decodeCharacter(const unsigned char* in, std::size_t size, std::size_t* length) {
  *length = 1;
  if (!cp932::isLeadByte(in[0])) return cp932::kSingle[in[0]];
  if (size < 2 || in[1] < cp932::kTrailFirst || in[1] > cp932::kTrailLast) return cp932::kNone;
  *length = 2;
  return cp932::kDouble[cp932::leadIndex(in[0]) * cp932::kTrailCount + in[1] - cp932::kTrailFirst];
}

// Writes codePoint as UTF-8 (1 to 3 bytes: the table is all in the BMP).
std::size_t encodeUtf8(unsigned int codePoint, char* out) {
  if (codePoint < 0x80) {
    out[0] = static_cast<char>(codePoint);
    return 1;
  }
  if (codePoint < 0x800) {
    out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 2;
  }
  out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
  out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
  return 3;
}

}  // namespace

unsigned long codePointOf(const char* p, std::size_t length) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(p);
  if (length == 1) return s[0];
  unsigned long value = s[0] & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (s[i] & 0x3F);
  return value;
}

bool sjisToUtf8(const char* in, std::size_t size, char* out, std::size_t outCapacity,
                std::size_t* outLength) {
  *outLength = 0;
  if (outCapacity == 0) return false;
  out[0] = '\0';
  const unsigned char* s = reinterpret_cast<const unsigned char*>(in);
  std::size_t written = 0;
  for (std::size_t at = 0, length; at < size; at += length) {
    const std::uint16_t codePoint = decodeCharacter(s + at, size - at, &length);
    char utf8[3];
    const std::size_t utf8Length = codePoint == cp932::kNone ? 0 : encodeUtf8(codePoint, utf8);
    if (utf8Length == 0 || outCapacity - 1 - written < utf8Length) {
      out[0] = '\0';
      return false;
    }
    std::copy(utf8, utf8 + utf8Length, out + written);
    written += utf8Length;
  }
  out[written] = '\0';
  *outLength = written;
  return true;
}

std::size_t utf8CharLength(const char* p) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(p);
  std::size_t length;
  if (s[0] == 0) return 0;
  if (s[0] < 0x80) return 1;
  if (s[0] >= 0xC2 && s[0] <= 0xDF) {
    length = 2;
  } else if (s[0] >= 0xE0 && s[0] <= 0xEF) {
    length = 3;
  } else if (s[0] >= 0xF0 && s[0] <= 0xF4) {
    length = 4;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;  // also stops at the terminator
  }
  const unsigned long codePoint = codePointOf(p, length);
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  if ((length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000) ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool utf8CharToSjis(const char* p, std::size_t length, char out[2], std::size_t* outLength) {
  *outLength = 0;
  // One whole character and nothing after it (U+0000 included, which is
  // 0x00 in code page 932). utf8CharLength needs a terminator, so the bytes
  // are copied first.
  char character[5] = {};
  if (length == 0 || length > 4) return false;
  std::copy(p, p + length, character);
  if (character[0] != '\0' && utf8CharLength(character) != length) return false;
  const unsigned long codePoint = codePointOf(character, length);
  const auto* end = cp932::kEncode + cp932::kEncodeCount;
  const auto* found = std::lower_bound(
      cp932::kEncode, end, codePoint,
      [](const std::uint16_t(&pair)[2], unsigned long value) { return pair[0] < value; });
  if (found == end || (*found)[0] != codePoint) return false;
  const unsigned int code = (*found)[1];
  if (code > 0xFF) {
    out[0] = static_cast<char>(code >> 8);
    out[1] = static_cast<char>(code & 0xFF);
    *outLength = 2;
  } else {
    out[0] = static_cast<char>(code);
    *outLength = 1;
  }
  return true;
}

}  // namespace namori
