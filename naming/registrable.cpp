// The registrable-character check: a binary search over the generated codes.
#include "registrable.h"

#include <algorithm>
#include <cstring>

#include "registrable_data.h"
#include "sjis.h"

namespace namori {

bool isRegistrableCharacter(unsigned sjisCode) {
  if (sjisCode > 0xFFFF) return false;
  const std::uint16_t* end = registrable::kCodes + registrable::kCodeCount;
  return std::binary_search(registrable::kCodes, end, static_cast<std::uint16_t>(sjisCode));
}

std::vector<std::string> unregistrableCharacters(const char* given) {
  std::vector<std::string> out;
  if (!given) return out;
  for (const char* p = given; *p;) {
    const std::size_t n = charLength(p);
    // A single byte (ASCII, half-width kana or a lone lead byte) is never
    // registrable; its code is the byte itself.
    const unsigned code =
        n == 2 ? static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1])
               : static_cast<unsigned char>(p[0]);
    std::string ch(p, n);
    if (!isRegistrableCharacter(code) && std::find(out.begin(), out.end(), ch) == out.end()) {
      out.push_back(std::move(ch));
    }
    p += n;
  }
  return out;
}

}  // namespace namori
