// The one kana rule of naming support: which characters a reading may hold
// and the form in which readings are stored and compared. Used by the
// candidate ranking, the command line and every other front end.
#pragma once

#include <string>

namespace namori {

// True for a kana a reading may hold (hiragana, katakana, ー and the kana
// repeat marks), given as its Shift-JIS code (lead byte * 256 + trail byte).
bool isNameKana(unsigned sjisCode);

// The stored form of a Shift-JIS kana reading: katakana as hiragana, ヽ ヾ as
// ゝ ゞ (ヴ, which has no hiragana in code page 932, stays). False, with
// *out unspecified, when a character is not isNameKana.
bool normalizeKana(const std::string& sjis, std::string* out);

}  // namespace namori
