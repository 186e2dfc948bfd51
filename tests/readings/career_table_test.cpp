// The career texts: every table entry against the layout rules, the fixed
// texts of 11 and 14 byte for byte, and the out-of-range notice. Lengths are
// Shift-JIS bytes.
#include "career_table.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "readings.h"
#include "test_support.h"

namespace namori {
namespace {

// Per value from 2: the title and, per body line, its indent in ideographic
// spaces ('0', '6' or '9'); the line count is the string's length.
struct ExpectedEntry {
  const char* title;
  const char* indents;
};

const ExpectedEntry kExpected[kCareerEntryCount] = {
    {"一流の補佐役になろう", "0660"},
    {"口を生かそう", "0666"},
    {"軟派で成功しよう", "066"},
    {"海外に縁あり", "0666"},
    {"ツキを生かそう", "066666"},
    {"個性を生かそう", "0600"},
    {"人の上に立とう", "060"},
    {"医療・警察関係に進もう", "06666"},
    {"人の嫌がる仕事で成功する", "066666"},
    {"自由業で行こう", "06"},
    {"他人の才能を伸ばしてやろう", "06660"},
    {"派手な仕事が向く", "06666"},
    {"お堅い仕事は駄目", "066609"},
    {"独立独歩で運が向く", "0666"},
    {"世のため人のため生きよう", "06666"},
    {"人気商売で行こう", "0666"},
    {"精力的な仕事で行こう", "066666666"},
    {"なんでもござれ", "066"},
    {"スポーツ関係で成功する", "0666"},
    {"お役人か女性相手か", "0666"},
    {"水商売がピタリ", "06"},
    {"好きな道に進もう", "06666"},
    {"金に縁あり", "0666666"},
    {"特殊技能で生きよう", "066"},
    {"大衆のために生きよう", "0666"},
    {"地味な仕事が向く", "06666"},
    {"人を使って成功する", "0666"},
    {"社交性を生かそう", "0666"},
    {"人の嫌がる道で花が咲く", "066"},
    {"名誉に生きよう", "0666"},
};

const char kLabel[] = "貴方の適職：";
const char kIdeographicSpace[] = "\x81\x40";

std::string careerText(int outerGrade) {
  char buffer[kCareerReportBytes] = {};
  buildCareerReport(outerGrade, buffer);
  return buffer;
}

TEST(CareerTable, EveryEntryFollowsTheLayoutRules) {
  std::size_t longestOutside22 = 0;
  for (int k = 0; k < kCareerEntryCount; ++k) {
    const int value = k + kCareerFirstValue;
    const CareerEntry& e = CareerTable[k];
    const std::string indents = kExpected[k].indents;
    SCOPED_TRACE("value " + std::to_string(value));
    const std::string lineEnd = value == 27 || value == 29 ? "\n" : "\n\n";
    ASSERT_EQ(e.bodyLineCount, static_cast<int>(indents.size()));

    std::string expected = "\n******* " + std::string(kExpected[k].title) + " *******" + lineEnd;
    for (int i = 0; i < e.bodyLineCount; ++i) {
      SCOPED_TRACE("line " + std::to_string(i + 1));
      const std::string line = e.bodyLines[i];
      expected += (i > 0 ? lineEnd : "") + line;
      EXPECT_GE(line.size(), 20u);
      EXPECT_LE(line.size(), 116u);
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
      EXPECT_EQ(line.find("（"), std::string::npos);  // parentheses are ASCII
      EXPECT_EQ(line.find("）"), std::string::npos);
      const int indent = indents[i] - '0';
      for (int n = 0; n < indent; ++n) EXPECT_EQ(line.substr(2 * n, 2), kIdeographicSpace);
      EXPECT_NE(line.substr(2 * indent, 2), kIdeographicSpace);
      EXPECT_NE(line[2 * indent], ' ');
      EXPECT_EQ(line.rfind(kLabel, 0) == 0, i == 0);
      if (value != 22) longestOutside22 = std::max(longestOutside22, line.size());
    }
    const std::string text = careerText(value);
    EXPECT_EQ(text, expected);
    // 18 is the longest text, 8 and 11 the shortest.
    EXPECT_GE(text.size(), 195u);
    EXPECT_LE(text.size(), 563u);
    EXPECT_EQ(text.size() == 563u, value == 18);
    EXPECT_EQ(text.size() == 195u, value == 8 || value == 11);
  }
  const CareerEntry& e22 = CareerTable[22 - kCareerFirstValue];
  EXPECT_GT(std::strlen(e22.bodyLines[0]), longestOutside22);
  EXPECT_GT(std::strlen(e22.bodyLines[1]), longestOutside22);
}

TEST(CareerReport, FixedTextsAndOutOfRangeNotice) {
  EXPECT_EQ(careerText(11),
            "\n******* 自由業で行こう *******\n\n"
            "貴方の適職：政治家、弁護士、公認会計士、ジャーナリスト、トップ屋、歴史小説家、\n\n"
            "　　　　　　脚本家、漫画家、デザイナー、外交セールス(広告関係、車、電気器具、保険)");
  EXPECT_EQ(careerText(14),
            "\n******* お堅い仕事は駄目 *******\n\n"
            "貴方の適職：出版業、土木建築、弱電一般、デパート、映画館、劇場関係\n\n"
            "　　　　　　広い意味でのサービス業も向きます。旅館、料亭、クリーニング、理容、\n\n"
            "　　　　　　美容、コック、バーテンダー\n\n"
            "　　　　　　結核専門医、社会奉仕、福祉関係\n\n"
            "サラリーマンなら、ゴム、ガラス、レンガ、陶器、パン、缶詰、\n\n"
            "　　　　　　　　　酒類、清涼飲料、衣料品、紙類などの消費産業");
  for (int v : {INT_MIN, -1, 0, 1, 32, 33, 61, INT_MAX}) EXPECT_EQ(careerText(v), kNotice) << v;
}

}  // namespace
}  // namespace namori
