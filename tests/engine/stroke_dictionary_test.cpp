// What the stroke rows hold, telling counts, and the indexed lookup against
// the row walk. The rows themselves are compared with their generator's
// output by StrokeRows.MatchesGenerator.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine.h"

namespace namori {
namespace {

int code(const char* ch) {
  return static_cast<unsigned char>(ch[0]) << 8 | static_cast<unsigned char>(ch[1]);
}

std::vector<int> codes(const char* text) {
  std::vector<int> out;
  for (; *text; text += 2) out.push_back(code(text));
  return out;
}

int countOf(const char* ch) {
  return strokeCount(static_cast<unsigned char>(ch[0]), static_cast<unsigned char>(ch[1]));
}

bool isLevel1(int c) {
  return c >= 0x889F && c <= 0x9872;
}
bool isLevel2(int c) {
  return c >= 0x989F && c <= 0xEAA4;
}

const char* kindOf(int c) {
  if (isLevel1(c)) return "level 1";
  if (isLevel2(c)) return "level 2";
  if (c >= 0x829F && c <= 0x82F1) return "hiragana";
  if (c >= 0x8340 && c <= 0x8396) return "katakana";
  if ((c >= 0x8260 && c <= 0x8279) || (c >= 0x8281 && c <= 0x829A)) return "latin";
  if (c == 0x815B || c == 0x8156 || c == 0x8158) return "mark";
  return "something else";
}

TEST(StrokeRows, HoldsEachCharacterOnceAndOnlyTheDictionarysKinds) {
  std::set<int> seen;
  std::map<std::string, int> kinds;
  for (int n = 1; n <= kStrokeRows; ++n) {
    for (int c : codes(strokeRows[n - 1])) {
      const int lead = c >> 8, trail = c & 0xFF;
      ASSERT_TRUE(isLeadByte(static_cast<unsigned char>(lead))) << std::hex << c;
      ASSERT_TRUE((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))
          << std::hex << c;
      EXPECT_TRUE(seen.insert(c).second) << "twice: " << std::hex << c;
      kinds[kindOf(c)]++;
    }
  }
  EXPECT_EQ(seen.size(), 6568u);
  const std::map<std::string, int> expected = {{"level 1", 2965}, {"level 2", 3388},
                                               {"hiragana", 80},  {"katakana", 81},
                                               {"latin", 51},     {"mark", 3}};
  EXPECT_EQ(kinds, expected);
  for (const char* absent :
       {"凜", "熙", "ゎ", "ゐ", "ゑ", "ヮ", "ヰ", "ヱ", "ヵ", "ヶ", "Ｕ", "〇"})
    EXPECT_EQ(seen.count(code(absent)), 0u) << absent;
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
      {"印", 6},  {"延", 8},  {"免", 8},  {"隣", 16}, {"厳", 17},
  };
  for (const auto& [ch, strokes] : expected) EXPECT_EQ(countOf(ch.c_str()), strokes) << ch;
}

}  // namespace
}  // namespace namori
