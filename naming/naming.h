// Naming support: the given names that read best with a surname. Every
// candidate is read as the given name after the surname, with exactly the
// grades and score of computeGrades/computeScore. Pure computation over data
// compiled into the program; no I/O.
//
// The candidates are the given names of ENAMDICT (never a particular
// person's full name) whose every character is registrable and counts
// strokes, each with its readings and the sex ENAMDICT gives each reading:
// f, m, or unstated (tagged g, or joined from an unclassified entry). The
// tags are sparse and sometimes wrong (蓮 and 翔 are tagged f only).
//
// Two measures order the candidates that score the same, both worked out
// from ENAMDICT when the data is generated (tools/gen_candidates.py):
// - people: how many distinct full names of real people in ENAMDICT (entries
//   for one particular person) are a surname followed by this writing
//   (実在の人名に多い名ほど上). ENAMDICT's people are mostly notable people
//   of earlier generations, so the measure leans towards older names.
// - familiarity: of each character, how many candidate writings contain it
//   (all of them, whatever the filters); a writing's familiarity is the
//   smallest of those counts over its characters (名前によく使われる字ほど上).
// The data comes in that order (people, familiarity, then Shift-JIS code), so
// a ranking is one counting sort by the printed score.
//
// Under a sex filter, people counts only the persons whose given name reads
// as a reading the list shows for the writing (ENAMDICT gives a person's
// full reading; the surname's reading is taken off its front) and that
// ENAMDICT does not give the other sex, in this writing or across its given
// names. Suggestion::people is that number, and it orders the list; the few
// candidates it moves are sorted into place after the counting sort.
//
// Writings with a kanji parents avoid for its meaning (naming/avoided_kanji.txt:
// death, illness, crime, mourning and the like) are left out unless
// SuggestFilter::anyKanji is set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine.h"

namespace namori {

// Sex of a reading of a candidate writing, as ENAMDICT tags it. A writing's
// sex is the union over the readings shown.
enum NameSexTag : unsigned {
  kSexFemale = 1,    // f
  kSexMale = 2,      // m
  kSexUnstated = 4,  // g, or a reading joined from an unclassified entry
};

enum class SexFilter {
  kAny,
  kFemale,  // readings tagged f, or unstated while no reading of the writing is m
  kMale,    // readings tagged m, or unstated while no reading of the writing is f
};

enum class SuggestOrder {
  kScore,   // printed score, then people, then familiarity, then code order
  kPeople,  // people, then printed score, then familiarity, then code order
};

struct SuggestFilter {
  SexFilter sex = SexFilter::kAny;
  int characters = 0;  // exactly this many characters; 0: any
  // A reading pattern, Shift-JIS kana (katakana read as hiragana) with an
  // optional '*' at either end: ゆい exact, ゆ* starts with, *と ends with,
  // *な* contains. Empty: any. See isReadingPattern.
  std::string reading;
  std::string with;     // Shift-JIS: every one of these characters appears
  std::string without;  // Shift-JIS: none of these characters appears
  double minScore = 0;  // the score as printed (one decimal) is at least this
  std::size_t top = 0;  // the best this many; 0: all
  SuggestOrder order = SuggestOrder::kScore;
  bool anyKanji = false;  // also names with a kanji that parents avoid
};

// One reading of a candidate: Shift-JIS hiragana (ヴ stays katakana) and
// its sex: kSexFemale and/or kSexMale where an entry states it, else
// kSexUnstated alone.
struct CandidateReading {
  std::string kana;
  unsigned sex;
  // The sex the sex filter counts: sex, or for a reading of unstated sex the
  // sex its ending tells (readings ending in すけ or ろう are boys', in りこ or
  // なこ girls'), or for a writing of two or more characters its last kanji
  // (郎 彦 輔 end boys' names only), worked out from the tagged given names of
  // ENAMDICT.
  unsigned counted = 0;
};

struct Suggestion {
  const char* given;          // Shift-JIS, NUL-terminated, in constant data
  unsigned sex;               // NameSexTag bits of the readings shown (see readings)
  GradeValues grades;         // raw, as computeGrades(surname, given)
  double score;               // computeScore(...).total of those grades
  std::uint32_t position;     // the candidate's place in data order
  std::uint32_t people;       // see above; under a sex filter, its persons only
  std::uint32_t familiarity;  // see above
};

// The ranked candidates. A Suggestion is made on access.
class Suggestions {
 public:
  std::size_t size() const { return order_.size(); }
  bool empty() const { return order_.empty(); }
  Suggestion operator[](std::size_t rank) const;
  // The readings shown for the candidate at rank: those the sex filter keeps,
  // the ones the reading pattern matches first, each group in code order.
  std::vector<CandidateReading> readings(std::size_t rank) const;
  // How many of readings(rank), from the first, the reading pattern matches:
  // those a list must never hide. 0 when there is no pattern.
  std::size_t matchedReadings(std::size_t rank) const;

 private:
  friend Suggestions suggestGivenNames(const char*, const SuggestFilter&);
  std::vector<std::uint32_t> order_;  // candidate positions, best first
  std::vector<double> keyScore_;      // score per stroke key, for this surname
  NameStrokes surname_;
  SuggestFilter filter_;
};

// Ranks the candidates for a Shift-JIS surname (null reads as empty). The
// first call loads the candidate data; later calls and other threads share
// it.
Suggestions suggestGivenNames(const char* surname, const SuggestFilter& filter = {});

// When a ranking finds nothing, the one change to the filter that would find
// names, for a front end to suggest: letting in the kanji parents avoid
// (when they hid every match), else a reading pattern ending in '*' (when an
// exact reading matched nothing but some reading starts so). kNone when the
// filter finds names, or neither change would.
enum class EmptyListHint { kNone, kAnyKanji, kReadingPrefix };
EmptyListHint emptyListHint(const char* surname, const SuggestFilter& filter);

// Every reading of the candidate at `position` in data order, in code order.
std::vector<CandidateReading> candidateReadings(std::uint32_t position);

// Number of candidates in the data.
std::size_t candidateCount();

// ---- Checks of what a user types, shared by every front end ---------------

// True for a reading pattern suggestGivenNames takes: one or more kana
// (isNameKana) with an optional '*' at either end.
bool isReadingPattern(const std::string& sjis);

// A minimum score as typed: empty (0), or a finite decimal number from 0 to
// 100. False for anything else.
bool parseMinScore(const std::string& text, double* minScore);

// True when the Shift-JIS surname has at least one character that counts
// strokes; a ranking for any other surname ranks as if there were none.
bool surnameCounts(const char* surname);

}  // namespace namori
