// File output: what lands on disk, where, and every way it can fail.
#include "report_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "readings.h"
#include "test_support.h"

namespace namori {
namespace {

// The file names as they appear on a UTF-8 system.
const std::string kYamadaNameFile = u8"山田太郎さんの姓名判断.TXT";
const std::string kYamadaCareerFile = u8"山田太郎さんの職業運適職.TXT";

class FileOutput : public InTempDirectory {
 protected:
  void read(const char* surname, const char* given) {
    ASSERT_TRUE(storeNames(state_, surname, given));
    runNameReading(state_);
  }

  ReadingState state_{};
};

TEST_F(FileOutput, NothingPendingWritesNothing) {
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kNothingPending);
  EXPECT_FALSE(storeNames(state_, "山田", ""));
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kNothingPending);
  EXPECT_EQ(entryCount(), 0u);
}

TEST_F(FileOutput, WritesTheLastReportAndCutsAnOlderLongerFile) {
  read("山田", "太郎");
  writeFile(kYamadaNameFile, std::string(5000, 'x'));
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(kYamadaNameFile), state_.nameReport);
  // Pressing the button again gives the same file.
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(kYamadaNameFile), state_.nameReport);

  runCareerCommand(state_);
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(kYamadaCareerFile), state_.careerReport);
  EXPECT_EQ(readFile(kYamadaNameFile), state_.nameReport);
  EXPECT_EQ(entryCount(), 2u);
}

TEST_F(FileOutput, CareerNoticeBeforeAnyReading) {
  runCareerCommand(state_);
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(u8"さんの職業運適職.TXT"), "\n職業運数３２以降は表示しません\n");
}

TEST_F(FileOutput, SecondByte5CIsNotABackslash) {
  // ソ is 0x83 0x5C and 表 is 0x95 0x5C.
  read("ソ表", "太郎");
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(u8"ソ表太郎さんの姓名判断.TXT"), state_.nameReport);
}

TEST_F(FileOutput, RefusedNamesWriteNothingAnywhere) {
  std::filesystem::create_directory("sub");
  const char* const surnames[] = {"sub/x", "../x", "..", "a\\b", "C:",   "a*",  "a?",
                                  "a\"",   "a<",   "a>", "a|",   "a\tb", "\x7F"};
  for (const char* surname : surnames) {
    read(surname, "x");
    EXPECT_EQ(writePendingReport(state_), FileOutputResult::kFailed) << surname;
    runCareerCommand(state_);
    EXPECT_EQ(writePendingReport(state_), FileOutputResult::kFailed) << surname;
  }
  EXPECT_EQ(entryCount(), 1u);
  EXPECT_TRUE(std::filesystem::is_empty("sub"));
  EXPECT_FALSE(fileExists(u8"../xxさんの姓名判断.TXT"));
  EXPECT_FALSE(fileExists(u8"../xxさんの職業運適職.TXT"));
}

TEST(ReportFileName, JudgedCharacterByCharacter) {
  EXPECT_TRUE(isSafeReportFileName("a.b"));
  EXPECT_TRUE(isSafeReportFileName("\x83\x5C\x95\x5C.TXT"));  // ソ表
  EXPECT_TRUE(isSafeReportFileName("\xB1\xB2"));              // half-width ｱｲ
  EXPECT_FALSE(isSafeReportFileName(""));
  EXPECT_FALSE(isSafeReportFileName(nullptr));
  EXPECT_FALSE(isSafeReportFileName("a..b"));
  EXPECT_FALSE(isSafeReportFileName("a\x83"));     // lone lead byte
  EXPECT_FALSE(isSafeReportFileName("\x81/etc"));  // '/' is no trail byte
  EXPECT_FALSE(
      isSafeReportFileName("a\x80"
                           "b"));  // no character at all
}

TEST_F(FileOutput, FailuresOfTheFileSystemAreReported) {
  read("山田", "太郎");
  // The name is taken by a directory.
  std::filesystem::create_directory(kYamadaNameFile);
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kFailed);
  std::filesystem::remove(kYamadaNameFile);

  // A symbolic link is not followed out of the directory.
  writeFile("outside", "old");
  std::filesystem::create_symlink(directory_ / "outside", kYamadaNameFile);
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kFailed);
  EXPECT_EQ(readFile("outside"), "old");
}

TEST_F(FileOutput, CurrentDirectoryRemoved) {
  // Nobody, root included, can create a file in a removed directory.
  read("山田", "太郎");
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  ASSERT_EQ(rmdir((directory_ / "gone").c_str()), 0);
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kFailed);
}

TEST_F(FileOutput, ReadOnlyDirectory) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  read("山田", "太郎");
  ASSERT_EQ(chmod(directory_.c_str(), 0555), 0);
  EXPECT_EQ(writePendingReport(state_), FileOutputResult::kFailed);
  EXPECT_FALSE(fileExists(kYamadaNameFile));
}

TEST_F(FileOutput, ShortWriteOnAFullDisk) {
  // A file size limit stops the write part way, for root as well.
  read("山田", "太郎");
  ASSERT_GT(std::strlen(state_.nameReport), 100u);
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*previousHandler)(int) = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = saved;
  limited.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const FileOutputResult result = writePendingReport(state_);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(result, FileOutputResult::kFailed);
}

}  // namespace
}  // namespace namori
