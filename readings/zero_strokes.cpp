// The characters the stroke dictionary does not hold, and what to say of them.
#include <algorithm>
#include <vector>

#include "readings.h"
#include "variants_data.h"

namespace namori {

std::vector<std::string> zeroStrokeCharacters(const char* surname, const char* givenName) {
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
  return found;
}

std::string countingVariant(const char* character) {
  if (character == nullptr || charLength(character) != 2) return "";
  const unsigned code =
      static_cast<unsigned char>(character[0]) << 8 | static_cast<unsigned char>(character[1]);
  const auto* end = variants::kPairs + variants::kPairCount;
  const auto* at = std::lower_bound(
      variants::kPairs, end, code,
      [](const std::uint16_t(&pair)[2], unsigned value) { return pair[0] < value; });
  for (; at != end && (*at)[0] == code; ++at) {
    const char variant[3] = {static_cast<char>((*at)[1] >> 8), static_cast<char>((*at)[1] & 0xFF),
                             '\0'};
    if (characterStrokes(variant) != 0) return variant;
  }
  return "";
}

std::string zeroStrokeWarning(const char* surname, const char* givenName) {
  std::string plain, hinted;
  for (const std::string& character : zeroStrokeCharacters(surname, givenName)) {
    const std::string variant = countingVariant(character.c_str());
    if (variant.empty()) {
      plain += (plain.empty() ? "次の字は辞書にないため 0 画として数えます：" : "、") +
               visibleCharacter(character);
    } else {
      hinted += (hinted.empty() ? "" : "　") + character +
                " は辞書にないため 0 画として数えます（" + variant + " なら " +
                std::to_string(characterStrokes(variant.c_str())) + " 画）";
    }
  }
  return plain + (plain.empty() || hinted.empty() ? "" : "　") + hinted;
}

std::string visibleCharacter(const std::string& character) {
  if (character == " ") return "（空白）";
  if (character == "　") return "（全角空白）";
  if (character == "\t") return "（タブ）";
  return character;
}

}  // namespace namori
