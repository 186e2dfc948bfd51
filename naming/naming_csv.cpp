// The naming list as text: one implementation for the Windows naming window
// and the web page. Every literal here compiles to Shift-JIS.
#include "naming_csv.h"

#include <string>

namespace namori {

std::string sexLabel(unsigned sex) {
  std::string label;
  if (sex & kSexFemale) label += "女";
  if (sex & kSexMale) label += "男";
  if (sex & kSexUnstated) label += "―";
  // No tag at all says no more than an unstated one.
  return label.empty() ? "―" : label;
}

std::string readingsCell(const Suggestions& suggestions, std::size_t rank) {
  std::string cell;
  for (const CandidateReading& reading : suggestions.readings(rank)) {
    if (!cell.empty()) cell += "・";
    cell += reading.kana;
  }
  return cell;
}

std::string suggestionsCsv(const Suggestions& suggestions) {
  std::string csv = "順位,名,読み,性別,総運,天運,地運,人運,外運,得点,人名数,字のなじみ\r\n";
  for (std::size_t rank = 0; rank < suggestions.size(); ++rank) {
    const Suggestion s = suggestions[rank];
    csv += std::to_string(rank + 1);
    csv += ',' + std::string(s.given);
    csv += ',' + readingsCell(suggestions, rank);
    csv += ',' + sexLabel(s.sex);
    for (const int grade : s.grades.value) csv += ',' + std::to_string(grade);
    csv += ',' + formatOneDecimal(s.score);
    csv += ',' + std::to_string(s.people);
    csv += ',' + std::to_string(s.familiarity) + "\r\n";
  }
  return csv;
}

std::string suggestionsCsvFileName(const char* surname) {
  return std::string(surname ? surname : "") + "さんの名付け候補.CSV";
}

}  // namespace namori
