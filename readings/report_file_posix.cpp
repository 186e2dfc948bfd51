// Report file output on POSIX systems. The Shift-JIS file name becomes UTF-8,
// the name the same file would show on a Windows system.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "report_file.h"
#include "sjis_utf8.h"

namespace namori {

namespace {

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

bool writeReportFile(const char* sjisFileName, const char* data, std::size_t size) {
  if (!isSafeReportFileName(sjisFileName)) return false;

  // A report file name is at most 88 bytes; each Shift-JIS byte becomes at
  // most 3 bytes of UTF-8.
  char fileName[512];
  std::size_t fileNameLength;
  const std::size_t sjisLength = strnlen(sjisFileName, sizeof fileName / 3);
  if (sjisFileName[sjisLength] != '\0') return false;
  if (!sjisToUtf8(sjisFileName, sjisLength, fileName, sizeof fileName, &fileNameLength)) {
    return false;
  }

  // No symbolic link is followed: the report lands in the current directory.
  int fd;
  do {
    fd = open(fileName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;

  bool ok = writeAll(fd, data, size);
  if (ok) {
    int result;
    do {
      result = ftruncate(fd, static_cast<off_t>(size));
    } while (result != 0 && errno == EINTR);
    ok = result == 0;
  }
  // close is not retried: on Linux the descriptor is gone even after EINTR.
  if (close(fd) != 0) ok = false;
  return ok;
}

}  // namespace namori
