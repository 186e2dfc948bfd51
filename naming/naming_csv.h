// The naming list as the front ends show and export it: the sex label, the
// readings cell and the CSV file that opens in Excel. Shift-JIS throughout.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "naming.h"

namespace namori {

// 男 and 女 for the sexes stated, always in that order: 男女 for a writing
// read as both. Unstated sex adds nothing, so a writing of unstated sex
// alone is blank.
std::string sexLabel(unsigned sex);

// The readings shown for the suggestion at rank, joined with ・.
std::string readingsCell(const Suggestions& suggestions, std::size_t rank);

// A name's latest place in the rankings: 「2025年1位」; empty when unranked.
std::string rankLabel(const NameRank& rank);

// Every suggestion as CSV, CRLF line ends: a header row 順位,名,読み,性別,
// 総運,天運,地運,人運,外運,得点,人名数,ランキング,字のなじみ, then one row per suggestion
// in rank order, the score with one decimal.
std::string suggestionsCsv(const Suggestions& suggestions);
// The same with the rows in the order of `ranks` (each a rank of
// suggestions), as a list sorted by one of its columns shows them; 順位
// stays each row's rank.
std::string suggestionsCsv(const Suggestions& suggestions, const std::vector<std::size_t>& ranks);

// The CSV's file name for a Shift-JIS surname: <姓>さんの名付け候補.CSV.
std::string suggestionsCsvFileName(const char* surname);

}  // namespace namori
