// The one kana rule. Shift-JIS codes of code page 932:
//   ぁ..ん 0x829F..0x82F1 (ゐ ゑ included), ァ..ヶ 0x8340..0x8396 (no 0x837F),
//   ー 0x815B, ヽ ヾ 0x8152 0x8153, ゝ ゞ 0x8154 0x8155.
// ヵ and ヶ, the small katakana ka and ke, have no hiragana in code page 932;
// as readings they stand for か and け, which is how they are stored.
#include "kana.h"

#include "sjis.h"

namespace namori {

namespace {

constexpr unsigned kSmallKa = 0x8395, kSmallKe = 0x8396, kVu = 0x8394;

bool isHiragana(unsigned c) {
  return c >= 0x829F && c <= 0x82F1;
}
bool isKatakana(unsigned c) {
  return c >= 0x8340 && c <= 0x8396 && c != 0x837F;
}

unsigned stored(unsigned c) {
  if (c == kSmallKa) return 0x82A9;  // か
  if (c == kSmallKe) return 0x82AF;  // け
  if (isKatakana(c) && c != kVu) return 0x829F + (c - 0x8340) - (c > 0x837F);
  if (c == 0x8152 || c == 0x8153) return c + 2;  // ヽ ヾ as ゝ ゞ
  return c;
}

}  // namespace

bool isNameKana(unsigned c) {
  return isHiragana(c) || isKatakana(c) || c == 0x815B || (c >= 0x8152 && c <= 0x8155);
}

bool normalizeKana(const std::string& sjis, std::string* out) {
  out->clear();
  for (const char* p = sjis.c_str(); *p; p += 2) {
    if (charLength(p) != 2) return false;
    const unsigned c = static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1]);
    if (!isNameKana(c)) return false;
    const unsigned s = stored(c);
    *out += static_cast<char>(s >> 8);
    *out += static_cast<char>(s & 0xFF);
  }
  // A NUL inside the string would end the walk early: not kana.
  return sjis.find('\0') == std::string::npos;
}

}  // namespace namori
