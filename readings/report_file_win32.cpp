// Report file output on Windows: the ANSI file calls take the Shift-JIS name
// as it is.
#include <windows.h>

#include "report_file.h"

namespace namori {

bool writeReportFile(const char* sjisFileName, const char* data, std::size_t size) {
  if (!isSafeReportFileName(sjisFileName)) return false;

  HANDLE file = CreateFileA(sjisFileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;

  bool ok = true;
  while (ok && size > 0) {
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
      ok = false;
    } else {
      data += written;
      size -= written;
    }
  }
  // The file ends where this report ends, whatever it held before.
  if (ok && !SetEndOfFile(file)) ok = false;
  if (!CloseHandle(file)) ok = false;
  return ok;
}

}  // namespace namori
