// The naming list's CSV, as Excel on a Japanese Windows opens it, and the
// naming window's list, which shows its fields: the bytes are pinned as
// Shift-JIS, not as literals compiled the way the code is.
#include "naming_csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "naming_window.h"

namespace namori {
namespace {

// 男 before 女 whatever the tags' order; unstated sex is blank, never a dash
// that reads as 一.
TEST(NamingCsv, SexLabelsNameTheStatedSexesInAFixedOrder) {
  const std::string f = "\x8F\x97", m = "\x92\x6A";  // 女 男
  const std::vector<std::string> labels = {"", f, m, m + f, "", f, m, m + f};
  for (unsigned sex = 0; sex < labels.size(); ++sex) EXPECT_EQ(sexLabel(sex), labels[sex]) << sex;
}

// 山田 --with 翔 --chars 2 --reading しょう*, the header and the best three,
// written out by hand as Shift-JIS.
const char kFirstRows[] =
    "\x8F\x87\x88\xCA,\x96\xBC,\x93\xC7\x82\xDD,\x90\xAB\x95\xCA,\x91\x8D\x89^,\x93V\x89^,"
    "\x92n\x89^,\x90l\x89^,\x8AO\x89^,\x93\xBE\x93_,\x90l\x96\xBC\x90\x94,"
    "\x83\x89\x83\x93\x83L\x83\x93\x83O,\x8E\x9A\x82\xCC\x82\xC8\x82\xB6\x82\xDD\r\n"  // 順位,名,読み,性別,総運,天運,地運,人運,外運,得点,人名数,ランキング,字のなじみ
    "1,\xE3\xC4\x91\xBE,\x82\xB5\x82\xE5\x82\xA4\x82\xBD,\x92j,24,8,16,17,7,87.0,4,"
    "2014\x94N4\x88\xCA,261\r\n"  // 1,翔太,しょうた,男,24,8,16,17,7,87.0,4,2014年4位,261
    "2,\xE3\xC4\x8C\x8E,"
    "\x82\xB5\x82\xE5\x82\xA4\x82\xC3\x82\xAB\x81\x45\x82\xCD\x82\xC3\x82\xAB\x81\x45\x82\xA9\x82"
    "\xC3\x82\xAB,\x8F\x97,24,8,16,17,7,87.0,0,,261\r\n"  // 2,翔月,しょうづき・はづき・かづき,女,24,8,16,17,7,87.0,0,,261
    "3,\xE3\xC4\x96\xB2,"
    "\x82\xB5\x82\xE5\x82\xA4\x82\xDE\x81\x45\x82\xA9\x82\xE4\x82\xDF\x81\x45\x82\xA9\x82\xCC\x82"
    "\xF1,\x8F\x97,33,8,25,17,16,83.0,0,,261\r\n"  // 3,翔夢,しょうむ・かゆめ・かのん,女,33,8,25,17,16,83.0,0,,261
    ;

// The module's CSV, the window's cells (the CSV's fields but the last) and
// namori-cli --csv --sjis, which the end-to-end and page tests compare with.
TEST(NamingCsv, HandWrittenRows) {
  SuggestFilter filter;
  filter.with = "\xE3\xC4";  // 翔
  filter.characters = 2;
  filter.reading = "\x82\xB5\x82\xE5\x82\xA4*";  // しょう*
  filter.top = 3;
  const Suggestions list = suggestGivenNames("\x8E\x52\x93\x63", filter);  // 山田
  EXPECT_EQ(suggestionsCsv(list), kFirstRows);
  EXPECT_EQ(suggestionCells(list, 0),
            (std::vector<std::string>{"1", "\xE3\xC4\x91\xBE", "\x82\xB5\x82\xE5\x82\xA4\x82\xBD",
                                      "\x92j", "24", "8", "16", "17", "7", "87.0", "4",
                                      "2014\x94N4\x88\xCA"}));
  FILE* tool = popen("'" NAMORI_CLI_PATH
                     "' --suggest \xE5\xB1\xB1\xE7\x94\xB0 --with \xE7\xBF\x94 --chars 2"
                     " --reading '\xE3\x81\x97\xE3\x82\x87\xE3\x81\x86*' --top 3 --csv --sjis",
                     "r");
  ASSERT_NE(tool, nullptr);
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, tool)) > 0;) {
    out.append(buffer, got);
  }
  EXPECT_EQ(pclose(tool), 0);
  EXPECT_EQ(out, kFirstRows);
  filter.minScore = 101;  // an empty list is the header alone
  EXPECT_EQ(suggestionsCsv(suggestGivenNames("", filter)), out.substr(0, out.find('\n') + 1));
}

}  // namespace
}  // namespace namori
