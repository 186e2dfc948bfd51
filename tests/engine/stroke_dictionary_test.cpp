// Telling counts, and the indexed lookup against the row walk. The rows
// themselves are compared with their generator's output by
// StrokeRows.MatchesGenerator.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine.h"

namespace namori {
namespace {

int countOf(const char* ch) {
  return strokeCount(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1]));
}

TEST(StrokeCount, IndexAgreesWithTheRowWalkForEveryBytePair) {
  for (int first = 1; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      const auto a = static_cast<unsigned char>(first), b = static_cast<unsigned char>(second);
      ASSERT_EQ(strokeCount(a, b), strokeCountByWalk(a, b)) << std::hex << first << " " << second;
    }
  }
}

// Body kanji, whose counts come from the stroke data (the last five are left
// free by the row table to keep KANJIDIC's count). モ (0x8382) and 盾 (0x8F82)
// also occur across character boundaries in row 1 (ｃ|ｌ and ｏ|ｓ), where a
// byte search would wrongly answer 1.
TEST(StrokeCount, TellingEntries) {
  const std::map<std::string, int> expected = {
      {"乙", 1},  {"二", 2},  {"三", 3},  {"千", 3},  {"山", 3},  {"川", 3},  {"中", 4}, {"木", 4},
      {"太", 4},  {"田", 5},  {"本", 5},  {"百", 6},  {"沖", 7},  {"林", 8},  {"国", 8}, {"美", 9},
      {"高", 10}, {"國", 11}, {"森", 12}, {"鈴", 13}, {"橋", 16}, {"觀", 24}, {"モ", 3}, {"盾", 9},
      {"印", 6},  {"延", 8},  {"免", 8},  {"隣", 16}, {"厳", 17}, {"驫", 30},
      // Outside the dictionary: a variant, kana the rows leave out, a letter.
      {"凜", 0},  {"髙", 0},  {"ゐ", 0},  {"ヶ", 0},  {"Ｕ", 0},  {"〇", 0},
  };
  for (const auto& [ch, strokes] : expected) EXPECT_EQ(countOf(ch.c_str()), strokes) << ch;
}

}  // namespace
}  // namespace namori
