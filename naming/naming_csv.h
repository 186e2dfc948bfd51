// The naming list as the front ends show and export it: the sex label, the
// readings cell and the CSV file that opens in Excel. Shift-JIS throughout.
#pragma once

#include <string>

#include "naming.h"

namespace namori {

// 女, 男 or ― (unstated) for each NameSexTag bit set, in that order: 女男
// for a writing read both ways. No bit at all is ― too.
std::string sexLabel(unsigned sex);

// The readings shown for the suggestion at rank, joined with ・.
std::string readingsCell(const Suggestions& suggestions, std::size_t rank);

// Every suggestion as CSV, CRLF line ends: a header row 順位,名,読み,性別,
// 総運,天運,地運,人運,外運,得点,人名数,字のなじみ, then one row per suggestion
// in rank order, the score with one decimal. No field needs quoting: the
// writings are kanji and kana, the readings kana joined with ・.
std::string suggestionsCsv(const Suggestions& suggestions);

// The CSV's file name for a Shift-JIS surname: <姓>さんの名付け候補.CSV.
std::string suggestionsCsvFileName(const char* surname);

}  // namespace namori
