// The variants of the kanji of code page 932 (variants_data.cpp, made by
// tools/gen_variants.py from Unihan). Read only by zero_strokes.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

namespace namori::variants {

// {Shift-JIS code, a variant's Shift-JIS code}, ascending by the first; a
// code's variants come best first.
extern const std::uint16_t kPairs[][2];
extern const std::size_t kPairCount;

}  // namespace namori::variants
