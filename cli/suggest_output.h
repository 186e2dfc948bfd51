// The ranked given names of namori-cli --suggest, as a table for a terminal
// or as one JSON object.
#pragma once

#include <string>

#include "naming.h"
#include "utf8_reading.h"

namespace namori::cli {

using text::Json;
using text::toUtf8;

// Rank, writing, readings, sex, the five raw grades and the score, one row
// per suggestion, columns aligned for East Asian wide characters.
std::string suggestionTable(const Suggestions& suggestions);

// {"surname": ..., "candidates": [{"given", "readings": [...], "sex", "grades",
// "score", "rank", "gimei", "people", "familiarity"}, ...]}; each reading
// {"kana", "sex", "enamdict", "ranked": [{"sex", "rank", "year"}], "gimei",
// "people", "plain"}. Sexes are lists of f, m, g (unstated).
Json suggestionJson(const std::string& surnameUtf8, const Suggestions& suggestions);

}  // namespace namori::cli
