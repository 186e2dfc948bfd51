// The career text for an outer grade: one entry of the career table copied
// byte for byte, or the out-of-range notice.
#include "career_table.h"
#include "readings.h"
#include "text_buffer.h"

namespace namori {

namespace {

const char kOutOfRangeNotice[] = "\n職業運数３２以降は表示しません\n";

// The entry for outerGrade, or null outside the table. One unsigned
// comparison covers both ends, negative grades included; the subtraction is
// done on unsigned values so INT_MIN cannot overflow.
const CareerEntry* careerEntry(int outerGrade) {
  const unsigned int row =
      static_cast<unsigned int>(outerGrade) - static_cast<unsigned int>(kCareerFirstValue);
  return row > static_cast<unsigned int>(kCareerEntryCount - 1) ? nullptr : &CareerTable[row];
}

}  // namespace

void buildCareerReport(int outerGrade, char* buffer) {
  const CareerEntry* found = careerEntry(outerGrade);
  if (!found) {
    copyText(buffer, kCareerReportBytes, kOutOfRangeNotice);
    return;
  }
  const CareerEntry& entry = *found;
  copyText(buffer, kCareerReportBytes, entry.titleLine);
  const int lineCount =
      entry.bodyLineCount < kCareerMaxBodyLines ? entry.bodyLineCount : kCareerMaxBodyLines;
  for (int line = 0; line < lineCount; ++line) {
    appendText(buffer, kCareerReportBytes, entry.bodyLines[line]);
    if (line + 1 < lineCount) appendText(buffer, kCareerReportBytes, entry.lineEnd);
  }
}

std::string careerTitle(int outerGrade) {
  const CareerEntry* entry = careerEntry(outerGrade);
  if (!entry) return "";
  // "\n******* title *******\n..."
  const std::string line = entry->titleLine;
  const std::string frame = "******* ";
  const std::size_t start = line.find(frame) + frame.size();
  return line.substr(start, line.find(" *******", start) - start);
}

}  // namespace namori
