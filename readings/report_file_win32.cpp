// Report file output on Windows: the ANSI file calls take the Shift-JIS name
// as it is.
#include <windows.h>

#include <string>

#include "report_file.h"

namespace namori {

namespace {

bool writeAll(HANDLE file, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

bool writeFileAtomicallyIn(const std::string& folder, const char* name, const char* data,
                           std::size_t size) {
  if (!isSafeFileName(name)) return false;
  const std::string target = folder + name;
  const char* const sjisFileName = target.c_str();

  // Only a plain writable file is replaced: a directory, a link or junction
  // (a reparse point) or a read-only file at the name is left alone.
  const DWORD attributes = GetFileAttributesA(sjisFileName);
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes &
       (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY)) != 0) {
    return false;
  }

  // The temporary file is new: a leftover of a crashed run with the same
  // process id is stepped over, never reused.
  char temporary[kTemporaryNameBytes];
  std::string temporaryPath;
  const char* temporaryName = nullptr;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
    nextTemporaryFileName(GetCurrentProcessId(), temporary);
    temporaryPath = folder + temporary;
    temporaryName = temporaryPath.c_str();
    file = CreateFileA(temporaryName, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;

  bool ok = writeAll(file, data, size);
  if (ok && !FlushFileBuffers(file)) ok = false;
  if (!CloseHandle(file)) ok = false;
  if (ok) {
    ok = MoveFileExA(temporaryName, sjisFileName,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (!ok) DeleteFileA(temporaryName);
  return ok;
}

}  // namespace namori
