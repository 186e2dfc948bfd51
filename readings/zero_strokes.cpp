// The warning about characters the stroke dictionary does not hold.
#include <algorithm>
#include <vector>

#include "readings.h"

namespace namori {

std::string zeroStrokeWarning(const char* surname, const char* givenName) {
  std::vector<std::string> found;
  for (const char* name : {surname, givenName}) {
    for (const char* p = name != nullptr ? name : ""; std::size_t length = charLength(p);
         p += length) {
      const std::string character(p, length);
      if (characterStrokes(p) == 0 &&
          std::find(found.begin(), found.end(), character) == found.end())
        found.push_back(character);
    }
  }
  if (found.empty()) return "";
  std::string warning = "次の字は辞書にないため 0 画として数えます：";
  for (std::size_t i = 0; i < found.size(); ++i) {
    warning += (i == 0 ? "" : "、") + visibleCharacter(found[i]);
  }
  return warning;
}

std::string visibleCharacter(const std::string& character) {
  if (character == " ") return "（空白）";
  if (character == "　") return "（全角空白）";
  if (character == "\t") return "（タブ）";
  return character;
}

}  // namespace namori
