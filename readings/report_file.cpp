// File output (command 202): writes the report produced last under the
// report file name. The name check is shared by both platforms.
#include "report_file.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "readings.h"
#include "sjis.h"

namespace namori {

namespace {

bool isForbiddenSingleByte(unsigned char c) {
  if (c < 0x20 || c == 0x7F) return true;
  switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
      return true;
    default:
      return false;
  }
}

bool isTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Bytes that are no character of code page 932 on their own.
bool isUndefinedSingleByte(unsigned char c) {
  return c == 0x80 || c == 0xA0 || c >= 0xFD;
}

}  // namespace

std::string fileNameProblem(const char* sjisFileName) {
  if (sjisFileName == nullptr || sjisFileName[0] == '\0') return "it is empty";
  const std::string notShiftJis = "it holds a byte that is no Shift-JIS character";
  bool previousWasDot = false;
  const char* p = sjisFileName;
  while (std::size_t length = charLength(p)) {
    const unsigned char first = static_cast<unsigned char>(p[0]);
    if (length == 2) {
      // A double-byte character is harmless whatever its second byte, as long
      // as it is a real one; a lead byte before a non-trail byte is refused
      // rather than guessing how the file system would split it.
      if (!isTrailByte(static_cast<unsigned char>(p[1]))) return notShiftJis;
      previousWasDot = false;
    } else {
      if (isLeadByte(first)) return notShiftJis;  // lone lead byte at the end
      if (isUndefinedSingleByte(first)) return notShiftJis;
      if (isForbiddenSingleByte(first)) {
        if (first < 0x20 || first == 0x7F) {
          const char* const hex = "0123456789ABCDEF";
          return std::string("it holds the control character U+00") + hex[first >> 4] +
                 hex[first & 0xF];
        }
        return std::string("it holds \"") + static_cast<char>(first) +
               "\", which a Windows file name cannot hold";
      }
      if (first == '.' && previousWasDot) return "it holds \"..\"";
      previousWasDot = first == '.';
    }
    p += length;
  }
  return "";
}

bool isSafeFileName(const char* sjisFileName) {
  return fileNameProblem(sjisFileName).empty();
}

std::size_t fileNameOffset(const std::string& sjisPath) {
  std::size_t offset = 0;
  for (std::size_t at = 0, length; (length = charLength(sjisPath.c_str() + at)) != 0;
       at += length) {
    if (length == 1 && (sjisPath[at] == '\\' || sjisPath[at] == '/')) offset = at + 1;
  }
  return offset;
}

bool writeFileAtomically(const char* sjisFileName, const char* data, std::size_t size) {
  return writeFileAtomicallyIn("", sjisFileName, data, size);
}

bool writeFileAtomicallyAt(const std::string& sjisPath, const char* data, std::size_t size) {
  const std::size_t name = fileNameOffset(sjisPath);
  return writeFileAtomicallyIn(sjisPath.substr(0, name), sjisPath.c_str() + name, data, size);
}

void nextTemporaryFileName(unsigned long processId, char* out) {
  static std::atomic<unsigned long> counter{0};
  std::snprintf(out, kTemporaryNameBytes, ".namori-%lu-%lu.tmp", processId, ++counter);
}

const char* pendingReport(const ReadingState& state) {
  if (state.namePending == 1) return state.nameReport;
  if (state.careerPending == 1) return state.careerReport;
  return nullptr;
}

FileOutputResult writePendingReport(const ReadingState& state) {
  const char* report = pendingReport(state);
  if (report == nullptr) return FileOutputResult::kNothingPending;
  // Both buffers are NUL-terminated within their size.
  const std::size_t capacity =
      report == state.nameReport ? sizeof state.nameReport : sizeof state.careerReport;
  if (!writeFileAtomically(state.reportFileName, report, strnlen(report, capacity))) {
    return FileOutputResult::kFailed;
  }
  return FileOutputResult::kWritten;
}

}  // namespace namori
