// The stroke dictionary against the dictionary's own row table, and the
// indexed lookup against the row walk.
#include <gtest/gtest.h>

#include <algorithm>
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

// One line of the dictionary's row table.
struct RowSpec {
  int characters;
  const char* fixed;  // stored order; 浩/源 are counted here but sit in the body
  const char* kana;
  const char* mark;
  int level1, level2;
  const char* first;
  const char* last;
  const char* latin;
};

const RowSpec kRows[kStrokeRows] = {
    {24, "", "くしつのへノフヘレっ", "ー", 2, 3, "一", "亅", "ＣＩＯＳｃｌｏｓ"},
    {94, "",
     "いうこてとひめりろんアイカクコスセソトナニヌハヒマムメヤユラリルワンぺプペぃぅァィャュ", "〃",
     10, 15, "人", "厶", "ＤＪＬＰＱＴＶＸａｂｄｅｆｈｉｊｎｐｑｒｔｕｖｘｙ"},
    {126, "",
     "あえかけさすせちにぬみむもやゆよらるれわウエオキケサシタチツテミモヨロヲぐじづべぴブベパピぁ"
     "ぇゥェォッゃゅょョ",
     "々", 34, 22, "下", "彳", "ＡＢＦＧＨＫＮＲＹＺｇｋｍｚ"},
    {134, "四", "おきそたねはふまをネホごでどびガグゴズゼゾドバビぉ", "", 74, 30, "井", "爿",
     "ＥＭＷｗ"},
    {162, "五", "なほがげざずぜぢぱぷギゲザジダヂヅデポヴ", "", 109, 32, "圧", "辷", ""},
    {200, "六礼臣汀", "ぎぞだばぶぽボ", "", 140, 49, "旭", "阡", ""},
    {307, "仏七江池壮", "ぼ", "", 185, 116, "亜", "阯", ""},
    {425, "両八来歩", "", "", 244, 177, "阿", "鼡", ""},
    {457, "九沼法治河泰", "", "", 241, 210, "娃", "鳬", ""},
    {546, "芥乗気洋十津", "", "", 283, 257, "唖", "鬲", ""},
    {573, "麦昼帖処参敏海茂英", "", "", 285, 278, "悪", "麸", ""},
    {580, "涼労発弐為茶恵壱淳雅淀浅清黒", "", "", 288, 278, "葵", "堯", ""},
    {534, "経奥円当会伝塚乱郁敬", "", "", 226, 297, "愛", "黽", ""},
    {435, "郎与実図対団斉寿軽菊栄猿菅", "", "", 171, 251, "斡", "瑤", ""},
    {437, "楽満万広練滞葛剣売徳稲", "", "", 175, 251, "鞍", "齒", ""},
    {373, "予弁銭渋諸亀学道蒲", "", "", 124, 240, "穐", "龜", ""},
    {314, "桧独点総聡操検応遠沢弥黛隆", "", "", 89, 212, "闇", "龠", ""},
    {202, "浜雑豊", "", "", 50, 149, "鵜", "鼬", ""},
    {176, "拡関穏勧絵", "", "", 43, 128, "鯵", "黼", ""},
    {134, "党滝宝蔵献覚瀬", "", "", 21, 106, "馨", "齡", ""},
    {121, "藪薬誉鉄随続桜藤", "", "", 13, 100, "鰯", "齧", ""},
    {70, "読辺灌権", "", "", 8, 58, "芦", "龕", ""},
    {57, "恋体験駅顕", "", "", 7, 45, "鰹", "黴", ""},
    {37, "", "", "", 3, 34, "艶", "齶", ""},
    {20, "観", "", "", 1, 18, "欝", "鼈", ""},
    {9, "", "", "", 0, 9, "欖", "黶", ""},
    {9, "", "", "", 0, 9, "鑽", "黷", ""},
    {5, "", "", "", 0, 5, "纜", "鸚", ""},
    {5, "", "", "", 0, 5, "鬱", "鸛", ""},
    {2, "", "", "", 0, 2, "驫", "鸞", ""},
};

TEST(StrokeRows, EveryRowHasTheLayoutOfTheRowTable) {
  for (int n = 1; n <= kStrokeRows; ++n) {
    SCOPED_TRACE("row " + std::to_string(n));
    const RowSpec& spec = kRows[n - 1];
    const std::string row = strokeRows[n - 1];
    ASSERT_EQ(row.size(), 2u * spec.characters);

    // Blocks in order: fixed kanji, kana, mark, body, Latin letters.
    const std::string head = std::string(spec.fixed) + spec.kana + spec.mark;
    ASSERT_EQ(row.compare(0, head.size(), head), 0);
    const std::string latin = spec.latin;
    ASSERT_EQ(row.compare(row.size() - latin.size(), latin.size(), latin), 0);
    std::vector<int> body =
        codes(row.substr(head.size(), row.size() - head.size() - latin.size()).c_str());

    // 浩 and 源 are stored inside the body, between 渚 and 庶, and 鈷 and 鼓.
    if (n == 11 || n == 13) {
      const std::vector<int> trio = codes(n == 11 ? "渚浩庶" : "鈷源鼓");
      const auto at = std::search(body.begin(), body.end(), trio.begin(), trio.end());
      ASSERT_NE(at, body.end());
      body.erase(at + 1);
    }
    int level1 = 0, level2 = 0;
    for (std::size_t i = 0; i < body.size(); ++i) {
      level1 += isLevel1(body[i]);
      level2 += isLevel2(body[i]);
      if (i > 0) {
        EXPECT_LT(body[i - 1], body[i]) << "body not in code order at " << i;
      }
    }
    EXPECT_EQ(level1, spec.level1);
    EXPECT_EQ(level2, spec.level2);
    ASSERT_FALSE(body.empty());
    EXPECT_EQ(body.front(), code(spec.first));
    EXPECT_EQ(body.back(), code(spec.last));
  }
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
