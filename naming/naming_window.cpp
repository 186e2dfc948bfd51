// The naming window's logic that needs no window.
#include "naming_window.h"

#include <cstring>

#include "naming_csv.h"
#include "readings.h"
#include "report_file.h"
#include "typed_text.h"

namespace namori {

const char* const kSexChoices[3] = {"指定なし", "女の子", "男の子"};
const char* const kCharacterChoices[4] = {"指定なし", "1文字", "2文字", "3文字"};
const char* const kOrderChoices[2] = {"得点順", "人名に多い順"};

std::string readNamingForm(const NamingForm& form, std::string* surname, SuggestFilter* filter,
                           NamingField* bad) {
  char cut[kNameBytes + 1] = {};
  const std::string typed = readTyped(form.surname, Typed::kTrimmed);
  std::memcpy(cut, typed.data(), typed.size() < kNameBytes ? typed.size() : kNameBytes);
  cutToWholeCharacters(cut, kNameBytes);
  *bad = NamingField::kSurname;
  if (cut[0] == '\0') return "姓を入力してください。";
  if (!surnameCounts(cut)) {
    return "姓の字がどれも辞書にないため、画数を数えられません。姓を確かめてください。";
  }
  SuggestFilter f;
  f.reading = readTyped(form.reading, Typed::kAscii);
  *bad = NamingField::kReading;
  if (!f.reading.empty() && !isReadingPattern(f.reading)) {
    return "読みは、ひらがなかカタカナで入力してください。"
           "先頭か末尾に * を付けると、その読みで始まる名（ゆ*）、終わる名（*と）、"
           "含む名（*な*）を探せます。";
  }
  *bad = NamingField::kMinScore;
  if (!parseMinScore(readTyped(form.minScore, Typed::kAscii), &f.minScore)) {
    return "最低得点は、0 から 100 までの数で入力してください。";
  }
  f.sex = form.sex == 1 ? SexFilter::kFemale : form.sex == 2 ? SexFilter::kMale : SexFilter::kAny;
  f.characters = form.characters >= 1 && form.characters <= 3 ? form.characters : 0;
  f.with = readTyped(form.with, Typed::kAsciiNoSpace);
  f.without = readTyped(form.without, Typed::kAsciiNoSpace);
  f.order = form.order == 1 ? SuggestOrder::kPeople : SuggestOrder::kScore;
  f.anyKanji = form.anyKanji;
  *surname = cut;
  *filter = f;
  return "";
}

std::string groupDigits(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

std::string namingStatus(std::size_t count, const SuggestFilter& filter, const char* surname) {
  std::string status = "候補 " + groupDigits(count) + " 件（" +
                       kOrderChoices[filter.order == SuggestOrder::kPeople ? 1 : 0] + "）";
  if (count == 0) status += "　" + emptyListAdvice(surname, filter, AdviceFor::kWindow);
  const std::string warning = zeroStrokeWarning(surname, "");
  if (!warning.empty()) status += "　" + warning;
  return status;
}

std::vector<std::string> suggestionCells(const Suggestions& suggestions, std::size_t rank) {
  const Suggestion s = suggestions[rank];
  std::vector<std::string> cells = {std::to_string(rank + 1), s.given,
                                    readingsCell(suggestions, rank), sexLabel(s.sex)};
  for (int grade = 0; grade < kGradeCount; ++grade) {
    cells.push_back(std::to_string(s.grades.value[grade]));
  }
  cells.push_back(formatOneDecimal(s.score));
  cells.push_back(std::to_string(s.people));
  return cells;
}

std::string exportSuggestions(const Suggestions& suggestions, const char* surname, bool* written) {
  *written = false;
  const std::string fileName = suggestionsCsvFileName(surname);
  if (!isSafeFileName(fileName.c_str())) {
    return "姓に、ファイル名に使えない文字（\\ / : * ? \" < > | など）が入っているため、"
           "書き出せません。";
  }
  const std::string csv = suggestionsCsv(suggestions);
  if (!writeFileAtomically(fileName.c_str(), csv.data(), csv.size())) {
    return fileName +
           " を書き出せませんでした。書き込めないフォルダーか、ほかのプログラムがこのファイルを"
           "開いています。";
  }
  *written = true;
  return fileName + " に " + groupDigits(suggestions.size()) + " 件を書き出しました";
}

}  // namespace namori
