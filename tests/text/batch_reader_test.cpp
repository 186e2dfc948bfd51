// --batch input at its edges, in process: how the byte stream becomes lines
// and each line an object, whatever the blocks it arrives in; and the memory
// a whole namori-cli --batch run takes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "test_support.h"
#include "utf8_reading.h"

namespace namori::text {
namespace {

using namori::utf8Of;

// The reader's output, one "N error" or "N surname given" line per object,
// the latter followed by what was cut and the characters read, if anything
// was cut.
std::string summary(const std::string& input, std::size_t blockSize) {
  BatchReader reader(false);
  std::string out;
  const BatchReader::Emit emit = [&](std::string_view line) {
    EXPECT_EQ(line.back(), '\n');
    const auto object = Json::parse(line);
    EXPECT_EQ(object.begin().key(), "line");
    out += object["line"].dump() + " ";
    if (object.contains("error")) {
      out += object["error"].get<std::string>();
    } else {
      out += object["surname"].get<std::string>() + " " + object["given"].get<std::string>();
      if (!object["cut"].empty()) {
        out +=
            " " + object["cut"].dump() + " " +
            std::to_string(object["strokes"]["surname"].size() + object["strokes"]["given"].size());
      }
    }
    out += "\n";
    return true;
  };
  for (std::size_t at = 0; at < input.size(); at += blockSize) {
    reader.feed(std::string_view(input).substr(at, blockSize), emit);
  }
  reader.finish(emit);
  return out;
}

TEST(BatchReader, LinesAtTheEdges) {
  std::string longGiven;  // "山田 " + this = 4,096 bytes
  for (int i = 0; i < 1363; ++i) longGiven += u8"太";
  const struct {
    std::string input, expected;
  } cases[] = {
      // Line ends: LF, CRLF, a lone CR, none at the end; a CR never joins a name.
      {u8"山田 太郎\r佐藤 花子\r", u8"1 山田 太郎\n2 佐藤 花子\n"},
      {u8"山田 太郎\r\n\r\n 鈴木　 一郎", u8"1 山田 太郎\n3 鈴木 一郎\n"},
      {u8"山田\r太郎\n",
       "1 expected SURNAME and GIVEN separated by white space, found 1 field\n"
       "2 expected SURNAME and GIVEN separated by white space, found 1 field\n"},
      {u8"山田 太郎 三\n",
       "1 expected SURNAME and GIVEN separated by white space, found 3 fields\n"},
      // Blank lines count; a byte-order mark is skipped at the start only.
      {u8"　 \t　\n\n\xEF\xBB\xBF山田 太郎\n",
       "3 SURNAME: the character \"\xEF\xBB\xBF\" (U+FEFF) "
       "has no code page 932 form\n"},
      {u8"\xEF\xBB\xBF山田 太郎\n", u8"1 山田 太郎\n"},
      // What a name may not hold.
      {std::string(u8"山田 太") + '\0' + u8"郎\n", "1 the line contains a NUL byte\n"},
      {u8"山田 太\u009F郎\n", "1 GIVEN: the control character U+009F cannot be part of a name\n"},
      {"\xED\xA0\x80 x\n", "1 the line is not valid UTF-8\n"},
      {"\xEE\x80\x80\xEE\x9D\x97 x\n",  // U+E000 and U+E757, the user-defined codes' ends
       "1 SURNAME has no kanji or kana and no character in the stroke dictionary: \xEE\x80\x80 "
       "(U+E000), \xEE\x9D\x97 (U+E757)\n"},
      {u8"abc 太郎\n",
       "1 SURNAME has no kanji or kana and no character in the stroke dictionary: a (U+0061), b "
       "(U+0062), c (U+0063)\n"},
      // 4,096 bytes are read; one more is too long, and the next line goes on.
      {u8"山田 " + longGiven + "\n",
       u8"1 山田 太太太太太太太太太太太太太太太太太 [\"given\"] 19\n"},
      {u8"\xEF\xBB\xBF山田 " + longGiven + "\n",  // the mark is not counted
       u8"1 山田 太太太太太太太太太太太太太太太太太 [\"given\"] 19\n"},
      {u8"一二三四五六七八九十一二三四五六七八 一二三四五六七八九十一二三四五六七八",
       u8"1 一二三四五六七八九十一二三四五六七 一二三四五六七八九十一二三四五六七 "
       u8"[\"surname\",\"given\"] 34\n"},
      {u8"山田 " + longGiven + u8"x\r\n山田 太郎\n", u8"1 line too long\n2 山田 太郎\n"},
      {u8"山田 " + longGiven + u8"xxxx", "1 line too long\n"},  // past what is kept, at the end
      {std::string(5000, 'a') + u8"\n山 田", u8"1 line too long\n2 山 田\n"},
      {u8"一二三四五六七八九十一二三四五六a七b 一",  // nothing after the cut
       u8"1 一二三四五六七八九十一二三四五六a 一 [\"surname\"] 18\n"},
  };
  for (const auto& c : cases) {
    for (std::size_t blockSize : {std::size_t{1}, std::size_t{2}, c.input.size()}) {
      EXPECT_EQ(summary(c.input, blockSize), c.expected)
          << c.input << " in blocks of " << blockSize;
    }
  }
}

bool writeAll(int fd, const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + at, bytes.size() - at);
    if (n <= 0) return false;
    at += static_cast<std::size_t>(n);
  }
  return true;
}

// The largest resident memory, in KB, of a namori-cli --batch run fed input
// `times` over.
long maxResidentKb(const std::string& input, int times = 1) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeFds[0], STDIN_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
    // Freed memory goes back at once, not into a quarantine that would
    // measure the sanitizer rather than the reader.
    setenv("ASAN_OPTIONS", "quarantine_size_mb=0:thread_local_quarantine_size_kb=0", 1);
    execl(NAMORI_CLI_PATH, NAMORI_CLI_PATH, "--batch", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[0]);
  for (int i = 0; i < times && writeAll(pipeFds[1], input); ++i) {
  }
  close(pipeFds[1]);
  int status;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 2) {
    return -1;
  }
  return usage.ru_maxrss;
}

// A 100 MB line, then every code point from U+0020 up, each as a given name
// of its own line: a run's largest resident memory stays within 2 MB of a
// one-line run's (without sanitizers, under 20 MB in all).
TEST(BatchReader, MemoryStaysFlat) {
  std::signal(SIGPIPE, SIG_IGN);
  std::string codePoints;
  for (char32_t c = 0x20; c < 0x110000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) codePoints += u8"山 " + utf8Of(c) + "\n";
  }
  const long oneLine = maxResidentKb(u8"山田 太郎\n");
  ASSERT_GT(oneLine, 0);
  for (const long run :
       {maxResidentKb(std::string(1 << 20, 'x'), 100), maxResidentKb(codePoints)}) {
    ASSERT_GT(run, 0);
    EXPECT_LT(run - oneLine, 2 * 1024) << oneLine << " KB, then " << run << " KB";
#ifndef NAMORI_SANITIZED  // the sanitizers' own memory comes to more than that
    EXPECT_LT(run, 20 * 1024);
#endif
  }
}

}  // namespace
}  // namespace namori::text
