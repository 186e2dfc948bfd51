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

struct StrokeIndex {
  std::uint8_t row[65536] = {};
  StrokeIndex() {
    // Filled from the last row to the first so that, should a character ever
    // stand in two rows, the first row wins as in the walk.
    for (int n = kStrokeRows; n >= 1; --n) {
      for (const unsigned char* p = reinterpret_cast<const unsigned char*>(strokeRows[n - 1]); *p;
           p += 2) {
        row[p[0] << 8 | p[1]] = static_cast<std::uint8_t>(n);
      }
    }
  }
};

}  // namespace

int strokeCount(unsigned char first, unsigned char second) {
  static const StrokeIndex index;
  return index.row[first << 8 | second];
}

}  // namespace namori
