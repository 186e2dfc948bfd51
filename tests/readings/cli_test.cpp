// namori-cli as a user runs it: arguments in, output and exit status out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "readings.h"
#include "sjis_utf8.h"
#include "test_support.h"

namespace namori {
namespace {

struct CliResult {
  int status;
  std::string out, err;
};

// Runs the tool through the shell in the current directory, capturing its
// output.
CliResult runCli(const std::vector<std::string>& args) {
  std::string command = "'" NAMORI_CLI_PATH "'";
  for (const std::string& arg : args) {
    command += " '";
    for (char c : arg) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += '\'';
  }
  const int status = std::system((command + " >cli.out 2>cli.err").c_str());
  CliResult run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile("cli.out"),
                readFile("cli.err")};
  std::filesystem::remove("cli.out");
  std::filesystem::remove("cli.err");
  return run;
}

std::string toUtf8(const std::string& sjis) {
  std::string utf8(3 * sjis.size(), '\0');
  std::size_t length = 0;
  EXPECT_TRUE(sjisToUtf8(sjis.data(), sjis.size(), utf8.data(), utf8.size(), &length));
  utf8.resize(length);
  return utf8;
}

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

  // Cut to 34 bytes of Shift-JIS, as the dialog cuts.
  run = runCli({u8"山田", u8"一二三四五六七八九十一二三四五六七八"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(u8" 山田 一二三四五六七八九十一二三四五六七 さん\n"), std::string::npos);
}

TEST_F(Cli, CareerAndSave) {
  char career[kCareerReportBytes] = {};
  buildCareerReport(17, career);
  CliResult run = runCli({"--career", "--save", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, toUtf8(career));
  EXPECT_EQ(readFile(u8"山田太郎さんの職業運適職.TXT"), career);
  EXPECT_EQ(entryCount(), 1u);

  run = runCli({u8"山田", u8"太郎", "--save"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readFile(u8"山田太郎さんの姓名判断.TXT"), kYamadaTaroReport);
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
      {{}, "usage"},
      {{"a", "b", "c"}, "usage"},
      {{"--bogus", "a", "b"}, "usage"},
      {{"--strokes", "--career", "a"}, "usage"},
  };
  for (const auto& c : cases) {
    const CliResult run = runCli(c.args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.inErr), std::string::npos) << run.err;
  }

  const CliResult run = runCli({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"--career", "--save", "--sjis", "--strokes", u8"データエラー"}) {
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

}  // namespace
}  // namespace namori
