// The career texts: every entry's text against the layout rules, the fixed
// texts of 11 and 14 byte for byte, and the out-of-range notice. Lengths are
// Shift-JIS bytes.
#include <climits>
#include <sstream>
#include <vector>

#include "readings.h"
#include "test_support.h"

namespace namori {
namespace {

// Per value from 2: the title, then per body line its indent in ideographic
// spaces ('0', '6' or '9').
const char kExpected[] =
    "一流の補佐役になろう 0660 口を生かそう 0666 軟派で成功しよう 066 海外に縁あり 0666 "
    "ツキを生かそう 066666 個性を生かそう 0600 人の上に立とう 060 医療・警察関係に進もう 06666 "
    "人の嫌がる仕事で成功する 066666 自由業で行こう 06 他人の才能を伸ばしてやろう 06660 "
    "派手な仕事が向く 06666 お堅い仕事は駄目 066609 独立独歩で運が向く 0666 "
    "世のため人のため生きよう 06666 人気商売で行こう 0666 精力的な仕事で行こう 066666666 "
    "なんでもござれ 066 スポーツ関係で成功する 0666 お役人か女性相手か 0666 水商売がピタリ 06 "
    "好きな道に進もう 06666 金に縁あり 0666666 特殊技能で生きよう 066 大衆のために生きよう 0666 "
    "地味な仕事が向く 06666 人を使って成功する 0666 社交性を生かそう 0666 "
    "人の嫌がる道で花が咲く 066 名誉に生きよう 0666";

const char kLabel[] = "貴方の適職：";
const char kIdeographicSpace[] = "\x81\x40";

std::string careerText(int outerGrade) {
  char buffer[kCareerReportBytes] = {};
  buildCareerReport(outerGrade, buffer);
  return buffer;
}

TEST(CareerReport, EveryEntryFollowsTheLayoutRules) {
  std::istringstream expected(kExpected);
  for (int value = 2; value <= 31; ++value) {
    std::string wantTitle, indents;
    ASSERT_TRUE(expected >> wantTitle >> indents);
    SCOPED_TRACE("value " + std::to_string(value));
    const std::string lineEnd = value == 27 || value == 29 ? "\n" : "\n\n";
    const std::string text = careerText(value);
    const std::string title = "\n******* " + wantTitle + " *******" + lineEnd;
    ASSERT_EQ(text.rfind(title, 0), 0u);
    EXPECT_EQ(careerTitle(value), wantTitle);
    std::vector<std::string> lines;
    std::string rest = text.substr(title.size()) + lineEnd;
    for (std::size_t end; (end = rest.find(lineEnd)) != std::string::npos;
         rest.erase(0, end + lineEnd.size()))
      lines.push_back(rest.substr(0, end));
    ASSERT_EQ(lines.size(), indents.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE("line " + std::to_string(i + 1));
      const std::string& line = lines[i];
      int indent = 0;
      while (line.compare(2 * indent, 2, kIdeographicSpace) == 0) ++indent;
      EXPECT_EQ(indent, indents[i] - '0');
      EXPECT_NE(line[2 * indent], ' ');
      EXPECT_EQ(line.rfind(kLabel, 0) == 0, i == 0);
    }
  }
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
  for (int v : {INT_MIN, -1, 0, 1, 32, 33, 61, INT_MAX}) {
    EXPECT_EQ(careerText(v), kNotice) << v;
    EXPECT_EQ(careerTitle(v), "") << v;
  }
}

}  // namespace
}  // namespace namori
