// The given-name candidates compiled into the program (candidates_data.cpp,
// made by tools/gen_candidates.py, which describes the layout). Read only by
// the naming module.
#pragma once

#include <cstddef>
#include <cstdint>

namespace namori::candidates {

extern const std::uint32_t kCount;
// The kana of the packed readings, as Shift-JIS text: byte kFirstKanaCode + i
// (skipping '?' and the backslash) stands for character i.
extern const char kReadingKana[];
constexpr unsigned char kFirstKanaCode = 0x23;
constexpr char kReadingSeparator = ' ';
constexpr char kReadingsEnd = '!';
// Writings in Shift-JIS code order, each ended by a NUL.
extern const char kWritings[];
extern const std::size_t kWritingsSize;
// Per writing, in the same order: its sex digit, then its readings, packed.
extern const char kReadings[];
extern const std::size_t kReadingsSize;

}  // namespace namori::candidates
