// Report file output on POSIX systems. The Shift-JIS file name becomes UTF-8,
// the name the same file would show on a Windows system.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

int openNew(const char* name, mode_t mode) {
  int fd;
  do {
    fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Makes the rename itself durable. Not every file system can sync a
// directory; the report is in place either way, so a failure is ignored.
void syncDirectory(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool toUtf8(const std::string& sjis, std::string* utf8) {
  std::vector<char> out(sjis.size() * 3 + 1);
  std::size_t length;
  if (!sjisToUtf8(sjis.data(), sjis.size(), out.data(), out.size(), &length)) return false;
  utf8->assign(out.data(), length);
  return true;
}

}  // namespace

bool writeFileAtomicallyIn(const std::string& sjisFolder, const char* sjisName, const char* data,
                           std::size_t size) {
  if (!isSafeFileName(sjisName)) return false;
  std::string folder, name;
  if (!toUtf8(sjisFolder, &folder) || !toUtf8(sjisName, &name)) return false;
  const std::string target = folder + name;
  const char* const fileName = target.c_str();

  // Only a regular file the user may write is replaced, and the new one gets
  // its permissions (as far as the umask allows). A symbolic link, a
  // directory or a device at the name is left alone, as is a read-only file.
  mode_t mode = 0666;
  struct stat old;
  if (lstat(fileName, &old) == 0) {
    if (!S_ISREG(old.st_mode) || faccessat(AT_FDCWD, fileName, W_OK, AT_EACCESS) != 0) {
      return false;
    }
    mode = old.st_mode & 0777;
  } else if (errno != ENOENT) {
    return false;
  }

  // The temporary file is new: a leftover of a crashed run with the same
  // process id is stepped over, never reused.
  char temporary[kTemporaryNameBytes];
  std::string temporaryName;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    nextTemporaryFileName(static_cast<unsigned long>(getpid()), temporary);
    temporaryName = folder + temporary;
    fd = openNew(temporaryName.c_str(), mode);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool ok = writeAll(fd, data, size);
  if (ok) ok = fsync(fd) == 0;
  // close is not retried: on Linux the descriptor is gone even after EINTR.
  if (close(fd) != 0) ok = false;
  if (ok) ok = rename(temporaryName.c_str(), fileName) == 0;
  if (!ok) {
    unlink(temporaryName.c_str());
    return false;
  }
  syncDirectory(folder);
  return true;
}

}  // namespace namori
