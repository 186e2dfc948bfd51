// Shift-JIS <-> UTF-8 through iconv. glibc's "CP932" table is the Windows
// one (0x8160 is ～ U+FF5E, 0x5C is the backslash), unlike its "SHIFT_JIS".
#include <iconv.h>

#include <cstring>

#include "sjis_utf8.h"

namespace namori {

namespace {

const char kSjisCharset[] = "CP932";
const char kUtf8Charset[] = "UTF-8";

enum class Direction { kToUtf8, kToSjis };

// One converter per direction, opened on first use and kept: opening one
// costs far more than converting a short text. (iconv_t)-1 if it cannot be
// opened.
iconv_t converter(Direction direction) {
  static const iconv_t toUtf8 = iconv_open(kUtf8Charset, kSjisCharset);
  static const iconv_t toSjis = iconv_open(kSjisCharset, kUtf8Charset);
  return direction == Direction::kToUtf8 ? toUtf8 : toSjis;
}

// Converts the whole input; false on any error or when out has no room.
bool convert(Direction direction, const char* in, std::size_t size, char* out,
             std::size_t outCapacity, std::size_t* outLength) {
  *outLength = 0;
  if (outCapacity == 0) return false;
  out[0] = '\0';
  iconv_t cd = converter(direction);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  char* inPtr = const_cast<char*>(in);
  std::size_t inLeft = size;
  char* outPtr = out;
  std::size_t outLeft = outCapacity - 1;  // keep room for the NUL
  bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
            inLeft == 0 &&
            iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  if (!ok) {
    out[0] = '\0';
    return false;
  }
  *outLength = static_cast<std::size_t>(outPtr - out);
  out[*outLength] = '\0';
  return true;
}

}  // namespace

bool sjisToUtf8(const char* in, std::size_t size, char* out, std::size_t outCapacity,
                std::size_t* outLength) {
  return convert(Direction::kToUtf8, in, size, out, outCapacity, outLength);
}

std::size_t utf8CharLength(const char* p) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(p);
  std::size_t length;
  unsigned int codePoint;
  if (s[0] == 0) return 0;
  if (s[0] < 0x80) return 1;
  if (s[0] >= 0xC2 && s[0] <= 0xDF) {
    length = 2;
    codePoint = s[0] & 0x1F;
  } else if (s[0] >= 0xE0 && s[0] <= 0xEF) {
    length = 3;
    codePoint = s[0] & 0x0F;
  } else if (s[0] >= 0xF0 && s[0] <= 0xF4) {
    length = 4;
    codePoint = s[0] & 0x07;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;  // also stops at the terminator
    codePoint = (codePoint << 6) | (s[i] & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  if ((length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000) ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool utf8CharToSjis(const char* p, std::size_t length, char out[2], std::size_t* outLength) {
  char sjis[8];
  std::size_t sjisLength;
  *outLength = 0;
  if (!convert(Direction::kToSjis, p, length, sjis, sizeof sjis, &sjisLength) || sjisLength == 0 ||
      sjisLength > 2) {
    return false;
  }
  // Only a character that comes back unchanged belongs to code page 932.
  char back[8];
  std::size_t backLength;
  if (!convert(Direction::kToUtf8, sjis, sjisLength, back, sizeof back, &backLength) ||
      backLength != length || std::memcmp(back, p, length) != 0) {
    return false;
  }
  std::memcpy(out, sjis, sjisLength);
  *outLength = sjisLength;
  return true;
}

}  // namespace namori
