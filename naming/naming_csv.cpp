// The naming list as text: one implementation for the Windows naming window
// and the web page. Every literal here compiles to Shift-JIS.
#include "naming_csv.h"

#include <string>

namespace namori {

std::string sexLabel(unsigned sex) {
  std::string label;
  if (sex & kSexMale) label += "男";
  if (sex & kSexFemale) label += "女";
  return label;
}

std::string rankLabel(const NameRank& rank) {
  if (!rank.rank) return "";
  return std::to_string(rank.year) + "年" + std::to_string(rank.rank) + "位";
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
  std::vector<std::size_t> ranks(suggestions.size());
  for (std::size_t rank = 0; rank < ranks.size(); ++rank) ranks[rank] = rank;
  return suggestionsCsv(suggestions, ranks);
}

std::string suggestionsCsv(const Suggestions& suggestions, const std::vector<std::size_t>& ranks) {
  std::string csv =
      "順位,名,読み,性別,総運,天運,地運,人運,外運,得点,人名数,ランキング,字のなじみ\r\n";
  for (const std::size_t rank : ranks) {
    const Suggestion s = suggestions[rank];
    csv += std::to_string(rank + 1);
    csv += ',' + std::string(s.given);
    csv += ',' + readingsCell(suggestions, rank);
    csv += ',' + sexLabel(s.sex);
    for (const int grade : s.grades.value) csv += ',' + std::to_string(grade);
    csv += ',' + formatOneDecimal(s.score);
    csv += ',' + std::to_string(s.people);
    csv += ',' + rankLabel(s.rank);
    csv += ',' + std::to_string(s.familiarity) + "\r\n";
  }
  return csv;
}

std::string suggestionsCsvFileName(const char* surname) {
  return std::string(surname ? surname : "") + "さんの名付け候補.CSV";
}

}  // namespace namori
