// The naming window's logic that needs no window: what its fields mean, the
// messages it shows and the cells of its list. Shift-JIS throughout; the
// Windows dialog only moves these texts in and out of its controls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "naming.h"

namespace namori {

// The choices of the drop-down lists, in list order: the index chosen is
// what NamingForm holds.
extern const char* const kSexChoices[3];        // 指定なし 女の子 男の子
extern const char* const kCharacterChoices[4];  // 指定なし 1文字 2文字 3文字
extern const char* const kOrderChoices[3];      // 得点順 人名に多い順 人気順
extern const char* const kScopeChoices[3];  // よく使われる名 人名にある名 すべての名

// The fields as typed.
struct NamingForm {
  std::string surname;
  int sex = 0;
  int characters = 0;
  std::string reading;
  std::string with;
  std::string without;  // the page's 使わない字; the window has no such field
  std::string minScore;
  int order = 0;
  bool anyKanji = false;
  int scope = 0;             // the index of kScopeChoices
  bool allReadings = false;  // also readings neither known nor plain
};

enum class NamingField { kSurname, kReading, kWith, kWithout, kMinScore };

// What a form asks the ranking for: the surname as a reading would take it
// and the filter. Spaces are dropped around every text field; the surname
// must hold no space inside (a full name is refused) and at most 34 bytes,
// the name dialog's limit. 使いたい字 and 使わない字 are read by
// readCharacterList. In the reading and the minimum score, full-width
// digits, ．and ＊ count as their ASCII forms. Returns the message naming
// the field to correct (and the field, in *bad), or an empty string when the
// form is good.
std::string readNamingForm(const NamingForm& form, std::string* surname, SuggestFilter* filter,
                           NamingField* bad);

// 使いたい字 or 使わない字 (namori-cli --with, --without) as typed: the
// separators 、 ， , ・ and spaces are dropped. False when it holds a
// character no given name holds (a letter or digit, ASCII or full-width,
// or any other single-byte character); *refused then lists them, once
// each, as a message names them (a、1).
bool readCharacterList(const std::string& typed, std::string* characters, std::string* refused);

// The list's columns, in order; sorting by kRankColumn is the ranking's own
// order (得点順, 人名に多い順 or 人気順).
enum NamingColumn {
  kRankColumn,
  kGivenColumn,
  kReadingsColumn,
  kSexColumn,
  kFirstGradeColumn,  // 総運; then 天運 地運 人運 外運
  kScoreColumn = kFirstGradeColumn + kGradeCount,
  kPeopleColumn,
  kRankingColumn,  // the latest place in the rankings: 2025年3位
  kNamingColumns
};
extern const char* const kNamingColumnTitles[kNamingColumns];

// True for the columns of numbers (順位, the grades, 得点, 人名数), which are
// right-aligned and sort largest first.
bool isNumberColumn(int column);

// The order the list is shown in: a column, and whether it runs backwards.
struct NamingSort {
  int column = kRankColumn;
  bool descending = false;
};

// After a click on a column's header: the same column reversed, or the new
// column, numbers largest first and text in code order (kana: 五十音順).
NamingSort nextSort(NamingSort current, int clicked);

// The ranks of suggestions in the order shown (rows[i] is the rank of row
// i); rows equal in the column keep their rank order.
std::vector<std::size_t> sortedRanks(const Suggestions& suggestions, NamingSort sort);

// The order as the count line names it: 得点順 or 人名に多い順 by rank
// (「得点順・逆順」 reversed); 「総運の大きい順」「総運の小さい順」 by a number;
// 「読みの昇順」「読みの降順」 by text.
std::string sortName(const SuggestFilter& filter, NamingSort sort);

// The line above the list, naming what it was made for: the surname, every
// filter set and the order, 「佐藤さん・女の子・2文字・ゆ*：候補 75,237 件
// （得点順）」; for an empty list, the emptyListAdvice in the window's words;
// then the
// zeroStrokeWarning of the surname when it has characters that count 0.
std::string namingStatus(std::size_t count, const SuggestFilter& filter, const char* surname,
                         NamingSort sort = {});

// The list's cells for the suggestion at rank, in column order 順位 名 読み
// 性別 総運 天運 地運 人運 外運 得点 人名数 ランキング: the CSV row without
// 字のなじみ.
std::vector<std::string> suggestionCells(const Suggestions& suggestions, std::size_t rank);

// The rows at these ranks as the clipboard takes them for a spreadsheet:
// the column titles, then one line of cells per rank, tab-separated, CRLF.
std::string suggestionsTsv(const Suggestions& suggestions, const std::vector<std::size_t>& ranks);

// The name the Save As dialog proposes: suggestionsCsvFileName(surname), or
// empty when the surname holds a character a file name cannot.
std::string defaultExportName(const char* surname);

// Writes suggestionsCsv in the order of `ranks` to the Shift-JIS path (a
// bare name: the current folder) through the report file writer, and
// returns what to tell the user: the path and the count on success
// (「C:\名付け\佐藤さんの名付け候補.CSV に 1,234 件を書き出しました」),
// otherwise why nothing was written. *written says which.
std::string exportSuggestions(const Suggestions& suggestions, const std::vector<std::size_t>& ranks,
                              const std::string& path, bool* written);

// 1234567 as "1,234,567".
std::string groupDigits(std::size_t n);

}  // namespace namori
