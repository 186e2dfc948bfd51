// The given-name candidates compiled into the program (candidates_data.cpp,
// made by tools/gen_candidates.py, which describes the layout). Read only by
// the naming module.
//
// Data order: the known writings (ranked, given by gimei or borne by people
// in some reading shown), by their evidence with no sex filter, then the rest
// by familiarity high to low and Shift-JIS code order.
#pragma once

#include <cstddef>
#include <cstdint>

namespace namori::candidates {

extern const std::uint32_t kCount;
extern const std::uint32_t kKnownCount;  // the known writings lead the data
// The kana of the packed readings, as Shift-JIS text: byte kFirstKanaCode + i
// (skipping '?' and the backslash) stands for character i. Numbers in a
// record use the same alphabet as digits, most significant first.
extern const char kReadingKana[];
constexpr unsigned char kFirstKanaCode = 0x23;
constexpr unsigned kPackedBase = 90;
constexpr char kReadingSeparator = ' ';
constexpr char kReadingsEnd = '!';
constexpr unsigned char kRecordHead = 0x40;
constexpr unsigned kRecordAvoided = 8;
// A reading's evidence character: kEvidence + these bits; then, in this
// order, the gimei sexes ('0' + bits) when kGimei, for kRankedF and kRankedM
// each the best rank (2 digits) and its year less kFirstYear (1 digit), the
// people when kBorne (2 digits); then the kana.
constexpr unsigned char kEvidence = 0x40;
constexpr unsigned kPlain = 1, kGimei = 2, kRankedF = 4, kRankedM = 8, kBorne = 16;
constexpr int kFirstYear = 1950;
// {familiarity, number of writings}: the familiarity of the writings in data
// order, one pair for each run of writings that share it.
extern const std::uint32_t kFamiliarityRuns[][2];
extern const std::size_t kFamiliarityRunCount;
// People of the known writings, in data order: {with no sex filter, under
// --sex f, under --sex m}.
extern const std::uint8_t kListPeople[][3];

// A list's order of the known writings and its tie-break groups. For no sex
// filter the order is the data order (order is null). For a sex it lists the
// known writings whose readings of that sex are known, by that evidence; the
// other known writings are late: each goes before the writing of the rest
// (data index lateBefore[i]) in familiarity and code order.
struct SexList {
  const std::uint16_t* order;
  std::uint32_t size;    // writings in order
  std::uint32_t common;  // of them, the first this many are ranked or gimei's
  const std::uint16_t* late;
  const std::uint32_t* lateBefore;
  std::uint32_t lateSize;
  // The runs of writings along order that share rank, gimei and people.
  const std::uint16_t* groupRuns;
  std::uint32_t groupRunCount;
};
extern const SexList kLists[3];  // no sex filter, --sex f, --sex m

// Writings in data order, each ended by a NUL.
extern const char kWritings[];
extern const std::size_t kWritingsSize;
// Two characters per writing, in the same order: kRecordHead + the NameSexTag
// bits of all its readings as the lists count them + kRecordAvoided if it has
// an avoided kanji; kRecordHead + which lists show a reading of it without
// every reading asked for (1 no filter, 2 --sex f, 4 --sex m).
extern const char kHeads[];
// Per writing, in the same order, a record: its readings, best known first,
// kReadingSeparator between two, each a sex character ('0' + the NameSexTag
// bits the lists count + 8 * ENAMDICT's tag, 0 where ENAMDICT lacks it), an
// evidence character and the packed kana; kReadingsEnd after the last.
extern const char kReadings[];
extern const std::size_t kReadingsSize;

}  // namespace namori::candidates
