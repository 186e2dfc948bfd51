// The naming window's logic that needs no window.
#include "naming_window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "naming_csv.h"
#include "readings.h"
#include "report_file.h"
#include "typed_text.h"

namespace namori {

const char* const kSexChoices[3] = {"指定なし", "女の子", "男の子"};
const char* const kCharacterChoices[4] = {"指定なし", "1文字", "2文字", "3文字"};
const char* const kOrderChoices[3] = {"得点順", "人名に多い順", "人気順"};
const char* const kScopeChoices[3] = {"よく使われる名", "人名にある名", "すべての名"};

bool readCharacterList(const std::string& typed, std::string* characters, std::string* refused) {
  characters->clear();
  std::string refusedList;
  std::vector<std::string> seen;
  for (const char* p = typed.c_str(); std::size_t length = charLength(p); p += length) {
    const std::string character(p, length);
    const unsigned code =
        length == 2 ? static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1])
                    : static_cast<unsigned char>(p[0]);
    // 、 ， ・ , and their half-width forms ､ ･, and spaces separate.
    if (isTypedSpace(p, length) || code == 0x8141 || code == 0x8143 || code == 0x8145 ||
        code == ',' || code == 0xA4 || code == 0xA5) {
      continue;
    }
    // Every writing is double-byte; full-width digits and letters are no
    // part of a name either.
    if (length == 1 || (code >= 0x824F && code <= 0x829A)) {
      if (std::find(seen.begin(), seen.end(), character) == seen.end()) {
        refusedList += (seen.empty() ? "" : "、") + visibleCharacter(character);
        seen.push_back(character);
      }
      continue;
    }
    *characters += character;
  }
  *refused = refusedList;
  return seen.empty();
}

std::string readNamingForm(const NamingForm& form, std::string* surname, SuggestFilter* filter,
                           NamingField* bad) {
  std::string typed = readTyped(form.surname, Typed::kTrimmed);
  // A lead byte with nothing after it is no character: dropped, as the name
  // dialog drops it.
  for (std::size_t at = 0, length; (length = charLength(typed.c_str() + at)) != 0; at += length) {
    if (length == 1 && isLeadByte(static_cast<unsigned char>(typed[at]))) {
      typed.resize(at);
      break;
    }
  }
  *bad = NamingField::kSurname;
  if (typed.empty()) return "姓を入力してください。";
  for (const char* p = typed.c_str(); std::size_t length = charLength(p); p += length) {
    if (isTypedSpace(p, length)) return "姓だけを入力してください（名は要りません）。";
  }
  if (typed.size() > kNameBytes) {
    return "姓が長すぎます。34 バイト（全角 17 字）までで入力してください。";
  }
  if (!surnameCounts(typed.c_str())) {
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
  const struct {
    const std::string& typed;
    std::string* characters;
    NamingField field;
    const char* name;
  } lists[] = {{form.with, &f.with, NamingField::kWith, "使いたい字"},
               {form.without, &f.without, NamingField::kWithout, "使わない字"}};
  for (const auto& list : lists) {
    std::string refused;
    *bad = list.field;
    if (!readCharacterList(list.typed, list.characters, &refused)) {
      return std::string(list.name) + "には、名に使う漢字かかなを入力してください。" +
             "英字や数字は使えません：" + refused +
             "（字の区切りの 、 ， ・ や空白は入れてもかまいません）";
    }
  }
  *bad = NamingField::kMinScore;
  if (!parseMinScore(readTyped(form.minScore, Typed::kAscii), &f.minScore)) {
    return "最低得点は、0 から 100 までの数で入力してください。";
  }
  f.sex = form.sex == 1 ? SexFilter::kFemale : form.sex == 2 ? SexFilter::kMale : SexFilter::kAny;
  f.characters = form.characters >= 1 && form.characters <= 3 ? form.characters : 0;
  f.order = form.order == 1   ? SuggestOrder::kPeople
            : form.order == 2 ? SuggestOrder::kPopular
                              : SuggestOrder::kScore;
  f.names = form.scope == 1   ? NameScope::kPeople
            : form.scope == 2 ? NameScope::kAll
                              : NameScope::kCommon;
  f.anyKanji = form.anyKanji;
  f.allReadings = form.allReadings;
  *surname = typed;
  *filter = f;
  return "";
}

std::string groupDigits(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

const char* const kNamingColumnTitles[kNamingColumns] = {"順位", "名",   "読み",   "性別",
                                                         "総運", "天運", "地運",   "人運",
                                                         "外運", "得点", "人名数", "ランキング"};

bool isNumberColumn(int column) {
  return column == kRankColumn || column >= kFirstGradeColumn;
}

namespace {

// What the count line says the list was made for: 佐藤さん・女の子・2文字・ゆ*.
std::string listSubject(const SuggestFilter& filter, const char* surname) {
  std::string subject = std::string(surname) + "さん";
  const auto add = [&subject](const std::string& part) { subject += "・" + part; };
  if (filter.sex != SexFilter::kAny) add(kSexChoices[filter.sex == SexFilter::kFemale ? 1 : 2]);
  if (filter.characters >= 1 && filter.characters <= 3) add(kCharacterChoices[filter.characters]);
  if (!filter.reading.empty()) add(filter.reading);
  if (!filter.with.empty()) add("使いたい字 " + filter.with);
  if (!filter.without.empty()) add("使わない字 " + filter.without);
  if (filter.minScore > 0) {
    char score[32];
    std::snprintf(score, sizeof score, "%g", filter.minScore);
    add(std::string(score) + " 点以上");
  }
  if (filter.anyKanji) add("意味のよくない字も含める");
  if (filter.names != NameScope::kCommon) {
    add(kScopeChoices[filter.names == NameScope::kPeople ? 1 : 2]);
  }
  if (filter.allReadings) add("すべての読み");
  return subject;
}

}  // namespace

NamingSort nextSort(NamingSort current, int clicked) {
  if (clicked == current.column) return {clicked, !current.descending};
  return {clicked, clicked != kRankColumn && isNumberColumn(clicked)};
}

std::vector<std::size_t> sortedRanks(const Suggestions& suggestions, NamingSort sort) {
  const std::size_t count = suggestions.size();
  std::vector<std::size_t> rows(count);
  for (std::size_t rank = 0; rank < count; ++rank) rows[rank] = rank;
  if (sort.column == kRankColumn) {
    if (sort.descending) std::reverse(rows.begin(), rows.end());
    return rows;
  }
  // One key per rank: a number, or the text of the cell.
  std::vector<double> number(count);
  std::vector<std::string> text(count);
  for (std::size_t rank = 0; rank < count; ++rank) {
    if (sort.column == kReadingsColumn) {
      text[rank] = readingsCell(suggestions, rank);
      continue;
    }
    const Suggestion s = suggestions[rank];
    if (sort.column == kGivenColumn) {
      text[rank] = s.given;
    } else if (sort.column == kSexColumn) {
      text[rank] = sexLabel(s.sex);
    } else if (sort.column == kScoreColumn) {
      number[rank] = std::stod(formatOneDecimal(s.score));
    } else if (sort.column == kPeopleColumn) {
      number[rank] = s.people;
    } else if (sort.column == kRankingColumn) {
      // The later year first, then the better rank; unranked last.
      number[rank] = s.rank.rank ? s.rank.year * 10000.0 - s.rank.rank : 0;
    } else if (sort.column >= kFirstGradeColumn && sort.column < kScoreColumn) {
      number[rank] = s.grades.value[sort.column - kFirstGradeColumn];
    }
  }
  const bool byText = !isNumberColumn(sort.column);
  std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
    if (sort.descending) std::swap(a, b);
    return byText ? text[a] < text[b] : number[a] < number[b];
  });
  return rows;
}

std::string sortName(const SuggestFilter& filter, NamingSort sort) {
  if (sort.column == kRankColumn) {
    const std::string ranking = kOrderChoices[filter.order == SuggestOrder::kPeople    ? 1
                                              : filter.order == SuggestOrder::kPopular ? 2
                                                                                       : 0];
    return sort.descending ? ranking + "・逆順" : ranking;
  }
  const std::string column =
      sort.column >= 0 && sort.column < kNamingColumns ? kNamingColumnTitles[sort.column] : "";
  if (sort.column == kRankingColumn) return sort.descending ? "ランキング順" : "ランキングの逆順";
  if (isNumberColumn(sort.column)) return column + (sort.descending ? "の大きい順" : "の小さい順");
  return column + (sort.descending ? "の降順" : "の昇順");
}

std::string namingStatus(std::size_t count, const SuggestFilter& filter, const char* surname,
                         NamingSort sort) {
  std::string status = listSubject(filter, surname) + "：候補 " + groupDigits(count) + " 件（" +
                       sortName(filter, sort) + "）";
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
  cells.push_back(rankLabel(s.rank));
  return cells;
}

std::string suggestionsTsv(const Suggestions& suggestions, const std::vector<std::size_t>& ranks) {
  std::string tsv;
  for (int column = 0; column < kNamingColumns; ++column) {
    tsv += (column == 0 ? "" : "\t") + std::string(kNamingColumnTitles[column]);
  }
  tsv += "\r\n";
  for (const std::size_t rank : ranks) {
    const std::vector<std::string> cells = suggestionCells(suggestions, rank);
    for (std::size_t column = 0; column < cells.size(); ++column) {
      tsv += (column == 0 ? "" : "\t") + cells[column];
    }
    tsv += "\r\n";
  }
  return tsv;
}

std::string defaultExportName(const char* surname) {
  const std::string name = suggestionsCsvFileName(surname);
  return isSafeFileName(name.c_str()) ? name : "";
}

std::string exportSuggestions(const Suggestions& suggestions, const std::vector<std::size_t>& ranks,
                              const std::string& path, bool* written) {
  *written = false;
  const std::string name = path.substr(fileNameOffset(path));
  if (!isSafeFileName(name.c_str())) {
    return "「" + name +
           "」はファイル名に使えません（\\ / : * ? \" < > | などを含まない名前にしてください）。";
  }
  const std::string csv = suggestionsCsv(suggestions, ranks);
  if (!writeFileAtomicallyAt(path, csv.data(), csv.size())) {
    return path +
           " を書き出せませんでした。書き込めないフォルダーか、ほかのプログラムがこのファイルを"
           "開いています。";
  }
  *written = true;
  return path + " に " + groupDigits(ranks.size()) + " 件を書き出しました";
}

}  // namespace namori
