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
extern const char* const kOrderChoices[2];      // 得点順 人名に多い順

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
};

enum class NamingField { kSurname, kReading, kMinScore };

// What a form asks the ranking for: the surname as a reading would take it
// (spaces around it dropped, cut to 34 bytes like the name dialog's field)
// and the filter. Spaces are dropped around every text field and inside
// 使いたい字 and 使わない字; in the fields but the surname, full-width
// digits, ．and ＊ count as their ASCII forms. Returns the message naming the
// field to correct (and the field, in *bad), or an empty string when the form
// is good.
std::string readNamingForm(const NamingForm& form, std::string* surname, SuggestFilter* filter,
                           NamingField* bad);

// The line above the list: 「候補 12,345 件（得点順）」; for an empty list,
// the emptyListAdvice in the window's words; then the zeroStrokeWarning of the surname when
// it has characters that count 0.
std::string namingStatus(std::size_t count, const SuggestFilter& filter, const char* surname);

// The list's cells for the suggestion at rank, in column order 順位 名 読み
// 性別 総運 天運 地運 人運 外運 得点 人名数: the CSV row without 字のなじみ.
std::vector<std::string> suggestionCells(const Suggestions& suggestions, std::size_t rank);

// Writes suggestionsCsv to suggestionsCsvFileName(surname) in the current
// folder through the report file writer, and returns what to tell the user:
// the file and the count on success (「佐藤さんの名付け候補.CSV に 1,234 件を
// 書き出しました」), otherwise why nothing was written. *written says which.
std::string exportSuggestions(const Suggestions& suggestions, const char* surname, bool* written);

// 1234567 as "1,234,567".
std::string groupDigits(std::size_t n);

}  // namespace namori
