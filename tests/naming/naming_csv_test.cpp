// The naming list's CSV, as Excel on a Japanese Windows opens it, and the
// naming window's list, which shows its fields: the bytes are pinned as
// Shift-JIS, not as literals compiled the way the code is.
#include "naming_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "naming_window.h"

namespace namori {
namespace {

std::vector<std::string> split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  for (std::size_t next; (next = text.find(separator, at)) != std::string::npos;
       at = next + separator.size()) {
    parts.push_back(text.substr(at, next - at));
  }
  parts.push_back(text.substr(at));
  return parts;
}

// 男 before 女 whatever the tags' order; unstated sex is blank, never a dash
// that reads as 一.
TEST(NamingCsv, SexLabelsNameTheStatedSexesInAFixedOrder) {
  const std::string f = "\x8F\x97", m = "\x92\x6A";  // 女 男
  EXPECT_EQ(sexLabel(kSexFemale), f);
  EXPECT_EQ(sexLabel(kSexMale | kSexUnstated), m);
  EXPECT_EQ(sexLabel(kSexFemale | kSexMale), m + f);
  EXPECT_EQ(sexLabel(kSexFemale | kSexMale | kSexUnstated), m + f);
  EXPECT_EQ(sexLabel(kSexUnstated), "");
  EXPECT_EQ(sexLabel(0), "");
}

TEST(NamingCsv, OneCrlfRowPerSuggestionUnderTheHeader) {
  SuggestFilter filter;
  filter.top = 30;
  filter.characters = 1;  // one-kanji names, most with several readings
  const Suggestions list = suggestGivenNames("山田", filter);
  const std::string csv = suggestionsCsv(list);

  // 順位,名,読み,性別,総運,天運,地運,人運,外運,得点,人名数,ランキング,字のなじみ
  const std::string header =
      "\x8F\x87\x88\xCA,\x96\xBC,\x93\xC7\x82\xDD,\x90\xAB\x95\xCA,\x91\x8D\x89\x5E,"
      "\x93\x56\x89\x5E,\x92\x6E\x89\x5E,\x90\x6C\x89\x5E,\x8A\x4F\x89\x5E,\x93\xBE\x93\x5F,"
      "\x90\x6C\x96\xBC\x90\x94,\x83\x89\x83\x93\x83\x4C\x83\x93\x83\x4F,\x8E\x9A\x82\xCC\x82\xC8\x82\xB6\x82\xDD\r\n";
  ASSERT_EQ(csv.compare(0, header.size(), header), 0) << csv.substr(0, 200);
  ASSERT_EQ(csv.substr(csv.size() - 2), "\r\n");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 31);

  const std::vector<std::string> rows =
      split(csv.substr(header.size(), csv.size() - header.size() - 2), "\r\n");
  ASSERT_EQ(rows.size(), 30u);
  bool sawSeveralReadings = false;
  for (std::size_t rank = 0; rank < rows.size(); ++rank) {
    std::vector<std::string> field = split(rows[rank], ",");
    ASSERT_EQ(field.size(), 13u) << rows[rank];
    const Suggestion s = list[rank];
    EXPECT_EQ(field[0], std::to_string(rank + 1));
    EXPECT_EQ(field[1], s.given);
    // Every reading, joined with ・ and never cut.
    const std::size_t readings = list.readings(rank).size();
    EXPECT_EQ(split(field[2], "\x81\x45").size(), readings) << field[2];
    sawSeveralReadings |= readings > 1;
    EXPECT_EQ(field[3], sexLabel(s.sex));
    EXPECT_EQ(field[4], std::to_string(s.grades.value[kSouun]));
    EXPECT_EQ(field[8], std::to_string(s.grades.value[kGaiun]));
    // One decimal, as the score is printed: 72.5, 100.0.
    ASSERT_GE(field[9].size(), 3u);
    EXPECT_EQ(field[9][field[9].size() - 2], '.') << field[9];
    EXPECT_EQ(std::stod(field[9]), std::stod(formatOneDecimal(s.score)));
    EXPECT_EQ(field[10], std::to_string(s.people));
    EXPECT_EQ(field[11], rankLabel(s.rank));
    EXPECT_EQ(field[12], std::to_string(s.familiarity));
    // The naming window's cells are the same fields but the last.
    field.pop_back();
    EXPECT_EQ(suggestionCells(list, rank), field);
  }
  EXPECT_TRUE(sawSeveralReadings);

  // In the order shown, each row keeps its rank.
  const std::string shown = suggestionsCsv(list, {29, 0});
  EXPECT_EQ(shown.substr(header.size(), 3), "30,");
  EXPECT_EQ(shown.substr(header.size() + rows[29].size() + 2), rows[0] + "\r\n");
}

TEST(NamingCsv, EmptyListIsTheHeaderAlone) {
  EXPECT_EQ(rankLabel({3, 2025}), "2025\x94\x4E" "3\x88\xCA");  // 2025年3位
  EXPECT_EQ(rankLabel({}), "");
  SuggestFilter filter;
  filter.minScore = 101;
  EXPECT_EQ(split(suggestionsCsv(suggestGivenNames("山田", filter)), "\r\n").size(), 2u);
  // 佐藤さんの名付け候補.CSV
  EXPECT_EQ(suggestionsCsvFileName("\x8D\xB2\x93\xA1"),
            "\x8D\xB2\x93\xA1\x82\xB3\x82\xF1\x82\xCC\x96\xBC\x95\x74\x82\xAF\x8C\xF3\x95\xE2.CSV");
}

}  // namespace
}  // namespace namori
