// Checks every row of the career table against the layout rules the career
// report depends on. All lengths are Shift-JIS bytes.
#include "career_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace namori {
namespace {

struct ExpectedRow {
  int value;
  const char* title;
  int bodyLines;
  int indents[kCareerMaxBodyLines];  // leading ideographic spaces per line
};

// Line 1 always starts with the label, so it has no indent.
const ExpectedRow kExpected[kCareerEntryCount] = {
    {2, "一流の補佐役になろう", 4, {0, 6, 6, 0}},
    {3, "口を生かそう", 4, {0, 6, 6, 6}},
    {4, "軟派で成功しよう", 3, {0, 6, 6}},
    {5, "海外に縁あり", 4, {0, 6, 6, 6}},
    {6, "ツキを生かそう", 6, {0, 6, 6, 6, 6, 6}},
    {7, "個性を生かそう", 4, {0, 6, 0, 0}},
    {8, "人の上に立とう", 3, {0, 6, 0}},
    {9, "医療・警察関係に進もう", 5, {0, 6, 6, 6, 6}},
    {10, "人の嫌がる仕事で成功する", 6, {0, 6, 6, 6, 6, 6}},
    {11, "自由業で行こう", 2, {0, 6}},
    {12, "他人の才能を伸ばしてやろう", 5, {0, 6, 6, 6, 0}},
    {13, "派手な仕事が向く", 5, {0, 6, 6, 6, 6}},
    {14, "お堅い仕事は駄目", 6, {0, 6, 6, 6, 0, 9}},
    {15, "独立独歩で運が向く", 4, {0, 6, 6, 6}},
    {16, "世のため人のため生きよう", 5, {0, 6, 6, 6, 6}},
    {17, "人気商売で行こう", 4, {0, 6, 6, 6}},
    {18, "精力的な仕事で行こう", 9, {0, 6, 6, 6, 6, 6, 6, 6, 6}},
    {19, "なんでもござれ", 3, {0, 6, 6}},
    {20, "スポーツ関係で成功する", 4, {0, 6, 6, 6}},
    {21, "お役人か女性相手か", 4, {0, 6, 6, 6}},
    {22, "水商売がピタリ", 2, {0, 6}},
    {23, "好きな道に進もう", 5, {0, 6, 6, 6, 6}},
    {24, "金に縁あり", 7, {0, 6, 6, 6, 6, 6, 6}},
    {25, "特殊技能で生きよう", 3, {0, 6, 6}},
    {26, "大衆のために生きよう", 4, {0, 6, 6, 6}},
    {27, "地味な仕事が向く", 5, {0, 6, 6, 6, 6}},
    {28, "人を使って成功する", 4, {0, 6, 6, 6}},
    {29, "社交性を生かそう", 4, {0, 6, 6, 6}},
    {30, "人の嫌がる道で花が咲く", 3, {0, 6, 6}},
    {31, "名誉に生きよう", 4, {0, 6, 6, 6}},
};

const char kLabel[] = "貴方の適職：";
const char kIdeographicSpace[] = "\x81\x40";

bool isLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string expectedLineEnd(int value) {
  return value == 27 || value == 29 ? "\n" : "\n\n";
}

// The text the report shows for a row: title line, then the body lines
// joined by the line end, with nothing after the last one.
std::string entryText(const CareerEntry& e) {
  std::string text = e.titleLine;
  for (int i = 0; i < e.bodyLineCount; ++i) {
    if (i > 0) text += e.lineEnd;
    text += e.bodyLines[i];
  }
  return text;
}

int leadingIdeographicSpaces(const std::string& line) {
  int n = 0;
  while (line.compare(2 * n, 2, kIdeographicSpace) == 0) ++n;
  return n;
}

// Walks a line one character at a time and reports the first thing that
// does not belong in a body line or title: a broken double-byte character,
// a control character, half-width katakana or a full-width parenthesis.
std::string firstBadCharacter(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    if (isLeadByte(c)) {
      if (i + 1 >= s.size()) return "lead byte at end";
      const unsigned char t = s[i + 1];
      if (t < 0x40 || t == 0x7F || t > 0xFC) return "bad trail byte at " + std::to_string(i);
      if (c == 0x81 && (t == 0x69 || t == 0x6A)) return "full-width parenthesis";
      i += 2;
    } else if (c < 0x20 || c == 0x7F) {
      return "control character at " + std::to_string(i);
    } else if (c >= 0x80) {
      return "single byte " + std::to_string(c) + " (half-width kana?)";
    } else {
      ++i;
    }
  }
  return "";
}

TEST(CareerTableTest, TitleLinesAreFramedWithTheRowsLineEnd) {
  for (int k = 0; k < kCareerEntryCount; ++k) {
    const CareerEntry& e = CareerTable[k];
    const ExpectedRow& x = kExpected[k];
    SCOPED_TRACE("value " + std::to_string(x.value));
    ASSERT_EQ(x.value, k + kCareerFirstValue);
    ASSERT_NE(e.titleLine, nullptr);
    ASSERT_NE(e.lineEnd, nullptr);
    EXPECT_EQ(std::string(e.lineEnd), expectedLineEnd(x.value));

    EXPECT_EQ(std::string(e.titleLine),
              std::string("\n******* ") + x.title + " *******" + expectedLineEnd(x.value));
    const std::size_t titleBytes = std::strlen(x.title);
    EXPECT_GE(titleBytes, 10u);
    EXPECT_LE(titleBytes, 26u);
  }
}

TEST(CareerTableTest, BodyLinesFollowCountIndentLengthAndCharacterRules) {
  const std::size_t labelBytes = std::strlen(kLabel);
  for (int k = 0; k < kCareerEntryCount; ++k) {
    const CareerEntry& e = CareerTable[k];
    const ExpectedRow& x = kExpected[k];
    SCOPED_TRACE("value " + std::to_string(x.value));
    ASSERT_EQ(e.bodyLineCount, x.bodyLines);
    for (int i = x.bodyLines; i < kCareerMaxBodyLines; ++i) EXPECT_EQ(e.bodyLines[i], nullptr);

    for (int i = 0; i < x.bodyLines; ++i) {
      SCOPED_TRACE("line " + std::to_string(i + 1));
      ASSERT_NE(e.bodyLines[i], nullptr);
      const std::string line = e.bodyLines[i];
      EXPECT_GE(line.size(), 20u);
      EXPECT_LE(line.size(), 116u);
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
      EXPECT_EQ(firstBadCharacter(line), "");
      const int indent = leadingIdeographicSpaces(line);
      EXPECT_EQ(indent, x.indents[i]);
      if (i == 0) {
        ASSERT_EQ(line.compare(0, labelBytes, kLabel), 0) << "missing label";
        // The list or sentence starts right after the colon.
        EXPECT_GT(line.size(), labelBytes);
        EXPECT_NE(line.compare(labelBytes, 2, kIdeographicSpace), 0);
        EXPECT_NE(line[labelBytes], ' ');
      } else {
        // Something other than indentation must follow.
        EXPECT_GT(line.size(), static_cast<std::size_t>(2 * indent));
        EXPECT_NE(line[2 * indent], ' ');
      }
    }
  }
}

TEST(CareerTableTest, EntrySizesAndLongestLines) {
  std::size_t longestOther = 0;
  for (int k = 0; k < kCareerEntryCount; ++k) {
    const int value = k + kCareerFirstValue;
    SCOPED_TRACE("value " + std::to_string(value));
    const std::size_t size = entryText(CareerTable[k]).size();
    if (value == 18) {
      EXPECT_EQ(size, 563u);
    } else if (value == 8 || value == 11) {
      EXPECT_EQ(size, 195u);
    } else {
      EXPECT_GT(size, 195u);
      EXPECT_LT(size, 563u);
    }
    if (value == 22) continue;
    for (int i = 0; i < CareerTable[k].bodyLineCount; ++i)
      longestOther = std::max(longestOther, std::strlen(CareerTable[k].bodyLines[i]));
  }

  // The two body lines of value 22 are the longest of the table.
  const CareerEntry& e22 = CareerTable[22 - kCareerFirstValue];
  ASSERT_EQ(e22.bodyLineCount, 2);
  EXPECT_LT(longestOther, std::strlen(e22.bodyLines[0]));
  EXPECT_LT(longestOther, std::strlen(e22.bodyLines[1]));
}

TEST(CareerTableTest, FixedEntriesAreExact) {
  const std::string indent6 = "　　　　　　";
  const std::string entry11 =
      "\n******* 自由業で行こう *******\n\n"
      "貴方の適職：政治家、弁護士、公認会計士、ジャーナリスト、トップ屋、歴史小説家、\n\n" +
      indent6 + "脚本家、漫画家、デザイナー、外交セールス(広告関係、車、電気器具、保険)";
  const std::string entry14 =
      "\n******* お堅い仕事は駄目 *******\n\n"
      "貴方の適職：出版業、土木建築、弱電一般、デパート、映画館、劇場関係\n\n" +
      indent6 + "広い意味でのサービス業も向きます。旅館、料亭、クリーニング、理容、\n\n" + indent6 +
      "美容、コック、バーテンダー\n\n" + indent6 +
      "結核専門医、社会奉仕、福祉関係\n\n"
      "サラリーマンなら、ゴム、ガラス、レンガ、陶器、パン、缶詰、\n\n"
      "　　　　　　　　　酒類、清涼飲料、衣料品、紙類などの消費産業";
  ASSERT_EQ(entry11.size(), 195u);
  ASSERT_EQ(entry14.size(), 387u);
  EXPECT_EQ(entryText(CareerTable[11 - kCareerFirstValue]), entry11);
  EXPECT_EQ(entryText(CareerTable[14 - kCareerFirstValue]), entry14);
}

}  // namespace
}  // namespace namori
