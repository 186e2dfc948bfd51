// The career text for an outer grade: one entry of the career table copied
// byte for byte, or the out-of-range notice.
#include "career_table.h"
#include "readings.h"
#include "text_buffer.h"

namespace namori {

namespace {

const char kOutOfRangeNotice[] = "\n職業運数３２以降は表示しません\n";

}  // namespace

void buildCareerReport(int outerGrade, char* buffer) {
  // One unsigned comparison covers both ends, negative grades included; the
  // subtraction is done on unsigned values so INT_MIN cannot overflow.
  const unsigned int row =
      static_cast<unsigned int>(outerGrade) - static_cast<unsigned int>(kCareerFirstValue);
  if (row > static_cast<unsigned int>(kCareerEntryCount - 1)) {
    copyText(buffer, kCareerReportBytes, kOutOfRangeNotice);
    return;
  }
  const CareerEntry& entry = CareerTable[row];
  copyText(buffer, kCareerReportBytes, entry.titleLine);
  const int lineCount =
      entry.bodyLineCount < kCareerMaxBodyLines ? entry.bodyLineCount : kCareerMaxBodyLines;
  for (int line = 0; line < lineCount; ++line) {
    appendText(buffer, kCareerReportBytes, entry.bodyLines[line]);
    if (line + 1 < lineCount) appendText(buffer, kCareerReportBytes, entry.lineEnd);
  }
}

}  // namespace namori
