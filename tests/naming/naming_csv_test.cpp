// The naming list's CSV, as Excel on a Japanese Windows opens it, pinned by
// hand-written Shift-JIS rows: the module's CSV, the naming window's cells
// and namori_suggest_csv, which the end-to-end and page tests compare with.
#include "naming_csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "naming.h"
#include "naming_window.h"
#include "readings/test_support.h"

namespace namori {
namespace {

// 山田 --with 翔 --chars 2 --reading しょう*, the header and the best three.
const char kFirstRows[] =
    "\x8F\x87\x88\xCA,\x96\xBC,\x93\xC7\x82\xDD,\x90\xAB\x95\xCA,\x91\x8D\x89^,\x93V\x89^,"
    "\x92n\x89^,\x90l\x89^,\x8AO\x89^,\x93\xBE\x93_,\x90l\x96\xBC\x90\x94,"
    "\x8E\x9A\x82\xCC\x82\xC8\x82\xB6\x82\xDD\r\n"  // 順位,名,読み,性別,総運,天運,地運,人運,外運,得点,人名数,字のなじみ
    "1,\xE3\xC4\x91\xBE,\x82\xB5\x82\xE5\x82\xA4\x82\xBD,\x92j,24,8,16,17,7,87.0,4,243\r\n"  // 1,翔太,しょうた,男,24,8,16,17,7,87.0,4,243
    "2,\xE3\xC4\x89\xEE,\x82\xB5\x82\xE5\x82\xA4\x82\xB7\x82\xAF,\x81\x5C,24,8,16,17,7,87.0,0,"
    "243\r\n"  // 2,翔介,しょうすけ,―,24,8,16,17,7,87.0,0,243
    "3,\xE3\xC4\x8C\x8E,\x82\xB5\x82\xE5\x82\xA4\x82\xC3\x82\xAB\x81\x45\x82\xA9\x82\xC3\x82\xAB,"
    "\x8F\x97\x81\x5C,24,8,16,17,7,87.0,0,243\r\n"  // 3,翔月,しょうづき・かづき,女―,24,8,16,17,7,87.0,0,243
    ;

SuggestFilter shoFilter() {
  SuggestFilter filter;
  filter.with = "\xE3\xC4";  // 翔
  filter.characters = 2;
  filter.reading = "\x82\xB5\x82\xE5\x82\xA4*";  // しょう*
  return filter;
}

TEST(NamingCsv, HandWrittenRows) {
  SuggestFilter top3 = shoFilter();
  top3.top = 3;
  const Suggestions list = suggestGivenNames("\x8E\x52\x93\x63", top3);  // 山田
  EXPECT_EQ(suggestionsCsv(list), kFirstRows);
  // The window's cells are the CSV's fields but the last.
  EXPECT_EQ(suggestionCells(list, 2),
            (std::vector<std::string>{
                "3", "\xE3\xC4\x8C\x8E",
                "\x82\xB5\x82\xE5\x82\xA4\x82\xC3\x82\xAB\x81\x45\x82\xA9\x82\xC3\x82\xAB",
                "\x8F\x97\x81\x5C", "24", "8", "16", "17", "7", "87.0", "0"}));

  // The tool the end-to-end and page tests take their expected files from.
  FILE* tool =
      popen("'" NAMORI_SUGGEST_CSV_PATH
            "' "
            "\xE5\xB1\xB1\xE7\x94\xB0"
            " --with \xE7\xBF\x94 --chars 2 --reading '\xE3\x81\x97\xE3\x82\x87\xE3\x81\x86*'",
            "r");
  ASSERT_NE(tool, nullptr);
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, tool)) > 0;)
    out.append(buffer, got);
  EXPECT_EQ(pclose(tool), 0);
  EXPECT_EQ(out.substr(0, sizeof kFirstRows - 1), kFirstRows);
  EXPECT_GT(out.size(), sizeof kFirstRows);
}

TEST(NamingCsv, SexLabelsEmptyListAndFileName) {
  const std::string f = "\x8F\x97", m = "\x92\x6A", u = "\x81\x5C";  // 女 男 ―
  EXPECT_EQ(sexLabel(kSexFemale | kSexMale | kSexUnstated), f + m + u);
  EXPECT_EQ(sexLabel(kSexMale | kSexUnstated), m + u);
  EXPECT_EQ(sexLabel(0), u);
  SuggestFilter none = shoFilter();
  none.minScore = 100;
  const std::string csv = suggestionsCsv(suggestGivenNames("\x8E\x52\x93\x63", none));
  EXPECT_EQ(csv, std::string(kFirstRows).substr(0, csv.size()));
  EXPECT_EQ(csv.find("\r\n"), csv.size() - 2);  // the header alone
  // 佐藤さんの名付け候補.CSV
  EXPECT_EQ(suggestionsCsvFileName("\x8D\xB2\x93\xA1"),
            "\x8D\xB2\x93\xA1\x82\xB3\x82\xF1\x82\xCC\x96\xBC\x95\x74\x82\xAF\x8C\xF3\x95\xE2.CSV");
}

class NamingExport : public InTempDirectory {};

TEST_F(NamingExport, WritesTheCsvOrSaysWhyNot) {
  SuggestFilter top3 = shoFilter();
  top3.top = 3;
  const Suggestions list = suggestGivenNames("\x8E\x52\x93\x63", top3);  // 山田
  bool written = false;
  EXPECT_EQ(exportSuggestions(list, "山田", &written),
            "山田さんの名付け候補.CSV に 3 件を書き出しました");
  EXPECT_TRUE(written);
  EXPECT_EQ(readFile(u8"山田さんの名付け候補.CSV"), kFirstRows);
  for (const char* refused : {"a/b", "..", "c:d"}) {
    EXPECT_EQ(exportSuggestions(list, refused, &written).rfind("姓に、ファイル名に使えない", 0),
              0u);
    EXPECT_FALSE(written);
  }
  EXPECT_EQ(entryCount(), 1u);
}

}  // namespace
}  // namespace namori
