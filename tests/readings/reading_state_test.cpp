// The reading state through whole command sequences, and the exact bytes of
// the name and career reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "readings.h"

namespace namori {
namespace {

const char kYamadaTaroReport[] =
    "\n***姓名判断***      山田 太郎 さん\n\n"
    "総運  26画  総合      波乱と異変の凶数(天下を取る可能性)\n\n"
    "天運   8画  先祖運    忍耐が発展を生む吉数\n\n"
    "地運  18画  個性      才知と行動力に富む吉数\n\n"
    "人運   9画  社会性    不遇と孤独を暗示する凶数\n\n"
    "外運  17画  環境運    剛毅で気迫のある吉数(アイドルスター性、遭難・事故に注意)\n\n"
    "総運+人運 7.0 天運+地運+外運 24.0 得点 31.0/100.0\n\n";

const char kNotice[] = "\n職業運数３２以降は表示しません\n";

const char kCareer11[] =
    "\n******* 自由業で行こう *******\n\n"
    "貴方の適職：政治家、弁護士、公認会計士、ジャーナリスト、トップ屋、歴史小説家、\n\n"
    "　　　　　　脚本家、漫画家、デザイナー、外交セールス(広告関係、車、電気器具、保険)";

const char kCareer14[] =
    "\n******* お堅い仕事は駄目 *******\n\n"
    "貴方の適職：出版業、土木建築、弱電一般、デパート、映画館、劇場関係\n\n"
    "　　　　　　広い意味でのサービス業も向きます。旅館、料亭、クリーニング、理容、\n\n"
    "　　　　　　美容、コック、バーテンダー\n\n"
    "　　　　　　結核専門医、社会奉仕、福祉関係\n\n"
    "サラリーマンなら、ゴム、ガラス、レンガ、陶器、パン、缶詰、\n\n"
    "　　　　　　　　　酒類、清涼飲料、衣料品、紙類などの消費産業";

// A state as at start-up; the tests never touch the process-wide one.
struct FreshState {
  ReadingState state{};
};

void readName(ReadingState& state, const char* surname, const char* given) {
  ASSERT_TRUE(storeNames(state, surname, given));
  runNameReading(state);
}

bool startsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

std::string careerText(int outerGrade) {
  static char buffer[kCareerReportBytes];
  std::memset(buffer, 0, sizeof buffer);
  buildCareerReport(outerGrade, buffer);
  return buffer;
}

TEST(NameReading, YamadaTaroGivesTheWholeReportAndState) {
  FreshState fresh;
  ReadingState& s = fresh.state;
  readName(s, "山田", "太郎");
  EXPECT_STREQ(s.nameReport, kYamadaTaroReport);
  EXPECT_STREQ(s.reportFileName, "山田太郎さんの姓名判断.TXT");
  EXPECT_EQ(s.lastOuterGrade, 17);
  EXPECT_EQ(s.namePending, 1);
  EXPECT_EQ(s.careerPending, 0);

  // Reading the same name again rebuilds the report rather than appending.
  readName(s, "山田", "太郎");
  EXPECT_STREQ(s.nameReport, kYamadaTaroReport);
}

TEST(NameReading, ZeroGradeRowAndUnknownCharacters) {
  FreshState fresh;
  ReadingState& s = fresh.state;
  readName(s, "林", "一");
  EXPECT_NE(std::strstr(s.nameReport, "外運   0画  環境運    自惚を自戒して発展する吉数\n\n"),
            nullptr);
  EXPECT_EQ(s.lastOuterGrade, 0);

  // A character the dictionary lacks counts 0 but is printed as entered.
  readName(s, "山Ｕ", "太郎");
  EXPECT_TRUE(startsWith(s.nameReport, "\n***姓名判断***      山Ｕ 太郎 さん\n\n"));
  EXPECT_NE(std::strstr(s.nameReport, "天運   3画"), nullptr);
}

TEST(NameReading, RowsShowFoldedValuesWhileTheStateKeepsTheRawOuterGrade) {
  FreshState fresh;
  ReadingState& s = fresh.state;
  // 鬱 has 29 strokes: 総運 145 folds twice to 25, 外運 87 folds to 27.
  readName(s, "鬱鬱鬱", "鬱鬱");
  EXPECT_NE(std::strstr(s.nameReport, "総運  25画"), nullptr);
  EXPECT_NE(std::strstr(s.nameReport, "外運  27画"), nullptr);
  EXPECT_EQ(s.lastOuterGrade, 87);
  runCareerCommand(s);
  EXPECT_STREQ(s.careerReport, kNotice);
}

TEST(StoreNames, CutsEachNameTo34BytesOnACharacterBoundary) {
  FreshState fresh;
  ReadingState& s = fresh.state;
  const char eighteen[] = "一二三四五六七八九十一二三四五六七八";
  const char seventeen[] = "一二三四五六七八九十一二三四五六七";
  readName(s, "山田", eighteen);
  EXPECT_STREQ(s.givenName, seventeen);
  const std::string header = std::string("\n***姓名判断***      山田 ") + seventeen + " さん\n\n";
  EXPECT_TRUE(startsWith(s.nameReport, header.c_str()));

  // One single-byte character first: the 34-byte limit falls inside the
  // seventeenth double-byte character, which is dropped whole.
  ASSERT_TRUE(storeNames(s, "A一二三四五六七八九十一二三四五六七", "x"));
  EXPECT_STREQ(s.surname, "A一二三四五六七八九十一二三四五六");
}

TEST(CommandSequence, RejectedReadingThenCareerCommand) {
  FreshState fresh;
  ReadingState& s = fresh.state;
  readName(s, "山田", "太郎");
  const std::string report = s.nameReport;

  // An empty field: the names are replaced, everything else stays.
  EXPECT_FALSE(storeNames(s, "田中", ""));
  EXPECT_STREQ(s.surname, "田中");
  EXPECT_STREQ(s.givenName, "");
  EXPECT_EQ(report, s.nameReport);
  EXPECT_STREQ(s.reportFileName, "山田太郎さんの姓名判断.TXT");
  EXPECT_EQ(s.lastOuterGrade, 17);
  EXPECT_EQ(s.namePending, 1);
  EXPECT_EQ(s.careerPending, 0);
  EXPECT_FALSE(storeNames(s, "", "一"));

  // The career text belongs to the old reading, the file name to the new
  // partly empty names.
  runCareerCommand(s);
  EXPECT_EQ(careerText(17), s.careerReport);
  EXPECT_TRUE(startsWith(s.careerReport, "\n******* 人気商売で行こう *******\n\n"));
  EXPECT_STREQ(s.reportFileName, "一さんの職業運適職.TXT");
  EXPECT_EQ(s.careerPending, 1);
  EXPECT_EQ(s.namePending, 0);
  EXPECT_EQ(report, s.nameReport);

  // A new reading makes the name report pending again and leaves the career
  // text alone.
  const std::string career = s.careerReport;
  readName(s, "田中", "一");
  EXPECT_EQ(s.namePending, 1);
  EXPECT_EQ(s.careerPending, 0);
  EXPECT_EQ(career, s.careerReport);
  runCareerCommand(s);
  EXPECT_TRUE(startsWith(s.careerReport, "\n******* 海外に縁あり *******\n\n"));
}

TEST(CommandSequence, CareerCommandBeforeAnyReading) {
  FreshState fresh;
  ReadingState& s = fresh.state;
  runCareerCommand(s);
  EXPECT_STREQ(s.careerReport, kNotice);
  EXPECT_STREQ(s.reportFileName, "さんの職業運適職.TXT");
  EXPECT_EQ(s.careerPending, 1);
  EXPECT_EQ(s.namePending, 0);
}

TEST(CommandSequence, CareerCommandClearsTheWholeBufferEveryTime) {
  FreshState fresh;
  ReadingState& s = fresh.state;
  readName(s, "山田", "太郎");
  std::memset(s.careerReport, 0x7A, sizeof s.careerReport);
  runCareerCommand(s);
  char first[kCareerReportBytes];
  std::memcpy(first, s.careerReport, sizeof first);
  const std::size_t length = std::strlen(first);
  for (std::size_t i = length; i < sizeof first; ++i) ASSERT_EQ(first[i], 0) << i;
  runCareerCommand(s);
  EXPECT_EQ(std::memcmp(first, s.careerReport, sizeof first), 0);
}

TEST(CareerReport, GivenTextsAndRangeEnds) {
  EXPECT_EQ(careerText(11), kCareer11);
  EXPECT_EQ(careerText(11).size(), 195u);
  EXPECT_EQ(careerText(14), kCareer14);
  EXPECT_EQ(careerText(14).size(), 387u);

  EXPECT_TRUE(startsWith(careerText(2).c_str(), "\n******* 一流の補佐役になろう *******\n\n"));
  EXPECT_TRUE(startsWith(careerText(31).c_str(), "\n******* 名誉に生きよう *******\n\n"));
  for (int v : {INT_MIN, -1, 0, 1, 32, 33, 61, INT_MAX}) {
    EXPECT_EQ(careerText(v), kNotice) << v;
  }
}

TEST(CareerReport, EntriesWithSingleLineFeeds) {
  // 27 (five body lines) and 29 (four) separate every line by one line feed
  // and, like every entry, end with their last body line.
  const int lineFeeds[][2] = {{27, 2 + 4}, {29, 2 + 3}};
  for (const auto& [value, count] : lineFeeds) {
    const std::string text = careerText(value);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), count) << value;
    EXPECT_EQ(text.find("\n\n"), std::string::npos) << value;
    EXPECT_NE(text.back(), '\n') << value;
  }
}

}  // namespace
}  // namespace namori
