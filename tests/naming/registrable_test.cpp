// What a parent may type: the registrable characters of a given name and
// the kana of a reading.
#include "registrable.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kana.h"
#include "naming.h"
#include "registrable_data.h"

namespace namori {
namespace {

using Chars = std::vector<std::string>;

// 佐藤 蠍魅, 山田 凜, 太郎 and さくら are namori-cli's cases.
TEST(Registrable, NamesTheCharactersAParentCannotUse) {
  EXPECT_EQ(unregistrableCharacters("髙子"), Chars{"髙"});  // a variant outside both lists
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
  // The ends of the table: ヽ first, 黑 (its IBM code) last; ヶ.
  for (const unsigned code : {0x8152u, 0xFC4Bu, 0x8396u}) {
    EXPECT_TRUE(isRegistrableCharacter(code)) << std::hex << code;
  }
  for (const unsigned code : {0xFC4Cu, 0x1829Fu}) EXPECT_FALSE(isRegistrableCharacter(code));
}

std::string stored(const std::string& reading) {
  std::string out;
  return normalizeKana(reading, &out) ? out : "refused";
}

TEST(Kana, OneRuleForReadingsEverywhere) {
  // ミムヶ: both sides of the gap at 0x837F; ヵ has no hiragana of its own in
  // code page 932, as ヶ.
  const std::pair<std::string, const char*> cases[] = {{"サクラ", "さくら"},
                                                       {"ミムヶ", "みむけ"},
                                                       {"ゝヽゞヾ", "ゝゝゞゞ"},
                                                       {"ヵ", "か"},
                                                       {"ァ", "ぁ"},
                                                       {"ヴィー", "ヴぃー"},
                                                       {"", ""},
                                                       {"花", "refused"},
                                                       {"a", "refused"},
                                                       {"ｻ", "refused"},
                                                       {"・", "refused"},
                                                       {"さ\x82", "refused"},
                                                       {std::string("さ\0さ", 5), "refused"}};
  for (const auto& [typed, kana] : cases) EXPECT_EQ(stored(typed), kana) << typed;
  EXPECT_TRUE(isNameKana(0x8396));   // ヶ
  EXPECT_FALSE(isNameKana(0x837F));  // the gap in the katakana row
  // The ranking reads a reading by the same rule: ヶい finds what けい finds.
  SuggestFilter ke, smallKe;
  ke.reading = "けい";
  smallKe.reading = "ヶい";
  EXPECT_GT(suggestGivenNames("", ke).size(), 0u);
  EXPECT_EQ(suggestGivenNames("", smallKe).size(), suggestGivenNames("", ke).size());
}

}  // namespace
}  // namespace namori
