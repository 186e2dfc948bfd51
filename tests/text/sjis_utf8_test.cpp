// Shift-JIS <-> UTF-8: the characters names meet, the ones Windows spells in
// more than one way, and input that is not text. The expected Shift-JIS bytes
// are plain literals, which the compiler converts with its own code page 932.
#include "sjis_utf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_support.h"

namespace namori {
namespace {

// The code page 932 form of one UTF-8 character, or "refused".
std::string toSjis(const std::string& utf8) {
  char out[2];
  std::size_t length = 0;
  if (!utf8CharToSjis(utf8.data(), utf8.size(), out, &length)) return "refused";
  return std::string(out, length);
}

std::string toUtf8(const std::string& sjis, std::size_t capacity = 16) {
  std::string out(capacity, 'x');
  std::size_t length = 99;
  if (!sjisToUtf8(sjis.data(), sjis.size(), out.data(), out.size(), &length)) {
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(length, 0u);
    return "refused";
  }
  EXPECT_EQ(out[length], '\0');
  return out.substr(0, length);
}

TEST(SjisUtf8, CharactersGoBothWays) {
  const struct {
    const char* utf8;
    const char* sjis;
  } cases[] = {
      {u8"山", "山"}, {u8"ｱ", "ｱ"}, {u8"\\", "\\"}, {u8"~", "~"}, {u8"～", "～"},  // U+FF5E
      {u8"①", "①"},   {u8"∵", "∵"},                  // JIS X 0208 code, not NEC row 13's
      {u8"髙", "髙"}, {u8"ⅰ", "ⅰ"}, {u8"￢", "￢"},  // IBM codes, not NEC-selected
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toSjis(c.utf8), c.sjis) << c.utf8;
    EXPECT_EQ(toUtf8(c.sjis), c.utf8) << c.utf8;
  }
  EXPECT_EQ(toSjis(std::string(1, '\0')), std::string(1, '\0'));
  EXPECT_EQ(toUtf8("\xED\x40\xFA\x40"), u8"纊ⅰ");  // every code reads, duplicates too
  EXPECT_EQ(toUtf8("\xF0\x40"), u8"\uE000");       // user-defined: private use
}

TEST(SjisUtf8, RefusesWhatIsNotOneCodePage932Character) {
  // U+301C: Windows would write it as ～; a surrogate; a cut character.
  for (const char* utf8 : {u8"〜", u8"¥", u8"𠮷", "\xED\xA0\x80", "\xE5\xB1", u8"山田", ""}) {
    EXPECT_EQ(toSjis(utf8), "refused") << std::strlen(utf8);
  }
  // Surrogates, overlong forms and code points past U+10FFFF are no UTF-8;
  // the ends of the ranges around them are.
  for (const char* bad : {"\xED\xA0\x80", "\xED\xBF\xBF", "\xE0\x9F\xBF", "\xC1\xBF",
                          "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xC3\xC3", "\x80"}) {
    EXPECT_EQ(utf8CharLength(bad), 0u) << bad;
  }
  for (const char* good : {"\xED\x9F\xBF", "\xEE\x80\x80", "\xE0\xA0\x80", "\xF4\x8F\xBF\xBF"}) {
    EXPECT_EQ(utf8CharLength(good), std::strlen(good)) << good;
  }
  // A lone lead byte, 0x7F as a trail byte, an undefined code, no lead bytes.
  for (const char* sjis : {"\x81", "a\x81\x7F", "\x85\x40", "\x80", "\xFD"}) {
    EXPECT_EQ(toUtf8(sjis), "refused") << sjis;
  }
  EXPECT_EQ(toUtf8("山田", 6), "refused");  // no room for the NUL
  EXPECT_EQ(toUtf8("山田", 7), u8"山田");
}

// Every code point the encoder accepts reads back as itself: the two halves
// of the table agree.
TEST(SjisUtf8, EveryEncodedCharacterDecodesToItself) {
  int accepted = 0;
  for (unsigned long c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string utf8 = utf8Of(static_cast<char32_t>(c));
    const std::string sjis = toSjis(utf8);
    if (sjis == "refused") continue;
    ++accepted;
    ASSERT_EQ(toUtf8(sjis), utf8) << std::hex << c;
  }
  EXPECT_EQ(accepted, 9396);  // all of code page 932's characters but U+0000
}

}  // namespace
}  // namespace namori
