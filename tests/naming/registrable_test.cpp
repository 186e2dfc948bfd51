// What a parent may type: the registrable characters of a given name, the
// kana of a reading, and what each field makes of every character.
#include "registrable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kana.h"
#include "naming_window.h"
#include "readings/test_support.h"
#include "sjis_utf8.h"
#include "typed_text.h"
#include "utf8_reading.h"

namespace namori {
namespace {

using Chars = std::vector<std::string>;

TEST(Registrable, NamesTheCharactersAParentCannotUse) {
  EXPECT_EQ(unregistrableCharacters("髙子"), Chars{"髙"});  // a variant outside both lists
  // Latin letters and half-width kana, each once in first-seen order.
  EXPECT_EQ(unregistrableCharacters("Aｱ花A"), (Chars{"A", "ｱ"}));
  EXPECT_TRUE(unregistrableCharacters(nullptr).empty());
  EXPECT_FALSE(isRegistrableCharacter(0x1829F));  // no code: not ぁ (0x829F)
}

// Every character of code page 932, judged by Unicode's own blocks rather
// than by Shift-JIS ranges: what a name may hold, the kana of a reading and
// how it is stored, what a list of characters skips or refuses, and how a
// typed field reads it.
TEST(TypedCharacters, EachAsUnicodeClassesIt) {
  const auto in = [](unsigned long c, unsigned long first, unsigned long last) {
    return c >= first && c <= last;
  };
  for (unsigned long c = 1; c < 0x100; ++c) {  // C0, DEL and C1 are no part of a name
    text::Name name;
    std::string error;
    text::convertName(utf8Of(c), "X", &name, &error);
    EXPECT_EQ(error.find("control") != std::string::npos, c < 0x20 || in(c, 0x7F, 0x9F)) << c;
  }
  unsigned registrableCount = 0;
  for (unsigned code = 1; code < 0x10000; ++code) {
    const std::string sjis =
        code < 0x100 ? std::string(1, char(code)) : std::string{char(code >> 8), char(code & 0xFF)};
    const std::string utf8 = text::toUtf8(sjis);
    const bool character = !utf8.empty() && charLength(sjis.c_str()) == sjis.size();
    const unsigned long c = character ? codePointOf(utf8.data(), utf8.size()) : 0;  // 0: none
    const bool kana = in(c, 0x3041, 0x3093) || in(c, 0x30A1, 0x30F6) || c == 0x30FC ||
                      in(c, 0x309D, 0x309E) || in(c, 0x30FD, 0x30FE);
    const bool kanji = in(c, 0x4E00, 0x9FFF) || in(c, 0xF900, 0xFAFF) || in(c, 0x3005, 0x3007);
    const bool space = c == ' ' || c == '\t' || c == 0x3000;
    const bool separator =
        space || c == ',' || c == 0x3001 || c == 0xFF0C || c == 0x30FB || in(c, 0xFF64, 0xFF65);
    const bool letterOrDigit =
        in(c, 0xFF10, 0xFF19) || in(c, 0xFF21, 0xFF3A) || in(c, 0xFF41, 0xFF5A);
    const bool singleByte = c < 0x80 || in(c, 0xFF61, 0xFF9F);
    SCOPED_TRACE(std::to_string(code) + " " + utf8);
    // A reading: katakana stored as hiragana, ヵ ヶ as か け, ヴ as itself.
    const unsigned long stored = c == 0x30F5   ? 0x304B
                                 : c == 0x30F6 ? 0x3051
                                 : (in(c, 0x30A1, 0x30F3) && c != 0x30F4) || in(c, 0x30FD, 0x30FE)
                                     ? c - 0x60
                                     : c;
    std::string kanaOut;
    EXPECT_EQ(normalizeKana(sjis, &kanaOut) ? text::toUtf8(kanaOut) : "",
              kana ? utf8Of(stored) : "");
    if (!character) continue;  // and no kana
    // A name: its kanji and kana are read even when they count 0.
    std::string error;
    EXPECT_EQ(text::canBeRead(text::Name{sjis, utf8}, "X", &error),
              kanji || kana || characterStrokes(sjis.c_str()) != 0);
    // Only kanji and kana are registrable, and every kana is.
    const bool registrable = unregistrableCharacters(sjis.c_str()).empty();
    registrableCount += registrable;
    EXPECT_EQ(registrable, kana || c == 0x3005 || (kanji && registrable));
    // 使いたい字: separators skipped, letters, digits and half-width forms refused.
    std::string characters, refused;
    EXPECT_EQ(readCharacterList(sjis, &characters, &refused),
              separator || !(letterOrDigit || singleByte));
    EXPECT_EQ(characters, separator || letterOrDigit || singleByte ? "" : sjis);
    // A typed number or pattern: full-width digits, ．and ＊ read as ASCII.
    const std::string ascii = in(c, 0xFF10, 0xFF19) ? std::string(1, char('0' + c - 0xFF10))
                              : c == 0xFF0E         ? "."
                              : c == 0xFF0A         ? "*"
                                                    : sjis;
    EXPECT_EQ(readTyped(sjis, Typed::kAscii), space ? "" : ascii);
    EXPECT_EQ(readTyped(sjis, Typed::kTrimmed), space ? "" : sjis);
  }
  // 2,908 of KANJIDIC2's 2,999 graded kanji have a code page 932 form; 83
  // hiragana, 86 katakana and 6 marks; 18 kanji have a second (IBM) code.
  EXPECT_EQ(registrableCount, 2908u + 83 + 86 + 6 + 18);
}

}  // namespace
}  // namespace namori
