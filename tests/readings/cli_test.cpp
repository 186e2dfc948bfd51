// namori-cli as a user runs it: arguments in, output and exit status out.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "readings.h"
#include "sjis_utf8.h"
#include "test_support.h"

namespace namori {
namespace {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

// Runs the tool in the current directory with stdout and stderr captured.
CliResult runCli(std::vector<std::string> args) {
  args.insert(args.begin(), NAMORI_CLI_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  CliResult run{-1, "", ""};
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open("cli.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open("cli.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    run.status = WEXITSTATUS(status);
  }
  run.out = readFile("cli.out");
  run.err = readFile("cli.err");
  std::filesystem::remove("cli.out");
  std::filesystem::remove("cli.err");
  return run;
}

std::string toUtf8(const char* sjis) {
  static char buffer[3 * kCareerReportBytes + 1];
  std::size_t length = 0;
  EXPECT_TRUE(sjisToUtf8(sjis, std::strlen(sjis), buffer, sizeof buffer, &length));
  return std::string(buffer, length);
}

class Cli : public InTempDirectory {};

const char kYamadaTaroUtf8[] =
    u8"\n***姓名判断***      山田 太郎 さん\n\n"
    u8"総運  26画  総合      波乱と異変の凶数(天下を取る可能性)\n\n"
    u8"天運   8画  先祖運    忍耐が発展を生む吉数\n\n"
    u8"地運  18画  個性      才知と行動力に富む吉数\n\n"
    u8"人運   9画  社会性    不遇と孤独を暗示する凶数\n\n"
    u8"外運  17画  環境運    剛毅で気迫のある吉数(アイドルスター性、遭難・事故に注意)\n\n"
    u8"総運+人運 7.0 天運+地運+外運 24.0 得点 31.0/100.0\n\n";

TEST_F(Cli, Strokes) {
  CliResult run = runCli({"--strokes", u8"山田太郎鬱Ｕモ"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, u8"山\t3\n田\t5\n太\t4\n郎\t14\n鬱\t29\nＵ\t0\nモ\t3\n");

  // 𠮷 is outside code page 932; 〜 (U+301C) would only come back as ～.
  const char* const refused[][2] = {{u8"山𠮷", u8"𠮷"}, {u8"〜", u8"〜"}};
  for (const auto& [text, named] : refused) {
    run = runCli({"--strokes", text});
    EXPECT_EQ(run.status, 2) << text;
    EXPECT_EQ(run.out, "") << text;
    EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
  }
}

TEST_F(Cli, ReadingInUtf8AndShiftJis) {
  CliResult run = runCli({u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, kYamadaTaroUtf8);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(entryCount(), 0u);  // nothing saved without --save

  run = runCli({"--sjis", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(toUtf8(run.out.c_str()), kYamadaTaroUtf8);
  EXPECT_NE(run.out, kYamadaTaroUtf8);
}

TEST_F(Cli, CareerAndSave) {
  char career[kCareerReportBytes] = {};
  buildCareerReport(17, career);
  CliResult run = runCli({"--career", "--save", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, toUtf8(career));
  EXPECT_EQ(readFile(u8"山田太郎さんの職業運適職.TXT"), career);
  EXPECT_FALSE(fileExists(u8"山田太郎さんの姓名判断.TXT"));

  run = runCli({u8"山田", u8"太郎", "--save"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(toUtf8(readFile(u8"山田太郎さんの姓名判断.TXT").c_str()), kYamadaTaroUtf8);
}

TEST_F(Cli, LongNamesAreCutAsTheDialogCutsThem) {
  CliResult run = runCli({u8"山田", u8"一二三四五六七八九十一二三四五六七八"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.out.rfind(u8"\n***姓名判断***      山田 一二三四五六七八九十一二三四五六七 さん\n", 0),
      0u);
}

TEST_F(Cli, InputErrors) {
  CliResult run = runCli({u8"山田", ""});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, u8"データエラー\n");

  // Kept out of the assertion macros, whose quoted text must be Shift-JIS.
  const std::string outside932 = u8"𠮷";
  run = runCli({outside932 + u8"田", u8"太郎"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(outside932), std::string::npos);

  run = runCli({"\xFF", u8"太郎"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {u8"山田"},
                                             {"a", "b", "c"},
                                             {"--bogus", "a", "b"},
                                             {"--strokes"},
                                             {"--strokes", "--career", "a"}}) {
    run = runCli(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage"), std::string::npos) << run.err;
  }

  run = runCli({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"--career", "--save", "--sjis", "--strokes", u8"データエラー"}) {
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  }
}

TEST_F(Cli, SaveFailureIsReported) {
  std::filesystem::create_directory(u8"山田太郎さんの姓名判断.TXT");
  CliResult run = runCli({"--save", u8"山田", u8"太郎"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, kYamadaTaroUtf8);
  EXPECT_NE(run.err.find(u8"山田太郎さんの姓名判断.TXT"), std::string::npos) << run.err;

  run = runCli({"--save", "a/b", u8"太郎"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(entryCount(), 1u);
}

}  // namespace
}  // namespace namori
