// Stroke lookup over the 30 rows.
#include <cstdint>

#include "engine.h"

namespace namori {

int strokeCountByWalk(unsigned char first, unsigned char second) {
  for (int n = 1; n <= kStrokeRows; ++n) {
    // Whole characters only: a trail byte joined to the next lead byte is
    // never a match (モ and 盾 sit across boundaries in row 1).
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(strokeRows[n - 1]); *p;
         p += 2) {
      if (p[0] == first && p[1] == second) return n;
    }
  }
  return 0;
}

namespace {

// The row of every double-byte character of code page 932, by lead byte
// (0x81..0x9F, 0xE0..0xFC) and trail byte (0x40..0xFC): 11 KB, which stays
// in the first-level cache while many names are counted in no set order.
constexpr int kFirstTrail = 0x40, kTrails = 0xFD - kFirstTrail;
constexpr int kLeads = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

// Where the character (first, second) sits in the index, or -1 for a pair
// that is no double-byte character of code page 932.
constexpr int indexPlace(unsigned char first, unsigned char second) {
  const int lead = first >= 0x81 && first <= 0x9F   ? first - 0x81
                   : first >= 0xE0 && first <= 0xFC ? first - 0xE0 + (0x9F - 0x81 + 1)
                                                    : -1;
  if (lead < 0 || second < kFirstTrail || second >= kFirstTrail + kTrails) return -1;
  return lead * kTrails + (second - kFirstTrail);
}

struct StrokeIndex {
  std::uint8_t row[kLeads * kTrails] = {};
  StrokeIndex() {
    // Filled from the last row to the first so that, should a character ever
    // stand in two rows, the first row wins as in the walk. The rows hold
    // only code page 932 characters, each of which has a place.
    for (int n = kStrokeRows; n >= 1; --n) {
      for (const unsigned char* p = reinterpret_cast<const unsigned char*>(strokeRows[n - 1]); *p;
           p += 2) {
        if (const int at = indexPlace(p[0], p[1]); at >= 0) row[at] = static_cast<std::uint8_t>(n);
      }
    }
  }
};

}  // namespace

int strokeCount(unsigned char first, unsigned char second) {
  static const StrokeIndex index;
  const int at = indexPlace(first, second);
  return at >= 0 ? index.row[at] : 0;
}

}  // namespace namori
