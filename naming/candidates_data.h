// The given-name candidates compiled into the program (candidates_data.cpp,
// made by tools/gen_candidates.py, which describes the layout). Read only by
// the naming module.
//
// Data order: people high to low, then familiarity high to low, then the
// Shift-JIS code order of the writings.
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
constexpr unsigned char kRecordHead = 0x40;
constexpr unsigned kRecordAvoided = 8;
// {people, familiarity, number of writings}: the measures of the writings in
// data order, one triple for each run of writings that share them.
extern const std::uint32_t kMeasureRuns[][3];
extern const std::size_t kMeasureRunCount;
// Writings in data order, each ended by a NUL.
extern const char kWritings[];
extern const std::size_t kWritingsSize;
// Per writing, in the same order: kRecordHead + the NameSexTag bits of all
// its readings + kRecordAvoided if it has an avoided kanji.
extern const char kHeads[];
// The offset in kReadings of records 0, kRecordStride, 2 * kRecordStride...
extern const std::uint32_t kRecordStride;
extern const std::uint32_t kRecordStarts[];
extern const std::size_t kRecordStartCount;
// Per writing, in the same order, a record: its readings, kReadingSeparator
// between two, each a sex digit (NameSexTag bits) and the packed kana;
// kReadingsEnd after the last.
extern const char kReadings[];
extern const std::size_t kReadingsSize;

}  // namespace namori::candidates
