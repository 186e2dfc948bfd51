// The name report: header, one row per grade, score line. Field widths count
// Shift-JIS bytes, so a two-character label fills "%-4s" exactly.
#include <cstdio>
#include <string>

#include "readings.h"
#include "text_buffer.h"

namespace namori {

namespace {

const char* const kGradeLabels[kGradeCount] = {"総運", "天運", "地運", "人運", "外運"};
const char* const kMeaningLabels[kGradeCount] = {"総合", "先祖運", "個性", "社会性", "環境運"};

// Longest row: 4 + 2 + 2 + 2 + 2 + 6 + 4 + 64-byte fortune text + 2.
constexpr std::size_t kScratchBytes = 256;

void startNameReport(ReadingState& state) {
  std::snprintf(state.nameReport, sizeof state.nameReport, "\n***姓名判断***      %s %s さん\n\n",
                state.surname, state.givenName);
}

void appendGradeRow(ReadingState& state, int grade, int foldedValue, const FortuneRecord& record) {
  char row[kScratchBytes];
  std::snprintf(row, sizeof row, "%-4s  %2d画  %-6s    %s\n\n", kGradeLabels[grade], foldedValue,
                kMeaningLabels[grade], record.text);
  appendText(state.nameReport, sizeof state.nameReport, row);
}

void appendScoreLine(ReadingState& state, const NameScore& score) {
  // The values go through formatOneDecimal, not "%.1f": an exact half must
  // round up on every C library.
  const std::string first = formatOneDecimal(score.firstPart);
  const std::string second = formatOneDecimal(score.secondPart);
  const std::string total = formatOneDecimal(score.total);
  char line[kScratchBytes];
  std::snprintf(line, sizeof line, "総運+人運 %s 天運+地運+外運 %s 得点 %s/100.0\n\n",
                first.c_str(), second.c_str(), total.c_str());
  appendText(state.nameReport, sizeof state.nameReport, line);
}

}  // namespace

void buildNameReport(ReadingState& state, const GradeReading& reading) {
  startNameReport(state);
  for (int grade = 0; grade < kGradeCount; ++grade) {
    appendGradeRow(state, grade, reading.index[grade], *reading.record[grade]);
  }
  appendScoreLine(state, reading.score);
}

}  // namespace namori
