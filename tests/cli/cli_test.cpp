// namori-cli as a user runs it: arguments and standard input in, output and
// exit status out.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "readings.h"
#include "test_support.h"

namespace namori {
namespace {

struct CliResult {
  int status;
  std::string out, err;
};

// Runs the tool in the current directory with input, or the file inputPath,
// as its standard input.
CliResult runCli(const std::vector<std::string>& args, const std::string& input = "",
                 const std::string& inputPath = "cli.in") {
  std::string command = "'" NAMORI_CLI_PATH "'";
  for (const std::string& arg : args) {
    command += " '";
    for (char c : arg) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += '\'';
  }
  writeFile("cli.in", input);
  const int status = std::system((command + " <'" + inputPath + "' >cli.out 2>cli.err").c_str());
  std::filesystem::remove("cli.in");
  CliResult run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile("cli.out"),
                readFile("cli.err")};
  std::filesystem::remove("cli.out");
  std::filesystem::remove("cli.err");
  return run;
}

// What a user sees: the hand-written Shift-JIS texts as glibc's iconv reads
// them, apart from the tool's own conversion.
std::string utf8(std::string sjis) {
  const iconv_t cp932 = iconv_open("UTF-8", "CP932");
  std::string out(sjis.size() * 3, '\0');
  char *in = sjis.data(), *to = out.data();
  std::size_t inLeft = sjis.size(), outLeft = out.size();
  iconv(cp932, &in, &inLeft, &to, &outLeft);
  iconv_close(cp932);
  return out.substr(0, out.size() - outLeft);
}
const std::string kYamadaTaroUtf8 = utf8(kYamadaTaroReport),
                  kCareer17Utf8 = utf8(kYamadaTaroCareer);

class Cli : public InTempDirectory {};

TEST_F(Cli, StrokesAndReadingInUtf8AndShiftJis) {
  CliResult run = runCli({"--strokes", u8"山田太郎鬱Ｕモｱ"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, u8"山\t3\n田\t5\n太\t4\n郎\t14\n鬱\t29\nＵ\t0\nモ\t3\nｱ\t0\n");

  run = runCli({"--strokes", ""});
  EXPECT_TRUE(run.status == 0 && run.out.empty()) << run.err;
  run = runCli({u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kYamadaTaroUtf8);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(entryCount(), 0u);  // nothing saved without --save

  run = runCli({"--sjis", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kYamadaTaroReport);
}

TEST_F(Cli, CareerAndSave) {
  CliResult run = runCli({"--career", "--save", "--file-encoding", "utf-8", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kCareer17Utf8 + "\n");  // a line end where the text has none
  EXPECT_EQ(readFile(u8"山田太郎さんの職業運適職.TXT"), kCareer17Utf8);
  EXPECT_EQ(run.err, u8"namori-cli: wrote 山田太郎さんの職業運適職.TXT\n");
  EXPECT_EQ(entryCount(), 1u);

  // A file that cannot be written fails the run, after the reading is shown.
  std::filesystem::create_directory(u8"山田太郎さんの姓名判断.TXT");
  run = runCli({"--save", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, kYamadaTaroUtf8);
  EXPECT_EQ(run.err,
            u8"namori-cli: could not write the report file \"山田太郎さんの姓名判断.TXT\" in the "
            u8"current directory\n");
  std::filesystem::remove(u8"山田太郎さんの姓名判断.TXT");
  run = runCli({u8"山田", u8"太郎", "--save"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readFile(u8"山田太郎さんの姓名判断.TXT"), kYamadaTaroReport);  // Shift-JIS

  // A name the file system must not see is refused, and says why.
  run = runCli({"--save", u8"山/田", u8"太郎"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(u8"namori-cli: did not write the report file: the name "
                         u8"\"山/田太郎さんの姓名判断.TXT\" is refused, since it holds \"/\", "
                         u8"which a Windows file name cannot hold\n"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(entryCount(), 2u);
}

TEST_F(Cli, WarnsAboutWhatItCannotCount) {
  // Both names cut, one character unknown in each; the surname is never checked
  // for registrable characters.
  CliResult run =
      runCli({u8"髙一二三四五六七八九十一二三四五六七", u8"Ｕ二三四五六七八九十一二三四五六七八"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(
                u8" 髙一二三四五六七八九十一二三四五六 Ｕ二三四五六七八九十一二三四五六七 さん\n"),
            std::string::npos);
  EXPECT_EQ(run.err,
            u8"namori-cli: SURNAME was cut to 34 bytes, as the name dialog cuts; read as "
            u8"\"髙一二三四五六七八九十一二三四五六\"\n"
            u8"namori-cli: GIVEN was cut to 34 bytes, as the name dialog cuts; read as "
            u8"\"Ｕ二三四五六七八九十一二三四五六七\"\n"
            u8"namori-cli: 髙 (U+9AD9) is not in the stroke dictionary and counts 0 strokes "
            u8"(高 would count 10)\n"
            u8"namori-cli: Ｕ (U+FF35) is not in the stroke dictionary and counts 0 strokes\n"
            u8"namori-cli: Ｕ (U+FF35) cannot be used in a child's registered given name\n");
}

TEST_F(Cli, JsonReading) {
  CliResult run = runCli({"--json", "--career", u8"山田", u8"太郎"});
  ASSERT_EQ(run.status, 0) << run.err;
  // Every value is written out: the weights differ from grade to grade.
  nlohmann::json expected = nlohmann::json::parse(
      u8R"json(
      {"surname": "山田", "given": "太郎", "cut": [],
       "strokes": {"surname": [3, 5], "given": [4, 14]}, "unknown": [], "notRegistrable": [],
       "grades": [
         {"name": "総運", "value": 26, "index": 26,
          "fortune": "波乱と異変の凶数(天下を取る可能性)", "weight": 0.1, "class": "凶"},
         {"name": "天運", "value": 8, "index": 8, "fortune": "忍耐が発展を生む吉数", "weight": 0.8,
          "class": "吉"},
         {"name": "地運", "value": 18, "index": 18, "fortune": "才知と行動力に富む吉数", "weight": 0.8,
          "class": "吉"},
         {"name": "人運", "value": 9, "index": 9, "fortune": "不遇と孤独を暗示する凶数", "weight": 0.1,
          "class": "凶"},
         {"name": "外運", "value": 17, "index": 17,
          "fortune": "剛毅で気迫のある吉数(アイドルスター性、遭難・事故に注意)", "weight": 0.8,
          "class": "吉"}],
       "score": {"first": "7.0", "second": "24.0", "total": "31.0"},
       "career": {"outerGrade": 17}})json");
  expected["career"]["text"] = kCareer17Utf8;
  EXPECT_EQ(nlohmann::json::parse(run.out), expected);

  // Folded grades keep their raw values beside the table index, and the
  // career reading goes by the raw 外運 (87: past 31, the notice).
  run = runCli({"--json", "--career", u8"鬱鬱鬱", u8"鬱鬱Ｕ"});
  const auto folded = nlohmann::json::parse(run.out);
  EXPECT_EQ(folded["grades"][0]["value"], 145);
  EXPECT_EQ(folded["grades"][0]["index"], 25);
  EXPECT_EQ(folded["career"],
            nlohmann::json::parse(
                u8R"({"outerGrade": 87, "text": "\n職業運数３２以降は表示しません\n"})"));
  EXPECT_EQ(folded["unknown"], nlohmann::json::parse(u8R"(["Ｕ"])"));
  EXPECT_EQ(folded["notRegistrable"], folded["unknown"]);  // 鬱 is a jouyou kanji
}

// The lines themselves are the reader's own tests'; here, the statuses.
TEST_F(Cli, Batch) {
  CliResult run = runCli({"--batch", "--career"}, u8"山田 太郎\n　\nx\n髙橋 一郎");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out.rfind(R"({"line":1,"surname":")", 0), 0u);
  EXPECT_NE(run.out.find(R"({"line":3,"error":)"), std::string::npos);
  EXPECT_NE(run.out.find(R"({"line":4,"surname":")"), std::string::npos);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(runCli({"--batch"}, u8"山田 太郎").status, 0);
  // Each line's career is its own: 外運 2 (the first entry), 31 (the last), then 0 (none).
  run = runCli({"--batch", "--career"}, u8"入山 田\n林 一鬱二\n山 田\n" + std::string(4097, 'a'));
  EXPECT_EQ(run.status, 2);  // the line too long
  EXPECT_NE(run.out.find(u8R"({"outerGrade":2,"text":"\n******* 一流の補佐役)"), std::string::npos);
  EXPECT_NE(run.out.find(u8R"({"outerGrade":0,"text":"\n職業運数３２以降は表示しません\n"})"),
            std::string::npos);
  // A read error is no end of input.
  run = runCli({"--batch"}, "", ".");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "namori-cli: could not read standard input: Is a directory\n");
}

// Every refusal exits 2 with nothing on standard output.
TEST_F(Cli, RefusedInput) {
  // 𠮷 is outside code page 932; 〜 (U+301C) would only come back as ～.
  // A message with its line end is the whole of standard error, else a part.
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{u8"山田", ""}, u8"データエラー\n"},
      {{u8"𠮷田", u8"太郎"},
       u8"namori-cli: SURNAME: the character \"𠮷\" (U+20BB7) has no code page 932 form\n"},
      {{"--strokes", u8"〜"},
       u8"namori-cli: TEXT: the character \"〜\" (U+301C) has no code page 932 form\n"},
      {{"\xFF", u8"太郎"}, "namori-cli: SURNAME is not valid UTF-8\n"},
      {{u8"\x1B]0;x\a山", u8"太郎"},
       "namori-cli: SURNAME: the control character U+001B cannot be part of a name\n"},
      // No character that counts.
      {{"Sato", "Taro"},
       "namori-cli: SURNAME has no kanji or kana and no character in the stroke dictionary: S "
       "(U+0053), a (U+0061), t (U+0074), o (U+006F)\n"},
      {{u8"山田", "\"\\"},
       "namori-cli: GIVEN has no kanji or kana and no character in the stroke dictionary: \" "
       "(U+0022), \\ (U+005C)\n"},
      {{}, "SURNAME and GIVEN"},
      {{"a", "b", "c"}, "SURNAME and GIVEN"},
      {{"--bogus", "a", "b"}, "--bogus"},
      {{"--strokes", "--career", "a"}, "--strokes"},
      {{"-x", u8"山田"}, "-x"},
      {{"-1", u8"山田"}, "-1"},
      {{"--batch", "a", "b"}, "standard input"},
      {{"--json", "--sjis", "a", "b"}, "--sjis"},
      {{"--batch", "--sjis"}, "--sjis"},
      {{"--batch", "--json"}, "--json"},
      {{"--file-encoding", "utf-8", "a", "b"}, "--save"},
      {{"--suggest", u8"山田", "--sjis"}, "--sjis with --suggest needs --csv"},
      {{"--suggest", ""}, u8"データエラー"},
      {{"--suggest", "abc"}, "(U+0063) is not in the stroke dictionary"},
      {{"--suggest", u8"髙"}, "no character that counts"},
      {{"--suggest", u8"山田", "--sex", "x"}, "--sex"},
      {{"--suggest", u8"山田", "--top", "-1"}, "--top"},
      {{"--suggest", u8"山田", "--chars", "0"}, "--chars"},
      {{"--suggest", u8"山田", "--chars", "18"}, "--chars"},
      {{"--suggest", u8"山田", "--min-score", "nan"}, "--min-score"},
      {{"--suggest", u8"山田", "--reading", "abc"}, "--reading"},
      {{"--suggest", u8"山田", "--with", u8"陽a、Ｂ"}, u8"not letters or digits: a、Ｂ"},
      {{"--suggest", u8"山田", "--without", "1"}, u8"--without takes"},
      {{"--suggest", u8"山田", "--sort", "name"}, "--sort"},
      {{"--top", "3", u8"山田", u8"太郎"}, "--suggest"},
      {{"--suggest", u8"山田", u8"太郎"}, "SURNAME only"},
  };
  for (const auto& c : cases) {
    const CliResult run = runCli(c.args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(c.err.back() == '\n' ? run.err == c.err : run.err.find(c.err) != std::string::npos)
        << run.err;
  }
}

TEST_F(Cli, Help) {
  EXPECT_EQ(runCli({"--", u8"-山", u8"山田"}).status, 0);
  EXPECT_EQ(runCli({"--version"}).out, "namori-cli 1.0\n");
  const CliResult run = runCli({"-h"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Only the characters are checked, never whether the\nreading"),
            std::string::npos);
}

nlohmann::json suggestJson(std::vector<std::string> args) {
  args.insert(args.begin(), {"--json", "--suggest"});
  const CliResult run = runCli(args);
  EXPECT_EQ(run.status, 0) << run.err;
  return nlohmann::json::parse(run.out);
}

// Each option value reaches the ranking: how many of 佐藤's names it keeps,
// and the first.
TEST_F(Cli, SuggestOptions) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{}, u8"10489 莉緒"},
      {{"--sex", "f"}, u8"8166 莉緒"},
      {{"--sex", "m", "--sort", "popular"}, u8"2472 碧"},
      {{"--sort", "people"}, u8"10489 誠"},
      {{"--chars", "3"}, u8"509 真理子"},
      {{"--reading", u8"ハ*"}, u8"478 流歌"},                       // katakana reads as hiragana
      {{"--with", u8"陽、菜", "--without", u8" ・,"}, u8"2 陽菜"},  // separators match nothing
      {{"--without", u8"子"}, u8"10227 莉緒"},
      {{"--min-score", u8"８０"}, u8"323 莉緒"},
      {{"--names", "people", "--chars", "1"}, u8"756 大"},
      {{"--names", "all", "--chars", "1"}, u8"1279 大"},
      {{"--names", "all", "--chars", "1", "--any-kanji"}, u8"1282 大"},
      {{"--names", "all", "--chars", "1", "--all-readings"}, u8"1469 大"},
      {{"--reading", u8"うつつき", "--all-readings"}, u8"1 美月"},
      {{"--sex", "f", "--chars", "2", "--reading", u8"ハ*", "--with", u8"陽", "--without", u8"子",
        "--min-score", "40", "--sort", "people", "--names", "all"},
       u8"66 陽加"},
  };
  for (auto [args, expected] : cases) {
    args.insert(args.begin(), {u8"佐藤", "--top", "0"});
    const auto list = suggestJson(args)["candidates"];
    EXPECT_EQ(std::to_string(list.size()) + " " + list[0]["given"].get<std::string>(), expected);
  }
}

TEST_F(Cli, SuggestTable) {
  // Default length; the JSON's fields; the table's rows.
  CliResult run = runCli({"--suggest", u8"山田"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 21);
  // A whole candidate, each reading with its own sex (beside ENAMDICT's tag), ranks in both
  // lists, gimei and people (あおい: 4 of 葵's 6).
  EXPECT_EQ(suggestJson({u8"山田", "--with", u8"葵", "--chars", "1"})["candidates"][0],
            nlohmann::json::parse(u8R"({"given": "葵", "readings": [
              {"kana": "あおい", "sex": ["f", "m"], "enamdict": ["f"], "ranked": [
                {"sex": "f", "rank": 6, "year": 2025}, {"sex": "m", "rank": 26, "year": 2018}],
               "gimei": ["f", "m"], "people": 4, "plain": true},
              {"kana": "まもる", "sex": ["m"], "enamdict": ["g"], "ranked": [], "gimei": [],
               "people": 2, "plain": true}],
              "sex": ["f", "m"], "grades": [20, 8, 12, 17, 3], "score": "48.5",
              "rank": {"rank": 6, "year": 2025}, "gimei": true, "people": 6, "familiarity": 305})"));
  // 陽葵 read ひまり is known, yet no plain reading of its characters.
  const auto himari = suggestJson({u8"山田", "--with", u8"陽葵", "--chars", "2"})["candidates"];
  EXPECT_EQ(himari[0]["readings"][0]["plain"], false);
  // Every grade 1.0: a name scores 100.0 (鶴崎瀬 52 strokes).
  EXPECT_EQ(suggestJson({u8"鶴崎瀬", "--top", "1"})["candidates"][0]["score"], "100.0");

  const struct {
    std::vector<std::string> args;
    const char* out;
  } cases[] = {
      {{"--suggest", u8"山田", "--with", u8"太郎", "--chars", "2", "--reading", u8"たろう"},
       u8"順位  名    読み            性別  総運  天運  地運  人運  外運  得点\n"
       u8"   1  太郎  たろう・たろお  m       26     8    18     9    17  31.0\n"},
      // Without a pattern too, readings past the column become "+N".
      {{"--suggest", u8"山田", "--with", u8"陽斗", "--chars", "2"},
       u8"順位  名    読み                       性別  総運  天運  地運  人運  外運  得点\n"
       u8"   1  陽斗  はると・ようと・あきと +1  m       24     8    16    17     7  87.0\n"},
      // Every reading the pattern matches is shown, past the column if need be.
      {{"--suggest", u8"山田", "--reading", u8"*な*", "--with", u8"尚輝", "--chars", "2"},
       u8"順位  名    読み                           性別  総運  天運  地運  人運  外運  得点\n"
       u8"   1  尚輝  なおき・なおあき・なおてる +1  mg      31     8    23    13    18  87.0\n"},
      // Readings past the column become "+N"; columns line up under the header.
      {{"--suggest", u8"髙田", "--reading", u8"*い*", "--top", "3"},
       u8"順位  名    読み                      性別  総運  天運  地運  人運  外運  得点\n"
       u8"   1  麗    れい・うらら・うるわ・り  f       24     5    19    24     0  92.0\n"
       u8"   2  麗花  れいか・りか              f       31     5    26    24     7  87.0\n"
       u8"   3  麗江  れい・うるえ・よしえ      f       31     5    26    24     7  87.0\n"},
      // Typed as in the naming window: ＊ is a wildcard, ８５ a number.
      {{"--suggest", u8"山田", "--reading", u8"けん＊", "--min-score", u8"８５", "--top", "2"},
       u8"順位  名      読み                     性別  総運  天運  地運  人運  外運  得点\n"
       u8"   1  賢一郎  けんいちろう             m       39     8    31    21    18  89.0\n"
       u8"   2  賢      けん・まさる・さとる +6  fmg     24     8    16    21     3  87.0\n"},
      // As the naming window writes its file, in UTF-8.
      {{"--suggest", u8"山田", "--with", u8"翔", "--top", "1", "--csv"},
       u8"順位,名,読み,性別,総運,天運,地運,人運,外運,得点,人名数,ランキング,字のなじみ\r\n"
       u8"1,海翔,かいと・ひろと・みか・みしょう,男女,31,8,23,16,15,87.0,0,2018年29位,261\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(runCli(c.args).out, c.out);
}

TEST_F(Cli, SuggestEdges) {
  CliResult run = runCli({"--suggest", u8"山田", "--with", u8"烏", "--sex", "m", "--without",
                          u8"死", "--min-score", "10", "--names", "people"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind(u8"namori-cli: no given name matches 山田 with --sex m --with 烏 "
                          u8"--without 死 --min-score 10 --names people",
                          0),
            0u)
      << run.err;
  EXPECT_NE(run.err.find("--any-kanji"), std::string::npos);
  EXPECT_EQ(suggestJson({u8"山田", "--reading", u8"ゑゑゑ"})["candidates"],
            nlohmann::json::array());
  EXPECT_EQ(runCli({"--suggest", u8"山田", "--chars", "17"}).err,
            u8"namori-cli: no given name matches 山田 with --chars 17\n");
  // A full-width ＊ is a pattern, never an exact reading to widen.
  EXPECT_EQ(runCli({"--suggest", u8"山田", "--reading", u8"＊っ"}).err,
            u8"namori-cli: no given name matches 山田 with --reading ＊っ\n");

  // Output that cannot be written is a failure.
  for (const char* args : {u8" --suggest 山田", u8" --json 山田 太郎", u8" 山田 太郎"}) {
    const int status = std::system(
        ("'" NAMORI_CLI_PATH "'" + std::string(args) + " >/dev/full 2>/dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1) << args;
  }
}

}  // namespace
}  // namespace namori
