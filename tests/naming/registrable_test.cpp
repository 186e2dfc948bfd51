// The registrable-character table: what a parent is told about a given name.
#include "registrable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registrable_data.h"

namespace namori {
namespace {

using Chars = std::vector<std::string>;

TEST(Registrable, NamesTheCharactersAParentCannotUse) {
  EXPECT_EQ(unregistrableCharacters("蠍魅凜"), Chars{"蠍"});  // 凜 is jinmeiyou
  EXPECT_EQ(unregistrableCharacters("髙子"), Chars{"髙"});    // a variant outside both lists
  EXPECT_TRUE(unregistrableCharacters("太郎").empty());
  EXPECT_TRUE(unregistrableCharacters("さくら").empty());
  EXPECT_TRUE(unregistrableCharacters("サクラー々ゝヽ").empty());
  // Latin letters and half-width kana, each once in first-seen order.
  EXPECT_EQ(unregistrableCharacters("Aｱ花A"), (Chars{"A", "ｱ"}));
  EXPECT_EQ(unregistrableCharacters("Ａ・"), (Chars{"Ａ", "・"}));
  EXPECT_TRUE(unregistrableCharacters(nullptr).empty());
}

TEST(Registrable, TableHoldsTheGradedKanjiAndKana) {
  // 2,908 of KANJIDIC2's 2,999 graded kanji have a code page 932 form; 83
  // hiragana, 86 katakana and 6 marks; 18 kanji have a second (IBM) code.
  EXPECT_EQ(registrable::kCodeCount, 2908u + 83 + 86 + 6 + 18);
  EXPECT_TRUE(isRegistrableCharacter(0x8396));  // ヶ
}

}  // namespace
}  // namespace namori
