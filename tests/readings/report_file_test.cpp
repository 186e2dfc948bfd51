// File output: what lands on disk, where, and the ways it can fail.
#include "report_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "readings.h"
#include "test_support.h"

namespace namori {
namespace {

// The file names as they appear on a UTF-8 system.
const std::string kNameFile = u8"山田太郎さんの姓名判断.TXT";
const std::string kCareerFile = u8"山田太郎さんの職業運適職.TXT";

class FileOutput : public WithState {
 protected:
  FileOutputResult write() { return writePendingReport(s); }
};

TEST_F(FileOutput, WritesThePendingReportOverALongerFile) {
  EXPECT_FALSE(storeNames(s, "山田", ""));
  EXPECT_EQ(write(), FileOutputResult::kNothingPending);
  EXPECT_EQ(entryCount(), 0u);

  read("山田", "太郎");
  writeFile(kNameFile, std::string(5000, 'x'));
  EXPECT_EQ(write(), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(kNameFile), kYamadaTaroReport);

  runCareerCommand(s);
  EXPECT_EQ(write(), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(kCareerFile), kYamadaTaroCareer);
  EXPECT_EQ(readFile(kNameFile), kYamadaTaroReport);
  EXPECT_EQ(entryCount(), 2u);

  // ソ is 0x83 0x5C and 表 0x95 0x5C: their second byte is no backslash.
  // Half-width kana: one byte here, three in a UTF-8 file name.
  read("ソ表", "\xB1\xB2\xB1\xB2\xB1\xB2\xB1\xB2\xB1\xB2\xB1\xB2\xB1\xB2\xB1\xB2");
  EXPECT_EQ(write(), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(u8"ソ表ｱｲｱｲｱｲｱｲｱｲｱｲｱｲｱｲさんの姓名判断.TXT"), s.nameReport);

  // Into another folder, by way of a temporary file there: the current
  // folder is no place for it (here it is gone).
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  std::filesystem::remove(directory_ / "gone");
  EXPECT_TRUE(writeFileAtomicallyAt((directory_ / "x").string(), "hello", 5));
  std::filesystem::current_path(directory_);
  EXPECT_EQ(readFile("x"), "hello");
}

TEST_F(FileOutput, RefusedNamesWriteNothingAnywhere) {
  std::filesystem::create_directories("sub/in");
  std::filesystem::current_path("sub");  // so that ".." is this test's own folder
  for (const char* surname :
       {"in/x", "../x", "..", "a\\b", "C:", "a*", "a?", "a\"", "a<", "a>", "a|", "a\tb", "\x7F"}) {
    read(surname, "x");
    EXPECT_EQ(write(), FileOutputResult::kFailed) << surname;
  }
  // Nothing anywhere below the test's folder but the two folders.
  EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(directory_), {}), 2);

  // Every byte, and after a lead byte (81-9F, E0-FC) every second byte, judged by Shift-JIS
  // itself: a trail byte is 40-7E or 80-FC; 80, A0 and FD-FF are no characters; controls and
  // \ / : * ? " < > | are refused.
  for (int a = 1; a < 256; ++a) {
    const bool lead = (a >= 0x81 && a <= 0x9F) || (a >= 0xE0 && a <= 0xFC);
    const bool single = a >= 0x20 && a != 0x7F && a != 0x80 && a != 0xA0 && a < 0xFD &&
                        !std::strchr("\\/:*?\"<>|", a);
    for (int b = lead ? 1 : 'y'; b <= (lead ? 255 : 'y'); ++b) {  // y: a letter after a single byte
      const bool trail = (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
      EXPECT_EQ(isSafeFileName(std::string{'x', char(a), char(b)}.c_str()), lead ? trail : single)
          << a << " " << b;
    }
  }
  EXPECT_FALSE(isSafeFileName("a\x83"));  // a lone lead byte at the end
  EXPECT_EQ(fileNameProblem("a\x7F"), "it holds the control character U+007F");
  // One dot after another, with a double-byte character between: no "..".
  for (const char* name : {"a.表.b", ".表", "表.", "a.b.c"})
    EXPECT_TRUE(isSafeFileName(name)) << name;
}

// Every failure leaves what was at the name as it was, and no temporary file.
TEST_F(FileOutput, FailuresLeaveTheOldFileWholeAndReplacingKeepsIt) {
  read("山田", "太郎");
  // The name is taken by a directory: fails even for root.
  std::filesystem::create_directory(kNameFile);
  EXPECT_EQ(write(), FileOutputResult::kFailed);
  EXPECT_EQ(entryCount(), 1u);
  std::filesystem::remove(kNameFile);

  // A symbolic link is neither followed out of the directory nor replaced.
  writeFile("outside", "old");
  std::filesystem::create_symlink(directory_ / "outside", kNameFile);
  EXPECT_EQ(write(), FileOutputResult::kFailed);
  EXPECT_EQ(readFile("outside"), "old");
  EXPECT_TRUE(std::filesystem::is_symlink(kNameFile));
  EXPECT_EQ(entryCount(), 2u);
  std::filesystem::remove(kNameFile);
  std::filesystem::remove("outside");

  // A file size limit stops the write part way, as a full disk would; the
  // older, longer file keeps every byte.
  const std::string old = std::string(600, 'x') + "end";
  writeFile(kNameFile, old);
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*previousHandler)(int) = signal(SIGXFSZ, SIG_IGN);
  const struct rlimit limited = {100, saved.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const FileOutputResult result = write();
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(result, FileOutputResult::kFailed);
  EXPECT_EQ(readFile(kNameFile), old);
  EXPECT_EQ(entryCount(), 1u);

  // The replacement keeps the old file's permissions and never takes over a
  // file that happens to have the name a temporary file would get.
  ASSERT_EQ(chmod(kNameFile.c_str(), 0600), 0);
  // The next names of this process, as a crashed run could have left them.
  char name[kTemporaryNameBytes];
  nextTemporaryFileName(static_cast<unsigned long>(getpid()), name);
  EXPECT_TRUE(isSafeFileName(name)) << name;
  unsigned long pid = 0, last = 0;
  ASSERT_EQ(std::sscanf(name, ".namori-%lu-%lu.tmp", &pid, &last), 2) << name;
  for (unsigned long n = last + 1; n <= last + 3; ++n) {
    std::snprintf(name, sizeof name, ".namori-%lu-%lu.tmp", pid, n);
    writeFile(name, "leftover");
  }
  EXPECT_EQ(write(), FileOutputResult::kWritten);
  EXPECT_EQ(readFile(kNameFile), kYamadaTaroReport);
  struct stat st;
  ASSERT_EQ(stat(kNameFile.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(entryCount(), 4u);

  // A new file is made as any new file is: 0666 less the umask.
  runCareerCommand(s);
  const mode_t previous = umask(022);
  EXPECT_EQ(write(), FileOutputResult::kWritten);
  umask(previous);
  ASSERT_EQ(stat(kCareerFile.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

// Run as root, the checks go to a child that has given up root, since root
// writes over read-only files and into read-only directories.
TEST_F(FileOutput, ReadOnlyFileAndDirectory) {
  read("山田", "太郎");
  writeFile(kNameFile, "old");
  ASSERT_EQ(chmod(kNameFile.c_str(), 0444), 0);
  const auto refused = [&] {
    if (write() != FileOutputResult::kFailed || readFile(kNameFile) != "old") return 1;
    std::filesystem::remove(kNameFile);
    if (chmod(directory_.c_str(), 0555) != 0) return 2;
    return write() == FileOutputResult::kFailed && entryCount() == 0 ? 0 : 3;
  };
  if (geteuid() != 0) {
    EXPECT_EQ(refused(), 0);
    return;
  }
  const uid_t nobody = 65534;
  ASSERT_EQ(chown(directory_.c_str(), nobody, nobody), 0);
  ASSERT_EQ(chown(kNameFile.c_str(), nobody, nobody), 0);
  const pid_t child = fork();
  if (child == 0) {
    _exit(setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0 ? refused() : 9);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace namori
