// namori-cli as a user runs it: arguments and standard input in, output and
// exit status out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "readings.h"
#include "suggest_output.h"
#include "test_support.h"

namespace namori {
namespace {

struct CliResult {
  int status;
  std::string out, err;
};

// Runs the tool through the shell in the current directory, capturing its
// output; input, if any, is its standard input.
CliResult runCli(const std::vector<std::string>& args, const std::string& input = "") {
  std::string command = "'" NAMORI_CLI_PATH "'";
  for (const std::string& arg : args) {
    command += " '";
    for (char c : arg) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += '\'';
  }
  writeFile("cli.in", input);
  const int status = std::system((command + " <cli.in >cli.out 2>cli.err").c_str());
  std::filesystem::remove("cli.in");
  CliResult run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile("cli.out"),
                readFile("cli.err")};
  std::filesystem::remove("cli.out");
  std::filesystem::remove("cli.err");
  return run;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

using cli::toUtf8;

class Cli : public InTempDirectory {};

TEST_F(Cli, StrokesAndReadingInUtf8AndShiftJis) {
  CliResult run = runCli({"--strokes", u8"山田太郎鬱Ｕモ"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, u8"山\t3\n田\t5\n太\t4\n郎\t14\n鬱\t29\nＵ\t0\nモ\t3\n");

  run = runCli({u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, toUtf8(kYamadaTaroReport));
  EXPECT_EQ(run.out.rfind(u8"\n***姓名判断***      山田 太郎 さん\n\n総運  26画", 0), 0u);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(entryCount(), 0u);  // nothing saved without --save

  run = runCli({"--sjis", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kYamadaTaroReport);
}

TEST_F(Cli, CareerAndSave) {
  const std::string career = kYamadaTaroCareer;
  CliResult run = runCli({"--career", "--save", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, toUtf8(career) + "\n");  // a line end where the text has none
  EXPECT_EQ(readFile(u8"山田太郎さんの職業運適職.TXT"), career);
  EXPECT_EQ(run.err, u8"namori-cli: wrote 山田太郎さんの職業運適職.TXT\n");
  EXPECT_EQ(entryCount(), 1u);

  run = runCli({u8"山田", u8"太郎", "--save", "--file-encoding", "utf-8"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readFile(u8"山田太郎さんの姓名判断.TXT"), toUtf8(kYamadaTaroReport));
}

TEST_F(Cli, WarnsAboutWhatItCannotCount) {
  CliResult run = runCli({u8"髙橋", u8"一二三四五六七八九十一二三四五六七八"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(u8"天運  16画"), std::string::npos);
  EXPECT_NE(run.out.find(u8" 髙橋 一二三四五六七八九十一二三四五六七 さん\n"), std::string::npos);
  EXPECT_EQ(run.err,
            u8"namori-cli: GIVEN was cut to 34 bytes, as the name dialog cuts; read as "
            u8"\"一二三四五六七八九十一二三四五六七\"\n"
            u8"namori-cli: 髙 (U+9AD9) is not in the stroke dictionary and counts 0 strokes\n");

  run = runCli({"Sato", "Taro"});  // each character once
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 6) << run.err;
  EXPECT_NE(run.err.find("a (U+0061) is not in"), std::string::npos) << run.err;
}

TEST_F(Cli, JsonReading) {
  CliResult run = runCli({"--json", "--career", u8"山田", u8"太郎"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto reading = nlohmann::json::parse(run.out);
  EXPECT_EQ(reading["strokes"], nlohmann::json::parse(R"({"surname": [3, 5], "given": [4, 14]})"));
  EXPECT_EQ(reading["unknown"], nlohmann::json::array());
  const int values[] = {26, 8, 18, 9, 17};
  for (int grade = 0; grade < 5; ++grade) {
    EXPECT_EQ(reading["grades"][grade]["value"], values[grade]);
  }
  EXPECT_EQ(reading["grades"][0]["name"], u8"総運");
  EXPECT_EQ(reading["grades"][0]["fortune"], u8"波乱と異変の凶数(天下を取る可能性)");
  EXPECT_EQ(reading["grades"][0]["weight"], 0.1);
  EXPECT_EQ(reading["score"],
            nlohmann::json::parse(R"({"first": "7.0", "second": "24.0", "total": "31.0"})"));
  EXPECT_EQ(reading["career"]["outerGrade"], 17);
  EXPECT_EQ(reading["career"]["text"], toUtf8(kYamadaTaroCareer));

  // A folded grade keeps its raw value beside the table index.
  run = runCli({"--json", u8"鬱鬱鬱", u8"鬱鬱"});
  const auto folded = nlohmann::json::parse(run.out);
  EXPECT_EQ(folded["grades"][0]["value"], 145);
  EXPECT_EQ(folded["grades"][0]["index"], 25);
}

// Each grade's own weight, in grade order.
TEST_F(Cli, JsonWeights) {
  const CliResult run = runCli({"--json", u8"山田", u8"太郎"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto reading = nlohmann::json::parse(run.out);
  const double weights[] = {0.1, 0.8, 0.8, 0.1, 0.8};
  for (int grade = 0; grade < 5; ++grade) {
    EXPECT_EQ(reading["grades"][grade]["weight"], weights[grade]) << grade;
  }
}

TEST_F(Cli, Batch) {
  const std::string input = u8"山田 太郎\n\n髙橋\t一郎\r\n山田　太郎 三\n𠮷田 太郎\n\xFF 太郎\n";
  CliResult run = runCli({"--batch"}, input);
  EXPECT_EQ(run.status, 2);
  std::vector<nlohmann::json> lines;
  for (const std::string& line : linesOf(run.out)) lines.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(lines.size(), 5u) << run.out;
  EXPECT_EQ(lines[0]["score"]["total"], "31.0");
  EXPECT_EQ(lines[1]["unknown"], nlohmann::json::array({u8"髙"}));
  for (std::size_t i = 2; i < 5; ++i) EXPECT_TRUE(lines[i].contains("error")) << lines[i];
  EXPECT_EQ(lines[2]["line"], 4);
  EXPECT_EQ(lines[4]["line"], 6);

  run = runCli({"--batch", "--career"}, u8"山田 太郎\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(nlohmann::json::parse(run.out)["career"]["outerGrade"], 17);
}

TEST_F(Cli, InputErrorsAndHelp) {
  // 𠮷 is outside code page 932; 〜 (U+301C) would only come back as ～.
  // Such text stays out of the assertion macros, which must quote Shift-JIS.
  const struct {
    std::vector<std::string> args;
    std::string inErr;
  } cases[] = {
      {{u8"山田", ""}, u8"データエラー\n"},
      {{u8"𠮷田", u8"太郎"}, u8"𠮷"},
      {{"--strokes", u8"山𠮷"}, u8"𠮷"},
      {{"--strokes", u8"〜"}, u8"〜"},
      {{"\xFF", u8"太郎"}, ""},
      {{}, "SURNAME and GIVEN"},
      {{"a", "b", "c"}, "SURNAME and GIVEN"},
      {{"--bogus", "a", "b"}, "--bogus"},
      {{"--strokes", "--career", "a"}, "--strokes"},
      {{"-x", u8"山田"}, "-x"},
      {{"-1", u8"山田"}, "-1"},
      {{"--batch", "a", "b"}, "standard input"},
      {{"--json", "--sjis", "a", "b"}, "--sjis"},
  };
  for (const auto& c : cases) {
    const CliResult run = runCli(c.args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.inErr), std::string::npos) << run.err;
  }

  CliResult run = runCli({"--", "-x", u8"山田"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(runCli({"--version"}).out, "namori-cli 1.0\n");
  run = runCli({"-h"});
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"--career", "--json", "--batch", "--file-encoding", u8"データエラー"}) {
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  }
}

TEST_F(Cli, SaveFailureExits1) {
  std::filesystem::create_directory(u8"山田太郎さんの姓名判断.TXT");
  CliResult run = runCli({"--save", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, toUtf8(kYamadaTaroReport));
  EXPECT_NE(run.err.find(u8"山田太郎さんの姓名判断.TXT"), std::string::npos) << run.err;

  run = runCli({"--save", "a/b", u8"太郎"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(entryCount(), 1u);
}

nlohmann::json suggestJson(std::vector<std::string> args) {
  args.insert(args.begin(), {"--json", "--suggest"});
  const CliResult run = runCli(args);
  EXPECT_EQ(run.status, 0) << run.err;
  return nlohmann::json::parse(run.out);
}

TEST_F(Cli, SuggestReadsLikeAReadingAndFilters) {
  const auto best = suggestJson({u8"山田", "--top", "3"});
  ASSERT_EQ(best["candidates"].size(), 3u);
  for (const auto& candidate : best["candidates"]) {
    const CliResult run = runCli({"--json", u8"山田", candidate["given"].get<std::string>()});
    const auto reading = nlohmann::json::parse(run.out);
    for (int grade = 0; grade < 5; ++grade) {
      EXPECT_EQ(candidate["grades"][grade], reading["grades"][grade]["value"]);
    }
    EXPECT_EQ(candidate["score"], reading["score"]["total"]);
  }

  // The options reach the ranking as they are; katakana, too.
  const auto filtered = suggestJson({u8"佐藤", "--sex", "f", "--chars", "2", "--reading", u8"ハ*",
                                     "--with", u8"花", "--without", u8"子", "--min-score", "40",
                                     "--sort", "people", "--any-kanji", "--top", "0"});
  SuggestFilter filter;
  filter.sex = SexFilter::kFemale;
  filter.characters = 2;
  filter.reading = "ハ*";
  filter.with = "花";
  filter.without = "子";
  filter.minScore = 40;
  filter.order = SuggestOrder::kPeople;
  filter.anyKanji = true;
  const Suggestions expected = suggestGivenNames("佐藤", filter);
  ASSERT_EQ(filtered["candidates"].size(), expected.size());
  ASSERT_GT(expected.size(), 3u);
  for (std::size_t rank = 0; rank < expected.size(); ++rank) {
    const auto& got = filtered["candidates"][rank];
    EXPECT_EQ(got["given"], toUtf8(expected[rank].given));
    EXPECT_EQ(got["people"], expected[rank].people);
    EXPECT_EQ(got["familiarity"], expected[rank].familiarity);
    EXPECT_EQ(got["readings"].size(), expected.readings(rank).size());
    EXPECT_EQ(got["readings"][0]["kana"].get<std::string>().rfind(u8"は", 0), 0u);
  }
}

TEST_F(Cli, SuggestTable) {
  // Default length; sex as tagged, per reading; the fifth grade's table
  // values for 山田 太郎.
  CliResult run = runCli({"--suggest", u8"山田"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(linesOf(run.out).size(), 21u);
  run =
      runCli({"--suggest", u8"山田", "--with", u8"太郎", "--chars", "2", "--reading", u8"たろう"});
  EXPECT_EQ(run.out,
            u8"順位  名    読み            性別  総運  天運  地運  人運  外運  得点\n"
            u8"   1  太郎  たろう・たろお  mg      26     8    18     9    17  31.0\n");
  const auto hanako =
      suggestJson({u8"山田", "--with", u8"花子", "--chars", "2", "--reading", u8"はなこ"});
  EXPECT_EQ(hanako["candidates"][0]["sex"], nlohmann::json::array({"f"}));
  EXPECT_EQ(hanako["candidates"][0]["readings"][0],
            nlohmann::json::parse(u8R"({"kana": "はなこ", "sex": ["f"]})"));

  // Readings past the column become "+N"; the matched one is always shown,
  // and every line is as wide as the header.
  run = runCli({"--suggest", u8"髙田", "--reading", u8"*い*", "--top", "0"});
  EXPECT_NE(run.err.find("U+9AD9"), std::string::npos);
  const std::vector<std::string> lines = linesOf(run.out);
  ASSERT_GT(lines.size(), 100u);
  EXPECT_NE(run.out.find(" +"), std::string::npos);
  for (const std::string& line : lines) {
    ASSERT_EQ(cli::displayWidth(line), cli::displayWidth(lines[0])) << line;
  }
  run = runCli({"--suggest", u8"田中", "--reading", u8"ゆい", "--top", "0"});
  for (std::size_t i = 1; i < linesOf(run.out).size(); ++i) {
    ASSERT_NE(linesOf(run.out)[i].find(u8"  ゆい"), std::string::npos) << linesOf(run.out)[i];
  }
}

TEST_F(Cli, SuggestEdges) {
  const struct {
    std::vector<std::string> args;
    std::string inErr;
  } usage[] = {
      {{"--suggest", ""}, u8"データエラー"},
      {{"--suggest", "  "}, "U+0020"},
      {{"--suggest", "abc"}, "(U+0063) is not in the stroke dictionary"},
      {{"--suggest", u8"髙"}, "no character that counts"},
      {{"--suggest", u8"山田", "--sex", "x"}, "--sex"},
      {{"--suggest", u8"山田", "--top", "-1"}, "--top"},
      {{"--suggest", u8"山田", "--chars", "-1"}, "--chars"},
      {{"--suggest", u8"山田", "--min-score", "nan"}, "--min-score"},
      {{"--suggest", u8"山田", "--min-score", "100.5"}, "--min-score"},
      {{"--suggest", u8"山田", "--min-score", "-1"}, "--min-score"},
      {{"--suggest", u8"山田", "--reading", "abc"}, "--reading"},
      {{"--suggest", u8"山田", "--reading", u8"ゆ**"}, "--reading"},
      {{"--suggest", u8"山田", "--sort", "name"}, "--sort"},
      {{"--top", "3", u8"山田", u8"太郎"}, "--suggest"},
      {{"--suggest", u8"山田", u8"太郎"}, "SURNAME only"},
  };
  for (const auto& c : usage) {
    const CliResult run = runCli(c.args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.inErr), std::string::npos) << run.err;
  }

  CliResult run = runCli({"--suggest", u8"山田", "--with", u8"烏", "--sex", "m"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind(u8"namori-cli: no given name matches 山田 with --sex m --with 烏", 0), 0u)
      << run.err;
  EXPECT_NE(run.err.find("--any-kanji"), std::string::npos);
  EXPECT_EQ(suggestJson({u8"山田", "--reading", u8"ゑゑゑ"})["candidates"],
            nlohmann::json::array());
}

}  // namespace
}  // namespace namori
